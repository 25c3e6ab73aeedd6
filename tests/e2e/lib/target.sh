# The show as the end-to-end scripts drive it, from either kind of build:
# a Linux build's bin/corvane, or a Windows build's bin/corvane.exe under
# Wine (lib/wine.sh; the prefix lives in the build directory and is made on
# first use). Includes the harness.
#
#   use_build DIR   sets BUILD, SHOTS (in_build) and PROGRAM; for a Windows
#                   build the Wine environment too, and ends what runs in
#                   its prefix at exit
#   target_ready    once the display is up: the Wine prefix made and Wine
#                   able to start programs (nothing to do on Linux)
#   find_dialog, find_about, find_gl, find_question, find_error
#                   the program's windows, as wait_for and gone take them
#
# The windows are named alike on both: the GL window, "About Corvane" and
# the message boxes by their captions. The settings dialog differs: GTK
# names it "Corvane", while under Wine it has no caption and is the
# program's visible untitled window bigger than a drop-down list.

source "$(dirname "${BASH_SOURCE[0]}")/harness.sh"
source "$(dirname "${BASH_SOURCE[0]}")/wine.sh"

TITLE=DECK_NINE_by_Quillmark
ON_WINE=no

use_build() {
  in_build "$@"
  if [ -f "$BUILD/bin/corvane.exe" ]; then
    ON_WINE=yes
    wine_env "$BUILD" || exit 1
    PROGRAM=("$WINE" "$BUILD/bin/corvane.exe")
    need "$WINE" "$WINESERVER"
    [ "$WINEARCH" = win64 ] || can_run_32bit || unavailable "this machine cannot run 32-bit programs"
  else
    PROGRAM=("$BUILD/bin/corvane")
    [ -x "$PROGRAM" ] || abort "no $PROGRAM"
  fi
}

# Whatever still runs in the build's Wine prefix ends with the script
# (unless the script has its own clean-up).
declare -F cleanup_target >/dev/null || cleanup_target() { [ "$ON_WINE" = no ] || wine_stop; }

target_ready() {
  [ "$ON_WINE" = yes ] || return 0
  # A new prefix is set up before the first run, so that its start-up time
  # does not count against the program.
  wine_prefix || exit 1
  wine_ready || abort "Wine does not start"
}

find_dialog() {
  [ "$ON_WINE" = yes ] || { titled Corvane; return; }
  local id w h
  for id in $(xdotool search --onlyvisible --classname '^corvane\.exe$' 2>/dev/null); do
    [ -z "$(xdotool getwindowname "$id" 2>/dev/null)" ] || continue
    read -r w h _ < <(geometry "$id")
    [ "${w:-0}" -ge 150 ] && [ "${h:-0}" -ge 100 ] && { echo "$id"; return 0; }
  done
  return 1
}
find_about() { titled "About Corvane"; }
find_gl() { titled "$TITLE"; }
find_question() { titled "Kestrel GL"; }
find_error() { titled ERROR; }
