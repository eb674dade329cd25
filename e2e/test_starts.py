"""Every start a learner can have: the install folder started with the installer's own settings for
each language and each mode (twelve starts), each showing its screen in its language, one word
typed and seen, closed with Alt+F4 with exit code 0 and Settings.xml untouched; and two Russian
starts on hostile samples: the largest file the tutor accepts, and one holding every Cyrillic
letter in both cases at the start of a line of its own."""

import unittest

import harness as h

ID_LEFT_LIST = 626
ID_CUSTOM_LIST = 635
TITLES = {1: "Keyfarer", 2: "Keyfarer (Version Fran\u00e7aise)",
          3: "Keyfarer (\u0420\u0443\u0441\u0441\u043a\u0430\u044f \u0432\u0435\u0440\u0441\u0438\u044f)"}
KEYBOARD_LAYOUTS = {1: "us", 2: "fr", 3: "ru"}
# Each language's word, typed at the start of the typing area. The Russian one begins with a
# letter whose code is also a combining mark's glyph number in common fonts.
WORDS = {1: "keys", 2: "\u00e9t\u00e9", 3: "\u0437\u0430\u0440\u044f"}
# What shows that the screen of a mode was built: a control only that screen has.
SCREEN_CONTROLS = {1: ID_LEFT_LIST, 2: ID_LEFT_LIST, 3: ID_CUSTOM_LIST, 4: h.ID_SAMPLE_VIEW}
CYRILLIC = "".join(chr(c) for c in range(0x410, 0x450)) + "\u0401\u0451"


def sample_file(text):
    return b"\xff\xfe" + text.encode("utf-16-le")


def largest_sample():
    """Russian text of 1998 units after the byte-order mark: the largest file that loads."""
    words = "\u0434\u0435\u0436 \u0437\u0435\u043c\u043b\u044f \u0436\u0434\u0451\u0442 \u0435\u0433\u043e.\r\n"
    text = (words * (1998 // len(words) + 1))[:1998]
    return text


class EveryStart(unittest.TestCase):
    def start_and_type(self, name, language, mode, sample=None):
        """Starts the tutor in `language` and `mode`, checks its screen, types the language's
        word, closes it with Alt+F4 and checks the exit code and Settings.xml."""
        tutor = h.Tutor(name, edits={"Language": str(language), "Mode": str(mode)})
        if sample is not None:
            tutor.write("RU/Tests/Sample_Unicode.txt", sample_file(sample))
        with tutor as t:
            snap = t.wait_ready()
            self.assertEqual(snap["window"]["title"], TITLES[language])
            self.assertIsNotNone(h.child_by_id(snap, SCREEN_CONTROLS[mode]), "the screen of mode %d" % mode)
            if mode == 4:
                expected = h.sample_text(language) if sample is None else sample
                t.wait_for_sample("the sample of language %d" % language, expected)
            t.activate()
            word = WORDS[language]
            with h.keyboard_layout(KEYBOARD_LAYOUTS[language]):
                t.play(h.keystroke_plan(word, beyond_ascii=True))
                t.wait_for("the word in the typing area", lambda: t.text(h.ID_TYPING_AREA) == word)
            t.screenshot(name)
            self.assertEqual(t.close_alt_f4(), 0)
            self.assertEqual(t.read_file("Settings.xml"), t.settings_before)

    def test_every_language_in_every_mode(self):
        for language in (1, 2, 3):
            for mode in (1, 2, 3, 4):
                with self.subTest(language=language, mode=mode):
                    self.start_and_type("start-%d-%d" % (language, mode), language, mode)

    def test_russian_hostile_samples(self):
        lines = "\r\n".join("%s\u0430 %s" % (c, c) for c in CYRILLIC)
        for name, text in (("start-ru-largest", largest_sample()), ("start-ru-alphabet", lines)):
            with self.subTest(sample=name):
                self.start_and_type(name, 3, 4, text)


if __name__ == "__main__":
    h.main()
