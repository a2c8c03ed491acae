#!/usr/bin/env python3
"""Draws the client's pictures into app/forms/.

    python3 tools/make_pictures.py            # draw every picture, then check it
    python3 tools/make_pictures.py --check    # only check the pictures in the tree

Needs ImageMagick's `convert` and the WenQuanYi Micro Hei font (Debian packages
imagemagick and fonts-wqy-microhei).  The outputs are kept in the tree, so a build
never runs this script.  The BMP and the icons are written here byte by byte, so
their headers and bit depths are exactly what the resource compiler and the
program expect.  Same inputs give the same bytes on every run.
"""
import os
import struct
import subprocess
import sys

ROOT = os.path.dirname(os.path.dirname(os.path.abspath(__file__)))
FORMS = os.path.join(ROOT, "app", "forms")
FONT = "/usr/share/fonts/truetype/wqy/wqy-microhei.ttc"

TITLE = "全国Brenvara考试 考生登录"
SPLASH = "全国Brenvara考试系统 正在启动…"
BLUE_HI, BLUE_LO, BLUE_EDGE = "#4483cc", "#1d5090", "#163f73"
PANEL, PANEL_EDGE, INK = "#fbfcfe", "#a3b6cd", "#1f3044"


def convert(*args):
    run = subprocess.run(["convert", "-respect-parentheses", *args], check=True, stdout=subprocess.PIPE)
    return run.stdout


def text_size(text, size):
    out = convert("-font", FONT, "-pointsize", str(size), "label:" + text, "-format", "%w %h", "info:")
    w, h = out.split()
    return int(w), int(h)


def text(s, size, colour, x, y):
    """Arguments that paint s with its label box's top-left corner at (x, y)."""
    return ["(", "+size", "-stroke", "none", "-background", "none", "-fill", colour,
            "-font", FONT, "-pointsize", str(size), "label:" + s, ")", "-geometry", "%+d%+d" % (x, y), "-composite"]


def jpeg(path, args):
    convert(*args, "-strip", "-type", "TrueColor", "-interlace", "none",
            "-sampling-factor", "1x1", "-quality", "95", "JPEG:" + path)


# ---- emblems, drawn k times larger and boxed down for clean edges ----------

def emblem(n, k=8):
    """Blue rounded square with a white pen writing on a line."""
    s = n * k
    r, m = s * 0.2, k / 2
    top, tip, hw = (0.78, 0.18), (0.25, 0.71), 0.09
    length = ((tip[0] - top[0]) ** 2 + (tip[1] - top[1]) ** 2) ** 0.5
    ux, uy = (tip[0] - top[0]) / length, (tip[1] - top[1]) / length
    vx, vy = -uy, ux
    at = lambda p, a, b: (p[0] + a * ux + b * vx, p[1] + a * uy + b * vy)
    xy = lambda *ps: " ".join("%.1f,%.1f" % (x * s, y * s) for x, y in ps)
    shank = at(tip, -0.2, 0)
    body = xy(at(top, 0, hw), at(shank, 0, hw), tip, at(shank, 0, -hw), at(top, 0, -hw))
    band = xy(at(top, 0.15, hw), at(top, 0.15, -hw))
    thin = "%.1f" % max(k, 0.035 * s)
    return ["(", "-size", "%dx%d" % (s, s), "gradient:%s-%s" % (BLUE_HI, BLUE_LO),
            "(", "-size", "%dx%d" % (s, s), "xc:black", "-fill", "white",
            "-draw", "roundrectangle 0,0 %d,%d %.1f,%.1f" % (s - 1, s - 1, r, r), ")",
            "-alpha", "off", "-compose", "CopyOpacity", "-composite", "-compose", "Over",
            "-fill", "none", "-stroke", BLUE_EDGE, "-strokewidth", str(k),
            "-draw", "roundrectangle %.1f,%.1f %.1f,%.1f %.1f,%.1f" % (m, m, s - m, s - m, r, r),
            "-stroke", "none", "-fill", "white", "-draw", "polygon " + body,
            "-stroke", "white", "-strokewidth", thin,
            "-draw", "stroke-linecap round line " + xy((0.22, 0.83), (0.78, 0.83)),
            "-stroke", BLUE_LO, "-draw", "line " + band,
            "-filter", "Box", "-resize", "%dx%d" % (n, n), ")"]


def globe(n, k=8):
    """Blue ball with white meridians and parallels."""
    s = n * k
    c, r = s / 2, s / 2 - k / 2
    wp = max(1, round(0.05 * n))                    # line width in final pixels
    w = wp * k
    g = (int(c / k - 0.5) + 0.5) * k if wp % 2 else c  # lines on whole pixels stay sharp
    snap = lambda v: round(v / k) * k
    lines = ["ellipse %.1f,%.1f %.1f,%.1f 0,360" % (g, g, snap(0.45 * r), r),
             "line %.1f,%.1f %.1f,%.1f" % (g, g - r, g, g + r),
             "line %.1f,%.1f %.1f,%.1f" % (g - r, g, g + r, g)]
    for dy in (-snap(0.52 * r), snap(0.52 * r)) if n > 16 else ():
        half = (r * r - (g + dy - c) ** 2) ** 0.5
        lines.append("line %.1f,%.1f %.1f,%.1f" % (c - half, g + dy, c + half, g + dy))
    args = ["(", "-size", "%dx%d" % (s, s), "radial-gradient:#7cc0f2-#1a55a0",
            "(", "-size", "%dx%d" % (s, s), "xc:black", "-fill", "white",
            "-draw", "circle %.1f,%.1f %.1f,%.1f" % (c, c, c, c - r - k / 2), ")",
            "-alpha", "off", "-compose", "CopyOpacity", "-composite", "-compose", "Over",
            "-fill", "none", "-stroke", "#ffffffe0", "-strokewidth", "%.1f" % w]
    for d in lines:
        args += ["-draw", d]
    args += ["-stroke", BLUE_EDGE, "-strokewidth", str(k),
             "-draw", "circle %.1f,%.1f %.1f,%.1f" % (c, c, c, c - r),
             "-filter", "Box", "-resize", "%dx%d" % (n, n), ")"]
    return args


# ---- the login window ------------------------------------------------------

def login_background(path):
    w, h = 522, 350
    args = ["-size", "%dx%d" % (w, h), "gradient:#f4f7fb-#e2e9f2",
            "(", "-size", "%dx70" % w, "gradient:%s-%s" % (BLUE_HI, BLUE_LO), ")",
            "-geometry", "+0+0", "-composite",
            "-fill", "#7fa9dc", "-draw", "rectangle 0,70 %d,71" % w,
            "-fill", "#cbd6e3", "-draw", "rectangle 0,72 %d,72" % w,
            # the panel, with a soft shadow under it
            "-fill", "#d3dce8", "-draw", "rectangle 138,112 432,247",
            "-fill", PANEL, "-stroke", PANEL_EDGE, "-draw", "rectangle 136,110 430,245",
            "-stroke", "none"]
    tw, th = text_size(TITLE, 20)
    args += text(TITLE, 20, "white", (521 - tw) // 2, 9)
    for caption, cy in (("准考证号：", 146), ("身份证件号：", 178)):
        cw, ch = text_size(caption, 13)
        args += text(caption, 13, INK, 226 - cw, cy - ch // 2)
    note = "请妥善保管准考证，输入完毕后点击“登录”"
    nw, _ = text_size(note, 12)
    args += text(note, 12, "#6a7b8f", 290 - nw // 2, 272)
    args += emblem(56) + ["-geometry", "+40+150", "-composite"]
    jpeg(path, args)


def button(path, caption, primary):
    w, h = 59, 21
    top, bottom, edge, ink = (("#5b97dc", "#2a62a8", "#1d4c86", "white") if primary
                              else ("#ffffff", "#d8e2ee", "#8799b0", INK))
    cw, ch = text_size(caption, 12)
    jpeg(path, ["-size", "%dx%d" % (w, h), "xc:" + PANEL,
                "(", "-size", "%dx%d" % (w, h), "gradient:%s-%s" % (top, bottom),
                "(", "-size", "%dx%d" % (w, h), "xc:black", "-fill", "white",
                "-draw", "roundrectangle 0,0 %d,%d 3,3" % (w - 1, h - 1), ")",
                "-alpha", "off", "-compose", "CopyOpacity", "-composite", ")",
                "-compose", "Over", "-composite",
                "-fill", "none", "-stroke", edge,
                "-draw", "roundrectangle 0.5,0.5 %.1f,%.1f 3,3" % (w - 1.5, h - 1.5), "-stroke", "none"]
         + text(caption, 12, ink, (w - cw) // 2, (h - ch) // 2))


# ---- splash BMP ------------------------------------------------------------

def splash(path):
    w, h = 335, 48
    tw, th = text_size(SPLASH, 16)
    x = 48 + (w - 48 - tw) // 2
    rgb = convert("-size", "%dx%d" % (h, w), "gradient:%s-%s" % (BLUE_LO, BLUE_HI), "-rotate", "90",
                  "-fill", "#7fa9dc", "-draw", "rectangle 0,%d %d,%d" % (h - 2, w, h - 1),
                  *emblem(32), "-geometry", "+10+7", "-composite",
                  *text(SPLASH, 16, "white", x, (h - 2 - th) // 2),
                  "-alpha", "off", "-depth", "8", "rgb:-")
    assert len(rgb) == w * h * 3
    stride = (w * 3 + 3) & ~3
    rows = []
    for y in range(h - 1, -1, -1):          # bottom-up
        line = bytearray(rgb[y * w * 3:(y + 1) * w * 3])
        line[0::3], line[2::3] = line[2::3], line[0::3]   # RGB -> BGR
        rows.append(bytes(line) + b"\0" * (stride - w * 3))
    body = b"".join(rows)
    head = struct.pack("<2sIHHI", b"BM", 54 + len(body), 0, 0, 54)
    info = struct.pack("<IiiHHIIiiII", 40, w, h, 1, 24, 0, len(body), 2835, 2835, 0, 0)
    with open(path, "wb") as f:
        f.write(head + info + body)


# ---- icons -----------------------------------------------------------------

def rgba(args, n):
    data = convert("-background", "none", *args, "-depth", "8", "rgba:-")
    assert len(data) == n * n * 4
    return [tuple(data[i:i + 4]) for i in range(0, len(data), 4)]


def median_cut(pixels, count):
    """Up to count colours that stand for the given (r, g, b) pixels."""
    tally = {}
    for p in pixels:
        tally[p] = tally.get(p, 0) + 1
    boxes = [sorted(tally.items())]
    while len(boxes) < count:
        spans = []
        for i, box in enumerate(boxes):
            if len(box) > 1:
                span, ch = max((max(c[0][ch] for c in box) - min(c[0][ch] for c in box), ch) for ch in range(3))
                spans.append((span * sum(c[1] for c in box), span, i, ch))
        if not spans:
            break
        _, _, i, ch = max(spans)
        box = sorted(boxes.pop(i), key=lambda c: (c[0][ch], c[0]))
        half, run, cut = sum(c[1] for c in box) / 2, 0, 1
        for j, c in enumerate(box[:-1]):
            run += c[1]
            cut = j + 1
            if run >= half:
                break
        boxes += [box[:cut], box[cut:]]
    palette = []
    for box in boxes:
        total = sum(c[1] for c in box)
        palette.append(tuple((sum(c[0][ch] * c[1] for c in box) + total // 2) // total for ch in range(3)))
    return sorted(palette)


def icon_entry(px, n, bpp):
    """One BMP-style icon image: header, palette, colour bits and AND mask."""
    clear = [a < 128 for *_, a in px]
    mask_stride = ((n + 31) // 32) * 4
    mask = b""
    for y in range(n - 1, -1, -1):
        bits = bytearray(mask_stride)
        for x in range(n):
            if clear[y * n + x]:
                bits[x // 8] |= 0x80 >> (x % 8)
        mask += bytes(bits)
    palette = b""
    if bpp == 32:
        xor = b"".join(bytes((b, g, r, a)) for y in range(n - 1, -1, -1)
                       for r, g, b, a in px[y * n:(y + 1) * n])
    else:
        colours = 1 << bpp
        solid = [p[:3] for p, c in zip(px, clear) if not c]
        pal = [(0, 0, 0)] + median_cut(solid, colours - 1)
        pal += [(0, 0, 0)] * (colours - len(pal))
        palette = b"".join(bytes((b, g, r, 0)) for r, g, b in pal)
        near = {}

        def index(p):
            if p not in near:
                near[p] = min(range(1, len(pal)), key=lambda i: sum((u - v) ** 2 for u, v in zip(p, pal[i])))
            return near[p]
        stride = ((n * bpp + 31) // 32) * 4
        xor = b""
        for y in range(n - 1, -1, -1):
            idx = [0 if clear[y * n + x] else index(px[y * n + x][:3]) for x in range(n)]
            if bpp == 4:
                idx += [0] * (n % 2)
                line = bytes((idx[i] << 4) | idx[i + 1] for i in range(0, len(idx), 2))
            else:
                line = bytes(idx)
            xor += line + b"\0" * (stride - len(line))
    info = struct.pack("<IiiHHIIiiII", 40, n, 2 * n, 1, bpp, 0, len(xor) + len(mask), 0, 0,
                       (1 << bpp) if bpp < 16 else 0, 0)
    return info + palette + xor + mask


def write_icon(path, draw, images):
    pixels = {n: rgba(draw(n), n) for n in sorted({n for n, _ in images})}
    blobs = [icon_entry(pixels[n], n, bpp) for n, bpp in images]
    out, offset = struct.pack("<HHH", 0, 1, len(images)), 6 + 16 * len(images)
    for (n, bpp), blob in zip(images, blobs):
        out += struct.pack("<BBBBHHII", n % 256, n % 256, 16 if bpp == 4 else 0, 0, 1, bpp, len(blob), offset)
        offset += len(blob)
    with open(path, "wb") as f:
        f.write(out + b"".join(blobs))


MAIN_ICON = [(n, 8) for n in (48, 32, 24, 16)] + [(n, 32) for n in (48, 32, 24, 16)]
BROWSER_ICON = [(n, bpp) for bpp in (4, 8, 32) for n in (48, 32, 16)] + [(128, 32)]


# ---- checks ----------------------------------------------------------------

def check_jpeg(path, w, h):
    data = open(path, "rb").read()
    assert data[:2] == b"\xff\xd8", path
    at, frames = 2, []
    while at < len(data):
        assert data[at] == 0xFF, path
        kind = data[at + 1]
        if kind == 0xDA:
            break
        size = struct.unpack(">H", data[at + 2:at + 4])[0]
        if 0xC0 <= kind <= 0xCF and kind not in (0xC4, 0xC8, 0xCC):
            frames.append((kind, data[at + 4], *struct.unpack(">HH", data[at + 5:at + 9]), data[at + 9]))
        at += 2 + size
    assert frames == [(0xC0, 8, h, w, 3)], (path, frames)   # one baseline frame, 8-bit, 3 components


def check_bmp(path, w, h):
    data = open(path, "rb").read()
    sig, size, _, _, off = struct.unpack("<2sIHHI", data[:14])
    hs, bw, bh, planes, bpp, comp, image = struct.unpack("<IiiHHII", data[14:38])
    stride = (w * 3 + 3) & ~3
    assert (sig, size, off) == (b"BM", len(data), 54), path
    assert (hs, bw, bh, planes, bpp, comp) == (40, w, h, 1, 24, 0), path
    assert image == stride * h and len(data) == 54 + stride * h, path


def check_icon(path, images):
    data = open(path, "rb").read()
    assert struct.unpack("<HHH", data[:6]) == (0, 1, len(images)), path
    end = 6 + 16 * len(images)
    for i, (n, bpp) in enumerate(images):
        bw, bh, colours, _, planes, bits, size, off = struct.unpack("<BBBBHHII", data[6 + 16 * i:22 + 16 * i])
        assert (bw, bh, colours, planes, bits) == (n % 256, n % 256, 16 if bpp == 4 else 0, 1, bpp), (path, i)
        assert off == end, (path, i)
        hs, iw, ih, ip, ib, comp = struct.unpack("<IiiHHI", data[off:off + 20])
        assert (hs, iw, ih, ip, ib, comp) == (40, n, 2 * n, 1, bpp, 0), (path, i)
        pal = 4 << bpp if bpp < 16 else 0
        expect = 40 + pal + ((n * bpp + 31) // 32) * 4 * n + ((n + 31) // 32) * 4 * n
        assert size == expect, (path, i, size, expect)
        end = off + size
    assert end == len(data), path


def check():
    f = lambda name: os.path.join(FORMS, name)
    check_jpeg(f("login_background.jpg"), 522, 350)
    check_jpeg(f("button_login.jpg"), 59, 21)
    check_jpeg(f("button_exit.jpg"), 59, 21)
    check_bmp(f("splash.bmp"), 335, 48)
    check_icon(f("MAINICON.ico"), MAIN_ICON)
    check_icon(f("browser.ico"), BROWSER_ICON)
    print("pictures ok")


def main():
    if "--check" not in sys.argv[1:]:
        os.makedirs(FORMS, exist_ok=True)
        login_background(os.path.join(FORMS, "login_background.jpg"))
        button(os.path.join(FORMS, "button_login.jpg"), "登录", True)
        button(os.path.join(FORMS, "button_exit.jpg"), "退出", False)
        splash(os.path.join(FORMS, "splash.bmp"))
        write_icon(os.path.join(FORMS, "MAINICON.ico"), emblem, MAIN_ICON)
        write_icon(os.path.join(FORMS, "browser.ico"), globe, BROWSER_ICON)
    check()


if __name__ == "__main__":
    main()
