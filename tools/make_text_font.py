#!/usr/bin/env python3
"""Writes resources/text_font.ttf, the face of the tutor's text views (typing areas, sample view,
word lists): "Keyfarer Text", made from Liberation Sans 2 Regular (metric-compatible with Arial, so
every layout stays as with Arial), licensed under the SIL Open Font License 1.1.

    python3 tools/make_text_font.py [source .ttf] [output .ttf]

Needs Debian's fonts-liberation2 and python3-fonttools; the output is committed and the build only
reads it. The tutor registers the face for its own process from its resources, so what it shows
does not depend on the fonts a machine has.

What is kept: the glyphs of the three languages (Basic Latin, Latin-1, the French ligatures, the
Russian letters, common punctuation); a character beyond them is drawn by the system's fallback
font, which Windows and Wine both shape with its real glyphs. The glyphs go without their hinting
instructions, half of the face's bytes: the text views draw 16 and 20 pixel text, which the
systems smooth well from the outlines alone (the gasp table asks for smoothing at every size).
What is dropped: the OpenType layout tables (GPOS, GSUB, GDEF) and the old kern table. Wine's edit
control shapes Latin and Cyrillic lines without glyph numbers, so a font's positioning lookups are
applied to character codes as if they were glyphs: with Liberation Sans 2 the Cyrillic д е ж з
(U+0434-U+0437) are taken for combining marks, drawn above the line, and one at the start of a
line makes the mark-to-mark step read before its buffer and end the program. A face with no
positioning tables has nothing to misapply; Windows shapes it as any TrueType font.

The Reserved Font Names (Liberation, Arimo) are not used by this modified version; the licence
travels in the font's own licence field (name 13, its whole text in the Macintosh record, which
takes one byte a character), with the copyright (name 0).
"""

import os
import sys

from fontTools import subset
from fontTools.ttLib import TTFont

SOURCE = "/usr/share/fonts/truetype/liberation2/LiberationSans-Regular.ttf"
FAMILY = "Keyfarer Text"
UNICODES = [
    (0x0020, 0x007E), (0x00A0, 0x00FF), (0x0152, 0x0153), (0x0178, 0x0178), (0x0401, 0x0401),
    (0x0410, 0x044F), (0x0451, 0x0451), (0x2013, 0x2014), (0x2018, 0x201E), (0x2022, 0x2022),
    (0x2026, 0x2026), (0x2030, 0x2030), (0x2039, 0x203A), (0x20AC, 0x20AC), (0x2116, 0x2116),
    (0x2122, 0x2122), (0x2212, 0x2212), (0xFFFD, 0xFFFD),
]
LICENCE_FILE = os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "resources", "OFL.txt")


def main():
    source = sys.argv[1] if len(sys.argv) > 1 else SOURCE
    root = os.path.join(os.path.dirname(os.path.abspath(__file__)), "..")
    output = sys.argv[2] if len(sys.argv) > 2 else os.path.join(root, "resources", "text_font.ttf")
    font = TTFont(source)
    options = subset.Options()
    options.drop_tables += ["GPOS", "GSUB", "GDEF", "kern", "DSIG", "FFTM"]
    options.name_IDs = [0, 1, 2, 3, 4, 5, 6, 13, 14]
    options.notdef_outline = True
    options.recalc_timestamp = False
    options.hinting = False
    subsetter = subset.Subsetter(options)
    subsetter.populate(unicodes=[c for first, last in UNICODES for c in range(first, last + 1)])
    subsetter.subset(font)

    with open(LICENCE_FILE, encoding="utf-8") as f:
        licence = f.read().strip()
    names = font["name"]
    copyright_text = names.getDebugName(0)
    names.names = []
    for name_id, text in ((0, copyright_text), (1, FAMILY), (2, "Regular"), (3, FAMILY + " Regular"),
                          (4, FAMILY), (5, "Version 2.1.5; subset for Keyfarer"), (6, FAMILY.replace(" ", "")),
                          (13, "Licensed under the SIL Open Font License, Version 1.1"),
                          (14, "https://openfontlicense.org")):
        names.setName(text, name_id, 3, 1, 0x409)
    names.setName(licence, 13, 1, 0, 0)
    # Smoothing, grid-fitted where the system can, at every size: there are no instructions.
    from fontTools.ttLib import newTable
    gasp = newTable("gasp")
    gasp.version = 1
    gasp.gaspRange = {0xFFFF: 0x000F}
    font["gasp"] = gasp
    font["head"].modified = font["head"].created
    font.save(output)
    print("%s: %d glyphs, %d bytes" % (output, len(font.getGlyphOrder()), os.path.getsize(output)))
    return 0


if __name__ == "__main__":
    sys.exit(main())
