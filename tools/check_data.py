#!/usr/bin/env python3
"""Checks the word lists, sample texts and learner's manuals that the installer carries.

Usage: check_data.py DATA_DIR

DATA_DIR holds the language folders EN, FR and RU as they are installed.
Every problem is printed as "path: what is wrong"; the last line is a summary
("data: 18 files checked, 0 problems"). The exit code is 0 when nothing is
wrong, 1 when a problem was found and 2 on a usage error.
"""

import html
import os
import re
import sys
from collections import Counter

# Hand letter sets of each language (the tutor's strings 1026 and 1027).
LEFT = {
    "EN": "qwertasdfgzxcvbQWERTASDFDGZXCVB",
    "FR": "éazertqsdfgwxcvbÉAZERTQSDFGWXCVB",
    "RU": "ёйцукефывапячсмиЁЙЦУКЕФЫВАПЯЧСМИ",
}
RIGHT = {
    "EN": "yuiophjklnmYUIOPHJKLNM",
    "FR": "èçàyuiophjklnmÈÀYUIOPHJKLNM",
    "RU": "нгшщзхъролджэтьбюНГШЩЗХРОЛДЖЭТЬБЮ",
}

LEFT_HAND, RIGHT_HAND, LEFT_TO_RIGHT, RIGHT_TO_LEFT = 1, 2, 3, 4
CLASS_NAMES = {
    0: "no hand class",
    LEFT_HAND: "left hand",
    RIGHT_HAND: "right hand",
    LEFT_TO_RIGHT: "left-to-right",
    RIGHT_TO_LEFT: "right-to-left",
}

ANSI, UTF8_BOM = "Windows-1252", "UTF-8 with mark"

# (language, file below "<lang>/Training Words", encoding, hand class, entries)
LISTS = [
    ("EN", "LH_Words.dat", ANSI, LEFT_HAND, 109),
    ("EN", "RH_Words.dat", ANSI, RIGHT_HAND, 59),
    ("EN", "LTOR_Both.dat", ANSI, LEFT_TO_RIGHT, 22),
    ("EN", "RTOL_Both.dat", ANSI, RIGHT_TO_LEFT, 31),
    ("FR", "LH_Words.dat", ANSI, LEFT_HAND, 24),
    ("FR", "RH_Words.dat", ANSI, RIGHT_HAND, 18),
    ("FR", "LTOR_Both.dat", ANSI, LEFT_TO_RIGHT, 20),
    ("FR", "RTOL_Both.dat", ANSI, RIGHT_TO_LEFT, 24),
    ("RU", "LH_Words_RU_UTF8.txt", UTF8_BOM, LEFT_HAND, 47),
    ("RU", "RH_Words_RU_UTF8.txt", UTF8_BOM, RIGHT_HAND, 36),
    ("RU", "LTOR_Words_RU_UTF8.txt", UTF8_BOM, LEFT_TO_RIGHT, 26),
    ("RU", "RTOL_Words_RU_UTF8.txt", UTF8_BOM, RIGHT_TO_LEFT, 43),
]

# (language, paragraphs) of "<lang>/Tests/Sample_Unicode.txt"
SAMPLES = [("EN", 17), ("FR", 15), ("RU", 16)]

# "<lang>/KF_Help.htm": the learner's manual that F1 opens, one per language.
MANUAL = "KF_Help.htm"
# Settings.xml keys the manual need not explain: read by nothing the learner sees.
UNEXPLAINED_SETTINGS = {"DS_Custom"}

MIN_ENTRY, MAX_ENTRY = 2, 10
MAX_SPECIAL_PER_LANGUAGE = 2
# Characters that make an entry "special" (a digit, apostrophe, hyphen, full
# stop or a short markup tag such as <b>); such entries fit no hand class.
SPECIAL_MARKS = set("0123456789'-.<>/")

# The tutor refuses sample files of 2000 UTF-16 units or more; an odd byte
# would be dropped, so a sample must be even-sized and at most 3998 bytes.
MAX_SAMPLE_BYTES = 3998
# The tutor cuts sample words into a buffer of 100 units with the terminator.
MAX_SAMPLE_TOKEN = 99
# Every token after the first ends at one of these (the first only at a space).
TOKEN_DELIMITERS = " .,;:!?\r\n"

ASCII_LETTERS = "abcdefghijklmnopqrstuvwxyzABCDEFGHIJKLMNOPQRSTUVWXYZ"
DIGITS = "0123456789"
LATIN_PUNCTUATION = " .,;:!?'()-"
RUSSIAN_LETTERS = ("абвгдеёжзийклмнопрстуфхцчшщъыьэюя"
                   "АБВГДЕЁЖЗИЙКЛМНОПРСТУФХЦЧШЩЪЫЬЭЮЯ")
# What a learner can type directly on the language's standard keyboard
# (US, AZERTY without dead keys, Russian), with plain punctuation only.
SAMPLE_CHARS = {
    "EN": set(ASCII_LETTERS + DIGITS + LATIN_PUNCTUATION),
    "FR": set(ASCII_LETTERS + DIGITS + LATIN_PUNCTUATION + "éèàùç"),
    "RU": set(RUSSIAN_LETTERS + " .,!?;:-()"),
}


def classify(word, left, right):
    """Hand class of a word, tested in the tutor's order."""
    if all(c in left for c in word):
        return LEFT_HAND
    if all(c in right for c in word):
        return RIGHT_HAND

    def passes(first, second):
        switched = False
        for c in word:
            if c in first and not switched:
                continue
            switched = True
            if c not in second:
                return False
        return True

    if passes(left, right):
        return LEFT_TO_RIGHT
    if passes(right, left):
        return RIGHT_TO_LEFT
    return 0


def is_special(entry, lang):
    letters = set(LEFT[lang]) | set(RIGHT[lang])
    return (any(c in SPECIAL_MARKS for c in entry)
            and all(c in letters or c in SPECIAL_MARKS for c in entry))


class Report:
    def __init__(self):
        self.problems = 0
        self.files = 0

    def problem(self, path, text):
        self.problems += 1
        print(f"{path}: {text}")


def split_crlf_lines(path, data, report, final_break):
    """Lines of data separated by CR LF; None after a line-end problem.

    final_break says whether every line, the last one included, ends in CR LF
    (True) or whether the last line has no line break (False)."""
    if final_break:
        if not data.endswith(b"\r\n"):
            report.problem(path, "the last line does not end in CR LF")
            return None
        data = data[:-2]
    elif data.endswith(b"\n") or data.endswith(b"\r"):
        report.problem(path, "the text ends with a line break")
        return None
    lines = data.split(b"\r\n")
    for number, line in enumerate(lines, 1):
        if b"\n" in line:
            report.problem(path, f"line {number}: bare LF (line ends must be CR LF)")
            return None
        if b"\r" in line:
            report.problem(path, f"line {number}: bare CR (line ends must be CR LF)")
            return None
    return lines


def read_bytes(path, report):
    if not os.path.isfile(path):
        report.problem(path, "missing")
        return None
    with open(path, "rb") as f:
        return f.read()


def decode_list(path, data, encoding, report):
    """Entries of a word list file, or None after a problem."""
    if encoding == ANSI:
        if data[:3] == b"\xef\xbb\xbf" or data[:2] in (b"\xff\xfe", b"\xfe\xff"):
            report.problem(path, "starts with a byte-order mark (must be plain Windows-1252)")
            return None
        body = data
    else:
        if data[:3] != b"\xef\xbb\xbf":
            report.problem(path, "does not start with the UTF-8 byte-order mark EF BB BF")
            return None
        body = data[3:]
        if body[:3] == b"\xef\xbb\xbf":
            report.problem(path, "the byte-order mark is repeated")
            return None
    if not body:
        report.problem(path, "holds no entries")
        return None
    lines = split_crlf_lines(path, body, report, final_break=True)
    if lines is None:
        return None
    entries = []
    codec = "cp1252" if encoding == ANSI else "utf-8"
    for number, raw in enumerate(lines, 1):
        try:
            entries.append(raw.decode(codec))
        except UnicodeDecodeError as e:
            report.problem(path, f"line {number}: not valid {encoding} ({e.reason})")
            return None
    return entries


def check_list(path, lang, hand, expected, entries, report):
    """Checks of one decoded list; returns the number of special entries."""
    if len(entries) != expected:
        report.problem(path, f"{len(entries)} entries, expected {expected}")
    special = 0
    lower = 0
    for number, entry in enumerate(entries, 1):
        where = f"line {number} {entry!r}"
        if not entry or entry.isspace():
            report.problem(path, f"line {number}: empty entry")
            continue
        if any(c.isspace() for c in entry):
            report.problem(path, f"{where}: holds a blank")
            continue
        if not MIN_ENTRY <= len(entry) <= MAX_ENTRY:
            report.problem(path, f"{where}: {len(entry)} characters, "
                                 f"must be {MIN_ENTRY} to {MAX_ENTRY}")
        if entry == entry.lower():
            lower += 1
        found = classify(entry, LEFT[lang], RIGHT[lang])
        if found == hand:
            continue
        if is_special(entry, lang):
            special += 1
            continue
        report.problem(path, f"{where}: {CLASS_NAMES[found]}, "
                             f"expected {CLASS_NAMES[hand]}")
    if entries and lower * 2 <= len(entries):
        report.problem(path, f"only {lower} of {len(entries)} entries are lower case")
    for number in range(1, len(entries)):
        if len(entries[number]) > len(entries[number - 1]):
            report.problem(path, f"line {number + 1} {entries[number]!r}: longer than "
                                 f"the line before (entries go longest first)")
            break
    return special


def check_repeats(repeats, report):
    """Exactly one list repeats two of its words, each of them once."""
    with_repeats = {path: words for path, words in repeats.items() if words}
    if len(with_repeats) != 1:
        where = ", ".join(sorted(with_repeats)) or "none"
        report.problem("word lists", f"{len(with_repeats)} lists repeat words "
                                     f"(exactly one must repeat two words): {where}")
        return
    path, words = next(iter(with_repeats.items()))
    counts = sorted(words.values())
    if counts != [2, 2]:
        shown = ", ".join(f"{w!r} x{n}" for w, n in sorted(words.items()))
        report.problem(path, f"must repeat exactly two words once each, repeats {shown}")


def check_sample(path, lang, expected_lines, report):
    data = read_bytes(path, report)
    if data is None:
        return
    if data[:2] != b"\xff\xfe":
        report.problem(path, "does not start with the UTF-16LE byte-order mark FF FE")
        return
    if len(data) > MAX_SAMPLE_BYTES:
        report.problem(path, f"{len(data)} bytes, at most {MAX_SAMPLE_BYTES} allowed")
        return
    if len(data) % 2:
        report.problem(path, f"odd size ({len(data)} bytes) for UTF-16 text")
        return
    try:
        text = data[2:].decode("utf-16-le")
    except UnicodeDecodeError as e:
        report.problem(path, f"not valid UTF-16LE ({e.reason})")
        return
    lines = split_crlf_lines(path, text.encode("utf-8"), report, final_break=False)
    if lines is None:
        return
    lines = [line.decode("utf-8") for line in lines]
    if len(lines) != expected_lines:
        report.problem(path, f"{len(lines)} lines, expected {expected_lines}")
    allowed = SAMPLE_CHARS[lang]
    for number, line in enumerate(lines, 1):
        if not line:
            report.problem(path, f"line {number}: empty")
            continue
        bad = sorted({c for c in line if c not in allowed})
        if bad:
            shown = " ".join(f"U+{ord(c):04X}" for c in bad)
            report.problem(path, f"line {number}: characters not typeable as plain "
                                 f"{lang} keyboard text: {shown}")
        if line[0] == " " or line[-1] == " ":
            report.problem(path, f"line {number}: starts or ends with a space")
        if "  " in line:
            report.problem(path, f"line {number}: double space")
    # The tutor cuts the first word at a space only: a first line without
    # a space would glue its last word to the first word of the next line.
    if lines and " " not in lines[0]:
        report.problem(path, "line 1 holds no space, so its first word runs into line 2")
    token = ""
    for c in text:
        if c in TOKEN_DELIMITERS:
            token = ""
            continue
        token += c
        if len(token) > MAX_SAMPLE_TOKEN:
            report.problem(path, f"a word of more than {MAX_SAMPLE_TOKEN} characters "
                                 f"starting {token[:20]!r}")
            break


def check_manual(path, lang, settings_keys, report):
    """A manual page: UTF-8 HTML of its language, CR LF lines, and a word on every setting."""
    data = read_bytes(path, report)
    if data is None:
        return
    if data.startswith(b"\xef\xbb\xbf"):
        report.problem(path, "starts with a byte-order mark (the page declares its charset)")
        return
    try:
        text = data.decode("utf-8")
    except UnicodeDecodeError as e:
        report.problem(path, f"not valid UTF-8 ({e.reason})")
        return
    if split_crlf_lines(path, data, report, final_break=True) is None:
        return
    if '<meta charset="utf-8">' not in text:
        report.problem(path, 'does not declare <meta charset="utf-8">')
    if f'<html lang="{lang.lower()}">' not in text:
        report.problem(path, f'does not say <html lang="{lang.lower()}">')
    missing = sorted(k for k in settings_keys if f"<code>{k}</code>" not in text)
    if missing:
        report.problem(path, "does not explain the settings " + ", ".join(missing))


def menu_commands(base, lang):
    """The command names of the language's menu bar in the tutor's resources beside the data
    folder, as a reader sees them (no "&", no key after the tab); empty when there are none."""
    path = os.path.join(base, "..", "resources", "quillkey.rc")
    if not os.path.isfile(path):
        return []
    with open(path, encoding="utf-8") as f:
        text = f.read()
    block = re.search(r"IDR_MENU_%s MENU\n(.*?)\nEND\n" % lang, text, re.S)
    items = re.findall(r'MENUITEM "([^"]*)"', block.group(1)) if block else []
    return [item.split("\\t")[0].replace("&", "") for item in items]


def check_manual_commands(path, lang, base, report):
    """A manual names every command of its language's menus as the menus do."""
    with open(path, encoding="utf-8") as f:
        text = html.unescape(re.sub(r"<[^>]+>", "", f.read()))
    missing = [name for name in menu_commands(base, lang) if name not in text]
    if missing:
        report.problem(path, "does not name the menu commands " + ", ".join(missing))


def settings_keys(base):
    """The keys of the default Settings.xml beside the language folders (none when missing)."""
    path = os.path.join(base, "Settings.xml")
    if not os.path.isfile(path):
        return set()
    with open(path, "rb") as f:
        keys = set(re.findall(rb"<([A-Za-z_0-9]+)>[^<]+</\1>", f.read()))
    return {k.decode("ascii") for k in keys} - UNEXPLAINED_SETTINGS


def main(argv):
    if len(argv) != 2:
        print("usage: check_data.py DATA_DIR", file=sys.stderr)
        return 2
    base = argv[1]
    if not os.path.isdir(base):
        print(f"{base}: not a folder", file=sys.stderr)
        return 2

    report = Report()
    special = Counter()
    repeats = {}
    for lang, name, encoding, hand, expected in LISTS:
        path = os.path.join(base, lang, "Training Words", name)
        report.files += 1
        data = read_bytes(path, report)
        if data is None:
            continue
        entries = decode_list(path, data, encoding, report)
        if entries is None:
            continue
        special[lang] += check_list(path, lang, hand, expected, entries, report)
        repeats[path] = {w: n for w, n in Counter(entries).items() if n > 1}
    for lang in sorted(special):
        if special[lang] > MAX_SPECIAL_PER_LANGUAGE:
            report.problem(f"{lang} word lists", f"{special[lang]} special entries, "
                                                 f"at most {MAX_SPECIAL_PER_LANGUAGE} allowed")
    if len(repeats) == len(LISTS):
        check_repeats(repeats, report)

    for lang, lines in SAMPLES:
        path = os.path.join(base, lang, "Tests", "Sample_Unicode.txt")
        report.files += 1
        check_sample(path, lang, lines, report)

    keys = settings_keys(base)
    for lang, _ in SAMPLES:
        report.files += 1
        check_manual(os.path.join(base, lang, MANUAL), lang, keys, report)
        check_manual_commands(os.path.join(base, lang, MANUAL), lang, base, report)

    print(f"data: {report.files} files checked, {report.problems} problems")
    return 1 if report.problems else 0


if __name__ == "__main__":
    sys.exit(main(sys.argv))
