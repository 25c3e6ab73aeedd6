#!/usr/bin/env bash
# corvane-model end to end: info and pose on a model made in a real modelling
# tool, on the embedded models and on a small skinned model written here, the
# error paths, and the viewer window on a virtual display (a screenshot must
# show the model).
# Usage: model_tool.sh <build-dir>
set -uo pipefail
BUILD=${1:?usage: model_tool.sh <build-dir>}
TOOL=$BUILD/bin/corvane-model
HERE=$(cd "$(dirname "$0")" && pwd)
JEEP=$(cd "$HERE/../.." && pwd)/../shared/models/jeep1.ms3d
WORK=$(mktemp -d)
trap 'rm -rf "$WORK"' EXIT

fail() { echo "model_tool: FAIL: $*"; exit 1; }
[ -x "$TOOL" ] || fail "no $TOOL"
# The jeep comes from the shared models beside the repository; a clone of
# the project alone has none, and its checks are skipped.
if [ -r "$JEEP" ]; then
  HAVE_JEEP=1
else
  HAVE_JEEP=
  echo "model_tool: skipping the checks on the shared jeep: missing $JEEP"
fi

# info: the jeep's counts and its texture beside it.
if [ -n "$HAVE_JEEP" ]; then
"$TOOL" info "$JEEP" >"$WORK/info.json" || fail "info exited $?"
python3 - "$WORK/info.json" "$(dirname "$JEEP")" <<'PY' || fail "info on the jeep"
import json, sys
info = json.load(open(sys.argv[1]))
want = {"vertices": 1190, "triangles": 2032, "meshes": 7, "materials": 1, "joints": 0,
        "totalTimeMs": 1000, "parents": [], "rotationKeys": [], "translationKeys": []}
for key, value in want.items():
    assert info[key] == value, (key, info[key], value)
assert info["textures"] == [sys.argv[2] + "/jeep1.jpg"], info["textures"]
PY
fi

# info on the embedded models, read from the files they are built from.
RESOURCES=$(cd "$HERE/../.." && pwd)/resources
for model in room scientist warden; do
  "$TOOL" info "$RESOURCES/$model.ms3d" >"$WORK/$model.json" || fail "info on $model exited $?"
done
python3 - "$WORK" <<'PY' || fail "info on the embedded models"
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
PY

# pose: a model without joints is posed as loaded, at any time; checked
# against the vertices read straight from the file.
for t in ${HAVE_JEEP:+0 640.5 99999}; do
  "$TOOL" pose "$JEEP" "$t" >"$WORK/pose.json" || fail "pose $t exited $?"
  python3 - "$WORK/pose.json" "$JEEP" <<'PY' || fail "pose of the jeep at $t"
import json, struct, sys
pose = json.load(open(sys.argv[1]))
data = open(sys.argv[2], "rb").read()
count, = struct.unpack_from("<H", data, 14)
assert len(pose) == count, len(pose)
for i in range(count):
    expected = struct.unpack_from("<3f", data, 16 + 15 * i + 1)
    assert all(abs(a - b) <= 1e-6 * max(1.0, abs(b)) for a, b in zip(pose[i], expected)), (i, pose[i], expected)
PY
done

# A one-joint model whose joint slides 2 units along x in its first second:
# halfway there at 500 ms, there at its end (2000 ms), and back at the start
# once the clock passes the end.
python3 - "$WORK/slide.ms3d" <<'PY'
import struct, sys
out = bytearray(b"MS3D000000" + struct.pack("<i", 4))
vertices = [(0, 0, 0), (1, 0, 0), (0, 1, 0)]
out += struct.pack("<H", 3)
for v in vertices:
    out += struct.pack("<B3fbB", 0, *v, 0, 1)
out += struct.pack("<H", 1) + struct.pack("<H3H9f3f3fBB", 0, 0, 1, 2, *([0, 0, 1] * 3), 0, 1, 0, 0, 0, 1, 1, 0)
out += struct.pack("<H", 1) + struct.pack("<B32sHHb", 0, b"g", 1, 0, -1)
out += struct.pack("<H", 0)
out += struct.pack("<ffi", 1.0, 0.0, 2)
out += struct.pack("<H", 1) + struct.pack("<B32s32s3f3fHH", 0, b"root", b"", 0, 0, 0, 0, 0, 0, 1, 2)
out += struct.pack("<4f", 0, 0, 0, 0)
out += struct.pack("<4f", 0, 0, 0, 0) + struct.pack("<4f", 1, 2, 0, 0)
open(sys.argv[1], "wb").write(out)
PY
"$TOOL" info "$WORK/slide.ms3d" | python3 -c '
import json, sys
info = json.load(sys.stdin)
assert info["parents"] == [-1] and info["rotationKeys"] == [1] and info["translationKeys"] == [2], info
assert info["totalTimeMs"] == 2000, info' || fail "info on the sliding model"
for case in "0 0" "500 1" "1000 2" "2000 2" "2000.5 0"; do
  set -- $case
  "$TOOL" pose "$WORK/slide.ms3d" "$1" | python3 -c '
import json, sys
shift = float(sys.argv[1])
pose = json.load(sys.stdin)
want = [[shift, 0, 0], [1 + shift, 0, 0], [shift, 1, 0]]
assert all(abs(a - b) < 1e-6 for p, w in zip(pose, want) for a, b in zip(p, w)), pose' "$2" \
    || fail "pose of the sliding model at $1 ms"
done

# Unreadable and malformed files: one line on stderr, nothing on stdout, 1.
head -c 5000 "$RESOURCES/room.ms3d" >"$WORK/cut.ms3d"
printf 'MS3D000000\005\000\000\000' >"$WORK/version5.ms3d"
for bad in "$WORK/missing.ms3d" "$WORK/cut.ms3d" "$WORK/version5.ms3d" "$WORK"; do
  for command in info pose view; do
    args=("$command" "$bad")
    [ "$command" = pose ] && args+=(0)
    "$TOOL" "${args[@]}" >"$WORK/out" 2>"$WORK/err"
    status=$?
    [ $status -eq 1 ] || fail "${args[*]} exited $status"
    [ ! -s "$WORK/out" ] || fail "${args[*]} printed on stdout"
    [ "$(wc -l <"$WORK/err")" -eq 1 ] || fail "${args[*]}: not one line on stderr: $(cat "$WORK/err")"
  done
done

# The viewer: a model textured and lit, seen at two moments of the turn.
cat >"$WORK/view_check.sh" <<'SH'
TOOL=$1 MODEL=$2 WORK=$3
SDL_AUDIODRIVER=dummy "$TOOL" view "$MODEL" &
pid=$!
# A textured, lit model gives thousands of colours; an empty or untextured
# window a handful. Loading the textures may take a while on a busy machine.
colours=0
for _ in $(seq 40); do
  sleep 0.5
  import -window root "$WORK/view1.png" 2>/dev/null || continue
  colours=$(identify -format '%k' "$WORK/view1.png")
  [ "$colours" -gt 1000 ] && break
done
sleep 1.5
import -window root "$WORK/view2.png"
kill "$pid" 2>/dev/null
wait "$pid" 2>/dev/null
[ "$colours" -gt 1000 ] || { echo "only $colours colours"; exit 1; }
# The camera turns: the two pictures differ.
cmp -s "$WORK/view1.png" "$WORK/view2.png" && { echo "the picture did not change"; exit 1; }
exit 0
SH
for model in ${HAVE_JEEP:+"$JEEP"} "$RESOURCES/scientist.ms3d"; do
  xvfb-run -a -s "-screen 0 1024x768x24 -nolisten tcp" bash "$WORK/view_check.sh" "$TOOL" "$model" "$WORK" \
    || fail "the viewer window on $model"
done

echo "model_tool: all checks passed"
