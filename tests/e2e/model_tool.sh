#!/usr/bin/env bash
# corvane-model end to end: info and pose on a model made in a real modelling
# tool (the shared jeep), on the embedded models and on the small models of
# tests/samples (a sliding joint; vertices weighted over two joints, whole
# and with their extras cut); bad files; render with no display at all, into
# PNGs checked for size, coverage and texture colours (PNG and TGA textures
# among them) and bad render arguments; textures that are missing, cut short
# or too large; and the viewer window on a virtual display.
# Usage: model_tool.sh <build-dir>
set -uo pipefail
source "$(dirname "$0")/lib/harness.sh"
in_build "${1:-}"
need python3 convert identify import
TOOL=$BUILD/bin/corvane-model
ROOT=$(cd "$(dirname "$0")/../.." && pwd)
RESOURCES=$ROOT/resources
JEEP=$ROOT/../shared/models/jeep1.ms3d
for built in "$TOOL" "$BUILD/bin/ms3d_samples"; do
  [ -x "$built" ] || abort "no $built"
done
"$BUILD/bin/ms3d_samples" "$WORK" || abort "no sample models"
# The jeep comes from the shared models beside the repository; a clone of
# the project alone has none, and its checks are skipped.
[ -r "$JEEP" ] || { JEEP=; echo "  (skipping the checks on the shared jeep: missing $ROOT/../shared/models/jeep1.ms3d)"; }

# json_check FILE PYTHON [ARGS...]: the assertions, with the JSON in `j`.
json_check() {
  python3 -c "import json, sys; j = json.load(open(sys.argv[1])); args = sys.argv[2:]; $2" "$1" "${@:3}"
}

# near_poses FILE TIME_MS=WANT...: at each time the pose's vertices, each
# within 1e-5 of WANT's (stderr of the last in $WORK/pose.err).
near_poses() {
  local file=$1 case poses=()
  shift
  for case in "$@"; do
    "$TOOL" pose "$file" "${case%%=*}" >"$WORK/pose-${#poses[@]}.json" 2>"$WORK/pose.err" || return 1
    poses+=("$WORK/pose-${#poses[@]}.json" "${case#*=}")
  done
  python3 -c '
import json, sys
for got, want in zip(sys.argv[1::2], sys.argv[2::2]):
    got, want = json.load(open(got)), json.loads(want)
    assert len(got) == len(want) and all(abs(a - b) < 1e-5 for p, w in zip(got, want) for a, b in zip(p, w)), got' \
    "${poses[@]}"
}

if [ -n "$JEEP" ]; then
  "$TOOL" info "$JEEP" >"$WORK/jeep.json"
  expect "info on the jeep: counts, texture found beside it, no extras" json_check "$WORK/jeep.json" '
want = {"vertices": 1190, "triangles": 2032, "meshes": 7, "materials": 1, "joints": 0, "totalTimeMs": 1000,
        "parents": [], "rotationKeys": [], "translationKeys": []}
assert all(j[k] == v for k, v in want.items()), j
assert j["textures"] == [args[0] + "/jeep1.jpg"] and j["textureFiles"][0]["found"] == args[0] + "/jeep1.jpg", j
assert j["extras"]["vertexExtras"] == 0 and j["extras"]["dropped"] is None, j' "$(dirname "$JEEP")"
  # A model without joints is posed as loaded, at any time: the vertices
  # read straight from the file.
  for t in 0 640.5 99999; do
    "$TOOL" pose "$JEEP" "$t" >"$WORK/pose.json"
    expect "the jeep's pose at $t ms is its vertices as stored" json_check "$WORK/pose.json" '
import struct
data = open(args[0], "rb").read()
count, = struct.unpack_from("<H", data, 14)
assert len(j) == count, len(j)
for i in range(count):
    stored = struct.unpack_from("<3f", data, 16 + 15 * i + 1)
    assert all(abs(a - b) <= 1e-6 * max(1.0, abs(b)) for a, b in zip(j[i], stored)), (i, j[i], stored)' "$JEEP"
  done
fi

for model in room scientist warden; do "$TOOL" info "$RESOURCES/$model.ms3d" >"$WORK/$model.json"; done
expect "info on the embedded models: counts, lengths, keys, parents first" python3 - "$WORK" <<'PY'
import json, sys
want = {"room": (3402, 2343, 62, 0, 0, 1250.0),
        "scientist": (380, 711, 19, 22, 180, 185 * 1000 / 24),
        "warden": (382, 709, 20, 24, 250, 281 * 1000 / 24)}
for name, (vertices, triangles, groups, joints, keys, total) in want.items():
    info = json.load(open(f"{sys.argv[1]}/{name}.json"))
    got = (info["vertices"], info["triangles"], info["meshes"], info["materials"], info["joints"])
    assert got == (vertices, triangles, groups, groups, joints), (name, got)
    assert abs(info["totalTimeMs"] - total) < 1e-9, (name, info["totalTimeMs"])
    assert info["rotationKeys"] == [keys] * joints == info["translationKeys"], name
    assert all(p < i for i, p in enumerate(info["parents"])), (name, info["parents"])
    assert info["extras"]["weightedVertices"] == 0, name
PY

# One joint sliding 2 units along x in its first second: halfway at 500 ms,
# there at the end (2000 ms), back at the start once the clock passes it.
slid() { echo "$1=[[$(($2 - 1)),-1,0],[$2,-1,0],[$2,1,0],[$(($2 - 1)),1,0]]"; }
expect "the sliding joint at 0, 500, 1000, 2000 and 2000.5 ms" near_poses "$WORK/slide.ms3d" \
  "$(slid 0 0)" "$(slid 500 1)" "$(slid 1000 2)" "$(slid 2000 2)" "$(slid 2000.5 0)"

# Vertices weighted over two joints (vertex extras of sub-version 3), against
# positions worked by hand (tests/samples/ms3d_samples.cpp): stored at 0 ms;
# at 1000 ms the knee has turned a quarter.
WEIGHTED=$WORK/weighted_v3.ms3d
"$TOOL" info "$WEIGHTED" >"$WORK/weighted.json"
expect "info on the weighted model tells its extras" json_check "$WORK/weighted.json" '
assert j["extras"] == {"comments": 1, "vertexExtras": 3, "jointExtras": 2, "modelExtras": 1,
                       "weightedVertices": 2, "dropped": None}, j["extras"]'
expect "the weighted model at 0 and 1000 ms" near_poses "$WEIGHTED" \
  "0=[[0,2,0],[0,2,0],[1,1,0]]" "1000=[[-1,1,0],[-0.5,1.5,0],[0.25,1.75,0]]"
# Cut inside its extras: read without them (each vertex on its own joint),
# and one line says so.
head -c -3 "$WEIGHTED" >"$WORK/cut_extras.ms3d"
expect "extras cut short: read without them" near_poses "$WORK/cut_extras.ms3d" "1000=[[-1,1,0],[0,2,0],[1,1,0]]"
expect "extras cut short: one line on stderr" test "$(wc -l <"$WORK/pose.err")" -eq 1

# Unreadable and malformed files: one line on stderr, nothing on stdout, 1.
head -c 5000 "$RESOURCES/room.ms3d" >"$WORK/cut.ms3d"
printf 'MS3D000000\005\000\000\000' >"$WORK/version5.ms3d"
for bad in "$WORK/missing.ms3d" "$WORK/cut.ms3d" "$WORK/version5.ms3d" "$WORK"; do
  for command in info pose view render; do
    args=("$command" "$bad")
    [ "$command" = pose ] && args+=(0)
    [ "$command" = render ] && args+=(0 "$WORK/bad.png")
    DISPLAY= "$TOOL" "${args[@]}" >"$WORK/out" 2>"$WORK/err"
    status=$?
    expect "${args[*]##*/}: status 1, one line on stderr, nothing on stdout" \
      test "$status" -eq 1 -a ! -s "$WORK/out" -a "$(wc -l <"$WORK/err")" -eq 1
  done
done

# Textures as models made elsewhere ship them, named in another letter case
# than the model gives: a PNG with a white corner, an RLE TGA; a third is
# missing. Then a PNG and a plain TGA cut short, and a PNG whose header
# claims 5000 x 4000 pixels.
convert -size 64x64 xc:'#e02020' -fill white -draw 'rectangle 0,0 31,31' "$WORK/red.png"
convert -size 64x64 xc:'#20c020' -compress RLE "$WORK/green.tga"
"$TOOL" info "$WORK/textured.ms3d" >"$WORK/textures.json"
expect "info finds the PNG and the TGA whatever their case, not the third" json_check "$WORK/textures.json" '
files = j["textureFiles"]
assert [f["found"] for f in files] == [args[0] + "/red.png", args[0] + "/green.tga", None], files
assert files[0]["problem"] is None and files[1]["problem"] is None and files[2]["problem"], files' "$WORK"
mkdir -p "$WORK/bad" && cp "$WORK/textured.ms3d" "$WORK/bad/"
head -c 200 "$WORK/red.png" >"$WORK/bad/red.png"
convert -size 64x64 xc:'#20c020' -compress None tga:- | head -c 5000 >"$WORK/bad/green.tga"
printf '\211PNG\r\n\032\n\0\0\0\rIHDR\0\0\023\210\0\0\017\240\010\002\0\0\0' >"$WORK/bad/gone.png"
"$TOOL" info "$WORK/bad/textured.ms3d" >"$WORK/bad.json"
expect "info: a PNG and a TGA cut short, a picture over the limits give no texture" json_check "$WORK/bad.json" '
assert [f["problem"][:12] for f in j["textureFiles"]] == ["cut short"] * 2 + ["larger than "], j'

# picture_stats PNG: its width, height, share of pixels off the background
# (the corner's colour), shares of reddish and greenish pixels, and colours.
picture_stats() {
  convert "$1" -depth 8 rgb:- | python3 -c '
import sys
w, h = map(int, sys.argv[1:3])
data = sys.stdin.buffer.read()
pixels = [tuple(data[i:i + 3]) for i in range(0, len(data), 3)]
assert len(pixels) == w * h
model = [p for p in pixels if p != pixels[0]]
red = sum(1 for r, g, b in model if r > 60 and r > 2 * g and r > 2 * b)
green = sum(1 for r, g, b in model if g > 60 and g > 2 * r and g > 2 * b)
print(w, h, *(f"{n / len(pixels):.3f}" for n in (len(model), red, green)), len(set(model)))' \
    $(identify -format '%w %h' "$1")
}
# render WANT MODEL TIME_MS OUT [W H]: with no display; status 0 and a
# picture whose statistics pass WANT (a Python condition on w, h, cover,
# red, green, colours).
render_check() {
  local want=$1 out=$SHOTS/$4.png
  shift
  env -u DISPLAY -u WAYLAND_DISPLAY "$TOOL" render "$1" "$2" "$out" "${@:4}" 2>"$WORK/render.err" || return 1
  set -- $(picture_stats "$out")
  echo "       ($out: ${1}x$2, model $3, red $4, green $5, $6 colours)"
  python3 -c "w, h, cover, red, green, colours = $1, $2, $3, $4, $5, $6; assert $want"
}
[ -n "$JEEP" ] && expect "render of the jeep without a display: its size, textured, framed" \
  render_check "(w, h) == (640, 480) and 0.1 < cover < 0.9 and colours > 1000" "$JEEP" 0 jeep 640 480
expect "render of the PNG and TGA textured model: red and green appear" \
  render_check "(w, h) == (800, 600) and 0.1 < cover < 0.9 and red > 0.03 and green > 0.03" \
  "$WORK/textured.ms3d" 0 textured
expect "render names the missing texture on one line" test "$(grep -c gone.png "$WORK/render.err")" -eq 1
convert -size 64x64 xc:'#20c020' -compress None "$WORK/green.tga"
expect "a plain TGA loads too" grep -q '/green.tga","problem":null' <("$TOOL" info "$WORK/textured.ms3d")
for size in "0 600" "800 8193" "abc 600" "800 6x"; do
  env -u DISPLAY "$TOOL" render "$WEIGHTED" 0 "$WORK/size.png" $size 2>"$WORK/err"
  status=$?
  expect "render at size $size: usage, status 1, no picture" \
    test "$status" -eq 1 -a ! -e "$WORK/size.png" -a -n "$(grep usage "$WORK/err")"
done

# The viewer: a model textured and lit, seen at two moments of its turn. A
# textured, lit model gives thousands of colours; an empty or untextured
# window a handful. Loading the textures may take a while on a busy machine.
view_check() {
  local name=$1 colours=0
  PROGRAM=("$TOOL" view "$2")
  start_program
  for _ in $(seq 40); do
    sleep 0.5
    shot "$name-1" || continue
    colours=$(identify -format '%k' "$SHOTS/$name-1.png")
    [ "$colours" -gt 1000 ] && break
  done
  sleep 1.5
  shot "$name-2"
  finished 0
  echo "       ($colours colours)"
  [ "$colours" -gt 1000 ] && ! cmp -s "$SHOTS/$name-1.png" "$SHOTS/$name-2.png"
}
start_display
[ -n "$JEEP" ] && expect "the viewer shows the jeep textured and turning" view_check view-jeep "$JEEP"
expect "the viewer shows the scientist textured and turning" view_check view-scientist "$RESOURCES/scientist.ms3d"

verdict
