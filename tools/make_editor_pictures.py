#!/usr/bin/env python3
"""Draws the edit controls' pictures into editors/res/.

    python3 tools/make_editor_pictures.py            # draw every picture, then check it
    python3 tools/make_editor_pictures.py --check    # only check the pictures in the tree

Six 16x16 tool pictures (DXTOOL_*), eight 18x16 in-place pictures (DXINPLACE_*, each
"_NULL" one the greyed form of its plain one), all 4 bits per pixel in the standard
16-colour palette on an olive background (the transparent colour of both lists), and the
32x32 monochrome hand cursor DX_HANDPOINT with its hot spot at the fingertip (6, 0).
Everything is drawn here from shapes and written byte by byte with plain Python, so the
same run gives the same bytes. The outputs are kept in the tree; a build never runs this.
"""
import os
import struct
import sys

ROOT = os.path.dirname(os.path.dirname(os.path.abspath(__file__)))
RES = os.path.join(ROOT, "editors", "res")

# The standard 16 colours, (r, g, b), in palette order.
PALETTE = [(0, 0, 0), (128, 0, 0), (0, 128, 0), (128, 128, 0), (0, 0, 128), (128, 0, 128), (0, 128, 128),
           (192, 192, 192), (128, 128, 128), (255, 0, 0), (0, 255, 0), (255, 255, 0), (0, 0, 255),
           (255, 0, 255), (0, 255, 255), (255, 255, 255)]
BLACK, MAROON, GREEN, OLIVE, NAVY, PURPLE, TEAL, SILVER, GRAY, RED, LIME, YELLOW, BLUE, FUCHSIA, AQUA, WHITE = \
    range(16)
BACKGROUND = OLIVE

TOOL_SIZE = (16, 16)
INPLACE_SIZE = (18, 16)
HOT_SPOT = (6, 0)


class Canvas:
    def __init__(self, size):
        self.w, self.h = size
        self.px = [[BACKGROUND] * self.w for _ in range(self.h)]

    def dot(self, x, y, c):
        if 0 <= x < self.w and 0 <= y < self.h:
            self.px[y][x] = c

    def fill(self, x0, y0, x1, y1, c):
        for y in range(y0, y1 + 1):
            for x in range(x0, x1 + 1):
                self.dot(x, y, c)

    def frame(self, x0, y0, x1, y1, c):
        for x in range(x0, x1 + 1):
            self.dot(x, y0, c)
            self.dot(x, y1, c)
        for y in range(y0, y1 + 1):
            self.dot(x0, y, c)
            self.dot(x1, y, c)

    def box(self, x0, y0, x1, y1, edge, inside):
        self.fill(x0, y0, x1, y1, inside)
        self.frame(x0, y0, x1, y1, edge)

    def line(self, x0, y0, x1, y1, c):
        dx, dy = abs(x1 - x0), -abs(y1 - y0)
        sx, sy = (1 if x0 < x1 else -1), (1 if y0 < y1 else -1)
        err = dx + dy
        while True:
            self.dot(x0, y0, c)
            if (x0, y0) == (x1, y1):
                return
            e2 = 2 * err
            if e2 >= dy:
                err += dy
                x0 += sx
            if e2 <= dx:
                err += dx
                y0 += sy

    def ring(self, cx, cy, r, c):
        for y in range(self.h):
            for x in range(self.w):
                d = ((x - cx) ** 2 + (y - cy) ** 2) ** 0.5
                if r - 0.5 <= d < r + 0.5:
                    self.dot(x, y, c)


# ---- tool pictures, 16x16 ---------------------------------------------------

def tool_cut(c):
    c.line(4, 1, 9, 9, NAVY)
    c.line(11, 1, 6, 9, NAVY)
    c.dot(7, 6, BLACK)
    c.ring(5, 12, 2.5, BLACK)
    c.ring(10, 12, 2.5, BLACK)


def page(c, x0, y0, x1, y1):
    c.box(x0, y0, x1, y1, BLACK, WHITE)
    for y in range(y0 + 2, y1 - 1, 2):
        c.line(x0 + 2, y, x1 - 2, y, NAVY)


def tool_copy(c):
    page(c, 1, 1, 9, 11)
    page(c, 6, 4, 14, 14)


def tool_paste(c):
    c.box(1, 2, 11, 14, BLACK, MAROON)
    c.box(4, 1, 8, 3, BLACK, SILVER)
    page(c, 6, 6, 14, 15)


def tool_delete(c):
    for d in (0, 1):
        c.line(3 + d, 3, 12 + d, 12, RED)
        c.line(12 + d, 3, 3 + d, 12, RED)


def tool_load(c):
    c.box(1, 5, 12, 13, BLACK, YELLOW)
    c.fill(1, 4, 5, 4, BLACK)
    c.line(3, 8, 14, 8, BLACK)
    c.line(3, 8, 1, 13, BLACK)
    c.line(14, 8, 12, 13, BLACK)
    c.line(9, 2, 13, 2, BLACK)
    c.line(13, 2, 13, 5, BLACK)
    c.dot(12, 5, BLACK)
    c.dot(14, 4, BLACK)


def tool_save(c):
    c.box(1, 1, 14, 14, BLACK, NAVY)
    c.box(4, 1, 11, 6, BLACK, WHITE)
    c.box(4, 9, 11, 14, BLACK, SILVER)
    c.fill(9, 10, 10, 13, NAVY)


TOOLS = [("DXTOOL_CUT", tool_cut), ("DXTOOL_COPY", tool_copy), ("DXTOOL_PASTE", tool_paste),
         ("DXTOOL_DELETE", tool_delete), ("DXTOOL_LOAD", tool_load), ("DXTOOL_SAVE", tool_save)]


# ---- in-place pictures, 18x16 ------------------------------------------------

def inplace_blob(c):
    c.box(2, 1, 15, 14, BLACK, WHITE)
    for row, bits in enumerate(("0110", "1001", "0101", "1100")):
        for col, bit in enumerate(bits):
            x, y = 4 + col * 3, 3 + row * 3
            if bit == "1":
                c.line(x + 1, y, x + 1, y + 1, BLUE)
            else:
                c.frame(x, y, x + 1, y + 1, TEAL)


def inplace_memo(c):
    c.box(3, 1, 14, 14, BLACK, WHITE)
    for y in range(3, 13, 2):
        c.line(5, y, 12 if y != 11 else 9, y, BLACK)


def inplace_pict(c):
    c.box(1, 2, 16, 13, BLACK, AQUA)
    c.fill(2, 10, 15, 12, GREEN)
    c.line(3, 10, 7, 5, GREEN)
    c.line(7, 5, 10, 10, GREEN)
    c.fill(12, 4, 13, 5, YELLOW)


def inplace_ole(c):
    c.box(1, 1, 9, 9, BLACK, BLUE)
    c.box(5, 5, 13, 13, BLACK, RED)
    c.box(9, 3, 16, 10, BLACK, LIME)


INPLACE = [("BLOB", inplace_blob), ("MEMO", inplace_memo), ("PICT", inplace_pict), ("OLE", inplace_ole)]
def greyed(canvas):
    """The "no value" form: black outlines turn grey, dark fills silver, light ones white."""
    for row in canvas.px:
        for x, c in enumerate(row):
            if c == BLACK:
                row[x] = GRAY
            elif c != BACKGROUND:
                r, g, b = PALETTE[c]
                row[x] = SILVER if 0.299 * r + 0.587 * g + 0.114 * b < 150 else WHITE
    return canvas


def bmp4(canvas):
    """A 4-bit BMP file (bottom-up, 16-entry palette) of the canvas."""
    w, h = canvas.w, canvas.h
    stride = ((w * 4 + 31) // 32) * 4
    rows = []
    for y in range(h - 1, -1, -1):
        idx = canvas.px[y] + [0] * (w % 2)
        line = bytes((idx[i] << 4) | idx[i + 1] for i in range(0, len(idx), 2))
        rows.append(line + b"\0" * (stride - len(line)))
    body = b"".join(rows)
    palette = b"".join(bytes((b, g, r, 0)) for r, g, b in PALETTE)
    off = 14 + 40 + len(palette)
    head = struct.pack("<2sIHHI", b"BM", off + len(body), 0, 0, off)
    info = struct.pack("<IiiHHIIiiII", 40, w, h, 1, 4, 0, len(body), 2835, 2835, 16, 0)
    return head + info + palette + body


def pictures():
    out = []
    for name, draw in TOOLS:
        c = Canvas(TOOL_SIZE)
        draw(c)
        out.append((name, c))
    for kind, draw in INPLACE:
        plain, grey = Canvas(INPLACE_SIZE), Canvas(INPLACE_SIZE)
        draw(plain)
        draw(grey)
        out.append(("DXINPLACE_%s_NULL" % kind, greyed(grey)))
        out.append(("DXINPLACE_%s" % kind, plain))
    return out


# ---- the hand cursor, 32x32 monochrome -------------------------------------------
# X black, o white, anything else transparent; the fingertip's top-left pixel is (6, 0).
HAND = [
    "      XX",
    "     XooX",
    "     XooX",
    "     XooX",
    "     XooX",
    "     XooXXX",
    "     XooXooXXX",
    "     XooXooXooXX",
    " XX  XooXooXooXoX",
    " XoX XooooooooXooX",
    " XooXXoooooooooooX",
    "  XooXoooooooooooX",
    "   XoXoooooooooooX",
    "   XooooooooooooX",
    "    XoooooooooooX",
    "    XooooooooooX",
    "     XoooooooooX",
    "     XoooooooooX",
    "     XXXXXXXXXXX",
]


def cursor():
    n = 32
    rows = [r.ljust(n) for r in HAND] + [" " * n] * (n - len(HAND))
    xor, mask = b"", b""
    for y in range(n - 1, -1, -1):
        xbits, mbits = bytearray(4), bytearray(4)
        for x, ch in enumerate(rows[y]):
            if ch == "o":
                xbits[x // 8] |= 0x80 >> (x % 8)
            elif ch != "X":
                mbits[x // 8] |= 0x80 >> (x % 8)
        xor += bytes(xbits)
        mask += bytes(mbits)
    palette = bytes((0, 0, 0, 0, 255, 255, 255, 0))
    info = struct.pack("<IiiHHIIiiII", 40, n, 2 * n, 1, 1, 0, len(xor) + len(mask), 0, 0, 2, 0)
    image = info + palette + xor + mask
    head = struct.pack("<HHH", 0, 2, 1)
    entry = struct.pack("<BBBBHHII", n, n, 2, 0, HOT_SPOT[0], HOT_SPOT[1], len(image), 6 + 16)
    return head + entry + image


# ---- checks -----------------------------------------------------------------

def check_bmp(path, w, h):
    data = open(path, "rb").read()
    sig, size, _, _, off = struct.unpack("<2sIHHI", data[:14])
    hs, bw, bh, planes, bpp, comp, image = struct.unpack("<IiiHHII", data[14:38])
    stride = ((w * 4 + 31) // 32) * 4
    assert (sig, size, off) == (b"BM", len(data), 14 + 40 + 64), path
    assert (hs, bw, bh, planes, bpp, comp) == (40, w, h, 1, 4, 0), path
    assert image == stride * h and len(data) == off + image, path
    # the bottom-left pixel (the first one stored) is the background: the automatic mask
    assert data[off] >> 4 == BACKGROUND, path


def check_cursor(path):
    data = open(path, "rb").read()
    assert struct.unpack("<HHH", data[:6]) == (0, 2, 1), path
    w, h, _, _, hx, hy, size, off = struct.unpack("<BBBBHHII", data[6:22])
    assert (w, h, hx, hy, off) == (32, 32) + HOT_SPOT + (22,), path
    hs, iw, ih, planes, bpp = struct.unpack("<IiiHH", data[22:38])
    assert (hs, iw, ih, planes, bpp) == (40, 32, 64, 1, 1), path
    assert size == 40 + 8 + 128 + 128 and off + size == len(data), path
    # the hot spot is on the black outline of the fingertip: opaque, black
    row = 31 - HOT_SPOT[1]
    bit = 0x80 >> (HOT_SPOT[0] % 8)
    xor = data[off + 48 + row * 4 + HOT_SPOT[0] // 8]
    mask = data[off + 48 + 128 + row * 4 + HOT_SPOT[0] // 8]
    assert not (xor & bit) and not (mask & bit), path


def check():
    for name, _ in TOOLS:
        check_bmp(os.path.join(RES, name + ".bmp"), *TOOL_SIZE)
    for kind, _ in INPLACE:
        for suffix in ("_NULL", ""):
            check_bmp(os.path.join(RES, "DXINPLACE_%s%s.bmp" % (kind, suffix)), *INPLACE_SIZE)
    check_cursor(os.path.join(RES, "DX_HANDPOINT.cur"))
    print("editor pictures ok")


def main():
    if "--check" not in sys.argv[1:]:
        os.makedirs(RES, exist_ok=True)
        for name, canvas in pictures():
            with open(os.path.join(RES, name + ".bmp"), "wb") as f:
                f.write(bmp4(canvas))
        with open(os.path.join(RES, "DX_HANDPOINT.cur"), "wb") as f:
            f.write(cursor())
    check()


if __name__ == "__main__":
    main()
