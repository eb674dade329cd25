#!/usr/bin/env python3
"""Keeps the layers of docs/architecture.md true, from the files' includes (every file includes
the headers of the names it uses, so its includes are its dependencies).

  core     window-free, standard C++: common < settings < typing < training < exam; a folder
           includes its own headers and those of folders below it, and resources/resource.h
           (its tests may include any core header)
  glue     *_win.cpp / *_win.h of typing/, training/, exam/: any core header, the shell's
           services (SHELL_SERVICES) and glue headers of its own folder or of typing/; never the
           shell's own parts, never another screen's folder (exam/ and training/ are screens)
  shell    app/: anything
  testing  testing/ headers: only for tests (*_test.cpp, *_fuzz.cpp) and bench/

Prints each violation as "file: includes header (rule)" and exits 1 when there is one.
"""
import os
import re
import sys

CORE_ORDER = ["common", "settings", "typing", "training", "exam"]
SCREEN_FOLDERS = {"exam", "training"}
SHELL_SERVICES = {
    "app/app.h", "app/screen.h", "app/strings_win.h", "app/wide_text.h", "app/toolbar_win.h",
    "app/write_failure_win.h", "app/list_sort.h", "app/on_demand.h", "common/web_addresses.h", "app/dpi.h",
}
SCANNED = CORE_ORDER + ["app", "bench", "testing", "resources", "setup"]
INCLUDE = re.compile(r'^\s*#\s*include\s*[<"]([^>"]+)[>"]', re.M)


def is_test(path):
    name = os.path.basename(path)
    return name.endswith("_test.cpp") or name.endswith("_fuzz.cpp") or path.startswith("bench/")


def is_glue(path):
    name = os.path.basename(path)
    return "_win." in name or "_win_test." in name or name.endswith("_win32.cpp")


def violations_of(path, includes):
    """The rules `path` (relative, with forward slashes) breaks with `includes`."""
    found = []
    folder = path.split("/", 1)[0]
    test = is_test(path)
    for header in includes:
        target = header.split("/", 1)[0] if "/" in header else None

        def bad(rule):
            found.append("%s: includes %s (%s)" % (path, header, rule))

        if target == "testing" and not test and folder != "testing":
            bad("test support is for tests and benchmarks only")
        if folder in CORE_ORDER and not is_glue(path):
            if header == "windows.h" or header.startswith("windows"):
                bad("the core is window-free")
            elif target == "app" or (target and "_win." in header):
                bad("the core includes no glue")
            elif target in CORE_ORDER and CORE_ORDER.index(target) > CORE_ORDER.index(folder) and not test:
                bad("a core folder includes only folders below it")
        elif folder in CORE_ORDER and is_glue(path) and not test:
            if target == "app" and header not in SHELL_SERVICES:
                bad("a feature uses the shell only through its services")
            elif folder == "typing" and target in SCREEN_FOLDERS and "_win." in header:
                bad("the typing area sits below the screens")
            elif target in CORE_ORDER and "_win." in header and target not in (folder, "typing"):
                bad("a screen never includes another screen's glue")
    return found


def check(root):
    problems = []
    for top in SCANNED:
        base = os.path.join(root, top)
        for folder, _, files in os.walk(base):
            for name in sorted(files):
                if not name.endswith((".cpp", ".h")):
                    continue
                full = os.path.join(folder, name)
                rel = os.path.relpath(full, root).replace(os.sep, "/")
                with open(full, encoding="utf-8", errors="replace") as f:
                    includes = INCLUDE.findall(f.read())
                problems += violations_of(rel, includes)
    return problems


def main():
    root = sys.argv[1] if len(sys.argv) > 1 else os.path.join(os.path.dirname(__file__), "..")
    problems = check(root)
    for line in problems:
        print(line)
    print("layers: %d violation(s)" % len(problems))
    return 1 if problems else 0


if __name__ == "__main__":
    sys.exit(main())
