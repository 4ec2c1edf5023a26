#!/usr/bin/python3
"""Renders the program's pictures, icon and click sound into a folder.

    render_resources.py OUTPUT_DIR

Writes 16-colour BMPs of every button, of the Information notice's picture and of the About and
Tip of the Day animations, the program
icon (16, 32 and 48 pixels, 16 colours), the click sound (an 8-bit mono WAV image of exactly
292 bytes) and bitmaps.rc, the resource lines that bind each picture to its id by the names of
resources/resource_ids.h. Text is drawn from DejaVu (or Liberation) without anti-aliasing so
that every pixel is one of the 16 standard Windows colours.
"""
import math
import os
import struct
import sys

import picture_fonts

Image, ImageDraw, ImageFont = picture_fonts.import_pillow("render_resources")
# Condensed letters fit W, M and Ω into a 20-pixel button; Liberation's bold hints best at the
# 11 pixels that "Επικόλληση" needs to fit beside its icon.
FONT_FILES = {
    "bold": ("DejaVuSansCondensed-Bold.ttf", "LiberationSansNarrow-Bold.ttf"),
    "caption": ("LiberationSans-Bold.ttf", "DejaVuSansCondensed-Bold.ttf"),
    "heavy": ("DejaVuSans-Bold.ttf", "LiberationSans-Bold.ttf"),
}

# The standard 16-colour Windows palette, in index order.
PALETTE = [
    (0, 0, 0), (128, 0, 0), (0, 128, 0), (128, 128, 0),
    (0, 0, 128), (128, 0, 128), (0, 128, 128), (192, 192, 192),
    (128, 128, 128), (255, 0, 0), (0, 255, 0), (255, 255, 0),
    (0, 0, 255), (255, 0, 255), (0, 255, 255), (255, 255, 255),
]
BLACK, MAROON, GREEN, OLIVE, NAVY, PURPLE, TEAL, SILVER = PALETTE[0:8]
GREY, RED, LIME, YELLOW, BLUE, FUCHSIA, AQUA, WHITE = PALETTE[8:16]
FACE = SILVER

LATIN_CAPITALS = "ABCDEFGHIJKLMNOPQRSTUVWXYZ"
# Greek capitals that have no Latin look-alike, in the order of their bitmap bases 126-135.
GREEK_CAPITALS = [
    ("\u0393", "GAMMA"), ("\u0394", "DELTA"), ("\u0398", "THETA"), ("\u039b", "LAMDA"),
    ("\u039e", "XI"), ("\u03a0", "PI"), ("\u03a3", "SIGMA"), ("\u03a6", "PHI"),
    ("\u03a8", "PSI"), ("\u03a9", "OMEGA"),
]

LETTER_SIZE = (20, 30)
ICON_BUTTON_SIZE = (22, 21)
CAPTION_BUTTON_SIZE = (90, 25)
LOOKS = ("NORMAL", "PRESSED", "FOCUSED", "DISABLED")


def load_font(kind, size):
    return picture_fonts.load_font("render_resources", FONT_FILES[kind], size)


def new_picture(size, colour=FACE):
    picture = Image.new("RGB", size, colour)
    draw = ImageDraw.Draw(picture)
    draw.fontmode = "1"  # no anti-aliasing: only palette colours
    return picture, draw


def draw_text(draw, box, text, font, colour):
    """Draws text with its ink centred in box (left, top, right, bottom, exclusive)."""
    left, top, right, bottom = draw.textbbox((0, 0), text, font=font)
    x = box[0] + (box[2] - box[0] - (right - left)) // 2 - left
    y = box[1] + (box[3] - box[1] - (bottom - top)) // 2 - top
    draw.text((x, y), text, font=font, fill=colour)


def fitting_font(kind, texts, width, height, largest):
    """The largest size up to largest at which every text's ink fits width x height."""
    probe = ImageDraw.Draw(Image.new("RGB", (1, 1)))
    for size in range(largest, 5, -1):
        font = load_font(kind, size)
        boxes = [probe.textbbox((0, 0), t, font=font) for t in texts]
        if all(r - l <= width and b - t <= height for l, t, r, b in boxes):
            return font
    sys.exit("render_resources: no font size fits %r" % (texts,))


def bevel(draw, size, sunken):
    """The classic button edge: black outline, white and grey bevel."""
    w, h = size
    draw.rectangle((0, 0, w - 1, h - 1), outline=BLACK)
    light, dark = (GREY, WHITE) if sunken else (WHITE, GREY)
    draw.line((1, 1, w - 3, 1), fill=light)
    draw.line((1, 1, 1, h - 3), fill=light)
    draw.line((1, h - 2, w - 2, h - 2), fill=dark)
    draw.line((w - 2, 1, w - 2, h - 2), fill=dark)


# ---- Icons drawn inside buttons: each paints into a 16 x 16 box at (x, y) ----

def icon_magnifier(draw, x, y):
    draw.ellipse((x + 1, y + 1, x + 10, y + 10), fill=AQUA, outline=NAVY, width=2)
    draw.point((x + 4, y + 4), fill=WHITE)
    draw.point((x + 5, y + 4), fill=WHITE)
    draw.point((x + 4, y + 5), fill=WHITE)
    for step in range(5):
        draw.rectangle((x + 10 + step, y + 10 + step, x + 11 + step, y + 11 + step), fill=MAROON)


def sheet(draw, left, top, right, bottom):
    draw.rectangle((left, top, right, bottom), fill=WHITE, outline=BLACK)
    for row in range(top + 3, bottom - 1, 2):
        draw.line((left + 2, row, right - 2, row), fill=NAVY)


def icon_copy(draw, x, y):
    sheet(draw, x + 1, y + 1, x + 9, y + 11)
    sheet(draw, x + 6, y + 5, x + 14, y + 15)


def icon_clipboard(draw, x, y):
    draw.rectangle((x + 1, y + 2, x + 13, y + 15), fill=OLIVE, outline=BLACK)
    sheet(draw, x + 3, y + 4, x + 11, y + 14)
    draw.rectangle((x + 4, y + 0, x + 10, y + 3), fill=GREY, outline=BLACK)


ICONS = {"search": icon_magnifier, "copy": icon_copy, "clipboard": icon_clipboard}


def greyed(picture, size):
    """The disabled look: the content's shape in grey with a white emboss, on the button face."""
    w, h = size
    content = picture.copy()
    out, draw = new_picture(size)
    bevel(draw, size, sunken=False)
    shape = [(px, py) for py in range(2, h - 2) for px in range(2, w - 2)
             if content.getpixel((px, py)) not in (FACE, WHITE)]
    for px, py in shape:
        if px + 1 < w - 2 and py + 1 < h - 2:
            out.putpixel((px + 1, py + 1), WHITE)
    for px, py in shape:
        out.putpixel((px, py), GREY)
    return out


def focus_mark(draw, size):
    """A small red triangle in the top-right corner."""
    w = size[0]
    draw.polygon([(w - 7, 2), (w - 3, 2), (w - 3, 6)], fill=RED)


def button_picture(size, look, paint):
    """Paints one look of a button; paint(draw, dx, dy) draws the content offset by dx, dy."""
    picture, draw = new_picture(size)
    pressed = look == "PRESSED"
    bevel(draw, size, sunken=pressed)
    shift = 1 if pressed else 0
    paint(draw, shift, shift)
    if look == "FOCUSED":
        focus_mark(draw, size)
    if look == "DISABLED":
        picture = greyed(picture, size)
    return picture


# ---- Writers ----

def palette_indexes(picture):
    lookup = {colour: index for index, colour in enumerate(PALETTE)}
    w, h = picture.size
    rows = []
    for y in range(h):
        row = []
        for x in range(w):
            colour = picture.getpixel((x, y))
            if colour not in lookup:
                raise ValueError("colour %r at (%d, %d) is not in the palette" % (colour, x, y))
            row.append(lookup[colour])
        rows.append(row)
    return rows


def packed_4bit_rows(rows):
    """Bottom-up rows of 4-bit pixels, each padded to a multiple of 4 bytes."""
    out = bytearray()
    for row in reversed(rows):
        line = bytearray()
        for x in range(0, len(row), 2):
            high = row[x]
            low = row[x + 1] if x + 1 < len(row) else 0
            line.append(high << 4 | low)
        line.extend(b"\0" * (-len(line) % 4))
        out.extend(line)
    return bytes(out)


def palette_bytes():
    return b"".join(struct.pack("<BBBB", b, g, r, 0) for r, g, b in PALETTE)


def info_header(width, height, image_size):
    return struct.pack("<IiiHHIIiiII", 40, width, height, 1, 4, 0, image_size, 2835, 2835, 16, 0)


def write_bmp(path, picture):
    w, h = picture.size
    pixels = packed_4bit_rows(palette_indexes(picture))
    offset = 14 + 40 + 16 * 4
    with open(path, "wb") as out:
        out.write(struct.pack("<2sIHHI", b"BM", offset + len(pixels), 0, 0, offset))
        out.write(info_header(w, h, len(pixels)))
        out.write(palette_bytes())
        out.write(pixels)


def write_ico(path, pictures):
    """An icon file of 16-colour images; TRANSPARENT pixels go to the AND mask."""
    images = []
    for picture, mask in pictures:
        w, h = picture.size
        xor = packed_4bit_rows(palette_indexes(picture))
        and_rows = bytearray()
        for y in reversed(range(h)):
            line = bytearray((w + 7) // 8)
            for x in range(w):
                if mask[y][x]:
                    line[x // 8] |= 0x80 >> (x % 8)
            line.extend(b"\0" * (-len(line) % 4))
            and_rows.extend(line)
        data = info_header(w, h * 2, len(xor) + len(and_rows)) + palette_bytes() + xor + bytes(
            and_rows)
        images.append((w, h, data))
    offset = 6 + 16 * len(images)
    with open(path, "wb") as out:
        out.write(struct.pack("<HHH", 0, 1, len(images)))
        for w, h, data in images:
            out.write(struct.pack("<BBBBHHII", w % 256, h % 256, 16, 0, 1, 4, len(data), offset))
            offset += len(data)
        for _, _, data in images:
            out.write(data)


def write_click_wav(path):
    """A short click: a decaying 1.8 kHz tone with a sharp attack, 234 samples at 22050 Hz."""
    rate, count = 22050, 234
    samples = bytearray()
    for n in range(count):
        envelope = math.exp(-n / 40.0)
        value = 128 + 100 * envelope * math.sin(2 * math.pi * 1800 * n / rate)
        samples.append(max(0, min(255, int(round(value)))))
    fmt = struct.pack("<HHIIHHH", 1, 1, rate, rate, 1, 8, 0)
    body = (b"WAVE" + b"fmt " + struct.pack("<I", len(fmt)) + fmt + b"fact" +
            struct.pack("<II", 4, count) + b"data" + struct.pack("<I", count) + bytes(samples))
    image = b"RIFF" + struct.pack("<I", len(body)) + body
    assert len(image) == 292, len(image)
    with open(path, "wb") as out:
        out.write(image)


# ---- The pictures ----

def letter_pictures(rc, out_dir):
    """Normal and pressed looks of the 26 Latin and the 10 Greek-only capitals."""
    w, h = LETTER_SIZE
    letters = [(c, "IDC_LETTER_FIRST + %d" % i, "letter_%s" % c)
               for i, c in enumerate(LATIN_CAPITALS)]
    letters += [(c, "BMP_BASE_GREEK_" + name, "greek_%s" % name.lower())
                for c, name in GREEK_CAPITALS]
    # One size for every letter, the largest that fits the widest (W, M, Ω) inside the bevel.
    font = fitting_font("bold", [c for c, _, _ in letters], w - 4, h - 8, 22)
    for char, base, stem in letters:
        for look in ("NORMAL", "PRESSED"):
            def paint(draw, dx, dy, char=char):
                draw_text(draw, (2 + dx, 2 + dy, w - 2 + dx, h - 2 + dy), char, font, BLUE)
            name = "%s_%s.bmp" % (stem, look.lower())
            write_bmp(os.path.join(out_dir, name), button_picture(LETTER_SIZE, look, paint))
            rc.append("%s + BMP_LOOK_%s BITMAP \"%s\"" % (base, look, name))


def icon_button_pictures(rc, out_dir):
    """Search, and the small form's copy and clipboard buttons: an icon only."""
    w, h = ICON_BUTTON_SIZE
    for base, icon, stem in (("BMP_BASE_SEARCH", "search", "search"),
                             ("BMP_BASE_SMALL_COPY", "copy", "small_copy"),
                             ("BMP_BASE_SMALL_CLIPBOARD", "clipboard", "small_clipboard")):
        for look in LOOKS:
            def paint(draw, dx, dy, icon=icon):
                ICONS[icon](draw, (w - 16) // 2 + dx, (h - 16) // 2 + dy)
            name = "%s_%s.bmp" % (stem, look.lower())
            write_bmp(os.path.join(out_dir, name), button_picture(ICON_BUTTON_SIZE, look, paint))
            rc.append("%s + BMP_LOOK_%s BITMAP \"%s\"" % (base, look, name))


def caption_button_pictures(rc, out_dir):
    """Copy and clipboard buttons of the other forms: icon and caption, English and Greek."""
    w, h = CAPTION_BUTTON_SIZE
    text_left = 3 + 16 + 2
    buttons = (
        ("BMP_BASE_COPY_ENGLISH", "copy", "Copy", "copy_english"),
        ("BMP_BASE_CLIPBOARD_ENGLISH", "clipboard", "Paste", "clipboard_english"),
        ("BMP_BASE_COPY_GREEK", "copy", "\u0391\u03bd\u03c4\u03b9\u03b3\u03c1\u03b1\u03c6\u03ae",
         "copy_greek"),
        ("BMP_BASE_CLIPBOARD_GREEK", "clipboard",
         "\u0395\u03c0\u03b9\u03ba\u03cc\u03bb\u03bb\u03b7\u03c3\u03b7", "clipboard_greek"),
    )
    # One caption size for all four, so the buttons look alike in both languages.
    font = fitting_font("caption", [b[2] for b in buttons], w - text_left - 3, h - 6, 13)
    for base, icon, caption, stem in buttons:
        for look in LOOKS:
            def paint(draw, dx, dy, icon=icon, caption=caption):
                ICONS[icon](draw, 3 + dx, (h - 16) // 2 + dy)
                draw_text(draw, (text_left + dx, 2 + dy, w - 3 + dx, h - 2 + dy), caption, font,
                          BLACK)
            name = "%s_%s.bmp" % (stem, look.lower())
            write_bmp(os.path.join(out_dir, name),
                      button_picture(CAPTION_BUTTON_SIZE, look, paint))
            rc.append("%s + BMP_LOOK_%s BITMAP \"%s\"" % (base, look, name))


def notice_picture(rc, out_dir):
    """The Information notice's picture: a white "i" on a blue disc in a sunken well.

    42 x 50 pixels fill the notice's picture frame at the usual dialog fonts; the well's edge
    makes the grey ground look intended on any dialog colour."""
    w, h = 42, 50
    picture, draw = new_picture((w, h))
    draw.line((0, 0, w - 1, 0), fill=GREY)
    draw.line((0, 0, 0, h - 1), fill=GREY)
    draw.line((0, h - 1, w - 1, h - 1), fill=WHITE)
    draw.line((w - 1, 0, w - 1, h - 1), fill=WHITE)
    top = (h - 36) // 2
    draw.ellipse((3, top, 38, top + 35), fill=BLUE, outline=NAVY, width=2)
    draw_text(draw, (3, top, 39, top + 36), "i", load_font("heavy", 28), WHITE)
    write_bmp(os.path.join(out_dir, "information.bmp"), picture)
    rc.append("IDB_INFORMATION_PICTURE BITMAP \"information.bmp\"")


# ---- Animation frames of the About and Tip of the Day dialogs ----
# Each picture is drawn at its own size into a frame of the dialog less two pixels a side: About's
# frame is 33 x 45 and the tip's 35 x 94 dialog units, about 45 x 69 and 48 x 148 pixels with the
# smallest dialog font, so the pictures stay inside at any usual font.
ABOUT_FRAME_SIZE = (44, 64)
ABOUT_FRAMES = 6
TIP_FRAME_SIZE = (46, 96)
TIP_FRAMES = 5


def text_lines(draw, left, right, top, bottom):
    for row in range(top, bottom, 4):
        draw.line((left, row, right, row), fill=GREY)


def about_frame(index):
    """An open book whose right-hand page turns over to the left, a step per frame."""
    w, h = ABOUT_FRAME_SIZE
    picture, draw = new_picture((w, h))
    spine = w // 2
    top, bottom = 18, 50
    # Cover, then the two lying pages.
    draw.polygon([(1, top + 4), (spine, top + 8), (w - 2, top + 4), (w - 2, bottom + 6),
                  (spine, bottom + 10), (1, bottom + 6)], fill=NAVY, outline=BLACK)
    draw.polygon([(3, top), (spine, top + 4), (spine, bottom + 6), (3, bottom + 2)],
                 fill=WHITE, outline=BLACK)
    draw.polygon([(spine, top + 4), (w - 4, top), (w - 4, bottom + 2), (spine, bottom + 6)],
                 fill=WHITE, outline=BLACK)
    text_lines(draw, 6, spine - 3, top + 6, bottom)
    text_lines(draw, spine + 3, w - 7, top + 6, bottom)
    # The turning page: its free edge swings over the spine, lifted in the middle of the turn.
    angle = math.pi * index / (ABOUT_FRAMES - 1)
    edge = spine + round((spine - 4) * math.cos(angle))
    lift = round(14 * math.sin(angle))
    if edge != spine:
        draw.polygon([(spine, top + 4), (edge, top - lift), (edge, bottom + 2 - lift),
                      (spine, bottom + 6)], fill=YELLOW, outline=BLACK)
    else:
        draw.line((spine, top + 4 - lift, spine, bottom + 6 - lift), fill=BLACK, width=2)
    # A mark above the book, blinking red and blue, so every frame differs from the next.
    draw.ellipse((spine - 5, 2, spine + 5, 12), fill=RED if index % 2 else BLUE, outline=BLACK)
    return picture


def tip_frame(index):
    """A light bulb whose rays turn a step per frame and whose glass glows brighter and dimmer."""
    w, h = TIP_FRAME_SIZE
    picture, draw = new_picture((w, h))
    cx, cy, radius = w // 2, 34, 12
    for ray in range(8):
        angle = 2 * math.pi * ray / 8 + (math.pi / 4) * index / TIP_FRAMES
        inner, outer = radius + 4, radius + 9
        draw.line((cx + round(inner * math.cos(angle)), cy + round(inner * math.sin(angle)),
                   cx + round(outer * math.cos(angle)), cy + round(outer * math.sin(angle))),
                  fill=RED if ray % 2 else OLIVE, width=2)
    glass = (WHITE, YELLOW, YELLOW, WHITE, YELLOW)[index]
    draw.ellipse((cx - radius, cy - radius, cx + radius, cy + radius), fill=glass, outline=BLACK)
    draw.polygon([(cx - 6, cy + 8), (cx + 6, cy + 8), (cx + 5, cy + 18), (cx - 5, cy + 18)],
                 fill=glass, outline=BLACK)
    draw.line((cx - 3, cy - 2, cx, cy + 3), fill=OLIVE)
    draw.line((cx, cy + 3, cx + 3, cy - 2), fill=OLIVE)
    draw.line((cx, cy + 3, cx, cy + 16), fill=OLIVE)
    for step in range(4):
        draw.rectangle((cx - 5, cy + 19 + 3 * step, cx + 5, cy + 20 + 3 * step),
                       fill=GREY if step % 2 else SILVER, outline=BLACK)
    draw.polygon([(cx - 3, cy + 31), (cx + 3, cy + 31), (cx, cy + 35)], fill=BLACK)
    return picture


def animation_pictures(rc, out_dir):
    for index in range(ABOUT_FRAMES):
        name = "about_%d.bmp" % index
        write_bmp(os.path.join(out_dir, name), about_frame(index))
        rc.append("IDB_ABOUT_FIRST_FRAME + %d BITMAP \"%s\"" % (index, name))
    for index in range(TIP_FRAMES):
        name = "tip_%d.bmp" % index
        write_bmp(os.path.join(out_dir, name), tip_frame(index))
        rc.append("IDB_TIP_FIRST_FRAME + %d BITMAP \"%s\"" % (index, name))


SMALL_W = ("X.....X", "X..X..X", "X..X..X", "X.X.X.X", ".X...X.")


def program_icon(out_dir):
    """A blue dictionary with white page edges and a W on its cover."""
    images = []
    for size in (16, 32, 48):
        s = size / 32.0
        picture, draw = new_picture((size, size), colour=FUCHSIA)
        pages = (round(6 * s), round(3 * s), size - 1 - round(2 * s), size - 1 - round(1 * s))
        cover = (round(3 * s), round(1 * s), size - 1 - round(5 * s), size - 1 - round(4 * s))
        draw.rectangle(pages, fill=WHITE, outline=BLACK)
        for row in range(pages[1] + 2, pages[3] - 1, 2):
            draw.line((cover[2] + 1, row, pages[2] - 1, row), fill=GREY)
        draw.rectangle(cover, fill=BLUE, outline=NAVY)
        draw.line((cover[0] + max(1, round(3 * s)), cover[1] + 1,
                   cover[0] + max(1, round(3 * s)), cover[3] - 1), fill=NAVY)
        spine = cover[0] + max(1, round(3 * s)) + 1
        glyph_box = (spine, cover[1] + 1, cover[2], cover[3])
        if size > 16:
            font = fitting_font("heavy", ["W"], glyph_box[2] - glyph_box[0] - 1,
                                glyph_box[3] - glyph_box[1], round(24 * s))
            draw_text(draw, glyph_box, "W", font, YELLOW)
        else:
            # No font draws a legible W in 7 x 5 pixels; this one is drawn by hand.
            x0 = (glyph_box[0] + glyph_box[2] - 7) // 2
            y0 = (glyph_box[1] + glyph_box[3] - 5) // 2
            for dy, row in enumerate(SMALL_W):
                for dx, bit in enumerate(row):
                    if bit == "X":
                        draw.point((x0 + dx, y0 + dy), fill=YELLOW)
        mask = [[picture.getpixel((x, y)) == FUCHSIA for x in range(size)] for y in range(size)]
        # Transparent pixels carry black in the colour image, as icons expect.
        for y in range(size):
            for x in range(size):
                if mask[y][x]:
                    picture.putpixel((x, y), BLACK)
        images.append((picture, mask))
    write_ico(os.path.join(out_dir, "wordmere.ico"), images)


def main(out_dir):
    os.makedirs(out_dir, exist_ok=True)
    rc = ["// Generated by resources/render_resources.py: the button bitmaps and the notice's",
          "// picture, each bound to base + look as resources/resource_ids.h names them."]
    letter_pictures(rc, out_dir)
    icon_button_pictures(rc, out_dir)
    caption_button_pictures(rc, out_dir)
    notice_picture(rc, out_dir)
    animation_pictures(rc, out_dir)
    program_icon(out_dir)
    write_click_wav(os.path.join(out_dir, "click.wav"))
    with open(os.path.join(out_dir, "bitmaps.rc"), "w") as out:
        out.write("\n".join(rc) + "\n")


if __name__ == "__main__":
    if len(sys.argv) != 2:
        sys.exit(__doc__)
    main(sys.argv[1])
