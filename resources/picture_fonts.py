"""What the build's picture scripts share: Pillow and the free fonts they draw with.

Used by resources/render_resources.py and help/render_keyboard.py.
"""
import os
import sys

FONT_DIRS = ("/usr/share/fonts/truetype/dejavu", "/usr/share/fonts/truetype/liberation")


def import_pillow(tool):
    """Pillow's Image, ImageDraw and ImageFont; without Pillow, exits naming the package."""
    try:
        from PIL import Image, ImageDraw, ImageFont
    except ImportError:
        sys.exit("%s: needs Pillow for %s (Debian: python3-pil, see scripts/setup.sh)"
                 % (tool, sys.executable))
    return Image, ImageDraw, ImageFont


def load_font(tool, names, size):
    """The first of the font files `names` that FONT_DIRS hold, at size pixels."""
    from PIL import ImageFont
    for name in names:
        for folder in FONT_DIRS:
            path = os.path.join(folder, name)
            if os.path.exists(path):
                return ImageFont.truetype(path, size)
    sys.exit("%s: none of %s in %s (Debian: fonts-dejavu-core, fonts-liberation)"
             % (tool, ", ".join(names), ", ".join(FONT_DIRS)))
