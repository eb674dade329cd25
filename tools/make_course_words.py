#!/usr/bin/env python3
"""Makes the course's word lists, data/<EN|FR|RU>/Course/Words.txt, and the licence beside each,
from Debian's dictionary packages:

    apt-get install scowl hunspell-fr-classical aspell-ru
    python3 tools/make_course_words.py [data folder]

  EN  scowl                  the SCOWL lists of sizes 10 and 20 (the most common English words),
                             English and American spellings, in that order
  FR  hunspell-fr-classical  the entries of the Dicollecte dictionary (fr.dic) that are words of
                             their own (no proper noun, patronym, title or piece of a locution)
  RU  aspell-ru              the stems of the Lebedev dictionary (aspell dump master)

A word is kept when it is lower case (so no proper noun or abbreviation in capitals), 2 to 7
letters long, holds a vowel (so no abbreviation such as "mlle"), and is made only of letters that have a key of their own on the language's keyboard
(AZERTY's é è à ù ç, no letter that needs a dead key). The lists stay within their share of the
installer (BUDGET bytes each): every word of 2 to 4 letters, the most useful for the first lessons,
then the longer ones (English's in the order of its sizes, the others in a fixed pseudo-random
order), with at least MIN_PER_LETTER words for every letter. Lines are UTF-8 without a mark, each ending in CR LF; the words keep the sources' order.
"""

import hashlib
import os
import re
import subprocess
import sys

MIN_LENGTH, MAX_LENGTH = 2, 7
SHORT = 4               # words up to this length are all kept
MIN_PER_LETTER = 40     # words holding each letter, when the source has them
BUDGET = {"EN": 41000, "FR": 39000, "RU": 38000}  # with the licences, about 150 KB
LETTERS = {
    "EN": "abcdefghijklmnopqrstuvwxyz",
    "FR": "abcdefghijklmnopqrstuvwxyzéèàùç",
    "RU": "абвгдеёжзийклмнопрстуфхцчшщъыьэюя",
}
# A word needs one of these: a run of consonants is an abbreviation ("mlle", "млрд").
VOWELS = {"EN": "aeiouy", "FR": "aeiouyéèàù", "RU": "аеёиоуыэюя"}
# Dicollecte's kinds of entry that are no word of their own: proper nouns, patronyms, titles,
# pieces of locutions, prefixes, numbers, known errors.
FR_LEFT_OUT = {"po:npr", "po:patr", "po:titr", "po:loc", "po:pfx", "po:nb", "po:nbro", "po:err"}
SCOWL = "/usr/share/dict/scowl"
FR_DIC = "/usr/share/hunspell/fr.dic"

LICENSE_HEAD = {
    "EN": "Words.txt is a selection of the SCOWL word lists of sizes 10 and 20 (English and American\n"
          "spellings), as Debian's package scowl ships them, made by tools/make_course_words.py.\n"
          "Their copyright and permission notice, from that package, follow.\n\n",
    "FR": "Words.txt is a modified form of the French dictionary of the Dicollecte project (classical\n"
          "spelling), as Debian's package hunspell-fr-classical ships it: its entries filtered and\n"
          "shortened to a list by tools/make_course_words.py. Like its source it is subject to the\n"
          "Mozilla Public License 2.0, whose text follows; its source form is Words.txt itself.\n"
          "Copyright 2007-2018 Dicollecte contributors.\n\n",
    "RU": "Words.txt is a MODIFIED VERSION of the Russian spelling dictionary of Alexander I. Lebedev,\n"
          "as Debian's package aspell-ru ships it: its stems filtered and shortened to a list by\n"
          "tools/make_course_words.py. Its copyright and licence, from that package, follow.\n\n",
}


def english():
    for name in ("english-words.10", "american-words.10", "english-words.20", "american-words.20"):
        with open(os.path.join(SCOWL, name), encoding="latin-1") as f:
            for line in f:
                yield line.strip()


def french():
    with open(FR_DIC, encoding="utf-8") as f:
        next(f)  # the entry count
        for line in f:
            fields = line.split()
            if fields and not FR_LEFT_OUT.intersection(f.split(".")[0] for f in fields[1:]):
                yield fields[0].split("/")[0]


def russian():
    out = subprocess.run(["aspell", "-l", "ru", "dump", "master"], capture_output=True, check=True).stdout
    for line in out.decode("utf-8").splitlines():
        yield line.split("/")[0].strip()


def license_text(lang):
    if lang == "EN":
        body = open("/usr/share/doc/scowl/copyright", encoding="utf-8").read()
    elif lang == "FR":
        body = open("/usr/share/common-licenses/MPL-2.0", encoding="utf-8").read()
    else:
        body = open("/usr/share/doc/aspell-ru/copyright", encoding="utf-8").read()
    return LICENSE_HEAD[lang] + body


def fixed_order(word):
    return hashlib.sha1(word.encode("utf-8")).hexdigest()


def choose(lang, source):
    pattern = re.compile("[%s]{%d,%d}" % (LETTERS[lang], MIN_LENGTH, MAX_LENGTH))
    words, seen = [], set()
    for w in source:
        if pattern.fullmatch(w) and w not in seen and any(v in w for v in VOWELS[lang]):
            seen.add(w)
            words.append(w)
    size = lambda w: len(w.encode("utf-8")) + 2
    kept = {w for w in words if len(w) <= SHORT}
    # English comes most common first (size 10 before 20): its longer words keep that order.
    place = {w: i for i, w in enumerate(words)}
    longer = sorted((w for w in words if len(w) > SHORT), key=place.get if lang == "EN" else fixed_order)
    for letter in LETTERS[lang]:
        have = sum(letter in w for w in kept)
        for w in longer:
            if have >= MIN_PER_LETTER:
                break
            if letter in w and w not in kept:
                kept.add(w)
                have += 1
    used = sum(size(w) for w in kept)
    for w in longer:
        if w in kept:
            continue
        if used + size(w) > BUDGET[lang]:
            break
        kept.add(w)
        used += size(w)
    return [w for w in words if w in kept]


def main(argv):
    data = argv[1] if len(argv) > 1 else os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "data")
    for lang, source in (("EN", english), ("FR", french), ("RU", russian)):
        words = choose(lang, source())
        folder = os.path.join(data, lang, "Course")
        os.makedirs(folder, exist_ok=True)
        with open(os.path.join(folder, "Words.txt"), "wb") as f:
            f.write("".join(w + "\r\n" for w in words).encode("utf-8"))
        with open(os.path.join(folder, "License.txt"), "wb") as f:
            f.write(license_text(lang).replace("\r\n", "\n").replace("\n", "\r\n").encode("utf-8"))
        print("%s: %d words, %d bytes" % (lang, len(words), os.path.getsize(os.path.join(folder, "Words.txt"))))
    return 0


if __name__ == "__main__":
    sys.exit(main(sys.argv))
