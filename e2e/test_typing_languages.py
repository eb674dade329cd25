"""Typing the French and the Russian sample with real key events, accented and Cyrillic letters
included: the test starts on the first key and stops on the last, the window widens and the six
figures show under the labels of the language; midway, the sample view marks the next character
and the status bar shows the live figures in the language (photographed), and the wide Tests
screen is photographed at the end."""

import time
import unittest

import harness as h

DELAY_MS = 8
MIDWAY_LINE = 22   # the display line of the sample view where the typing pauses for a picture
LABELS = {
    2: ["Temps pass\u00e9 (min): ", "CPM: ", "Caract\u00e8res: ", "Mots typ\u00e9s: ", "WPM: ",
        "Compte d'erreurs: "],
    3: ["\u0412\u0440\u0435\u043c\u044f \u0442\u0435\u0441\u0442\u0430 (\u043c\u0438\u043d): ", "CPM: ",
        "\u0417\u043d\u0430\u043a\u043e\u0432 \u043d\u0430\u0431\u0440\u0430\u043d\u043e: ",
        "\u0421\u043b\u043e\u0432 \u043d\u0430\u0431\u0440\u0430\u043d\u043e: ", "WPM: ",
        "\u041a\u043e\u043b-\u0432\u043e \u043e\u0448\u0438\u0431\u043e\u043a: "],
}
KEYBOARD_LAYOUTS = {2: "fr", 3: "ru"}
TITLES = {2: "Keyfarer (Version Fran\u00e7aise)",
          3: "Keyfarer (\u0420\u0443\u0441\u0441\u043a\u0430\u044f \u0432\u0435\u0440\u0441\u0438\u044f)"}


def first_difference(typed, expected):
    """Where two texts part, as a short readable note (None when they are equal)."""
    if typed == expected:
        return None
    at = next((i for i, (a, b) in enumerate(zip(typed, expected)) if a != b), min(len(typed), len(expected)))
    return "at %d: typed %r, sample %r" % (at, typed[at:at + 12], expected[at:at + 12])


class TypingInEachLanguage(unittest.TestCase):
    def type_sample(self, t, language):
        """Types the whole sample of the language into a fresh Tests screen; returns the sample,
        the snapshot of the wide form and the wall-clock seconds the typing took."""
        sample = h.sample_text(language)
        self.assertTrue(any(ord(c) > 0x7e for c in sample), "the sample has letters beyond ASCII")
        cut = t.sample_cut(sample, MIDWAY_LINE)
        t.activate()
        self.assertEqual(t.focus()["id"], h.ID_TYPING_AREA)
        # Under the language's own keyboard layout each letter has a key of its own (a spare key
        # remapped for each letter in turn drops or repeats letters under Wine). The layout stays
        # until the tutor has taken every key: Wine turns a key into its letter when the tutor
        # reads the key, so the keys still queued would be read with the restored keymap.
        with h.keyboard_layout(KEYBOARD_LAYOUTS[language]):
            started = time.monotonic()
            t.play(h.keystroke_plan(sample[:cut], beyond_ascii=True), DELAY_MS)
            self.check_midway(t, language, sample, cut)
            t.play(h.keystroke_plan(sample[cut:], beyond_ascii=True), DELAY_MS)

            def completed():
                w = t.window()
                if w["rect"]["w"] == h.WIDE_WIDTH:
                    return w
                typed = t.text(h.ID_TYPING_AREA)
                if len(typed) < len(sample):
                    return None
                # Every key has arrived: the last one may have widened the window since the
                # look above; if not, the test will not complete and waiting is no use.
                w = t.window()
                return w if w["rect"]["w"] == h.WIDE_WIDTH else typed
            try:
                window = t.wait_for("the wide form", completed, timeout=30)
            except h.HarnessError:
                window = t.text(h.ID_TYPING_AREA)
            if not isinstance(window, dict):
                # Say which letter went wrong rather than only that the test never completed.
                self.fail("no wide form; the typed text is not the sample: %s"
                          % first_difference(window, sample))
        wall = time.monotonic() - started
        self.assertEqual(window["rect"]["h"], h.NARROW_SIZE[1])
        screen = (window["screen"]["w"], window["screen"]["h"])
        self.assertEqual((window["rect"]["x"], window["rect"]["y"]),
                         h.centred_position((h.WIDE_WIDTH, h.NARROW_SIZE[1]), screen,
                                            h.rect_tuple(window["work_area"])))
        snap = t.snapshot()
        typed = h.child_by_id(snap, h.ID_TYPING_AREA)["text"]
        self.assertIsNone(first_difference(typed, sample))
        self.assertEqual(h.child_by_id(snap, h.ID_SAMPLE_VIEW)["text"], sample, "the sample view is untouched")
        return sample, snap, wall

    def check_midway(self, t, language, sample, cut):
        """Midway through the sample: the next character is marked in sight, the status bar
        shows the live figures under the labels of the language; a picture of both."""
        def typed_so_far():
            typed = t.text(h.ID_TYPING_AREA)
            return typed if len(typed) >= cut else None
        typed = t.wait_for("the first part of the sample", typed_so_far, timeout=30)
        self.assertIsNone(first_difference(typed, sample[:cut]))
        view = t.edit_view(h.ID_SAMPLE_VIEW)
        self.assertEqual((view["sel_start"], view["sel_end"]), (cut, cut + 1), "the next character is marked")
        self.assertTrue(view["first_visible"] <= view["sel_line"] < view["first_visible"] + view["visible_lines"],
                        "the line being typed is in sight: %r" % view)
        live = t.wait_for("the live figures", lambda: h.live_figures(t.status_texts(), language))
        self.assertEqual(live[2], "0", "no error so far")
        t.screenshot("follow-%s" % {2: "fr", 3: "ru"}[language])

    def check_figures(self, language, sample, snap, wall_seconds):
        fields = h.statistics_fields(snap)
        for row, (label, value) in fields.items():
            self.assertIsNotNone(label, "statistics label %d exists" % row)
            self.assertIsNotNone(value, "statistics value %d exists" % row)
            self.assertTrue(label["visible"] and value["visible"], "row %d is shown" % row)
        labels = [fields[r][0]["text"] for r in range(1, 7)]
        values = [fields[r][1]["text"] for r in range(1, 7)]
        self.assertEqual(labels, LABELS[language])
        # Every letter, accented or Cyrillic, matched the sample: no error.
        h.check_figures(self, values, sample, h.character_messages(sample), 0, wall_seconds)
        live = h.live_figures(snap["statusbar"]["texts"], language)
        self.assertIsNotNone(live, "final figures in the status bar: %r" % snap["statusbar"]["texts"])
        self.assertEqual(live[1:], (values[1], values[5]))

    def test_french_sample_from_a_french_start(self):
        with h.Tutor("typing-french", edits={"Language": 2}) as t:
            t.wait_ready()
            t.wait_for_sample("the French sample", h.sample_text(2))
            self.assertEqual(t.window()["title"], TITLES[2])
            sample, snap, wall = self.type_sample(t, 2)
            self.check_figures(2, sample, snap, wall)
            t.screenshot("tests-fr-wide")
            self.assertEqual(t.close_alt_f4(), 0)
            self.assertEqual(t.read_file("Settings.xml"), t.settings_before, "the language did not change")

    def test_russian_sample_after_ctrl_r(self):
        with h.Tutor("typing-russian") as t:
            t.wait_ready()
            t.activate()
            t.key("ctrl+r")
            t.wait_for("the Russian title", lambda: t.window()["title"] == TITLES[3])
            t.wait_for_sample("the Russian sample", h.sample_text(3))
            # No key has been typed yet, so the first Cyrillic letter still starts the test.
            sample, snap, wall = self.type_sample(t, 3)
            self.check_figures(3, sample, snap, wall)
            t.screenshot("tests-ru-wide")
            self.assertEqual(t.close_alt_f4(), 0)
            self.assertEqual(t.read_file("Settings.xml"), h.edit_setting(t.settings_before, "Language", 3))


if __name__ == "__main__":
    h.main()
