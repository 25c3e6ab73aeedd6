# The settings dialog's end-to-end checks, shared by the Linux and the Wine
# scripts (target.sh): the script sets PROGRAM_NAME, then calls
# run_dialog_checks BUILD.

source "$(dirname "${BASH_SOURCE[0]}")/target.sh"

# Dialog units to screen pixels over the dialog's window (150 x 119 units).
DIALOG_ID= DIALOG_W=0 DIALOG_H=0 DIALOG_X=0 DIALOG_Y=0
measure_dialog() {
  DIALOG_ID=$1
  read -r DIALOG_W DIALOG_H DIALOG_X DIALOG_Y < <(geometry "$1")
}
unit_x() { echo $((DIALOG_W * $1 / 150)); }
unit_y() { echo $((DIALOG_H * $1 / 119)); }

# click_unit X Y: a left click at dialog units X, Y.
click_unit() {
  xdotool mousemove --sync $((DIALOG_X + $(unit_x "$1"))) $((DIALOG_Y + $(unit_y "$2"))) click 1
  sleep 0.3
}

# region_of X Y W H (dialog units) from the screen, as raw pixels into FILE.
grab_region() {  # grab_region FILE X Y W H
  timeout 2 import -window "$DIALOG_ID" -crop "$(unit_x "$4")x$(unit_y "$5")+$(unit_x "$2")+$(unit_y "$3")" +repage "$1" 2>/dev/null
}
region_hash() {  # region_hash X Y W H
  grab_region "$WORK/region.png" "$@"
  convert "$WORK/region.png" -depth 8 rgb:- | md5sum | cut -d' ' -f1
}
# colours_in X Y W H: how many different colours the region shows.
colours_in() {
  grab_region "$WORK/region.png" "$@"
  convert "$WORK/region.png" -format %k info:
}
# matching_pixels X Y W H R-MIN G-MIN G-MAX B-MAX: pixels of the region in
# that colour range.
matching_pixels() {
  grab_region "$WORK/region.png" "$1" "$2" "$3" "$4"
  convert "$WORK/region.png" -depth 8 txt:- | awk -v r="$5" -v g0="$6" -v g1="$7" -v b="$8" -F'[(),]' \
    'NR > 1 && $3 >= r && $4 >= g0 && $4 <= g1 && $5 <= b {n++} END {print n + 0}'
}

# dialog_opens: a new run, and its dialog measured within 60 s.
dialog_opens() {
  local dialog
  start_program
  if dialog=$(wait_for find_dialog 60); then measure_dialog "$dialog"; else fail "the dialog appears"; return 1; fi
}

# show_opens: the GL window within 15 s, in GL.
GL=
show_opens() { GL=$(wait_for find_gl 15) || { fail "Start opens the show"; return 1; }; }

# end_show: Escape in the GL window ends the program with exit code 0.
end_show() {
  press "$GL" Escape
  finished 30
  expect "Escape in the show ends the program with exit code 0 (${EXIT_CODE})" [ "$EXIT_CODE" = 0 ]
}

# now: microseconds of the wall clock.
now() { local t=$EPOCHREALTIME; echo $((10#${t//[.,]/})); }
# seconds MICROSECONDS: as a decimal number of seconds, for messages.
seconds() { printf '%d.%02d' $(($1 / 1000000)) $(($1 % 1000000 / 10000)); }

# settled: waits until the dialog is drawn and its countdown shows a number
# (after the first tick); true when it does in time.
settled() {
  local deadline=$((SECONDS + 10))
  while [ $SECONDS -le $deadline ]; do
    [ "$(colours_in 130 5 14 11)" -gt 1 ] && return 0
    sleep 0.05
  done
  return 1
}

# read_countdown [PICTURE]: the number the countdown shows (in PICTURE, a
# grab of its region, or on the screen now), read with gocr from an
# enlarged black-and-white copy; empty when nothing is legible.
read_countdown() {
  local picture=${1:-$WORK/countdown.png}
  [ $# -eq 0 ] && grab_region "$picture" 130 5 14 11
  convert "$picture" -colorspace Gray -scale 400% -threshold 70% "$WORK/countdown.pnm"
  # gocr may take a narrow one for a letter l; the field only holds digits.
  gocr -C '0-9l' "$WORK/countdown.pnm" 2>/dev/null | tr 'l' '1' | tr -dc '0-9'
}

# watch_countdown FILE: grabs the countdown until the dialog is gone, then
# reads the grabs. Writes one line "BEFORE AFTER NUMBER" (microseconds
# around the grab) per grab: NUMBER is "-" when the grab showed nothing
# legible and "gone" when there was no dialog left to grab. Reading comes
# after, so that a slow machine still grabs often.
watch_countdown() {
  local before after count=0 number
  : >"$WORK/grabs"
  while :; do
    before=$(now)
    rm -f "$WORK/grab-$count.png"
    grab_region "$WORK/grab-$count.png" 130 5 14 11
    after=$(now)
    echo "$before $after $WORK/grab-$count.png" >>"$WORK/grabs"
    [ -s "$WORK/grab-$count.png" ] || [ -n "$(find_dialog)" ] || break
    count=$((count + 1))
    sleep 0.1
  done
  : >"$1"
  while read -r before after picture; do
    if [ -s "$picture" ]; then
      number=$(read_countdown "$picture")
      echo "$before $after ${number:--}" >>"$1"
    else
      echo "$before $after gone" >>"$1"
    fi
  done <"$WORK/grabs"
}

# check_countdown FILE: every reading must fit one opening time T, reading
# 30 - s during second s after T (a tick and a repaint of slack); the first
# reading is 30, the last 2 or 1 (the dialog may go before "1" is drawn),
# and the dialog goes at T + 29 s (Wine takes its window down up to 2 s
# later, and a grab of a window going away can take 2 s to give up).
check_countdown() {
  local file=$1 slack=300000
  awk -v slack="$slack" '
    $3 ~ /^[0-9]+$/ {
      n++; if (n == 1) first = $3; last = $3
      # "1" stays up after the 30th second: the countdown stops writing then.
      hi_i = $2 - (30 - $3) * 1000000 + slack
      if ($3 > 1) { lo_i = $1 - (31 - $3) * 1000000; if (!haslo || lo_i > lo) lo = lo_i; haslo = 1 }
      if (n == 1 || hi_i < hi) hi = hi_i
      if ($3 < 1 || $3 > 30 || (n > 1 && $3 > previous)) bad++; previous = $3; seen[$3] = 1 }
    $3 != "gone" { open = $1 }
    $3 == "gone" && !gone { gone = $2 }
    END { distinct = 0; for (k in seen) distinct++
          printf "%d %d %d %d %d %d %d %d\n", n, first, last, distinct, bad, hi - lo, open - hi, gone - lo }' "$file" \
    >"$WORK/countdown.summary"
  local n first last distinct bad window open gone
  read -r n first last distinct bad window open gone <"$WORK/countdown.summary"
  echo "       (${n} readings, ${distinct} different, from ${first} to ${last})"
  expect "the countdown reads 30 after the first tick (${first})" [ "$first" = 30 ]
  expect "it counts down, never up, and stays within 30 to 1" [ "$n" -gt 0 -a "$bad" -eq 0 ]
  expect "every reading is 30 less the whole seconds since one opening time" [ "$window" -gt 0 ]
  expect "enough readings to tell (${distinct} different numbers)" [ "$distinct" -ge 15 ]
  expect "it gets down to 2 or 1 (${last})" [ "$last" = 1 -o "$last" = 2 ]
  expect "the dialog goes 29 s after it opened ($(seconds "$open") s last seen, $(seconds "$gone") s gone)" \
    [ "$open" -lt 31000000 -a "$gone" -gt 28700000 -a "$gone" -lt 34000000 ]
}

check_controls_drawn() {
  # Every control shows something: the picture, the texts, the lists, the
  # boxes and the buttons (the screenshot shows them to a person).
  local name region
  for region in "Start 7 98 32 14" "Exit 109 98 34 14" "About 49 98 50 14" "title 45 12 67 8" \
                "Res: 11 35 16 9" "Bpp: 11 51 16 9" "resolution-list 37 33 87 12" "depth-list 37 50 87 12" \
                "Fullscreen 53 66 48 10" "Sound 53 76 37 10"; do
    set -- $region
    name=$1
    shift
    expect "the $name control is drawn" [ "$(colours_in "$@")" -gt 1 ]
  done
  expect "the emblem shows its dusky planet" [ "$(matching_pixels 7 7 21 20 190 80 200 110)" -gt 10 ]
}

run_dialog_checks() {  # run_dialog_checks BUILD
  use_build "${1:-}"
  need Xvfb xdotool xwininfo import convert md5sum gocr
  [ -n "$XVFB_PID" ] || start_display
  target_ready
  echo "$PROGRAM_NAME: DISPLAY=$DISPLAY"

  echo "untouched: the dialog and its countdown, then the show starting by itself"
  if dialog_opens; then
    pass "the dialog appears (${DIALOG_W}x${DIALOG_H} at ${DIALOG_X},${DIALOG_Y})"
    expect "it is centred on the 1024x768 screen" \
      [ $((DIALOG_X * 2 + DIALOG_W - 1024)) -ge -2 -a $((DIALOG_X * 2 + DIALOG_W - 1024)) -le 2 -a \
        $((DIALOG_Y * 2 + DIALOG_H - 768)) -ge -2 -a $((DIALOG_Y * 2 + DIALOG_H - 768)) -le 2 ]
    watch_countdown "$SHOTS/countdown.log"
    check_countdown "$SHOTS/countdown.log"
    if show_opens; then
      expect "the show starts full screen at 1024x768" sized "$GL" 1024 768 0 0
      shot autostart
      end_show
    fi
  fi
  finished 1

  echo "the dialog's controls; 320x200 windowed chosen, About, then Start"
  if dialog_opens; then
    local about countdown later
    settled
    sleep 0.5
    shot dialog
    check_controls_drawn
    # Start has the focus; Tab goes Exit, resolution list (End: its last
    # entry, 320x200), depth list, Fullscreen (space unticks it).
    press "$DIALOG_ID" Tab Tab End Tab Tab space
    shot chosen-before-about
    click_unit 74 105
    if about=$(wait_for find_about 10); then
      pass "About shows \"About Corvane\""
      shot about
      countdown=$(read_countdown)
      sleep 1.3
      later=$(read_countdown)
      expect "the countdown goes on while About is open (${countdown}, then ${later})" \
        [ -n "$countdown" -a -n "$later" ] && [ "${later:-99}" -lt "${countdown:-0}" ]
      press "$about" Return
      expect "the About box closes" gone find_about 5
      expect "the dialog is still open" [ -n "$(find_dialog)" ]
      shot chosen-after-about
    else
      fail "About shows \"About Corvane\""
    fi
    # About has the focus now, so Enter would open it again: click Start.
    click_unit 23 105
    if show_opens; then
      expect "About left the choices: Start opens a 320x200 window" sized "$GL" 320 200
      end_show
    fi
  fi
  finished 1

  local file
  for file in "320 200 8 0 0" "1024 768 32 1 1"; do
    echo "a settings file of $file, then Start"
    echo "$file" >"$WORK/corvane.cfg"
    if dialog_opens; then
      press "$DIALOG_ID" Return
      if show_opens; then
        expect "Start gives full screen 1024x768 whatever the file said" sized "$GL" 1024 768 0 0
        end_show
      fi
    fi
    finished 1
    rm -f "$WORK/corvane.cfg"
  done

  echo "320x200, 8 bits, both boxes unticked, Start"
  if dialog_opens; then
    # Start has the focus; Tab goes Exit, resolution list, depth list,
    # Fullscreen, Sound. End picks a list's last entry.
    press "$DIALOG_ID" Tab Tab End Tab End Tab space Tab space
    shot chosen-320x200
    press "$DIALOG_ID" Return
    if show_opens; then
      expect "a 320x200 window opens" sized "$GL" 320 200
      shot window-320x200
      end_show
    fi
  fi
  finished 1

  local way
  for way in Exit Escape alt+F4; do
    echo "ending the dialog with $way"
    if dialog_opens; then
      if [ "$way" = Exit ]; then
        focus "$DIALOG_ID"
        click_unit 126 105
      else
        press "$DIALOG_ID" "$way"
      fi
      finished 30
      expect "$way ends the program with exit code 0 (${EXIT_CODE})" [ "$EXIT_CODE" = 0 ]
      expect "no GL window was made" [ "$GL_SEEN" = no ]
    fi
    finished 1
  done

  verdict
}
