#!/usr/bin/env bash
# The hack's processor use and frame rate: corvane-saver in its own
# 1024 x 768 window under Xvfb (Mesa's llvmpipe), at the default delay and
# unthrottled (--delay 0), each for SECONDS after a 3-second start. Prints
# the share of one core used (user + system time over wall time) and the
# frames shown per second over the same span.
#
# Frames are counted from outside the program: a small library built here
# and preloaded into the hack counts its calls to SDL_GL_SwapWindow (one a
# frame shown) in a shared 8-byte file, read before and after the span. The
# hack itself is the one that ships, unchanged.
#   bench/saver_cpu.sh BUILD_DIR [SECONDS]
set -u
BUILD=$(cd "${1:?build directory}" && pwd)
SECONDS_EACH=${2:-10}
HACK="$BUILD/bin/corvane-saver"
WORK=$(mktemp -d)
Xvfb -displayfd 3 -screen 0 1024x768x24 -nolisten tcp 3>"$WORK/display" 2>/dev/null &
XVFB_PID=$!
trap 'kill $XVFB_PID 2>/dev/null; rm -rf "$WORK"' EXIT
for _ in $(seq 100); do [ -s "$WORK/display" ] && break; sleep 0.1; done
export DISPLAY=:$(cat "$WORK/display") SDL_AUDIODRIVER=dummy DBUS_SESSION_BUS_ADDRESS=unix:path=/nonexistent
ticks_per_second=$(getconf CLK_TCK)

cat >"$WORK/frames.c" <<'C'
#define _GNU_SOURCE
#include <dlfcn.h>
#include <fcntl.h>
#include <stdint.h>
#include <stdlib.h>
#include <sys/mman.h>
#include <unistd.h>

void SDL_GL_SwapWindow(void* window) {
    static void (*real)(void*);
    static uint64_t* frames;
    if (real == NULL) {
        real = (void (*)(void*))dlsym(RTLD_NEXT, "SDL_GL_SwapWindow");
        int fd = open(getenv("FRAME_COUNT_FILE"), O_RDWR);
        void* shared = mmap(NULL, sizeof *frames, PROT_READ | PROT_WRITE, MAP_SHARED, fd, 0);
        frames = shared == MAP_FAILED ? NULL : shared;
        close(fd);
    }
    if (frames != NULL) __atomic_add_fetch(frames, 1, __ATOMIC_RELAXED);
    real(window);
}
C
cc -shared -fPIC -O2 -o "$WORK/frames.so" "$WORK/frames.c" -ldl || exit 1

# cpu_ticks PID: user + system clock ticks used so far.
cpu_ticks() { awk '{print $14 + $15}' "/proc/$1/stat"; }
frames() { od -An -t u8 -N 8 "$WORK/frames" | tr -d ' '; }

measure() {  # measure LABEL ARGUMENTS...
  local label=$1
  shift
  head -c 8 /dev/zero >"$WORK/frames"
  FRAME_COUNT_FILE="$WORK/frames" LD_PRELOAD="$WORK/frames.so" "$HACK" "$@" >/dev/null 2>&1 &
  local pid=$! start end first last
  sleep 3
  start=$(cpu_ticks "$pid")
  first=$(frames)
  sleep "$SECONDS_EACH"
  end=$(cpu_ticks "$pid")
  last=$(frames)
  kill -TERM "$pid"
  wait "$pid"
  awk -v l="$label" -v t=$((end - start)) -v hz="$ticks_per_second" -v s="$SECONDS_EACH" -v f=$((last - first)) \
    'BEGIN { printf "%-28s %5.1f %% of one core at %5.1f frames/s\n", l, 100 * t / hz / s, f / s }'
}

echo "$(date -u '+%Y-%m-%d %H:%M UTC'), 1024 x 768, $(nproc) processors, load average $(cut -d' ' -f1-3 /proc/loadavg)"
measure "default delay (20000 us)"
measure "unthrottled (--delay 0)" --delay 0
