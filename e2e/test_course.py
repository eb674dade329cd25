"""The course in each language, typed with real keys under the language's own keyboard layout at
250 characters a minute (one key every 240 ms): a learner who types the lessons cleanly unlocks the
next keys of the course one at a time, each the next of its order; one who types as fast with 90 %
accuracy (every tenth time a key is to be typed, a wrong key first, mended with Backspace) unlocks
nothing. Every lesson is made of the keys unlocked, with the focus key in at least 70 % of its
words. The progress survives a restart, and View, Options, Reset starts the course again. A
screenshot of the Course screen in each language goes to <build>/e2e-shots/course-<code>.png."""

import re
import time
import unittest

import harness as h

ID_PROGRESS = 661
ID_SAMPLE = 621
IDM_OPTIONS = 4022
ID_RESET = 677
IDOK, IDYES = 1, 6
DIALOG_CLASS = "#32770"
MS_PER_KEY = 240  # 250 characters a minute
# xdotool waits half its delay after a key's press and half after its release.
XDOTOOL_DELAY = 2 * MS_PER_KEY
LANGUAGES = {1: ("en", "us"), 2: ("fr", "fr"), 3: ("ru", "ru")}
CAPITALS = {1: "capitals", 2: "majuscules", 3: "\u0437\u0430\u0433\u043b\u0430\u0432\u043d\u044b\u0435"}
PROGRESS_FILES = {1: "Course_EN.csv", 2: "Course_FR.csv", 3: "Course_RU.csv"}


class Progress:
    """The Course screen's progress, as its text says it: the lesson to type, the keys unlocked
    (in the course's order) of how many, the focus key, the key the last lesson unlocked."""

    def __init__(self, text, language):
        lines = text.split("\r\n")
        self.text = text
        self.lesson = int(re.search(r"\d+", lines[0]).group())
        self.unlocked, self.total = (int(n) for n in re.findall(r"\d+", lines[1])[:2])
        self.keys = lines[2].split(" ")
        self.focus = lines[3].rsplit(" ", 1)[-1]
        self.new_key = None
        for line in lines[4:]:
            if line and not re.search(r"\d", line):
                self.new_key = line.rsplit(" ", 1)[-1]
        self.capitals = CAPITALS[language]


def allowed_characters(progress):
    allowed = set()
    for key in progress.keys:
        if key == progress.capitals:
            allowed |= {k.upper() for k in progress.keys if k.isalpha() and k != progress.capitals}
        else:
            allowed.add(key)
    return allowed


class CourseInEachLanguage(unittest.TestCase):
    def progress(self, t, language):
        return Progress(t.text(ID_PROGRESS), language)

    def check_lesson(self, t, progress):
        """The lesson shown: only unlocked keys, the focus key in at least 70 % of its words."""
        lesson = t.text(ID_SAMPLE)
        words = lesson.split()
        self.assertGreater(len(words), 5, lesson)
        allowed = allowed_characters(progress)
        strays = {c for w in words for c in w if c not in allowed}
        self.assertEqual(strays, set(), "keys not unlocked in lesson %d: %r" % (progress.lesson, lesson))
        focus = progress.focus
        holding = [w for w in words if (any(c.isupper() for c in w) if focus == progress.capitals
                                        else focus in w.lower())]
        self.assertGreaterEqual(len(holding) / len(words), 0.7, "focus %r in %r" % (focus, lesson))
        return lesson

    def type_lesson(self, t, lesson, slips):
        """Types the lesson line by line; with `slips`, every tenth time a character is to be
        typed (its first time included), a wrong letter goes first and is taken back."""
        seen = {}
        letters = sorted({c for c in lesson if c.isalpha()})
        for n, line in enumerate(lesson.split("\r\n")):
            if n:
                t.key("Return")
            run = ""
            for c in line:
                count = seen.get(c, 0)
                seen[c] = count + 1
                if slips and c.isalpha() and count % 10 == 0 and len(letters) > 1:
                    if run:
                        t.type(run, XDOTOOL_DELAY)
                        run = ""
                    wrong = letters[(letters.index(c) + 1) % len(letters)]
                    t.type(wrong, XDOTOOL_DELAY)
                    t.key("BackSpace", delay=XDOTOOL_DELAY)
                run += c
            if run:
                t.type(run, XDOTOOL_DELAY)

    def lesson_typed(self, t, language, before, slips):
        """The lesson shown, checked and typed; the progress once the next lesson is shown."""
        lesson = self.check_lesson(t, before)
        t.activate()
        self.type_lesson(t, lesson, slips)
        return t.wait_for("lesson %d" % (before.lesson + 1),
                          lambda: self.progress(t, language).lesson == before.lesson + 1 and self.progress(t, language),
                          timeout=20)

    def seeded(self, language, name):
        """An install folder whose learner has the first lesson's keys confident: a fresh course
        shows its first keys, and the progress file then gives each of them the figures of 40
        clean keystrokes at 250 characters a minute, as a few clean lessons would."""
        code, _ = LANGUAGES[language]
        with h.Tutor(name, edits={"Mode": "5", "Language": str(language)}) as t:
            t.wait_ready()
            first = self.progress(t, language)
            self.assertEqual((first.lesson, first.unlocked), (1, len(first.keys)))
            self.check_lesson(t, first)
            t.screenshot("course-" + code)
            self.assertEqual(t.close_alt_f4(), 0)
        rows = "".join("Key,%s,40.00,0.00,40.00,%d.00\r\n" % (k, 40 * MS_PER_KEY) for k in first.keys)
        t.write(PROGRESS_FILES[language], ("\ufeffKeyfarer course,1\r\nLessons,3\r\n" + rows).encode("utf-8"))
        return t.folder, first

    def learn(self, language):
        code, layout = LANGUAGES[language]
        folder, first = self.seeded(language, "course-clean-" + code)
        with h.keyboard_layout(layout):
            with h.Tutor("course-clean-" + code, installed=folder) as t:
                t.wait_ready()
                progress = self.progress(t, language)
                self.assertEqual((progress.lesson, progress.keys), (4, first.keys))
                for _ in range(2):
                    after = self.lesson_typed(t, language, progress, slips=False)
                    # One key a lesson, the next of the order: the list grows by it at its end.
                    self.assertEqual(after.unlocked, progress.unlocked + 1, after.text)
                    self.assertEqual(after.keys[:-1], progress.keys)
                    self.assertEqual(after.new_key, after.keys[-1])
                    progress = after
                self.check_lesson(t, progress)
                t.screenshot("course-%s-unlocked" % code)
                self.assertEqual(t.close_alt_f4(), 0)
            # The progress survives a restart; View, Options, Reset starts the course again.
            with h.Tutor("course-clean-" + code, installed=folder) as again:
                again.wait_ready()
                kept = self.progress(again, language)
                self.assertEqual((kept.lesson, kept.keys), (progress.lesson, progress.keys))
                self.reset_in_options(again)
                reset = again.wait_for("the course started again",
                                       lambda: self.progress(again, language).lesson == 1 and self.progress(again, language))
                self.assertEqual(reset.keys, first.keys)
                self.assertEqual(again.close_alt_f4(), 0)

    def reset_in_options(self, t):
        h.probe("command", str(t.hwnd), str(IDM_OPTIONS))
        dialog = t.wait_for("the Options dialog", lambda: next(
            (w for w in h.top_windows(DIALOG_CLASS) if w["owner"] == t.hwnd), None))
        h.probe("command", str(dialog["hwnd"]), str(ID_RESET))
        box = t.wait_for("the reset's question", lambda: next(
            (w for w in h.top_windows(DIALOG_CLASS) if w["owner"] == dialog["hwnd"]), None))
        h.probe("command", str(box["hwnd"]), str(IDYES))
        t.wait_for("the question answered", lambda: all(w["hwnd"] != box["hwnd"] for w in h.top_windows(DIALOG_CLASS)))
        h.probe("command", str(dialog["hwnd"]), str(IDOK))
        t.wait_for("the dialog closed", lambda: all(w["hwnd"] != dialog["hwnd"] for w in h.top_windows(DIALOG_CLASS)))

    def slip(self, language):
        code, layout = LANGUAGES[language]
        folder, first = self.seeded(language, "course-slips-" + code)
        with h.keyboard_layout(layout):
            with h.Tutor("course-slips-" + code, installed=folder) as t:
                t.wait_ready()
                after = self.lesson_typed(t, language, self.progress(t, language), slips=True)
                self.assertEqual(after.keys, first.keys, "90 %% accuracy unlocks nothing: %s" % after.text)
                self.assertIsNone(after.new_key)
                self.check_lesson(t, after)
                self.assertEqual(t.close_alt_f4(), 0)

    def test_english(self):
        self.learn(1)
        self.slip(1)

    def test_french(self):
        self.learn(2)
        self.slip(2)

    def test_russian(self):
        self.learn(3)
        self.slip(3)


if __name__ == "__main__":
    h.main()
