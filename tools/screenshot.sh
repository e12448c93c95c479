#!/usr/bin/env bash
# Opens the window under a private Xvfb server, on the tests' virtual sound card, and writes its picture to
# docs/window.png for the README; then presses F1 and writes the window with its help beside it to
# docs/help.png. Usage: tools/screenshot.sh [build directory, default build/debug]
# The build directory must hold the executable, its help file and the virtual card (a build with the tests).
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
cp "$root/tools/sample_card.txt" "$work/card"
# Its own folder, so that no Sonaru.ini of the build is read; the help file goes beside it.
cp "$build/sonaru" "$build/sonaru-window.so" "$build/Sonaru.CHM" "$work/"

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

# Xvfb keeps its screen as an XWD file. Without a window manager the windows stand from the top-left corner,
# the pointer elsewhere: the picture is what is not the root's colour (r,g,b) in the given top-left part of
# the screen. Usage: capture file width height r,g,b
capture() {
  python3 - "$work/Xvfb_screen0" "$1" "$2" "$3" "$4" <<'PY'
import struct, sys, zlib
data = open(sys.argv[1], 'rb').read()
header = struct.unpack('>25I', data[:100])
header_size, width, height, bits, line = header[0], header[4], header[5], header[11], header[12]
colours = header[19]
start = header_size + colours * 12
part_width, part_height = int(sys.argv[3]), int(sys.argv[4])
root = tuple(int(c) for c in sys.argv[5].split(','))
def pixel(x, y):
    at = start + y * line + x * bits // 8
    b, g, r = data[at], data[at + 1], data[at + 2]
    return r, g, b
rows = [[pixel(x, y) for x in range(part_width)] for y in range(part_height)]
used = [(x, y) for y in range(part_height) for x in range(part_width) if rows[y][x] != root]
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
}

mkdir -p "$root/docs"
capture "$root/docs/window.png" 800 600 0,0,0

# F1 through the XTEST extension, with the pointer over the window so that the keyboard goes to it; the
# pointer then goes to the far corner, out of the picture, and the root takes a desktop's teal around the
# two windows of different heights.
python3 - ":$number" <<'PY'
import ctypes, sys
x11 = ctypes.CDLL('libX11.so.6')
xtst = ctypes.CDLL('libXtst.so.6')
x11.XOpenDisplay.restype = ctypes.c_void_p
x11.XKeysymToKeycode.argtypes = [ctypes.c_void_p, ctypes.c_ulong]
x11.XFlush.argtypes = [ctypes.c_void_p]
x11.XCloseDisplay.argtypes = [ctypes.c_void_p]
x11.XDefaultRootWindow.argtypes = [ctypes.c_void_p]
x11.XDefaultRootWindow.restype = ctypes.c_ulong
x11.XSetWindowBackground.argtypes = [ctypes.c_void_p, ctypes.c_ulong, ctypes.c_ulong]
x11.XClearWindow.argtypes = [ctypes.c_void_p, ctypes.c_ulong]
xtst.XTestFakeMotionEvent.argtypes = [ctypes.c_void_p, ctypes.c_int, ctypes.c_int, ctypes.c_int, ctypes.c_ulong]
xtst.XTestFakeKeyEvent.argtypes = [ctypes.c_void_p, ctypes.c_uint, ctypes.c_int, ctypes.c_ulong]
display = x11.XOpenDisplay(sys.argv[1].encode())
f1 = x11.XKeysymToKeycode(display, 0xffbe)
xtst.XTestFakeMotionEvent(display, 0, 560, 20, 0)
xtst.XTestFakeKeyEvent(display, f1, 1, 0)
xtst.XTestFakeKeyEvent(display, f1, 0, 0)
xtst.XTestFakeMotionEvent(display, 0, 1599, 1199, 100)
root = x11.XDefaultRootWindow(display)
x11.XSetWindowBackground(display, root, 0x008080)
x11.XClearWindow(display, root)
x11.XFlush(display)
x11.XCloseDisplay(display)
PY
sleep 1
capture "$root/docs/help.png" 1500 1100 0,128,128
