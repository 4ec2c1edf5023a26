#!/usr/bin/env python3
"""The layer check fails on an include that points up a folder, names the line, and passes the
includes that point to the same folder or down. Usage: check_layers_test.py CHECK_LAYERS_PY"""
import os
import subprocess
import sys
import tempfile

FILES = {
    "ui/forms_win.cpp": '#include "ui/forms_win.h"\n#include "settings/settings.h"\n'
                        '#include "engine/folding.h"\n#include "app/lookup_dialog_win.h"\n',
    "settings/settings.h": '#include "keyboard/hot_key.h"\n#include "resources/resource_ids.h"\n',
    "tools/lookup/lookup_cli.cpp": '#include "userdict/user_dict_file.h"\n',
}


def main():
    script = sys.argv[1]
    with tempfile.TemporaryDirectory() as source:
        for name, text in FILES.items():
            path = os.path.join(source, name)
            os.makedirs(os.path.dirname(path), exist_ok=True)
            with open(path, "w", encoding="utf-8") as f:
                f.write(text)
        run = subprocess.run([sys.executable, script, "--source", source], capture_output=True,
                             text=True)
    expected = ["folders: ui/forms_win.cpp:4: includes app/lookup_dialog_win.h: app/ lies above ui/",
                "folders: 1 problems"]
    if run.returncode != 1 or run.stdout.splitlines() != expected:
        print(f"exit {run.returncode}, printed:\n{run.stdout}{run.stderr}expected exit 1 and:")
        print("\n".join(expected))
        return 1
    print("1 passed, 0 failed")
    return 0


if __name__ == "__main__":
    sys.exit(main())
