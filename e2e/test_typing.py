"""Typing the English sample with real key events: the test starts on the first key, the sample
view follows the typist past its 25th display line with the next character marked, the status
bar shows the live figures; the test stops on the last key, the window widens and shows the six
figures, the status bar the final ones; a second test (Clear, Start, one wrong letter mended with
BackSpace) counts one error."""

import time
import unittest

import harness as h

DELAY_MS = 8
FOLLOW_LINE = 26   # the typing goes this far into the sample view's display lines (0 is the first)
LABELS = ["Time spent (min): ", "CPM: ", "Characters: ", "Words typed: ", "WPM: ", "Total errors count: "]


def mistake_position(text):
    """A letter inside a word of the second paragraph (not its first letter)."""
    start = text.index("\r\n") + 2
    for i in range(start + 5, len(text)):
        if text[i].isalpha() and text[i - 1].isalpha():
            return i
    raise AssertionError("the sample has no word to misspell")


def followed_first_line(shown, count, up_to):
    """The first line a view of `shown` lines out of `count` shows after following the typing line
    by line from the top to line `up_to`: once the typing leaves it, the line being typed comes
    second, under one line of context, and the view never goes past its last line."""
    first = 0
    for line in range(up_to + 1):
        if not first <= line < first + shown:
            first = max(0, min(line - 1, count - shown))
    return first


class TypingTheSample(unittest.TestCase):
    @classmethod
    def setUpClass(cls):
        cls.sample = h.sample_text(1)
        cls.steps = h.keystroke_plan(cls.sample)   # raises when the sample cannot be typed
        cls.tutor = h.Tutor("typing")
        cls.tutor.start_on_sample("the English sample", cls.sample)

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

    def check_final_live_figures(self, snap, values):
        """The status bar shows the stopped test's figures, as the statistics panel does."""
        live = h.live_figures(snap["statusbar"]["texts"], 1)
        self.assertIsNotNone(live, "final figures in the status bar: %r" % snap["statusbar"]["texts"])
        seconds, cpm, errors = live
        self.assertEqual((cpm, errors), (values[1], values[5]))
        # Whole seconds against minutes with two decimals.
        self.assertLess(abs(seconds - float(values[0]) * 60), 1.5)
        time.sleep(0.6)
        self.assertEqual(self.tutor.status_texts(), snap["statusbar"]["texts"], "no more updates after the stop")

    def test_1_first_keys_start_the_test(self):
        t = self.tutor
        self.assertEqual(t.focus()["id"], h.ID_TYPING_AREA)
        self.assertEqual(t.status_texts(), ["", "", ""], "no figures before a test")
        view = t.edit_view(h.ID_SAMPLE_VIEW)
        self.assertEqual((view["first_visible"], view["sel_start"], view["sel_end"]), (0, 0, 1),
                         "the first character is marked")
        self.assertGreater(view["line_count"], FOLLOW_LINE, "the sample is longer than the view")
        self.assertLess(view["visible_lines"], FOLLOW_LINE)
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

    def test_2_sample_view_follows_and_live_figures_show(self):
        t = self.tutor
        cut = t.sample_cut(self.sample, FOLLOW_LINE)
        TypingTheSample.cut = cut
        t.play(h.keystroke_plan(self.sample[5:cut]), DELAY_MS)
        t.wait_for("the typing up to line %d" % FOLLOW_LINE, lambda: t.text(h.ID_TYPING_AREA) == self.sample[:cut],
                   timeout=60)
        view = t.edit_view(h.ID_SAMPLE_VIEW)
        self.assertEqual((view["sel_start"], view["sel_end"]), (cut, cut + 1), "the next character is marked")
        self.assertEqual(view["sel_line"], FOLLOW_LINE)
        first, shown = view["first_visible"], view["visible_lines"]
        self.assertGreater(first, 0, "the view has scrolled")
        self.assertTrue(first < view["sel_line"] < first + shown,
                        "the line being typed is in sight under a line of context: %r" % view)
        self.assertEqual(first, followed_first_line(shown, view["line_count"], FOLLOW_LINE),
                         "the view jumped when the typing passed its last line, not line by line")
        self.assertEqual(t.focus()["id"], h.ID_TYPING_AREA, "the view never takes the focus")

        live = t.wait_for("the live figures", lambda: h.live_figures(t.status_texts(), 1))
        wall = time.monotonic() - TypingTheSample.started
        seconds, cpm, errors = live
        self.assertTrue(0 < seconds <= wall + 1, "%d s shown after %.1f s" % (seconds, wall))
        self.assertGreater(float(cpm), 0.0)
        self.assertEqual(errors, "0")
        t.wait_for("the time to go on", lambda: h.live_figures(t.status_texts(), 1)[0] > seconds, timeout=5)
        t.screenshot("follow-en")

    def test_3_last_key_completes_and_widens(self):
        t = self.tutor
        rest = h.keystroke_plan(self.sample[TypingTheSample.cut:])
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
        self.check_final_live_figures(snap, values)
        tb = {b["command"]: b for b in snap["toolbar"]["buttons"]}
        self.assertEqual(tb[402]["image"], 1)
        self.assertTrue(tb[401]["enabled"] and tb[405]["enabled"])
        t.screenshot("tests-en-wide")
        toolbar = h.child_by_id(snap, h.ID_TOOLBAR)
        links = [c for c in snap["children"] if c["parent"] == toolbar["hwnd"]]
        self.assertEqual([h.rect_tuple(c["rect"]) for c in links], [(600, 4, 150, 20)],
                         "the support link moves with the wide form")

    def test_4_second_test_counts_one_error(self):
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
        self.assertEqual((labels, values), ([""] * 6, [""] * 6), "a start empties every row")
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
        self.check_final_live_figures(snap, values)

    def test_9_close(self):
        t = self.tutor
        self.assertEqual(t.close_alt_f4(), 0)
        self.assertEqual(t.read_file("Settings.xml"), t.settings_before)


if __name__ == "__main__":
    h.main()
