#!/usr/bin/python3
"""Checks that the guide's copies of the keyboard pictures show what the keyboard driver does,
and that the guide still makes a complete help (every link and picture found).

    check_guide_pictures.py PRINT_KEY_MAP REPOSITORY
"""
import os
import subprocess
import sys
import tempfile

try:
    from PIL import Image
except ImportError:
    sys.exit("check_guide_pictures: needs Pillow (Debian: python3-pil)")


def main():
    tool, root = sys.argv[1], sys.argv[2]
    lines = subprocess.run([tool], check=True, capture_output=True, text=True).stdout.splitlines()
    failures = []
    for driver in ("greek", "latin"):
        expected = "\n".join(l for l in lines if l.startswith(driver + " "))
        path = os.path.join(root, "docs", "images", "keyboard_%s.png" % driver)
        with Image.open(path) as picture:
            shown = picture.text.get("KeyMap", "")
        if shown != expected:
            failures.append("%s does not show the driver's current %s keys; run "
                            "'cmake --build build/win --target refresh_guide_pictures' and "
                            "commit the pictures" % (path, driver))
    with tempfile.TemporaryDirectory(prefix="wordmere_help_") as out:
        result = subprocess.run(
            [sys.executable, os.path.join(root, "help", "make_help.py"),
             os.path.join(root, "docs", "guide.md"), os.path.join(root, "docs", "images"),
             os.path.join(root, "docs", "images"), out], capture_output=True, text=True)
        if result.returncode != 0:
            failures.append("the guide does not make a help: " + result.stderr.strip())
        elif not os.path.exists(os.path.join(out, "vbr_help.hhp")):
            failures.append("the help project was not written")
    for failure in failures:
        print(failure, file=sys.stderr)
    sys.exit(1 if failures else 0)


if __name__ == "__main__":
    main()
