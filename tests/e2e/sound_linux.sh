#!/usr/bin/env bash
# End to end on Linux: the program's sounds as they reach the audio device.
# Runs the program under its own Xvfb with SDL's disk audio driver, starts
# the show from the settings dialog with sound on, as it comes, quits with
# Escape once the alarm has looped, and checks the recording: the launch
# sound first, the welcome sound whole and unchanged, and the alarm looping
# without a gap until the program ends.
#
# Usage: tests/e2e/sound_linux.sh <build-dir>
set -uo pipefail

ROOT=$(cd "$(dirname "$0")/../.." && pwd)
export SDL_AUDIODRIVER=disk
source "$(dirname "$0")/lib/target.sh"
use_build "${1:-}"
need Xvfb xdotool python3
start_display
export SDL_DISKAUDIOFILE=$WORK/recording.raw
start_program

# Start, with the dialog's first choices (sound on), once the launch sound
# (a fifth of a second) has played.
dialog=$(wait_for find_dialog 60) || abort "no settings dialog"
sleep 2
press "$dialog" Return
window=$(wait_for find_gl 30) || abort "no window $TITLE"

# The welcome sound (6.67 s) and the loading, then three rounds of the alarm.
sleep 13
xdotool windowactivate --sync "$window" 2>/dev/null
xdotool key --window "$window" Escape
finished 10
[ "$EXIT_CODE" = 0 ] || abort "program did not end with 0 after Escape: $EXIT_CODE"

python3 - "$WORK/recording.raw" "$ROOT/resources" <<'PY'
import struct, sys

raw = open(sys.argv[1], 'rb').read()
frames = [struct.unpack_from('<hh', raw, i) for i in range(0, len(raw) - 3, 4)]
assert all(l == r for l, r in frames), 'channels differ'
played = [l for l, _ in frames]

def samples(name):
    data = open(f'{sys.argv[2]}/{name}.wav', 'rb').read()
    size = struct.unpack_from('<I', data, 40)[0]
    return [(b - 128) * 256 for b in data[44:44 + size]]

def find(sound, start):
    """Where the sound begins in the recording, lined up on its first loud sample."""
    loud = next(i for i, s in enumerate(sound) if s != 0)
    key = sound[loud:loud + 32]
    for at in range(start + loud, len(played) - len(key)):
        if played[at:at + len(key)] == key:
            return at - loud
    return -1

failures = []
launch, welcome = samples('launch'), samples('welcome')
at_launch = find(launch, 0)
if at_launch < 0 or played[at_launch:at_launch + len(launch)] != launch:
    failures.append('launch sound not played whole')
at_welcome = find(welcome, max(at_launch, 0))
if at_welcome < 0 or played[at_welcome:at_welcome + len(welcome)] != welcome:
    failures.append('welcome sound not played whole and unchanged')

# The alarm: the first loud sample after the welcome sound and the loading,
# then one 1.5 s round (33075 frames at 22050 Hz) after another to the end.
after = at_welcome + len(welcome) if at_welcome >= 0 else 0
start = next((i for i in range(after, len(played)) if played[i] != 0), len(played))
end = len(played)
while end > start and played[end - 1] == 0:
    end -= 1
round_ = 33075
rounds = (end - start) / round_
if rounds < 2:
    failures.append(f'alarm played {rounds:.2f} rounds, expected more than 2')
elif any(played[i] != played[i + round_] for i in range(start, end - round_)):
    failures.append('alarm rounds differ: a gap or a jump at the loop point')

if failures:
    print('sound_linux: FAIL (' + '; '.join(failures) + ')')
    sys.exit(1)
print(f'sound_linux: PASS (launch, welcome whole, alarm {rounds:.1f} rounds without a gap, exit code 0)')
PY
