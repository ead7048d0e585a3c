#!/usr/bin/env python3
"""Reads X window contents (xwd dumps) for the end-to-end test.

  screen.py png  WINDOW OUT.png            picture of the window
  screen.py crop WINDOW X Y W H            hex digest of that rectangle's pixels

Only the standard library: xwd gives raw pixels, zlib makes the PNG."""
import hashlib
import struct
import subprocess
import sys
import zlib


def grab(window):
    """(width, height, rows of RGB bytes) of the window's pixels."""
    data = subprocess.run(["xwd", "-silent", "-id", window], check=True,
                          stdout=subprocess.PIPE).stdout
    header = struct.unpack(">25I", data[:100])
    header_size, version, _fmt, depth, width, height = header[:6]
    byte_order, bits_per_pixel, bytes_per_line = header[7], header[11], header[12]
    ncolors = header[19]
    if version != 7 or depth != 24 or bits_per_pixel not in (24, 32):
        sys.exit(f"screen.py: unexpected xwd dump (version {version}, depth {depth}, {bits_per_pixel} bpp)")
    size = bits_per_pixel // 8
    # Pixels in the byte order the dump names: blue first for LSBFirst.
    order = (2, 1, 0) if byte_order == 0 else (size - 3, size - 2, size - 1)
    start = header_size + 12 * ncolors
    rows = []
    for y in range(height):
        line = data[start + y * bytes_per_line:start + y * bytes_per_line + size * width]
        rgb = bytearray(3 * width)
        for i, o in enumerate(order):
            rgb[i::3] = line[o::size]
        rows.append(bytes(rgb))
    return width, height, rows


def png(window, out):
    width, height, rows = grab(window)
    raw = b"".join(b"\0" + r for r in rows)

    def chunk(kind, body):
        return struct.pack(">I", len(body)) + kind + body + struct.pack(">I", zlib.crc32(kind + body))

    with open(out, "wb") as f:
        f.write(b"\x89PNG\r\n\x1a\n")
        f.write(chunk(b"IHDR", struct.pack(">IIBBBBB", width, height, 8, 2, 0, 0, 0)))
        f.write(chunk(b"IDAT", zlib.compress(raw)))
        f.write(chunk(b"IEND", b""))


def crop(window, x, y, w, h):
    _, _, rows = grab(window)
    digest = hashlib.sha1()
    for row in rows[y:y + h]:
        digest.update(row[3 * x:3 * (x + w)])
    return digest.hexdigest()


if __name__ == "__main__":
    if sys.argv[1] == "png":
        png(sys.argv[2], sys.argv[3])
    elif sys.argv[1] == "crop":
        print(crop(sys.argv[2], *map(int, sys.argv[3:7])))
    else:
        sys.exit("usage: screen.py png WINDOW OUT.png | crop WINDOW X Y W H")
