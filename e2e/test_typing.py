"""Typing the English sample with real key events: the test starts on the first key, stops on the
last, the window widens and shows the six figures; a second test (Clear, Start, one wrong letter
mended with BackSpace) counts one error."""

import time
import unittest

import harness as h

DELAY_MS = 8
LABELS = ["Time spent (min): ", "CPM: ", "Characters: ", "Words typed: ", "WPM: ", "Total errors count: "]


def mistake_position(text):
    """A letter inside a word of the second paragraph (not its first letter)."""
    start = text.index("\r\n") + 2
    for i in range(start + 5, len(text)):
        if text[i].isalpha() and text[i - 1].isalpha():
            return i
    raise AssertionError("the sample has no word to misspell")


class TypingTheSample(unittest.TestCase):
    @classmethod
    def setUpClass(cls):
        cls.sample = h.sample_text(1)
        cls.steps = h.keystroke_plan(cls.sample)   # raises when the sample cannot be typed
        cls.tutor = h.Tutor("typing")
        cls.tutor.start()
        cls.tutor.wait_ready()
        cls.tutor.wait_for("the English sample", lambda: cls.tutor.text(h.ID_SAMPLE_VIEW) == cls.sample)
        cls.tutor.activate()

    @classmethod
    def tearDownClass(cls):
        cls.tutor.kill()

    def figures(self, snap):
        fields = h.statistics_fields(snap)
        for row, (label, value) in fields.items():
            self.assertIsNotNone(label, "statistics label %d exists" % row)
            self.assertIsNotNone(value, "statistics value %d exists" % row)
        return [fields[r][0]["text"] for r in range(1, 7)], [fields[r][1]["text"] for r in range(1, 7)]

    def check_figures(self, values, keystrokes, errors, wall_seconds):
        h.check_figures(self, values, self.sample, keystrokes, errors, wall_seconds)

    def test_1_first_keys_start_the_test(self):
        t = self.tutor
        self.assertEqual(t.focus()["id"], h.ID_TYPING_AREA)
        first = self.sample[:5]
        self.assertTrue(first.isascii() and "\r" not in first)
        TypingTheSample.started = time.monotonic()
        t.type(first, DELAY_MS)
        t.wait_for("the first keys in the typing area", lambda: t.text(h.ID_TYPING_AREA) == first)
        tb = {b["command"]: b for b in t.toolbar()["buttons"]}
        self.assertEqual(tb[402]["image"], 5, "Start/Stop shows Stop while the test runs")
        self.assertTrue(tb[401]["indeterminate"], "Open is greyed while the test runs")
        self.assertTrue(tb[404]["enabled"], "Clear is enabled by a keystroke")
        self.assertEqual(t.window()["rect"]["w"], h.NARROW_SIZE[0])

    def test_2_last_key_completes_and_widens(self):
        t = self.tutor
        rest = h.keystroke_plan(self.sample[5:])
        t.play(rest, DELAY_MS)
        window = t.wait_for("the wide form", lambda: (lambda w: w if w["rect"]["w"] == h.WIDE_WIDTH else None)(t.window()),
                            timeout=60)
        wall = time.monotonic() - TypingTheSample.started
        self.assertEqual(window["rect"]["h"], h.NARROW_SIZE[1])
        screen = (window["screen"]["w"], window["screen"]["h"])
        self.assertEqual((window["rect"]["x"], window["rect"]["y"]),
                         h.centred_position((h.WIDE_WIDTH, h.NARROW_SIZE[1]), screen, h.rect_tuple(window["work_area"])))
        snap = t.snapshot()
        self.assertEqual(h.child_by_id(snap, h.ID_TYPING_AREA)["text"], self.sample)
        labels, values = self.figures(snap)
        self.assertEqual(labels, LABELS)
        self.check_figures(values, h.character_messages(self.sample), 0, wall)
        tb = {b["command"]: b for b in snap["toolbar"]["buttons"]}
        self.assertEqual(tb[402]["image"], 1)
        self.assertTrue(tb[401]["enabled"] and tb[405]["enabled"])
        t.screenshot("tests-en-wide")
        toolbar = h.child_by_id(snap, h.ID_TOOLBAR)
        links = [c for c in snap["children"] if c["parent"] == toolbar["hwnd"]]
        self.assertEqual([h.rect_tuple(c["rect"]) for c in links], [(600, 4, 150, 20)],
                         "the support link moves with the wide form")

    def test_3_second_test_counts_one_error(self):
        t = self.tutor
        t.activate()
        t.key("F7")
        t.wait_for("the typing area emptied by F7", lambda: t.text(h.ID_TYPING_AREA) == "")
        self.assertTrue(t.button(404)["indeterminate"])
        # The automatic start happens only before the first test: this one starts with F6, and
        # the tutor's clock starts with that key, so the wall clock starts before it.
        started = time.monotonic()
        t.key("F6")
        t.wait_for("Stop on the Start/Stop button", lambda: t.button(402)["image"] == 5)
        labels, values = self.figures(t.snapshot())
        self.assertEqual((labels[0], values[0]), ("", ""), "a start empties the first row")
        self.assertEqual(labels[1:], LABELS[1:], "the other rows keep the last figures")
        at = mistake_position(self.sample)
        t.play(h.keystroke_plan(self.sample, mistake_at=at), DELAY_MS)
        t.wait_for("the end of the second test", lambda: t.button(402)["image"] == 1, timeout=60)
        wall = time.monotonic() - started
        snap = t.snapshot()
        self.assertEqual(h.child_by_id(snap, h.ID_TYPING_AREA)["text"], self.sample)
        self.assertEqual(snap["window"]["rect"]["w"], h.WIDE_WIDTH)
        labels, values = self.figures(snap)
        self.assertEqual(labels, LABELS)
        # The wrong letter and the BackSpace are two more character messages.
        self.check_figures(values, h.character_messages(self.sample) + 2, 1, wall)

    def test_9_close(self):
        t = self.tutor
        self.assertEqual(t.close_alt_f4(), 0)
        self.assertEqual(t.read_file("Settings.xml"), t.settings_before)


if __name__ == "__main__":
    h.main()
