"""A sample of two lines that ends in a letter, typed with real keys and a pause before the last
letter: the six figures count the whole text (the last letter too, words split by the line break
as well), and the detailed statistics list every word with its own time, the last one included."""

import time
import unittest

import harness as h

DELAY_MS = 8
SAMPLE = "go ab\r\nwe abc"
PAUSE_S = 2.0
CLASS_DETAILED_STATS = "DetailedStats"
ID_DETAILED_LIST = 636


class FiguresOfATypedSample(unittest.TestCase):
    @classmethod
    def setUpClass(cls):
        cls.tutor = h.Tutor("figures")
        with open(cls.tutor.path("EN", "Tests", "Sample_Unicode.txt"), "wb") as f:
            f.write(h.encode_sample(SAMPLE))
        cls.tutor.start_on_sample("the two-line sample", SAMPLE)

    @classmethod
    def tearDownClass(cls):
        cls.tutor.kill()

    def test_1_typing_ends_on_the_last_letter(self):
        t = self.tutor
        started = time.monotonic()
        t.play(h.keystroke_plan(SAMPLE[:-1]), DELAY_MS)
        t.wait_for("all but the last letter", lambda: t.text(h.ID_TYPING_AREA) == SAMPLE[:-1])
        time.sleep(PAUSE_S)
        t.type(SAMPLE[-1], DELAY_MS)
        t.wait_for("the end of the test", lambda: t.button(402)["image"] == 1, timeout=20)
        wall = time.monotonic() - started
        snap = t.snapshot()
        self.assertEqual(h.child_by_id(snap, h.ID_TYPING_AREA)["text"], SAMPLE)
        self.assertEqual(snap["window"]["rect"]["w"], h.WIDE_WIDTH)
        fields = h.statistics_fields(snap)
        values = [fields[r][1]["text"] for r in range(1, 7)]
        # 13 characters (the line break counts 2, the last letter 1), 4 words, 12 character
        # messages (Enter is one), no error.
        self.assertEqual(values[2], "13")
        self.assertEqual(values[3], "4")
        h.check_figures(self, values, SAMPLE, h.character_messages(SAMPLE), 0, wall)
        self.assertGreaterEqual(float(values[0]), round(PAUSE_S / 60.0, 2), "the pause is in the time")

    def test_2_detailed_statistics_list_every_word(self):
        t = self.tutor
        t.activate()
        t.key("F8")
        answer = h.probe("wait", CLASS_DETAILED_STATS, "10000")
        stats = answer["window"]["hwnd"]
        rows = t.wait_for("the detailed statistics rows",
                          lambda: h.probe("listview", str(stats), str(ID_DETAILED_LIST))["rows"])
        t.screenshot("figures-detailed-stats", whole_screen=True)
        by_word = {row[0]: row for row in rows}
        self.assertEqual(sorted(by_word), ["ab", "abc", "go", "we"])
        self.assertEqual(rows[0][0], "abc", "the longest word first")
        for word, row in by_word.items():
            self.assertEqual(row[1], str(len(word)), word)
            self.assertEqual(row[3], "0", word)
            seconds, per_step = row[2].split(" ")
            self.assertAlmostEqual(float(per_step.strip("()")), float(seconds) / (len(word) - 1), delta=0.01)
        # The last word is timed from its first key to the last letter, over the pause; the word
        # before it keeps its own short time.
        self.assertGreaterEqual(float(by_word["abc"][2].split(" ")[0]), PAUSE_S)
        self.assertLess(float(by_word["abc"][2].split(" ")[0]), PAUSE_S + 10)
        for word in ("go", "ab", "we"):
            self.assertLess(float(by_word[word][2].split(" ")[0]), 1.0, word)

    def test_9_close(self):
        t = self.tutor
        h.probe("command", str(t.hwnd), "405")   # closes the detailed statistics
        t.wait_for("the detailed statistics closed",
                   lambda: not h.probe("wait", CLASS_DETAILED_STATS, "0", check=False).get("ok"))
        self.assertEqual(t.close_alt_f4(), 0)


if __name__ == "__main__":
    h.main()
