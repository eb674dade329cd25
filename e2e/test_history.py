"""Two tests and the report, as a learner would take them: a test started and stopped with F6
(one wrong letter mended with BackSpace), then the English sample typed to the end (completed),
then F9, which the report offers after a completed test. History.csv holds its header and the two rows, byte for byte but for the times;
Report.htm keeps its own part as before and charts the completed test in an inline SVG, which is
checked with an XML parser and, where the machine has Chromium, shown in a screenshot."""

import datetime
import math
import os
import re
import shutil
import time
import unittest
import xml.etree.ElementTree as ET

import harness as h

DELAY_MS = 8
SVG = "{http://www.w3.org/2000/svg}"
HEADER = b"\xef\xbb\xbfTime,Language,Sample,Completed,Minutes,CPM,Characters,Words,WPM,Errors,Accuracy %\r\n"
TIME = rb"\d{4}-\d{2}-\d{2}T\d{2}:\d{2}:\d{2}"
LABELS = ["Time spent (min): ", "CPM: ", "Characters: ", "Words typed: ", "WPM: ", "Total errors count: "]


def accuracy(keys, errors):
    """Right keys / character keys (BackSpace is none) in per cent, two decimals, half rounded up."""
    return "%.2f" % (((keys - errors) * 20000 + keys) // (2 * keys) / 100)


def figures(snap):
    fields = h.statistics_fields(snap)
    return [fields[r][1]["text"] for r in range(1, 7)]


def report_first_part(values, date_line):
    """What the report writes up to its closing rule, from the statistics fields."""
    rows = "".join("<tr><td>%s</td><td>%s</td></tr>\r\n" % (label, value) for label, value in zip(LABELS, values))
    return ("<html>\r\n<head>\r\n<meta http-equiv='content-type' content='text/html; charset=utf-8'>\r\n"
            "</head>\r\n<body>\r\n<h3 align='center'>Test Report</h3>\r\n<hr>" + date_line +
            "<table align='center' border = '1'><tr><td>Measure</td><td>Value</td></tr>\r\n" + rows +
            "</table><br><hr>")


class HistoryOfTwoTests(unittest.TestCase):
    @classmethod
    def setUpClass(cls):
        cls.sample = h.sample_text(1)
        # The stopped test: the sample's first two words, a wrong letter at the second one's
        # second letter, mended with BackSpace.
        cls.stopped_text = cls.sample[:cls.sample.index(" ", cls.sample.index(" ") + 1)]
        cls.mistake = cls.sample.index(" ") + 2
        cls.tutor = h.Tutor("history")
        cls.tutor.start_on_sample("the English sample", cls.sample)

    @classmethod
    def tearDownClass(cls):
        cls.tutor.kill()

    def test_1_a_test_stopped_with_f6(self):
        t = self.tutor
        self.assertFalse(t.exists("History.csv"), "a fresh install folder has no history")
        t.key("F6")
        t.wait_for("Stop on the Start/Stop button", lambda: t.button(402)["image"] == 5)
        t.play(h.keystroke_plan(self.stopped_text, mistake_at=self.mistake), DELAY_MS)
        t.wait_for("the first test typed", lambda: t.text(h.ID_TYPING_AREA) == self.stopped_text)
        t.key("F6")
        t.wait_for("Start on the Start/Stop button", lambda: t.button(402)["image"] == 1)
        HistoryOfTwoTests.first = figures(t.snapshot())
        self.assertEqual(self.first[2], str(len(self.stopped_text)))

    def test_2_a_completed_test(self):
        t = self.tutor
        t.key("F7")
        t.wait_for("the typing area emptied by F7", lambda: t.text(h.ID_TYPING_AREA) == "")
        t.key("F6")
        t.wait_for("Stop on the Start/Stop button", lambda: t.button(402)["image"] == 5)
        t.play(h.keystroke_plan(self.sample), DELAY_MS)
        t.wait_for("the end of the second test", lambda: t.button(402)["image"] == 1 and
                   t.text(h.ID_TYPING_AREA) == self.sample, timeout=90)
        HistoryOfTwoTests.second = figures(t.snapshot())

    def test_3_history_rows(self):
        data = self.tutor.read_file("History.csv")
        self.assertTrue(data.startswith(HEADER), data[:120])
        rows = data[len(HEADER):].split(b"\r\n")
        self.assertEqual(rows[-1], b"", "the file ends with CR LF")
        self.assertEqual(len(rows), 3, data)
        first, second = self.first, self.second
        # The stopped test had the wrong letter as one more character key, an error (its
        # BackSpace is no character key); every character of the completed one was right.
        expected = [
            "EN,Sample_Unicode.txt,0,%s,%s,%s,%s,%s,1,%s" % (tuple(first[:5]) +
                                                            (accuracy(len(self.stopped_text) + 1, 1),)),
            "EN,Sample_Unicode.txt,1,%s,%s,%s,%s,%s,0,100.00" % tuple(second[:5]),
        ]
        self.assertEqual(first[5], "1")
        HistoryOfTwoTests.times = []
        for row, rest in zip(rows[:2], expected):
            m = re.match(rb"(" + TIME + rb"),(.*)\Z", row)
            self.assertIsNotNone(m, row)
            self.assertEqual(m.group(2).decode("utf-8"), rest)
            HistoryOfTwoTests.times.append(m.group(1).decode("ascii"))
        self.assertLessEqual(self.times[0], self.times[1])

    def test_4_report(self):
        t = self.tutor
        t.activate()
        t.key("F9")
        data = t.wait_for("Report.htm", lambda: t.exists("Report.htm") and t.read_file("Report.htm"))
        self.end_viewer()
        page = data.decode("utf-8")
        # Its own part, as the report has always written it from the statistics fields.
        date_line = re.search(r"<hr>(<p align='center'>\d\d/\d\d/\d\d, \w+, \d\d:\d\d</p>\r\n)", page)
        self.assertIsNotNone(date_line, page[:400])
        own = report_first_part(self.second, date_line.group(1))
        self.assertEqual(page[:len(own)], own)
        self.assertTrue(page.endswith("</body></html>"))
        section = page[len(own):]
        self.assertTrue(section.startswith("\r\n<h3 align='center'>Progress: English</h3>\r\n"), section[:200])

        svg_text = section[section.index("<svg"):section.index("</svg>") + len("</svg>")]
        svg = ET.fromstring(svg_text)   # well-formed XML, or this raises
        self.assertEqual(svg.tag, SVG + "svg")
        self.assertEqual(list(svg.iter(SVG + "script")), [], "no script")
        cpm = [c for c in svg.iter(SVG + "circle") if c.get("class") == "cpm"]
        # History.csv keeps both rows; the chart and the figures count the completed test only.
        self.assertEqual(len(cpm), 1, "one CPM point per completed test")
        line = [p for p in svg.iter(SVG + "polyline") if p.get("class") == "cpm"][0]
        self.assertEqual(len(line.get("points").split()), 1)
        self.assertEqual(len([l for l in svg.iter(SVG + "line") if l.get("class") == "trend"]), 1)
        day = self.times[1]
        self.assertIn("<td>Best CPM of the last 50 tests: </td><td>%.2f (%s/%s/%s)</td>" %
                      (float(self.second[1]), day[5:7], day[8:10], day[2:4]), section)

    def end_viewer(self):
        """The viewer the report starts belongs to the system, not to this scenario's display:
        it is ended once it has shown up (or after a few seconds without one)."""
        deadline = time.monotonic() + 5
        while not self.tutor.end_viewers() and time.monotonic() < deadline:
            time.sleep(0.2)
        time.sleep(0.5)
        self.tutor.end_viewers()   # and what it started in turn

    def render(self, name):
        """A screenshot of Report.htm as a browser shows it, when the machine has Chromium."""
        browser = shutil.which("chromium")
        if not browser:
            self.skipTest("no Chromium on this machine: the SVG was checked with the XML parser")
        shot = os.path.join(h.shots_dir(), name + ".png")
        if os.path.exists(shot):
            os.remove(shot)
        profile = os.path.join(h.runs_dir(), "chromium-profile")
        h.run_to_file([browser, "--headless", "--no-sandbox", "--disable-gpu", "--hide-scrollbars",
                       "--user-data-dir=" + profile, "--window-size=820,1000", "--screenshot=" + shot,
                       "file://" + os.path.abspath(self.tutor.path("Report.htm"))], timeout=120, check=False)
        self.assertTrue(os.path.isfile(shot) and os.path.getsize(shot) > 10000, "a screenshot of the report")

    def test_5_report_rendered(self):
        self.render("report-progress")

    def test_6_a_longer_history(self):
        """Sixty earlier English tests (every fifth stopped before the end), a French one and a line
        edited by hand: the chart shows the last fifty completed English ones."""
        t = self.tutor
        rows = []
        for i in range(60):
            cpm = 140 + 2.6 * i + 14 * math.sin(i * 1.7)
            errors = max(0, round(9 - i / 8 + 1.5 * math.sin(i * 2.3)))
            day = datetime.date(2026, 9, 1) + datetime.timedelta(days=i)
            rows.append("%sT18:%02d:00,EN,Sample_Unicode.txt,%d,2.50,%.2f,%d,%d,%.2f,%d,%.2f\r\n" % (
                day.isoformat(), i % 60, i % 5 != 0, cpm, round(cpm * 2.5), round(cpm * 2.5 / 5.4),
                cpm / 5.4, errors, 100 - errors / 4))
        rows.insert(20, "2026-09-21T19:00:00,FR,Sample_Unicode.txt,1,2.00,90.00,180,30,15.00,4,97.50\r\n")
        rows.insert(30, "a note of my own, not a row\r\n")
        with open(t.path("History.csv"), "wb") as f:
            f.write(HEADER + "".join(rows).encode("ascii"))
        os.remove(t.path("Report.htm"))
        t.probe("command", "4015")   # the report command, as the menu sends it
        data = t.wait_for("Report.htm", lambda: t.exists("Report.htm") and t.read_file("Report.htm"))
        self.end_viewer()
        page = data.decode("utf-8")
        svg = ET.fromstring(page[page.index("<svg"):page.index("</svg>") + len("</svg>")])
        # The file written here holds 48 completed English tests of the sixty.
        self.assertEqual(len([c for c in svg.iter(SVG + "circle") if c.get("class") == "cpm"]), 48)
        self.render("report-progress-history")

    def test_9_close(self):
        # After another program's window the keyboard focus is not the tutor's: close it as its
        # close box does.
        t = self.tutor
        t.probe("close")
        self.assertEqual(t.wait_exit(), 0)
        self.assertEqual(t.read_file("Settings.xml"), t.settings_before)


if __name__ == "__main__":
    h.main()
