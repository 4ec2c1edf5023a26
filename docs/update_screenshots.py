#!/usr/bin/python3
"""Copies the screenshots the guide and the help show from an end-to-end run into docs/images,
made small: the empty band where a window manager would draw the title bar is cut off, and the
pictures are stored with a palette.

    docs/update_screenshots.py [SCREENSHOTS_DIR]

SCREENSHOTS_DIR defaults to build/win/screenshots; the end-to-end tests (tests/e2e, the dialogs'
script in its dialogs folder) and the setup program's test (tests/installer) write the pictures
there.
"""
import os
import sys

try:
    from PIL import Image
except ImportError:
    sys.exit("update_screenshots: needs Pillow for %s (Debian: python3-pil)" % sys.executable)

# Picture in docs/images <- screenshot of the run.
PICTURES = {
    "lookup_full.png": "lookup_full_en_cp1252.png",
    "lookup_compact.png": "lookup_compact_en_cp1252.png",
    "lookup_small.png": "lookup_small_en_cp1252.png",
    "lookup_french.png": "lookup_full_en_cp1252_french.png",
    "lookup_greek.png": "lookup_full_el_cp1252.png",
    "installer_welcome.png": "installer_welcome.png",
    "installer_folder.png": "installer_folder.png",
    "installer_finish.png": "installer_finish.png",
    "lookup_house.png": "installed_program.png",
    "userdict.png": "userdict-english-cp1252.png",
    "adjustments.png": "dialogs/adjustments_english.png",
}
# start_menu.png and started_from_start_menu.png show Wine's own Start menu (explorer
# /desktop=shell) after a silent install; they were taken by hand and are not updated here.


def without_title_band(image):
    """Drops the all-black rows at the top (Xvfb runs no window manager)."""
    pixels = image.load()
    width, height = image.size
    top = 0
    while top < height - 1 and all(pixels[x, top] == (0, 0, 0) for x in range(width)):
        top += 1
    return image.crop((0, top, width, height))


def main():
    root = os.path.dirname(os.path.dirname(os.path.abspath(__file__)))
    shots = sys.argv[1] if len(sys.argv) > 1 else os.path.join(root, "build", "win", "screenshots")
    images = os.path.join(root, "docs", "images")
    missing = []
    for picture, shot in sorted(PICTURES.items()):
        source = os.path.join(shots, shot)
        if not os.path.exists(source):
            missing.append(shot)
            continue
        image = without_title_band(Image.open(source).convert("RGB"))
        image = image.quantize(colors=128, method=Image.Quantize.MEDIANCUT, dither=Image.Dither.NONE)
        image.save(os.path.join(images, picture), optimize=True)
    if missing:
        sys.exit("update_screenshots: not in %s: %s" % (shots, ", ".join(missing)))


if __name__ == "__main__":
    main()
