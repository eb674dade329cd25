#!/usr/bin/env python3
"""Prints the size and the imported DLLs of the two shipped programs and checks them:

    python3 tools/check_programs.py <Windows build folder>

KFP.exe (quillkey.exe) must stay under 480 KB (its text views' font takes 25 KB of them, the course 46 KB), the
uninstaller (quilluninstall.exe, installed as Uninstall.exe) under 64 KB, and quillsetup.exe, which
carries both and the data files, under 900 KB; all three must be stripped and import nothing but
DLLs that every Windows has. The tutor loads the shell and the common dialogs at their first use, so that its start does not wait for
them: it must not import them. Exit code 1 names what is wrong.
"""

import os
import shutil
import subprocess
import sys

PROGRAMS = (
    ("quillkey.exe", "KFP.exe, the tutor", 480 * 1024, {"shell32.dll", "comdlg32.dll"}),
    (os.path.join("setup", "quilluninstall.exe"), "Uninstall.exe, the uninstaller", 64 * 1024, set()),
    (os.path.join("setup", "quillsetup.exe"), "the installer", 900 * 1024, set()),
)

# DLLs of Windows itself (the C runtime msvcrt.dll included); anything else would have to be
# shipped beside the programs.
SYSTEM_DLLS = {"kernel32.dll", "user32.dll", "gdi32.dll", "comctl32.dll", "comdlg32.dll", "shell32.dll",
               "ole32.dll", "oleaut32.dll", "advapi32.dll", "msvcrt.dll", "shlwapi.dll", "version.dll"}

OBJDUMP = "x86_64-w64-mingw32-objdump"


def pe_facts(path):
    """(imported DLL names, section names) from objdump's headers of a PE file."""
    out = subprocess.run([OBJDUMP, "-p", "-h", path], stdin=subprocess.DEVNULL, capture_output=True,
                         text=True, check=True).stdout
    dlls = [line.split("DLL Name:")[1].strip() for line in out.splitlines() if "DLL Name:" in line]
    sections = [line.split()[1] for line in out.splitlines()
                if line.strip() and line.split()[0].isdigit() and len(line.split()) > 2]
    return dlls, sections


def main():
    if len(sys.argv) != 2:
        print(__doc__.strip())
        return 2
    build = sys.argv[1]
    if not shutil.which(OBJDUMP):
        print("%s is not installed" % OBJDUMP)
        return 2
    problems = []
    for name, what, limit, on_demand in PROGRAMS:
        path = os.path.join(build, name)
        if not os.path.isfile(path):
            problems.append("%s is missing" % path)
            continue
        size = os.path.getsize(path)
        dlls, sections = pe_facts(path)
        print("%-18s %9d bytes (%.0f KB, limit %d KB)  %s" % (os.path.basename(name), size, size / 1024.0,
                                                              limit // 1024, what))
        print("%-18s imports %s" % ("", ", ".join(dlls)))
        if size >= limit:
            problems.append("%s is %d bytes, at or above %d" % (name, size, limit))
        foreign = [d for d in dlls if d.lower() not in SYSTEM_DLLS]
        if foreign:
            problems.append("%s needs DLLs beyond the system's: %s" % (name, ", ".join(foreign)))
        at_start = [d for d in dlls if d.lower() in on_demand]
        if at_start:
            problems.append("%s loads at start what it needs only on request: %s" % (name, ", ".join(at_start)))
        debug = [s for s in sections if s.startswith(".debug")]
        if debug:
            problems.append("%s is not stripped (%s)" % (name, ", ".join(debug)))
    for p in problems:
        print("FAIL: " + p)
    return 1 if problems else 0


if __name__ == "__main__":
    sys.exit(main())
