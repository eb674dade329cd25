"""Switching the interface language with Ctrl+E, Ctrl+F and Ctrl+R on the Tests screen, and what
the exit writes back to Settings.xml."""

import unittest

import harness as h

TITLES = {1: "Keyfarer (English Version)",  # the fixed title after switching to English
          2: "Keyfarer (Version Fran\u00e7aise)",
          3: "Keyfarer (\u0420\u0443\u0441\u0441\u043a\u0430\u044f \u0432\u0435\u0440\u0441\u0438\u044f)"}
KEYS = {1: "ctrl+e", 2: "ctrl+f", 3: "ctrl+r"}
# File, Exit through the mnemonics of the English and French menu bars.
EXIT_MNEMONICS = {1: ("f", "x"), 2: ("f", "u")}


class LanguageSwitch(unittest.TestCase):
    def switch(self, t, language, shot=None):
        t.activate()
        t.key(KEYS[language])
        t.wait_for("title %r" % TITLES[language], lambda: t.window()["title"] == TITLES[language])
        expected = h.sample_text(language)
        t.wait_for_sample("the sample of language %d" % language, expected)
        snap = t.snapshot()
        main = snap["window"]["hwnd"]
        self.assertEqual(h.child_by_id(snap, h.ID_TYPING_AREA, main)["text"], "", "the switch empties the typing area")
        self.assertEqual((snap["window"]["rect"]["w"], snap["window"]["rect"]["h"]), h.NARROW_SIZE)
        self.assertTrue(h.child_by_id(snap, h.ID_TYPING_AREA, main)["visible"])
        tb = {b["command"]: b for b in snap["toolbar"]["buttons"]}
        self.assertTrue(tb[404]["indeterminate"], "Clear is greyed after the switch")
        self.assertEqual(snap["focus"]["id"] if snap["focus"] else None, h.ID_TYPING_AREA)
        if shot:
            t.screenshot(shot)
        return snap

    def type_something(self, t):
        t.activate()
        t.type("abc")
        t.wait_for("typed text", lambda: t.text(h.ID_TYPING_AREA) == "abc")

    def test_switches_then_file_exit_saves_french(self):
        with h.Tutor("languages-switch") as t:
            t.wait_ready()
            self.type_something(t)
            self.switch(t, 2)
            self.type_something(t)
            self.switch(t, 3)
            self.switch(t, 1)
            self.switch(t, 2)
            self.assertEqual(t.close_file_exit(EXIT_MNEMONICS[2]), 0)
            self.assertEqual(t.read_file("Settings.xml"), h.edit_setting(t.settings_before, "Language", 2),
                             "only the Language line changes, to 2")
            self.assertFalse(t.exists("TraceFile.txt"))

    def test_russian_then_alt_f4_saves_russian(self):
        with h.Tutor("languages-russian") as t:
            t.wait_ready()
            self.switch(t, 3, "tests-ru-narrow")
            self.assertEqual(t.close_alt_f4(), 0)
            self.assertEqual(t.read_file("Settings.xml"), h.edit_setting(t.settings_before, "Language", 3))

    def test_french_start_then_english_file_exit(self):
        with h.Tutor("languages-french-start", edits={"Language": 2}) as t:
            t.wait_ready()
            t.wait_for_sample("the French sample", h.sample_text(2))
            self.assertEqual(t.window()["title"], TITLES[2], "string 100 in French at start")
            t.screenshot("tests-fr-narrow")
            self.switch(t, 1)
            self.assertEqual(t.close_file_exit(EXIT_MNEMONICS[1]), 0)
            self.assertEqual(t.read_file("Settings.xml"), h.edit_setting(t.settings_before, "Language", 1))

    def test_without_save_last_used_nothing_is_written(self):
        with h.Tutor("languages-no-save", edits={"SaveLastUsed": 0}) as t:
            t.wait_ready()
            self.switch(t, 2)
            self.assertEqual(t.close_file_exit(EXIT_MNEMONICS[2]), 0)
            self.assertEqual(t.read_file("Settings.xml"), t.settings_before)


if __name__ == "__main__":
    h.main()
