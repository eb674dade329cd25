"""Figures that stay true after a correction, a screen change and a new test, typed with real keys.

- A key typed right after a correction (a wrong key, then BackSpace and the right one) is counted
  for its error but not timed, in English and under the French layout: a slip mended at once, one
  mended after a pause, and a wrong key left standing until F6.
- The custom words screen times its first word from that word's first key, whether the hand
  screens, the Tests screen or Clear came before, and whatever key was typed last there.
- A new test empties the six figures while it runs and shows all six, "Time spent" included,
  when it ends; leaving the Tests screen closes the detailed statistics window.
- An attempt of one wrong key and three BackSpaces stopped with F6 leaves a row of speed 0 and
  accuracy 0 (no character of it was right)."""

import csv
import io
import time
import unittest

import harness as h

KEYS_HEADER = (b"\xef\xbb\xbfTime,Language,Character,Expected,Errors,Wrong key,Wrong key times,Timed,"
               b"Milliseconds\r\n")
HISTORY_HEADER = (b"\xef\xbb\xbfTime,Language,Sample,Completed,Minutes,CPM,Characters,Words,WPM,Errors,"
                  b"Accuracy %\r\n")
PAUSE_S = 0.7
ID_CUSTOM_LIST = 635
CLASS_DETAILED_STATS = "DetailedStats"
MODE_KEYS = {1: "ctrl+1", 2: "ctrl+2", 3: "ctrl+3", 4: "ctrl+t"}

# Per language: the sample and the keys that type it. ("type", text) types at a typist's pace,
# ("slip", wrong) a wrong key, ("mend", "") BackSpace and, 20 ms later, the right key (typed by
# the next step), ("pause", "") a pause of PAUSE_S.
CORRECTIONS = {
    "EN": ("ab cd ef.", "us", [("type", "a"), ("pause", ""), ("slip", "x"), ("pause", ""), ("mend", ""),
                               ("type", "b c"), ("slip", "s"), ("mend", ""), ("type", "d e"),
                               ("slip", "r"), ("type", ".")],
           {"b": "x", "d": "s"}, ("f", "r")),
    "FR": ("t\u00e9 de l\u00e0.", "fr", [("type", "t"), ("pause", ""), ("slip", "z"), ("pause", ""),
                                         ("mend", ""), ("type", "\u00e9 d"), ("slip", "r"), ("mend", ""),
                                         ("type", "e l"), ("slip", "a"), ("type", ".")],
           {"\u00e9": "z", "e": "r"}, ("\u00e0", "a")),
}
LANGUAGE_KEYS = {"EN": None, "FR": "ctrl+f"}


def rows_after(data, header):
    if not data.startswith(header):
        raise AssertionError("no header: %r" % data[:120])
    return list(csv.reader(io.StringIO(data[len(header):].decode("utf-8"), newline="")))


class KeyTimesAfterACorrection(unittest.TestCase):
    def test_mended_keys_are_counted_but_not_timed(self):
        tutor = h.Tutor("honest-keys")
        for language, (sample, *_rest) in CORRECTIONS.items():
            tutor.write("%s/Tests/Sample_Unicode.txt" % language, h.encode_sample(sample))
        with tutor as t:
            for language, case in CORRECTIONS.items():
                with self.subTest(language=language):
                    self.check_language(t, language, *case)
            self.assertEqual(t.close_alt_f4(), 0)

    def check_language(self, t, language, sample, layout, steps, mended, unmended):
        t.wait_ready()
        t.activate()
        if LANGUAGE_KEYS[language]:
            t.key(LANGUAGE_KEYS[language])
        t.wait_for_sample("the sample of %s" % language, sample)
        before = t.read_file("Keys.csv") if t.exists("Keys.csv") else KEYS_HEADER
        with h.keyboard_layout(layout):
            for kind, what in steps:
                if kind == "type":
                    t.type(what, 150)
                elif kind == "slip":
                    t.type(what, 0)
                elif kind == "mend":
                    t.key("BackSpace", delay=0)
                else:
                    time.sleep(PAUSE_S)
            t.wait_for("every key typed", lambda: len(t.text(h.ID_TYPING_AREA)) == len(sample))
        t.key("F6")
        data = t.wait_for("the test's key rows", lambda: t.exists("Keys.csv") and
                          len(t.read_file("Keys.csv")) > len(before) and t.read_file("Keys.csv"))
        all_rows = rows_after(data, KEYS_HEADER)
        rows = {r[2]: r for r in all_rows if r[0] == all_rows[-1][0] and r[1] == language}
        print("\n%s: %s" % (language, sorted(rows.values())))
        for c, wrong in mended.items():
            # Expected twice (the slip, the right key), one error, no time.
            self.assertEqual(rows[c][3:8], ["2", "1", wrong, "1", "0"], c)
        c, wrong = unmended
        self.assertEqual(rows[c][3:8], ["1", "1", wrong, "1", "0"], c)
        self.assertNotIn(".", rows, "after a standing error no key is charged")
        # The keys after a mended one are timed from it, at the typing's pace.
        self.assertEqual(rows[" "][7], "2")
        self.assertLess(int(rows[" "][8]) / 2, 1000)


class WordClockAfterAScreenChange(unittest.TestCase):
    def custom_total(self, t):
        """The custom word "war": typings and the time of all of them, from its row's mean."""
        rows = h.probe("listview", str(t.hwnd), str(ID_CUSTOM_LIST))["rows"]
        row = next(r for r in rows if r[0] == "war")
        if row[4] in ("", "n/a"):
            return 0, 0.0
        count = int(row[4])
        return count, float(row[2].split(" ")[0]) * count

    def test_the_first_word_is_timed_from_its_own_first_key(self):
        tutor = h.Tutor("honest-clock", edits={"Mode": 1})
        tutor.write("EN/Training Words/Custom_Words.dat", b"war\r\nsweater\r\n")
        with tutor as t:
            t.wait_ready()
            # From each screen, after a word left open there, and from Clear on the custom screen.
            for came_from in (1, 2, 4, "clear"):
                with self.subTest(came_from=came_from):
                    t.activate()
                    if came_from == "clear":
                        t.type("sw", 100)
                        time.sleep(2.0)
                        t.key("F7")
                    else:
                        t.key(MODE_KEYS[came_from])
                        time.sleep(1.0)
                        t.type("as", 100)
                        time.sleep(2.0)
                        t.key(MODE_KEYS[3])
                        t.wait_for("the custom words screen",
                                   lambda: h.child_by_id(t.snapshot(), ID_CUSTOM_LIST))
                    t.wait_for("an empty typing area", lambda: t.text(h.ID_TYPING_AREA) == "")
                    typed, total = self.custom_total(t)   # a new screen starts the figures afresh
                    t.type("war ", 100)
                    _, now = t.wait_for("the word's row", lambda: self.custom_total(t)[0] == typed + 1 and
                                        self.custom_total(t))
                    self.assertLess(now - total, 1.5, "about four keys' time, nothing from before")
            self.assertEqual(t.close_alt_f4(), 0)


class ANewTestAndTheTestsWindow(unittest.TestCase):
    SAMPLE = "ab cd."

    def figures(self, t):
        return [(label["text"] if label else None, value["text"] if value else None)
                for label, value in h.statistics_fields(t.snapshot()).values()]

    def test_a_new_test_shows_none_of_the_last_and_its_window_goes_with_the_screen(self):
        tutor = h.Tutor("honest-tests")
        tutor.write("EN/Tests/Sample_Unicode.txt", h.encode_sample(self.SAMPLE))
        with tutor as t:
            t.start_on_sample("the short sample", self.SAMPLE)
            t.activate()
            # An attempt of nothing: a wrong key and three BackSpaces, stopped by F6.
            t.type("x", 0)
            t.key("BackSpace", "BackSpace", "BackSpace", "F6")
            history = t.wait_for("the attempt's row", lambda: t.exists("History.csv") and t.read_file("History.csv"))
            row = rows_after(history, HISTORY_HEADER)[-1]
            self.assertEqual(row[5:], ["0.00", "0", "0", "0.00", "1", "0.00"], "speed 0, nothing right")

            t.key("F7")
            t.type(self.SAMPLE, 60)
            t.wait_for("the first test's end", lambda: t.button(402)["image"] == 1 and
                       t.text(h.ID_TYPING_AREA) == self.SAMPLE)
            first = self.figures(t)
            self.assertTrue(all(label and value for label, value in first), first)
            t.key("F7")
            t.type("a", 0)
            t.wait_for("the second test's start", lambda: t.button(402)["image"] == 5)
            running = self.figures(t)
            t.screenshot("honest-new-test-running")
            self.assertEqual(running, [("", "")] * 6, "no figure of the last test while this one runs")
            t.type(self.SAMPLE[1:], 60)
            t.wait_for("the second test's end", lambda: t.button(402)["image"] == 1)
            second = self.figures(t)
            self.assertEqual([label for label, _ in second], [label for label, _ in first])
            self.assertTrue(all(value for _, value in second), second)

            t.key("F8")
            self.assertIsNotNone(h.find_window(CLASS_DETAILED_STATS, 10.0), "the detailed statistics")
            t.activate()
            t.key(MODE_KEYS[1])
            t.wait_for("the statistics window closed with its screen",
                       lambda: h.find_window(CLASS_DETAILED_STATS, 0.1) is None)
            t.screenshot("honest-hands-after-tests", whole_screen=True)
            t.key(MODE_KEYS[4])
            t.wait_for_sample("the Tests screen again", self.SAMPLE)
            self.assertIsNone(h.find_window(CLASS_DETAILED_STATS, 1.0), "it does not come back")
            self.assertEqual(t.close_alt_f4(), 0)


if __name__ == "__main__":
    h.main()
