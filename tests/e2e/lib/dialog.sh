# The settings dialog as the end-to-end scripts see it: its controls by
# dialog units, what a region of it shows, its countdown read and checked,
# and a run of the program from the dialog to the show and out (target.sh).

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

# grab_region FILE X Y W H: that region (dialog units) of the dialog, into FILE.
grab_region() {
  given "$DIALOG_ID" grab || return 1
  timeout 2 import -window "$DIALOG_ID" -crop "$(unit_x "$4")x$(unit_y "$5")+$(unit_x "$2")+$(unit_y "$3")" +repage "$1" 2>/dev/null
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

# read_grabs PICTURE...: the number each grab of the countdown shows, one
# line a grab (empty when nothing is legible), read with gocr from enlarged
# black-and-white copies, made by one process for all of them.
read_grabs() {
  local picture
  mogrify -format pnm -colorspace Gray -scale 400% -threshold 70% "$@"
  for picture; do
    # gocr may take a narrow one for a letter l; the field only holds digits.
    gocr -C '0-9l' "${picture%.*}.pnm" 2>/dev/null | tr 'l' '1' | tr -dc '0-9'
    echo
  done
}
# read_countdown: the number the countdown shows now.
read_countdown() { grab_region "$WORK/countdown.png" 130 5 14 11 && read_grabs "$WORK/countdown.png"; }

# watch_countdown FILE: grabs the countdown until the dialog is gone, then
# reads the grabs. Writes one line "BEFORE AFTER NUMBER" (microseconds
# around the grab) per grab: NUMBER is "-" when the grab showed nothing
# legible and "gone" when there was no dialog left to grab. Reading comes
# after, so that a slow machine still grabs often; grabs of one second are
# alike to the byte, and each different one is read once.
watch_countdown() {
  local before after count=0 picture hash number i files=() numbers=()
  local -A hash_of=() first=() number_of=()
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
  while read -r hash picture; do
    [ -s "$picture" ] || continue
    hash_of[$picture]=$hash
    [ -n "${first[$hash]:-}" ] || { first[$hash]=$picture; files+=("$picture"); }
  done < <(md5sum "$WORK"/grab-*.png)
  [ ${#files[@]} -eq 0 ] || mapfile -t numbers < <(read_grabs "${files[@]}")
  for i in "${!files[@]}"; do number_of[${hash_of[${files[i]}]}]=${numbers[i]:-}; done
  while read -r before after picture; do
    if [ -s "$picture" ]; then
      number=${number_of[${hash_of[$picture]}]}
      echo "$before $after ${number:--}"
    else
      echo "$before $after gone"
    fi
  done <"$WORK/grabs" >"$1"
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

# check_controls_drawn: once the dialog is drawn (screenshot "dialog"), every
# control shows something: the picture, the texts, the lists, the boxes and
# the buttons (the screenshot shows them to a person).
check_controls_drawn() {
  local name region
  settled
  sleep 0.5
  shot dialog
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
