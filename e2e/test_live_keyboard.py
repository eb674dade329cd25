"""The live keyboard and the mistakes in colour, typed with real keys under each language's own
keyboard layout: on a two-line sample that starts with a capital, the keyboard names and lights
the key of each of the first three characters (Shift too for the capital), a wrong key stands in
the error colour in the typing area, and at the first line's end the keyboard lights Enter and the
sample view shows a return sign. View, Keyboard (Ctrl+B) hides the keyboard, and it stays hidden
after a restart. Screenshots of the Tests screen with the keyboard and a wrong key in each
language go to <build>/e2e-shots/live-keyboard-<code>.png."""

import os
import re
import time
import unittest

import harness as h

ID_KEYBOARD = 660
LIT = (31, 78, 156)          # a lit key
ERROR = (217, 54, 43)        # the error colour
CASES = {
    # language: (code, layout, sample, the first three characters' key names, a wrong key)
    1: ("en", "us", "The cat\r\nsat.", ["T + Shift", "H", "E"], "x"),
    2: ("fr", "fr", "Le chat\r\ndort.", ["L + Shift", "E", "Space"], "z"),
    3: ("ru", "ru", "\u041a\u043e\u0442 \u0441\u043f\u0438\u0442\r\n\u0442\u0443\u0442.",
        ["\u041a + Shift", "\u041e", "\u0422"], "\u0446"),
}
SPACE = {1: "Space", 2: "Espace", 3: "\u041f\u0440\u043e\u0431\u0435\u043b"}


def colour_count(png, box, rgb, tolerance=8):
    """How many pixels of `box` (x, y, w, h) in `png` are within `tolerance` of `rgb`."""
    x, y, w, hh = box
    out = h.run_to_file(["convert", png, "-crop", "%dx%d+%d+%d" % (w, hh, x, y), "+repage", "-format", "%c",
                         "histogram:info:-"], timeout=30)
    total = 0
    for count, r, g, b in re.findall(r"^\s*(\d+): \(\s*(\d+),\s*(\d+),\s*(\d+)", out, re.M):
        if all(abs(int(v) - c) <= tolerance for v, c in zip((r, g, b), rgb)):
            total += int(count)
    return total


def screen_box(snap, control_id):
    """The screen rectangle (x, y, w, h) of a child of the main window."""
    child = h.child_by_id(snap, control_id, snap["window"]["hwnd"])
    origin = snap["window"]["client_origin"]
    r = child["rect"]
    return origin["x"] + r["x"], origin["y"] + r["y"], r["w"], r["h"]


class LiveKeyboard(unittest.TestCase):
    def keyboard_text(self, t):
        return t.text(ID_KEYBOARD)

    def shot(self, t, name):
        return t.screenshot_screen(name)

    @staticmethod
    def grab(name):
        """The whole display as it is now, without waiting for a last paint."""
        png = os.path.join(h.shots_dir(), name + ".png")
        h.run_to_file(["import", "-window", "root", png], timeout=30)
        return png

    def check_language(self, language):
        code, layout, sample, names, wrong = CASES[language]
        names = [SPACE[language] if n == "Space" else n for n in names]
        tutor = h.Tutor("live-keyboard-%s" % code, edits={"Language": language})
        tutor.write("%s/Tests/Sample_Unicode.txt" % code.upper(), h.encode_sample(sample))
        with tutor as t:
            t.start_on_sample("the sample", sample)
            first_line = sample.split("\r\n")[0]
            # The mark's colour: the selection of the sample's first character, before any key.
            x, y, _, _ = screen_box(t.snapshot(), h.ID_SAMPLE_VIEW)
            self.mark = dominant_colour(self.shot(t, "keyboard-start-%s" % code), (x + 3, y + 3, 8, 14))
            with h.keyboard_layout(layout):
                for i, name in enumerate(names):
                    if i:
                        t.type(sample[i - 1], 0)
                    text = t.wait_for("the key of character %d" % (i + 1),
                                      lambda: self.keyboard_text(t).startswith(name + ", ") and self.keyboard_text(t))
                    snap = t.snapshot()
                    lit = colour_count(self.shot(t, "keyboard-tests-%s" % code), screen_box(snap, ID_KEYBOARD), LIT)
                    # A key is some hundreds of pixels: one lit, or two with the Shift.
                    self.assertGreater(lit, 300 * (2 if "Shift" in name else 1), text)
                t.type(sample[len(names) - 1], 0)
                t.type(wrong, 0)
                # For a moment the key hit stands beside the key it was typed for; then
                # Backspace is the key to press.
                moment = t.wait_for("the wrong key's moment", lambda: " ! " in self.keyboard_text(t) and
                                    self.keyboard_text(t))
                self.assertTrue(moment.startswith(SPACE[language] if language != 2 else "C"), moment)
                png = self.grab("keyboard-wrong-%s" % code)  # at once: the moment lasts a second
                self.assertGreater(colour_count(png, screen_box(t.snapshot(), ID_KEYBOARD), ERROR), 300, moment)
                self.assertGreater(colour_count(png, screen_box(t.snapshot(), h.ID_TYPING_AREA), ERROR), 20,
                                   "the wrong character in the error colour")
                r = t.window()["rect"]
                h.run_to_file(["convert", png, "-crop", "%dx%d+%d+%d" % (r["w"], r["h"], r["x"], r["y"]), "+repage",
                               os.path.join(h.shots_dir(), "live-keyboard-%s.png" % code)], timeout=30)
                t.wait_for("Backspace to press", lambda: self.keyboard_text(t).startswith("Backspace, "))
                t.key("BackSpace")
                t.type(first_line[len(names):], 30)
                t.wait_for("Enter to type", lambda: self.keyboard_text(t).startswith("Enter, "))
                t.wait_for("the sample view's return sign", lambda: self.return_sign(t))
            # View, Keyboard hides it, for this run and the next.
            height = t.window()["rect"]["h"]
            t.key("ctrl+b")
            t.wait_for("the keyboard hidden", lambda: h.child_by_id(t.snapshot(), ID_KEYBOARD) is None)
            self.assertLess(t.window()["rect"]["h"], height)
            self.assertEqual(t.close_alt_f4(), 0)
            self.assertIn(b"<ShowKeyboard>0</ShowKeyboard>", t.read_file("Settings.xml"))
            t.start()
            t.wait_ready()
            self.assertIsNone(h.child_by_id(t.snapshot(), ID_KEYBOARD), "still hidden after a restart")
            self.assertEqual(t.close_alt_f4(), 0)

    def return_sign(self, t):
        """The sample view's first line shows a box of the mark's colour: with its text typed,
        what is marked is the line break, which has no glyph of its own."""
        x, y, w, _ = screen_box(t.snapshot(), h.ID_SAMPLE_VIEW)
        png = self.shot(t, "keyboard-enter")
        return colour_count(png, (x + 2, y + 2, w - 4, 18), self.mark) > 100

    def test_english(self):
        self.check_language(1)

    def test_french(self):
        self.check_language(2)

    def test_russian(self):
        self.check_language(3)


def dominant_colour(png, box):
    """The most frequent colour of `box` in `png` but white and black."""
    x, y, w, hh = box
    out = h.run_to_file(["convert", png, "-crop", "%dx%d+%d+%d" % (w, hh, x, y), "+repage", "-format", "%c",
                         "histogram:info:-"], timeout=30)
    found = [(int(n), (int(r), int(g), int(b))) for n, r, g, b in
             re.findall(r"^\s*(\d+): \(\s*(\d+),\s*(\d+),\s*(\d+)", out, re.M)]
    found = [f for f in found if f[1] not in ((255, 255, 255), (0, 0, 0))]
    return max(found)[1] if found else None


if __name__ == "__main__":
    h.main()
