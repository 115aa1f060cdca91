#!/usr/bin/env python3
"""Draws Glimmerfold's artwork into res/: the main window's skin, the page-button
skins, the logo, the group pictures, the buttons' small pictures and the icon.

The bitmaps are committed, so a build never needs this script; run it again after
changing the design:  python3 tools/make-artwork.py
Needs ImageMagick (/usr/bin/convert) and the DejaVu fonts (fonts-dejavu-core).

Design: a deep-teal frame (header, page sidebar) around a light content panel.
Every picture that lies on the skin is cut from the same composite, so it matches
the background pixel for pixel where the window places it.
"""
import os
import shutil
import subprocess
import sys
import tempfile

CONVERT = "/usr/bin/convert"
ROOT = os.path.dirname(os.path.dirname(os.path.abspath(__file__)))
RES = os.path.join(ROOT, "res")

# Palette (also used by the window's code: keep PANEL in step with frmMainDesign).
BG_TOP = "#11596A"
BG_BOTTOM = "#062129"
PANEL = "#F2F6F7"
PANEL_EDGE = "#D3E1E5"
ACCENT = "#3DD6C6"
TEXT_LIGHT = "#E4F3F5"
TEXT_MUTED = "#8DB9C2"
FONT = "DejaVu-Sans"
FONT_BOLD = "DejaVu-Sans-Bold"

# Where the window puts things, in pixels (15 twips per pixel).
SKIN_W, SKIN_H = 600, 500
PANEL_BOX = (160, 62, 596, 493)
PAGE_BUTTON_TOPS = (80, 167, 253)
PAGE_BUTTON_LEFT = 1
PAGE_BUTTON_SIZE = (158, 80)
LOGO_BOX = (10, 6, 230, 58)  # left, top, right, bottom (exclusive)

TILE = {
    "teal": "#1E9FA4", "blue": "#2F7BD0", "orange": "#E5803A", "red": "#D45350",
    "indigo": "#5A5FC6", "green": "#37A55A", "amber": "#D99E22", "slate": "#5A7987",
    "purple": "#8B5BC2", "brown": "#987257", "cyan": "#1C8FC4",
}


def run(*args):
    subprocess.run([CONVERT, *map(str, args)], check=True)


def bmp24(src, dst):
    run(src, "-alpha", "off", "-type", "TrueColor", "BMP3:" + dst)


# ---------------------------------------------------------------- glyphs (64 x 64)
# MVG fragments drawn in white (or the given ink) on a 64 x 64 canvas.

def glyph(name, ink="white", back="none"):
    s = f"stroke '{ink}' fill none stroke-linecap round stroke-linejoin round "
    f = f"stroke none fill '{ink}' "
    g = {
        "globe": s + "stroke-width 5 circle 32,32 32,13 ellipse 32,32 8,19 0,360 "
                 "line 13,32 51,32 line 17,22 47,22 line 17,42 47,42",
        "window": s + "stroke-width 5 roundrectangle 12,14 52,50 4,4 " + f +
                  "rectangle 12,14 52,25",
        "compass": s + "stroke-width 5 circle 32,32 32,13 " + f +
                   "polygon 32,17 37,32 32,47 27,32",
        "ring": s + "stroke-width 8 ellipse 32,32 12,18 0,360",
        "person": f + "circle 32,22 32,31 roundrectangle 17,35 47,53 9,9",
        "chat": f + "roundrectangle 11,14 53,42 9,9 polygon 20,40 19,53 33,40",
        "search": s + "stroke-width 6 circle 28,28 28,16 stroke-width 9 line 37,37 49,49",
        "panes": f + "rectangle 13,13 30,30 rectangle 34,13 51,30 rectangle 13,34 30,51 "
                     "rectangle 34,34 51,51",
        "document": f + "polygon 17,10 38,10 48,20 48,54 17,54 " +
                    f"stroke '{back}' stroke-width 3.5 line 23,29 42,29 line 23,37 42,37 "
                    "line 23,45 36,45",
        "palette": f + "ellipse 32,33 20,17 0,360 " +
                   "fill '#E94B4B' circle 23,28 23,33 fill '#F2C230' circle 33,23 33,28 "
                   "fill '#3C8FE0' circle 42,30 42,35 " + f"fill '{back}' circle 37,42 37,46",
        "clipboard": f + "roundrectangle 15,14 49,55 5,5 " +
                     f"fill '{back}' roundrectangle 24,9 40,20 3,3 " + f +
                     "roundrectangle 27,12 37,17 2,2 " +
                     f"stroke '{back}' stroke-width 3.5 line 22,31 42,31 line 22,40 42,40",
        "play": f + "polygon 23,15 23,49 50,32",
        "archive": f + "rectangle 14,24 50,52 rectangle 11,13 53,23 " +
                   f"fill '{back}' rectangle 29,24 35,52 " + f + "rectangle 30,27 34,31 "
                   "rectangle 30,35 34,39 rectangle 30,43 34,47",
        "pen": f + "polygon 14,10 34,10 42,18 42,54 14,54 " +
               f"stroke '{back}' stroke-width 3.5 line 20,28 35,28 line 20,36 35,36 " +
               f"stroke '{back}' stroke-width 9 line 33,51 52,30 " + s +
               "stroke-width 5 line 34,50 51,31",
        "books": f + "roundrectangle 12,12 52,23 3,3 roundrectangle 12,27 52,38 3,3 "
                     "roundrectangle 12,42 52,53 3,3",
        "film": f + "circle 32,32 32,12 " + f"fill '{back}' polygon 27,22 27,42 43,32",
        "clock": s + "stroke-width 5 circle 32,32 32,13 stroke-width 5 line 32,32 32,20 "
                 "line 32,32 41,37",
        "bolt": f + "polygon 36,8 16,36 30,36 26,56 48,26 34,26 40,8",
        "note": f + "ellipse 22,46 8,7 0,360 ellipse 44,41 8,7 0,360 " + s +
                "stroke-width 5 line 29,46 29,16 line 51,41 51,11 stroke-width 7 line 29,16 51,11",
        "gear": s + "stroke-width 9 stroke-dasharray 6.2,6.3 stroke-linecap butt "
                "circle 32,32 32,13 " + f + "circle 32,32 32,16 " +
                f"fill '{back}' circle 32,32 32,26",
        "key": s + "stroke-width 4.5 roundrectangle 9,17 55,47 6,6 " + f +
               "rectangle 15,24 21,29 rectangle 25,24 31,29 rectangle 35,24 41,29 "
               "rectangle 45,24 50,29 rectangle 15,33 21,38 rectangle 25,33 41,38 "
               "rectangle 45,33 50,38",
        "windows2": s + "stroke-width 4 roundrectangle 8,10 42,38 3,3 " + f +
                    "rectangle 8,10 42,18 " + f"fill '{back}' stroke '{ink}' stroke-width 4 "
                    "roundrectangle 22,26 56,54 3,3 " + f + "rectangle 22,26 56,34",
        "plus": f + "rectangle 28,14 36,50 rectangle 14,28 50,36",
        "minus": f + "rectangle 14,28 50,36",
        "house": f + "polygon 32,9 56,30 50,30 50,54 37,54 37,39 27,39 27,54 14,54 14,30 8,30",
        "checklist": s + "stroke-width 5 polyline 10,17 14,21 21,12 polyline 10,35 14,39 21,30 "
                     "polyline 10,53 14,57 21,48 stroke-width 5 line 29,17 55,17 "
                     "line 29,35 55,35 line 29,53 47,53",
    }
    return g[name]


def draw_glyph_file(path, name, size, ink, back, tile=None):
    """One glyph, optionally on a rounded tile, rendered at 64 and scaled down."""
    args = ["-size", "64x64", "xc:" + ("none" if tile else back)]
    if tile:
        args += ["-fill", tile, "-draw", "roundrectangle 2,2 61,61 15,15"]
    args += ["-draw", glyph(name, ink, tile or back)]
    args += ["-resize", f"{size}x{size}", path]
    run(*args)


def tile_icon(dst, name, colour, size=16, back=PANEL):
    """A white glyph on a coloured rounded tile, flattened onto the panel colour."""
    with tempfile.TemporaryDirectory() as t:
        p = os.path.join(t, "g.png")
        draw_glyph_file(p, name, size, "white", back, tile=colour)
        run(p, "-background", back, "-flatten", "-alpha", "off", "-type", "TrueColor",
            "BMP3:" + dst)


def masked_icon(dst, name, colour, size, mask, face="white", disc=None, bits=24):
    """A coloured glyph for a drawn button: anti-aliased against the button's white face,
    every untouched pixel set exactly to the mask colour (drawn transparent)."""
    with tempfile.TemporaryDirectory() as t:
        g = os.path.join(t, "g.png")
        if disc:
            run("-size", "64x64", "xc:none", "-fill", disc, "-draw", "circle 32,32 32,3",
                "-draw", glyph(name, colour, disc), "-resize", f"{size}x{size}", g)
        else:
            run("-size", "64x64", "xc:none", "-draw", glyph(name, colour, face),
                "-resize", f"{size}x{size}", g)
        flat = os.path.join(t, "flat.png")
        run(g, "-background", face, "-flatten", flat)
        keep = os.path.join(t, "keep.png")
        run(g, "-alpha", "extract", "-threshold", "1%", keep)
        out = os.path.join(t, "out.png")
        run("-size", f"{size}x{size}", "xc:" + mask, flat, keep, "-composite", out)
        if bits == 32:
            # 32 bits per pixel, fully opaque: the button masks by colour, not by alpha.
            run(out, "-alpha", "set", "-channel", "A", "-evaluate", "set", "100%", "+channel",
                "-define", "bmp:format=bmp4", "BMP:" + dst)
        else:
            bmp24(out, dst)


# ---------------------------------------------------------------- emblem and icon

def emblem(path, size):
    """The program's emblem: a teal tile with a folded corner and a sparkle."""
    s = 256
    fold = 70
    sparkle = ("path 'M 112,44 Q 118,118 192,126 Q 118,134 112,210 Q 106,134 32,126 "
               "Q 106,118 112,44 Z'")
    small = ("path 'M 186,150 Q 189,180 216,184 Q 189,188 186,218 Q 183,188 156,184 "
             "Q 183,180 186,150 Z'")
    body = (f"path 'M 40,8 L {s - fold},8 L {s - 8},{fold} L {s - 8},{s - 40} "
            f"Q {s - 8},{s - 8} {s - 40},{s - 8} L 40,{s - 8} Q 8,{s - 8} 8,{s - 40} "
            "L 8,40 Q 8,8 40,8 Z'")
    with tempfile.TemporaryDirectory() as t:
        grad = os.path.join(t, "grad.png")
        run("-size", f"{s}x{s}", "-define", "gradient:angle=145", "gradient:#43E0CF-#16708D",
            "-alpha", "set", grad)
        shape = os.path.join(t, "shape.png")
        run("-size", f"{s}x{s}", "xc:none", "-fill", "white", "-draw", body, shape)
        tile = os.path.join(t, "tile.png")
        run(grad, shape, "-compose", "DstIn", "-composite", tile)
        art = os.path.join(t, "art.png")
        run(tile,
            "-fill", "#C9FBF4", "-draw", f"polygon {s - fold},8 {s - 8},{fold} {s - fold + 6},{fold - 6}",
            "-fill", "rgba(0,40,50,0.25)", "-draw", f"polygon {s - fold},8 {s - fold + 6},{fold - 6} {s - fold},{fold}",
            "-fill", "white", "-draw", sparkle, "-fill", "rgba(255,255,255,0.85)", "-draw", small,
            art)
        run(art, "-resize", f"{size}x{size}", path)


def make_icon(dst):
    with tempfile.TemporaryDirectory() as t:
        files = []
        for size in (256, 48, 32, 24, 16):
            p = os.path.join(t, f"e{size}.png")
            emblem(p, size)
            if size <= 24:
                run(p, "-unsharp", "0x0.6+0.6+0", p)
            files.append(p)
        run(*files, dst)


# ---------------------------------------------------------------- skin

def skin_base(dst):
    """Background, panel and decoration, without the logo and the button faces."""
    w, h = SKIN_W, SKIN_H
    l, t, r, b = PANEL_BOX
    with tempfile.TemporaryDirectory() as tmp:
        bg = os.path.join(tmp, "bg.png")
        run("-size", f"{w}x{h}", f"gradient:{BG_TOP}-{BG_BOTTOM}", bg)
        glow = os.path.join(tmp, "glow.png")
        run("-size", f"{w * 2}x{h * 2}", "radial-gradient:rgba(90,220,210,0.28)-none",
            "-crop", f"{w}x{h}+{w // 2 + 80}+{h // 2 + 60}", "+repage", glow)
        shadow = os.path.join(tmp, "shadow.png")
        run("-size", f"{w}x{h}", "xc:none", "-fill", "rgba(0,0,0,0.6)",
            "-draw", f"roundrectangle {l + 1},{t + 4} {r + 1},{b + 3} 12,12", "-blur", "0x6",
            shadow)
        run(bg, glow, "-compose", "Screen", "-composite",
            # Folds: faint facets in the sidebar, the program's name drawn as light.
            "-compose", "Over",
            "-fill", "rgba(255,255,255,0.045)", "-draw", "polygon 0,500 0,330 158,500",
            "-fill", "rgba(255,255,255,0.03)", "-draw", "polygon 0,330 158,220 158,500",
            "-fill", "rgba(0,0,0,0.10)", "-draw", "polygon 60,500 158,395 158,500",
            "-fill", "rgba(255,255,255,0.05)", "-draw", "line 0,61 150,61",
            shadow, "-composite",
            "-fill", PANEL, "-stroke", PANEL_EDGE, "-strokewidth", "1",
            "-draw", f"roundrectangle {l},{t} {r - 1},{b - 1} 12,12",
            "-stroke", "none",
            "-fill", "rgba(255,255,255,0.9)", "-draw", f"line {l + 12},{t + 1} {r - 14},{t + 1}",
            dst)


def draw_logo(src, dst):
    with tempfile.TemporaryDirectory() as t:
        em = os.path.join(t, "em.png")
        emblem(em, 42)
        run(src, em, "-geometry", "+14+10", "-composite",
            "-font", FONT_BOLD, "-pointsize", "23", "-fill", "white",
            "-annotate", "+66+33", "Glimmerfold",
            "-font", FONT, "-pointsize", "10.5", "-fill", TEXT_MUTED,
            "-annotate", "+67+49", "privacy cleaner",
            dst)


PAGES = [
    ("house", "Home", "Status and clean"),
    ("checklist", "Cleaning", "Pick what to erase"),
    ("gear", "Settings", "Options, hot keys"),
]


def page_button(base, idx, over, dst):
    """One page button's face, cut from the skin where the button lies."""
    icon, title, sub = PAGES[idx]
    x, y = PAGE_BUTTON_LEFT, PAGE_BUTTON_TOPS[idx]
    w, h = PAGE_BUTTON_SIZE
    with tempfile.TemporaryDirectory() as t:
        crop = os.path.join(t, "crop.png")
        run(base, "-crop", f"{w}x{h}+{x}+{y}", "+repage", crop)
        ink = ACCENT if over else TEXT_MUTED
        g = os.path.join(t, "g.png")
        draw_glyph_file(g, icon, 26, ink, "none")
        args = [crop]
        if over:
            args += ["-fill", "rgba(61,214,198,0.16)", "-stroke", "rgba(61,214,198,0.55)",
                     "-strokewidth", "1", "-draw", f"roundrectangle 7,9 {w - 5},{h - 10} 10,10",
                     "-stroke", "none", "-fill", ACCENT,
                     "-draw", f"roundrectangle 7,26 10,{h - 27} 2,2"]
        args += [g, "-geometry", f"+17+{h // 2 - 13}", "-composite",
                 "-font", FONT_BOLD, "-pointsize", "14",
                 "-fill", "white" if over else TEXT_LIGHT,
                 "-annotate", f"+52+{h // 2 - 1}", title,
                 "-font", FONT, "-pointsize", "9",
                 "-fill", "#BFE9EC" if over else TEXT_MUTED,
                 "-annotate", f"+52+{h // 2 + 14}", sub]
        out = os.path.join(t, "out.png")
        run(*args, out)
        bmp24(out, dst)


GROUPS = {
    # Internet tab
    "grp_internet": ("globe", "teal"), "grp_ie": ("window", "blue"),
    "grp_netscape": ("compass", "orange"), "grp_opera": ("ring", "red"),
    "grp_aol": ("person", "indigo"), "grp_chat": ("chat", "green"),
    "grp_toolbar": ("search", "amber"),
    # Windows tab
    "grp_windows": ("panes", "cyan"),
    # Software tab
    "grp_software": ("window", "slate"), "grp_office": ("document", "orange"),
    "grp_paint": ("palette", "purple"), "grp_clipboard": ("clipboard", "brown"),
    "grp_media": ("play", "blue"), "grp_winzip": ("archive", "amber"),
    "grp_wordpad": ("pen", "cyan"), "grp_winrar": ("books", "purple"),
    "grp_realplayer": ("film", "cyan"), "grp_quicktime": ("clock", "slate"),
    "grp_acrobat": ("bolt", "red"), "grp_winamp": ("note", "orange"),
    # Settings page
    "grp_captions": ("windows2", "blue"), "grp_program": ("gear", "teal"),
    "grp_autopilot": ("clock", "green"), "grp_hotkeys": ("key", "indigo"),
}

BUTTON_PICTURES = {
    # name: glyph, ink, size, mask colour, disc colour, bits
    "btn_internet": ("globe", TILE["teal"], 16, "#C0C0C0", None, 24),
    "btn_software": ("window", TILE["slate"], 16, "#C0C0C0", None, 24),
    "btn_windows": ("panes", TILE["cyan"], 16, "#C0C0C0", None, 24),
    "btn_add": ("plus", "white", 16, "#C0C0C0", TILE["green"], 24),
    "btn_remove": ("minus", "white", 16, "#C0C0C0", TILE["red"], 32),
}


def clean_picture(dst):
    """The Clean button's 48 x 48 picture: a sparkle burst on a green disc, white masked."""
    with tempfile.TemporaryDirectory() as t:
        g = os.path.join(t, "g.png")
        run("-size", "192x192", "xc:none",
            "-fill", "#2BB673", "-draw", "circle 96,96 96,8",
            "-fill", "rgba(255,255,255,0.18)", "-draw", "circle 96,96 96,22",
            "-fill", "white",
            "-draw", "path 'M 88,34 Q 93,88 150,94 Q 93,100 88,158 Q 83,100 28,94 Q 83,88 88,34 Z'",
            "-draw", "path 'M 140,36 Q 142,56 162,58 Q 142,60 140,80 Q 138,60 118,58 Q 138,56 140,36 Z'",
            "-draw", "path 'M 138,118 Q 140,132 154,134 Q 140,136 138,150 Q 136,136 122,134 Q 136,132 138,118 Z'",
            "-resize", "48x48", g)
        flat = os.path.join(t, "flat.png")
        run(g, "-background", "white", "-flatten", flat)
        keep = os.path.join(t, "keep.png")
        run(g, "-alpha", "extract", "-threshold", "1%", keep)
        out = os.path.join(t, "out.png")
        # The mask colour is white itself, so the anti-aliased edge simply fades to it.
        run("-size", "48x48", "xc:white", flat, keep, "-composite", out)
        bmp24(out, dst)


def main():
    if not os.path.exists(CONVERT):
        sys.exit("make-artwork: ImageMagick's convert is missing")
    os.makedirs(RES, exist_ok=True)
    with tempfile.TemporaryDirectory() as t:
        base = os.path.join(t, "base.png")
        skin_base(base)
        logo_full = os.path.join(t, "logo_full.png")
        draw_logo(base, logo_full)
        l, top, r, b = LOGO_BOX
        run(logo_full, "-crop", f"{r - l}x{b - top}+{l}+{top}", "+repage", os.path.join(t, "logo.png"))
        bmp24(os.path.join(t, "logo.png"), os.path.join(RES, "logo.bmp"))
        # The skin carries the logo too, so the window looks right before the image paints.
        bmp24(logo_full, os.path.join(RES, "skin.bmp"))
        for i in range(3):
            page_button(logo_full, i, False, os.path.join(RES, f"page{i}_up.bmp"))
            page_button(logo_full, i, True, os.path.join(RES, f"page{i}_over.bmp"))
    for name, (g, colour) in GROUPS.items():
        tile_icon(os.path.join(RES, name + ".bmp"), g, TILE[colour])
    for name, (g, ink, size, mask, disc, bits) in BUTTON_PICTURES.items():
        masked_icon(os.path.join(RES, name + ".bmp"), g, ink, size, mask, disc=disc, bits=bits)
    clean_picture(os.path.join(RES, "btn_clean.bmp"))
    make_icon(os.path.join(RES, "glimmerfold.ico"))
    print("artwork written to", RES)


if __name__ == "__main__":
    main()
