"""Every screen in every language: for English, French and Russian in turn a short sample is typed
on the Tests screen, whose value column stands after the widest label; the detailed statistics
window opens inside the screen with every column heading in room and no horizontal scroll bar; its
words become the custom list; the hand-practice and custom words screens are built; and the
language is switched on the custom words screen, whose headings keep their alignment and room.
Screenshots of each screen in each language go to <build>/e2e-shots/screens-*.png."""

import os
import unittest

import harness as h

SAMPLES = {1: "quick brown foxes jump", 2: "le chat noir saute",
           3: "\u0431\u044b\u0441\u0442\u0440\u0430\u044f \u043b\u0438\u0441\u0430 \u043f\u0440\u044b\u0433\u0430\u0435\u0442"}
CODES = {1: "en", 2: "fr", 3: "ru"}
FOLDERS = {1: "EN", 2: "FR", 3: "RU"}
SWITCH_KEYS = {1: "ctrl+e", 2: "ctrl+f", 3: "ctrl+r"}
LAYOUTS = {3: "ru"}
# Headings of the detailed statistics list and of the custom words list in each language.
STATS_HEADINGS = {1: ["Word", "Length", "Speed", "Typing Errors"],
                  2: ["Mot", "Longueur", "Vitesse", "Fautes"],
                  3: ["\u0421\u043b\u043e\u0432\u043e", "\u0414\u043b\u0438\u043d\u0430",
                      "\u0421\u043a\u043e\u0440\u043e\u0441\u0442\u044c",
                      "\u041a\u043e\u043b-\u0432\u043e \u043e\u0448\u0438\u0431\u043e\u043a"]}
CUSTOM_HEADINGS = {1: ["Word", "Length", "Speed", "Typing Errors", "Typed Count"],
                   2: ["Mot", "Longueur", "Vitesse", "Fautes", "Comte"],
                   3: STATS_HEADINGS[3] + ["\u041a\u043e\u043b-\u0432\u043e \u0440\u0430\u0437"]}
STATS_WIDTHS = [100, 60, 80, 60]
CUSTOM_WIDTHS = [100, 60, 80, 80, 80]
ID_LEFT_LIST, ID_CUSTOM_LIST, ID_DS_LIST, ID_DS_CREATE, ID_DS_CHECK_ALL = 626, 635, 636, 637, 638
LVCFMT_CENTER = 2


def sample_file(text):
    return b"\xff\xfe" + text.encode("utf-16-le")


class EveryScreenInEveryLanguage(unittest.TestCase):
    def check_columns(self, columns, headings, widths):
        """Headings in order and language, each column at least its given width, centred after the
        first, and all of them inside the list beside a vertical scroll bar."""
        self.assertEqual([c["text"] for c in columns["columns"]], headings)
        for c, width in zip(columns["columns"], widths):
            self.assertGreaterEqual(c["width"], width, c["text"])
        self.assertEqual([c["format"] for c in columns["columns"][1:]], [LVCFMT_CENTER] * (len(widths) - 1))
        self.assertFalse(columns["hscroll"], "no horizontal scroll bar")
        self.assertLessEqual(sum(c["width"] for c in columns["columns"]) + 17, columns["client_width"])

    def type_sample(self, t, language):
        text = SAMPLES[language]
        t.activate()
        # Start Test: only the first test of a run starts by itself on the first key.
        t.key("F6")
        t.wait_for("the test to start", lambda: t.button(402)["image"] == 5)
        if language in LAYOUTS:
            with h.keyboard_layout(LAYOUTS[language]):
                t.type(text)
                t.wait_for("the typed sample", lambda: t.text(h.ID_TYPING_AREA) == text)
        else:
            t.type(text)
        return t.wait_for("the wide form", lambda: t.window()["rect"]["w"] >= h.WIDE_WIDTH)

    def check_tests_screen(self, t, language):
        snap = t.snapshot()
        fields = h.statistics_fields(snap)
        labels = [fields[r][0] for r in range(1, 7)]
        values = [fields[r][1] for r in range(1, 7)]
        self.assertTrue(all(labels) and all(values), "six labels and six values")
        self.assertTrue(all(v["text"] for v in values), "every figure is shown: %r" % [v["text"] for v in values])
        value_x = {v["rect"]["x"] for v in values}
        self.assertEqual(len(value_x), 1, "one value column")
        if language == 1:
            self.assertEqual(value_x, {700}, "English keeps the value column at 700")
        else:
            # "Temps passé (min): " and "Время теста (мин): " need more than 125 pixels.
            self.assertGreater(min(value_x), 700)
        t.screenshot("screens-tests-%s" % CODES[language])

    def check_statistics_window(self, t, language):
        t.key("F8")
        stats = h.find_window("DetailedStats", 10.0)
        self.assertIsNotNone(stats, "F8 opens the detailed statistics window")
        main = t.window()
        work = main["work_area"]
        r = stats["rect"]
        self.assertEqual(r["x"], main["rect"]["x"] + main["rect"]["w"], "docked at the right edge")
        self.assertGreaterEqual(r["x"], work["x"])
        self.assertLessEqual(r["x"] + r["w"], work["x"] + work["w"], "inside the work area")
        self.assertLessEqual(r["y"] + r["h"], work["y"] + work["h"], "inside the work area")
        self.check_columns(t.columns(stats["hwnd"], ID_DS_LIST), STATS_HEADINGS[language], STATS_WIDTHS)
        t.screenshot_screen("screens-stats-%s" % CODES[language])
        # Its words become the custom list of the language.
        h.probe("command", str(stats["hwnd"]), str(ID_DS_CHECK_ALL))
        h.probe("command", str(stats["hwnd"]), str(ID_DS_CREATE))
        custom = "%s/Training Words/Custom_Words.dat" % FOLDERS[language]
        t.wait_for("the custom list", lambda: t.exists(*custom.split("/")))
        h.probe("close", str(stats["hwnd"]))
        t.wait_for("the statistics window to close", lambda: h.find_window("DetailedStats", 0.1) is None)

    def build(self, t, key, control_id):
        t.activate()
        t.key(key)
        return t.wait_for("control %d" % control_id, lambda: h.child_by_id(t.snapshot(), control_id))

    def test_every_screen_in_every_language(self):
        tutor = h.Tutor("screen-languages")
        for language, text in SAMPLES.items():
            tutor.write("%s/Tests/Sample_Unicode.txt" % FOLDERS[language], sample_file(text))
        with tutor as t:
            t.wait_ready()
            for language in (1, 2, 3):
                code = CODES[language]
                if language > 1:
                    # Switched on the custom words screen: headings relabelled, aligned, in room.
                    t.activate()
                    t.key(SWITCH_KEYS[language])
                    t.wait_for("the custom words headings of language %d" % language,
                               lambda: self.custom_headings(t) == CUSTOM_HEADINGS[language])
                    self.check_columns(t.columns(t.hwnd, ID_CUSTOM_LIST), CUSTOM_HEADINGS[language],
                                       CUSTOM_WIDTHS)
                    t.screenshot("screens-custom-switched-%s" % code)
                    self.build(t, "ctrl+t", h.ID_SAMPLE_VIEW)
                t.wait_for_sample("the sample", SAMPLES[language])
                self.type_sample(t, language)
                self.check_tests_screen(t, language)
                self.check_statistics_window(t, language)
                self.build(t, "ctrl+1", ID_LEFT_LIST)
                t.screenshot("screens-hands-%s" % code)
                self.build(t, "ctrl+3", ID_CUSTOM_LIST)
                self.check_columns(t.columns(t.hwnd, ID_CUSTOM_LIST), CUSTOM_HEADINGS[language], CUSTOM_WIDTHS)
                t.screenshot("screens-custom-%s" % code)
            self.assertEqual(t.close_alt_f4(), 0)
            for language in (1, 2, 3):
                self.assertTrue(os.path.getsize(t.path(FOLDERS[language], "Training Words", "Custom_Words.dat")) > 0)

    @staticmethod
    def custom_headings(t):
        try:
            return [c["text"] for c in t.columns(t.hwnd, ID_CUSTOM_LIST)["columns"]]
        except h.HarnessError:
            return None


if __name__ == "__main__":
    h.main()
