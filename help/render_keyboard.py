#!/usr/bin/python3
"""Draws the help's pictures of the Greek keyboard and of the Latin accent keys.

    render_keyboard.py KEY_MAP OUTPUT_DIR

KEY_MAP is the output of print_key_map (what the program's own keyboard driver gives for each
key), so the pictures always show what the driver does. Writes keyboard_greek.png and
keyboard_latin.png; each carries the lines it was drawn from in a PNG text chunk "KeyMap", by
which a test tells whether a copy of the picture is still up to date.
"""
import os
import sys

sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "resources"))
import picture_fonts  # noqa: E402

Image, ImageDraw, ImageFont = picture_fonts.import_pillow("render_keyboard")
from PIL.PngImagePlugin import PngInfo  # noqa: E402
FONT_FILES = {
    "regular": ("DejaVuSans.ttf", "LiberationSans-Regular.ttf"),
    "bold": ("DejaVuSans-Bold.ttf", "LiberationSans-Bold.ttf"),
}

BACKGROUND = (255, 255, 255)
KEY_FACE = (246, 246, 242)
KEY_EDGE = (150, 150, 150)
DEAD_FACE = (255, 236, 200)
LEGEND = (110, 110, 110)
INK = (20, 20, 20)
ACCENT_INK = (150, 40, 20)

US_ROWS = ["qwertyuiop", "asdfghjkl;", "zxcvbnm"]
ROW_INDENT = [0, 14, 36]
KEY = 54
GAP = 6
MARGIN = 12

# Names of the dead keys for the captions; the results themselves come from the key map.
GREEK_DEAD_KEYS = [
    (";", "Tonos: press ; then the letter", "\u0384"),
    (":", "Dialytika: press Shift+; then the letter", "\u00a8"),
    (":;", "Both: press Shift+; then ; then the letter", "\u0385"),
]
# The dead keys in the order the picture lists them, as the US layout types them.
LATIN_DEAD_KEYS = ["'", '"', "[", "{", "~", "`", ";", ":", "\\", "|"]


def load_font(kind, size):
    return picture_fonts.load_font("render_keyboard", FONT_FILES[kind], size)


def read_key_map(path):
    """{driver: [(kind, keys, unicode text)]} in file order, and the lines per driver."""
    entries = {"greek": [], "latin": []}
    lines = {"greek": [], "latin": []}
    with open(path, encoding="ascii") as f:
        for line in f:
            line = line.rstrip("\n")
            if not line:
                continue
            name, keys, byte = line.split("\t")
            driver, kind = name.split(" ")
            code_page = "cp1253" if driver == "greek" else "cp1252"
            try:
                text = bytes([int(byte, 16)]).decode(code_page)
            except UnicodeDecodeError:
                # A byte the code page leaves undefined shows no letter on Windows.
                text = ""
            entries[driver].append((kind, keys.replace(" ", ""), text))
            lines[driver].append(line)
    return entries, lines


def centred(draw, box, text, font, fill):
    left, top, right, bottom = box
    x0, y0, x1, y1 = draw.textbbox((0, 0), text, font=font)
    x = left + (right - left - (x1 - x0)) / 2 - x0
    y = top + (bottom - top - (y1 - y0)) / 2 - y0
    draw.text((x, y), text, font=font, fill=fill)


def save(image, path, lines):
    info = PngInfo()
    info.add_text("KeyMap", "\n".join(lines))
    image.save(path, pnginfo=info, optimize=True)


def split_cases(items):
    """The small letters on one line and the capitals (typed with Shift) on the next."""
    lines = [[item for item in items if item[0].islower()],
             [item for item in items if item[0].isupper()]]
    return [line for line in lines if line]


def draw_greek(entries, lines, path):
    letters = {keys: text for kind, keys, text in entries if kind == "letter"}
    accents = [(keys, text) for kind, keys, text in entries if kind == "accent" and text]
    legend_font = load_font("regular", 11)
    letter_font = load_font("regular", 26)
    small_font = load_font("regular", 13)
    title_font = load_font("bold", 14)

    keyboard_width = MARGIN * 2 + ROW_INDENT[1] + len(US_ROWS[1]) * (KEY + GAP)
    groups = []
    for dead, caption, mark in GREEK_DEAD_KEYS:
        items = [(keys[len(dead):], text) for keys, text in accents
                 if keys[:-1] == dead]
        if items:
            groups.append((dead, caption, mark, items))
    accent_font = load_font("regular", 18)
    cell_w, cell_h = 50, 26
    table_rows = sum(len(split_cases(items)) for _, _, _, items in groups)
    keyboard_height = MARGIN + 3 * (KEY + GAP)
    height = keyboard_height + MARGIN + len(groups) * 26 + table_rows * cell_h + MARGIN
    image = Image.new("RGB", (keyboard_width, height), BACKGROUND)
    draw = ImageDraw.Draw(image)

    for row, (keys, indent) in enumerate(zip(US_ROWS, ROW_INDENT)):
        y = MARGIN + row * (KEY + GAP)
        for column, key in enumerate(keys):
            x = MARGIN + indent + column * (KEY + GAP)
            dead = key == ";"
            draw.rounded_rectangle((x, y, x + KEY, y + KEY), radius=6,
                                   fill=DEAD_FACE if dead else KEY_FACE, outline=KEY_EDGE)
            legend = "; :" if dead else key.upper()
            draw.text((x + 5, y + 3), legend, font=legend_font, fill=LEGEND)
            if dead:
                centred(draw, (x, y + 12, x + KEY, y + KEY), "\u0384  \u00a8", letter_font,
                        ACCENT_INK)
            else:
                centred(draw, (x, y + 10, x + KEY, y + KEY), letters.get(key, ""), letter_font,
                        INK)

    y = keyboard_height + MARGIN
    for dead, caption, mark, items in groups:
        draw.text((MARGIN, y + 4), "%s  %s" % (mark, caption), font=title_font, fill=ACCENT_INK)
        y += 26
        for line in split_cases(items):
            for i, (letter, text) in enumerate(line):
                x = MARGIN + i * cell_w
                draw.text((x, y + 6), letter, font=small_font, fill=LEGEND)
                draw.text((x + 14, y), text, font=accent_font, fill=INK)
            y += cell_h
    save(image, path, lines)


def draw_latin(entries, lines, path):
    accents = [(keys, text) for kind, keys, text in entries if kind == "accent" and text]
    title_font = load_font("bold", 14)
    key_font = load_font("bold", 16)
    letter_font = load_font("regular", 17)
    legend_font = load_font("regular", 11)

    rows = []
    for dead in LATIN_DEAD_KEYS:
        items = [(keys[len(dead):], text) for keys, text in accents if keys[:-1] == dead]
        if items:
            rows.append((dead, sum(split_cases(items), [])))
    widest = max(len(items) for _, items in rows)
    cell_w, row_h, label_w = 38, 34, 48
    width = MARGIN * 2 + label_w + widest * cell_w
    height = MARGIN * 2 + 24 + len(rows) * row_h
    image = Image.new("RGB", (width, height), BACKGROUND)
    draw = ImageDraw.Draw(image)
    draw.text((MARGIN, MARGIN), "Press the key on the left, then the letter (a capital with Shift):",
              font=title_font, fill=INK)
    for r, (dead, items) in enumerate(rows):
        y = MARGIN + 24 + r * row_h
        draw.rounded_rectangle((MARGIN, y + 2, MARGIN + 30, y + 30), radius=5, fill=DEAD_FACE,
                               outline=KEY_EDGE)
        centred(draw, (MARGIN, y + 2, MARGIN + 30, y + 30), dead, key_font, INK)
        for i, (letter, text) in enumerate(items):
            x = MARGIN + label_w + i * cell_w
            draw.text((x, y), letter, font=legend_font, fill=LEGEND)
            draw.text((x + 10, y + 10), text, font=letter_font, fill=INK)
    save(image, path, lines)


def main():
    if len(sys.argv) != 3:
        sys.exit(__doc__)
    entries, lines = read_key_map(sys.argv[1])
    os.makedirs(sys.argv[2], exist_ok=True)
    draw_greek(entries["greek"], lines["greek"], os.path.join(sys.argv[2], "keyboard_greek.png"))
    draw_latin(entries["latin"], lines["latin"], os.path.join(sys.argv[2], "keyboard_latin.png"))


if __name__ == "__main__":
    main()
