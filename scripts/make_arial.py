#!/usr/bin/python3
"""Writes copies of Liberation Sans renamed to "Arial" into a folder.

Wine has no Arial, and a registry font replacement does not change the name that
EnumFontFamiliesEx reports, so the program's font enumeration would not find "Arial".
Liberation Sans is metric-compatible with Arial and has Greek glyphs.
"""
import os
import sys

from fontTools.ttLib import TTFont

SOURCE = "/usr/share/fonts/truetype/liberation"
STYLES = {
    "Regular": ("LiberationSans-Regular.ttf", "arial.ttf", "Arial", "ArialMT"),
    "Bold": ("LiberationSans-Bold.ttf", "arialbd.ttf", "Arial Bold", "Arial-BoldMT"),
    "Italic": ("LiberationSans-Italic.ttf", "ariali.ttf", "Arial Italic", "Arial-ItalicMT"),
    "Bold Italic": ("LiberationSans-BoldItalic.ttf", "arialbi.ttf", "Arial Bold Italic",
                    "Arial-BoldItalicMT"),
}


def main(target):
    os.makedirs(target, exist_ok=True)
    for style, (src, dst, full, postscript) in STYLES.items():
        font = TTFont(os.path.join(SOURCE, src))
        names = {1: "Arial", 2: style, 3: full, 4: full, 6: postscript, 16: "Arial", 17: style}
        for record in font["name"].names:
            if record.nameID in names:
                record.string = names[record.nameID]
        font.save(os.path.join(target, dst))


if __name__ == "__main__":
    main(sys.argv[1])
