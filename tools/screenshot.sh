#!/usr/bin/env bash
# Opens the window under a private Xvfb server, on the tests' virtual sound card, and writes its picture to
# docs/window.png for the README. Usage: tools/screenshot.sh [build directory, default build/debug]
# The build directory must hold the executable and the virtual card (a build with the tests).
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
build="$(cd "${1:-$root/build/debug}" && pwd)"
work="$(mktemp -d)"
server=""
window=""
cleanup() {
  [[ -n "$window" ]] && kill "$window" 2>/dev/null
  [[ -n "$server" ]] && kill "$server" 2>/dev/null
  wait 2>/dev/null
  rm -rf "$work"
}
trap cleanup EXIT

# A card whose six channels show the usual sights: different ranges, levels and one muted box.
cat >"$work/card" <<'CARD'
Master Playback Volume;int;0;65535;45000 45000
Master Playback Switch;bool;0;1;1 1
Mic Playback Volume;int;0;31;8 8
Mic Playback Switch;bool;0;1;0 0
PCM Playback Volume;int;0;255;200 200
PCM Playback Switch;bool;0;1;1 1
Line Playback Volume;int;0;31;16 16
Line Playback Switch;bool;0;1;1 1
CD Playback Volume;int;0;87;30 30
CD Playback Switch;bool;0;1;1 1
Synth Playback Volume;int;0;65535;60000 60000
Synth Playback Switch;bool;0;1;1 1
CARD
cp "$build/sonaru" "$work/"  # its own folder, so that no Sonaru.ini of the build is read

number=99
while [[ -e /tmp/.X11-unix/X$number ]]; do number=$((number + 1)); done
Xvfb ":$number" -screen 0 1600x1200x24 -br -nolisten tcp -fbdir "$work" &
server=$!
for _ in $(seq 50); do [[ -e /tmp/.X11-unix/X$number ]] && break; sleep 0.1; done

started=$(date +%s%N)
env -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM DISPLAY=":$number" XDG_RUNTIME_DIR="$work" \
  ALSA_CONFIG_PATH="$build/tests/vcard/vcard.conf" SONARU_VCARD_FILE="$work/card" "$work/sonaru" &
window=$!
# The time from the start to the window's first picture on the screen, watched in Xvfb's screen file.
python3 - "$work/Xvfb_screen0" "$started" <<'PY'
import struct, sys, time
start = int(sys.argv[2]) / 1e9
while time.time() - start < 20:
    data = open(sys.argv[1], 'rb').read()
    header = struct.unpack('>25I', data[:100])
    at = header[0] + header[19] * 12 + 140 * header[12] + 290 * header[11] // 8
    if data[at:at + 3] != b'\0\0\0':
        print(f'window shown {1000 * (time.time() - start):.0f} ms after the start')
        break
    time.sleep(0.005)
PY
sleep 1  # let it finish painting

# Xvfb keeps its screen as an XWD file. Without a window manager the window stands in the top-left corner,
# the pointer in the middle of the screen: the window is what is not the black root in the top-left quarter.
mkdir -p "$root/docs"
python3 - "$work/Xvfb_screen0" "$root/docs/window.png" <<'PY'
import struct, sys, zlib
data = open(sys.argv[1], 'rb').read()
header = struct.unpack('>25I', data[:100])
header_size, width, height, bits, line = header[0], header[4], header[5], header[11], header[12]
colours = header[19]
start = header_size + colours * 12
def pixel(x, y):
    at = start + y * line + x * bits // 8
    b, g, r = data[at], data[at + 1], data[at + 2]
    return r, g, b
rows = [[pixel(x, y) for x in range(width)] for y in range(height)]
used = [(x, y) for y in range(height // 2) for x in range(width // 2) if rows[y][x] != (0, 0, 0)]
x0, x1 = min(x for x, _ in used), max(x for x, _ in used)
y0, y1 = min(y for _, y in used), max(y for _, y in used)
raw = b''.join(b'\0' + bytes(c for p in rows[y][x0:x1 + 1] for c in p) for y in range(y0, y1 + 1))
def chunk(kind, body):
    return struct.pack('>I', len(body)) + kind + body + struct.pack('>I', zlib.crc32(kind + body))
png = b'\x89PNG\r\n\x1a\n' + chunk(b'IHDR', struct.pack('>IIBBBBB', x1 - x0 + 1, y1 - y0 + 1, 8, 2, 0, 0, 0))
png += chunk(b'IDAT', zlib.compress(raw, 9)) + chunk(b'IEND', b'')
open(sys.argv[2], 'wb').write(png)
print(f'{sys.argv[2]}: {x1 - x0 + 1}x{y1 - y0 + 1}')
PY
