"""Three attempts at one sample, as a learner takes them: a clean one; Clear (F7) and a slower one
with a mistake, started by its first key (no F6); F6, a pause and a third. Every key is sent on its
own and its time logged here, so that each attempt's six figures, its words in the detailed
statistics and its History.csv row are checked against the scenario's own clock. Last, a test
left by a language switch midway: it leaves no row. The sample's first line is one word, which
is a word like any other."""

import re
import time
import unittest

import harness as h

SAMPLE = "Title\r\nThe text is here."
WORDS = ["Title", "The", "text", "is", "here"]
GAPS_S = (0.15, 0.3, 0.15)   # between two keys, per attempt: the second is the slow one
F6_PAUSE_S = 3.0             # between F6 and the third attempt's first key: not in its time
MISTAKE_AT = SAMPLE.index("here") + 1   # a wrong letter for the "e" of "here", mended at once
HEADER = b"\xef\xbb\xbfTime,Language,Sample,Completed,Minutes,CPM,Characters,Words,WPM,Errors,Accuracy %\r\n"
CLASS_DETAILED_STATS = "DetailedStats"
ID_DETAILED_LIST = 636
# The tutor's tick and the scenario's clock see a key a little apart: one xdotool call.
KEY_SLACK_S = 0.15


def figures(snap):
    fields = h.statistics_fields(snap)
    return [fields[r][1]["text"] for r in range(1, 7)]


def keys_of(text, mistake_at=None):
    """What types `text` one key at a time: a character, or the key Return for CR LF, with a wrong
    letter and BackSpace before the character at `mistake_at`; each with the index in `text` it
    types (None for the mistake and its mending)."""
    keys = []
    i = 0
    while i < len(text):
        if i == mistake_at:
            keys.append(("q", None))
            keys.append(("BackSpace", None))
        if text.startswith("\r\n", i):
            keys.append(("Return", i))
            i += 2
            continue
        c = text[i]
        keys.append((c, i))
        i += 1
    return keys


class ThreeAttempts(unittest.TestCase):
    attempts = []   # per attempt: the figures shown, the logged key times, the keys

    @classmethod
    def setUpClass(cls):
        cls.tutor = h.Tutor("attempts")
        with open(cls.tutor.path("EN", "Tests", "Sample_Unicode.txt"), "wb") as f:
            f.write(h.encode_sample(SAMPLE))
        cls.tutor.start_on_sample("the two-line sample", SAMPLE)

    @classmethod
    def tearDownClass(cls):
        cls.tutor.kill()

    def send(self, key):
        if key in ("Return", "BackSpace"):
            self.tutor.key(key, delay=0)
        else:
            self.tutor.type(key, 0)

    def type_logged(self, gap, mistake_at=None):
        """Sends the sample key by key, `gap` apart, and returns [(key, index, sent at)]: the time
        each xdotool call returned, when the key has reached the tutor's queue."""
        log = []
        for key, index in keys_of(SAMPLE, mistake_at):
            self.send(key)
            log.append((key, index, time.monotonic()))
            time.sleep(gap)
        return log

    def finish(self, log, errors):
        t = self.tutor
        t.wait_for("the end of the attempt", lambda: t.button(402)["image"] == 1 and
                   t.text(h.ID_TYPING_AREA) == SAMPLE, timeout=60)
        values = figures(t.snapshot())
        span = log[-1][2] - log[0][2]   # from the first key to the completing one
        keystrokes = len(log)
        # Time and CPM from the logged keys: the clock starts at the attempt's first key.
        self.assertAlmostEqual(float(values[0]), span / 60.0, delta=0.01 + KEY_SLACK_S / 60.0)
        cpm = float(values[1])
        self.assertLessEqual(cpm, keystrokes * 60.0 / (span - KEY_SLACK_S))
        self.assertGreaterEqual(cpm, keystrokes * 60.0 / (span + KEY_SLACK_S))
        self.assertEqual(values[2], str(h.utf16_units(SAMPLE)))
        self.assertEqual(values[3], str(len(WORDS)), "the one-word first line is a word")
        self.assertEqual(values[5], str(errors))
        ThreeAttempts.attempts.append((values, log))
        return values

    def test_1_a_clean_attempt(self):
        self.tutor.activate()
        self.finish(self.type_logged(GAPS_S[0]), 0)

    def test_2_clear_and_a_slower_attempt_with_a_mistake(self):
        t = self.tutor
        t.key("F7")
        t.wait_for("the typing area emptied by F7", lambda: t.text(h.ID_TYPING_AREA) == "")
        # No F6: the first key into the empty area starts the test.
        values = self.finish(self.type_logged(GAPS_S[1], MISTAKE_AT), 1)
        self.assertLess(float(values[1]), float(self.attempts[0][0][1]), "slower than the first")

    def test_3_the_words_of_the_second_attempt(self):
        """F8 lists every word of the second attempt with the time from its first key to the key
        that ended it, and the mistake in "here"."""
        t = self.tutor
        _, log = self.attempts[1]
        t.key("F8")
        stats = h.probe("wait", CLASS_DETAILED_STATS, "10000")["window"]["hwnd"]
        rows = t.wait_for("the detailed statistics rows",
                          lambda: h.probe("listview", str(stats), str(ID_DETAILED_LIST))["rows"])
        by_word = {row[0]: row for row in rows}
        self.assertEqual(sorted(by_word), sorted(WORDS))
        typed = [(index, at) for _, index, at in log if index is not None]
        for word in WORDS:
            start = SAMPLE.index(word)
            first = next(at for index, at in typed if index == start)
            # The blank, Return or the completing full stop after the word ends it.
            end = next(at for index, at in typed if index == start + len(word))
            seconds = float(by_word[word][2].split(" ")[0])
            self.assertAlmostEqual(seconds, end - first, delta=2 * KEY_SLACK_S, msg=word)
            self.assertEqual(by_word[word][3], "1" if word == "here" else "0", word)
        h.probe("command", str(t.hwnd), "405")   # closes the detailed statistics
        t.wait_for("the detailed statistics closed",
                   lambda: not h.probe("wait", CLASS_DETAILED_STATS, "0", check=False).get("ok"))

    def test_4_f6_a_pause_and_a_third_attempt(self):
        t = self.tutor
        t.activate()
        t.key("F6")   # on the finished text: it is emptied and a test begins
        t.wait_for("an empty area and Stop on the button",
                   lambda: t.text(h.ID_TYPING_AREA) == "" and t.button(402)["image"] == 5)
        time.sleep(F6_PAUSE_S)
        self.finish(self.type_logged(GAPS_S[2]), 0)

    def test_5_three_rows_each_of_its_own_attempt(self):
        data = self.tutor.read_file("History.csv")
        self.assertTrue(data.startswith(HEADER), data[:120])
        rows = data[len(HEADER):].split(b"\r\n")
        self.assertEqual(rows[-1], b"")
        self.assertEqual(len(rows) - 1, 3, data)
        for row, (values, log) in zip(rows, self.attempts):
            errors = int(values[5])
            m = re.match(rb"\d{4}-\d\d-\d\dT\d\d:\d\d:\d\d,EN,Sample_Unicode.txt,1,(.*)\Z", row)
            self.assertIsNotNone(m, row)
            self.assertEqual(m.group(1).decode("ascii").split(",")[:6], values)
            # Accuracy: right keys among the character keys (every key but BackSpace).
            keys = sum(key != "BackSpace" for key, _, _ in log)
            self.assertEqual(m.group(1).decode("ascii").split(",")[6],
                             "%.2f" % (((keys - errors) * 20000 + keys) // (2 * keys) / 100))

    def test_6_three_points_in_the_report(self):
        t = self.tutor
        t.activate()
        t.key("F9")
        data = t.wait_for("Report.htm", lambda: t.exists("Report.htm") and t.read_file("Report.htm"))
        deadline = time.monotonic() + 5
        while not t.end_viewers() and time.monotonic() < deadline:
            time.sleep(0.2)
        page = data.decode("utf-8")
        self.assertEqual(page.count("<circle class='cpm'"), 3)
        self.assertIn("<line class='trend'", page)

    def test_7_a_language_switch_midway_leaves_no_row(self):
        t = self.tutor
        t.activate()
        t.key("F7")
        t.wait_for("the typing area emptied by F7", lambda: t.text(h.ID_TYPING_AREA) == "")
        for key, _ in keys_of(SAMPLE[:3]):
            self.send(key)
        t.wait_for("a test running", lambda: t.button(402)["image"] == 5)
        before = t.read_file("History.csv")
        t.key("ctrl+f")
        t.wait_for_sample("the French sample", h.sample_text(2))
        t.wait_for("Start on the button", lambda: t.button(402)["image"] == 1)
        self.assertEqual(t.read_file("History.csv"), before, "the abandoned test has no row")
        # And the next attempt, in French, starts afresh at its first key.
        french = h.sample_text(2)
        t.type(french[:2], 8)
        t.wait_for("a French test running", lambda: t.button(402)["image"] == 5)

    def test_9_close(self):
        t = self.tutor
        t.probe("close")
        self.assertEqual(t.wait_exit(), 0)


if __name__ == "__main__":
    h.main()
