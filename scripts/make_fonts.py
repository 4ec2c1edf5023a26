#!/usr/bin/python3
"""Writes copies of Liberation Sans renamed to "Arial" and of Liberation Serif renamed to
"Times New Roman" into a folder.

Wine has neither, and a registry font replacement does not change the name that
EnumFontFamiliesEx reports, so the program's font enumeration would not find them (the word
lists ask for "Arial", the tip of the day's heading for "Times New Roman"). The Liberation
fonts are metric-compatible with both and have Greek glyphs.

    make_fonts.py FOLDER [FAMILY ...]   (all families when none is named)
"""
import os
import sys

from fontTools.ttLib import TTFont

SOURCE = "/usr/share/fonts/truetype/liberation"
FAMILIES = {
    "Arial": {
        "Regular": ("LiberationSans-Regular.ttf", "arial.ttf", "Arial", "ArialMT"),
        "Bold": ("LiberationSans-Bold.ttf", "arialbd.ttf", "Arial Bold", "Arial-BoldMT"),
        "Italic": ("LiberationSans-Italic.ttf", "ariali.ttf", "Arial Italic", "Arial-ItalicMT"),
        "Bold Italic": ("LiberationSans-BoldItalic.ttf", "arialbi.ttf", "Arial Bold Italic",
                        "Arial-BoldItalicMT"),
    },
    "Times New Roman": {
        "Regular": ("LiberationSerif-Regular.ttf", "times.ttf", "Times New Roman",
                    "TimesNewRomanPSMT"),
        "Bold": ("LiberationSerif-Bold.ttf", "timesbd.ttf", "Times New Roman Bold",
                 "TimesNewRomanPS-BoldMT"),
        "Italic": ("LiberationSerif-Italic.ttf", "timesi.ttf", "Times New Roman Italic",
                   "TimesNewRomanPS-ItalicMT"),
        "Bold Italic": ("LiberationSerif-BoldItalic.ttf", "timesbi.ttf",
                        "Times New Roman Bold Italic", "TimesNewRomanPS-BoldItalicMT"),
    },
}


def make_family(target, family):
    for style, (src, dst, full, postscript) in FAMILIES[family].items():
        font = TTFont(os.path.join(SOURCE, src))
        names = {1: family, 2: style, 3: full, 4: full, 6: postscript, 16: family, 17: style}
        for record in font["name"].names:
            if record.nameID in names:
                record.string = names[record.nameID]
        font.save(os.path.join(target, dst))


def main(target, families):
    os.makedirs(target, exist_ok=True)
    for family in families or FAMILIES:
        make_family(target, family)


if __name__ == "__main__":
    main(sys.argv[1], sys.argv[2:])
