"""History.csv and Keys.csv as a spreadsheet of the learner's locale reads them: for English, French
and Russian regional settings (the list separator and decimal sign of Wine's user settings, as
Windows keeps a user's own), the tutor makes both files in a test with a wrong key, and LibreOffice,
headless, imports each the way a spreadsheet of that locale opens a CSV file (the locale's list
separator only, the locale's numbers) and converts it to a flat OpenDocument spreadsheet. Every row
must be split into its header's columns and every figure be a number. Skipped, saying why, where
LibreOffice is not installed (the test command installs it)."""

import os
import shutil
import subprocess
import time
import unittest
import xml.etree.ElementTree as ET

import harness as h

# (name, list separator, decimal sign, LibreOffice's language id for the locale's numbers)
LOCALES = (("en_US", ",", ".", 1033), ("fr_FR", ";", ",", 1036), ("ru_RU", ";", ",", 1049))
INTERNATIONAL = "HKCU\\Control Panel\\International"
# A sample with both separators among its characters, so that Keys.csv quotes one of them.
SAMPLE = "ab, cd; ef."
# The columns that hold figures, by file.
FIGURES = {"History.csv": ("Completed", "Minutes", "CPM", "Characters", "Words", "WPM", "Errors", "Accuracy %"),
           "Keys.csv": ("Expected", "Errors", "Wrong key times", "Timed", "Milliseconds")}
NS = {"table": "urn:oasis:names:tc:opendocument:xmlns:table:1.0",
      "office": "urn:oasis:names:tc:opendocument:xmlns:office:1.0",
      "text": "urn:oasis:names:tc:opendocument:xmlns:text:1.0"}


def set_regional(separator, decimal):
    for name, value in (("sList", separator), ("sDecimal", decimal)):
        h.run_to_file(["wine", "reg", "add", INTERNATIONAL, "/v", name, "/d", value, "/f"], timeout=60)


def cells(row):
    """(type, text) of each cell of a table row, repeated cells spelled out."""
    found = []
    for cell in row.findall("table:table-cell", NS):
        repeat = int(cell.get("{%s}number-columns-repeated" % NS["table"], "1"))
        text = "".join(p.text or "" for p in cell.findall("text:p", NS))
        found += [(cell.get("{%s}value-type" % NS["office"]), text)] * min(repeat, 64)
    while found and found[-1] == (None, ""):
        found.pop()
    return found


@unittest.skipUnless(shutil.which("soffice"), "LibreOffice (soffice) is not installed: no spreadsheet to read the "
                                               "files with; the test command installs libreoffice-calc-nogui")
class SpreadsheetsOfEachLocale(unittest.TestCase):
    def tutor_files(self, locale, separator, decimal):
        """The two files a test with one wrong key writes under the locale's regional settings."""
        set_regional(separator, decimal)
        tutor = h.Tutor("spreadsheets-" + locale)
        tutor.write("EN/Tests/Sample_Unicode.txt", h.encode_sample(SAMPLE))
        with tutor as t:
            t.wait_ready()
            t.wait_for_sample("the sample", SAMPLE)
            t.activate()
            t.play(h.keystroke_plan(SAMPLE, mistake_at=1), 20)
            t.wait_for("the end of the test", lambda: t.exists("Keys.csv") and t.exists("History.csv"), timeout=30)
            self.assertEqual(t.close_alt_f4(), 0)
        return tutor

    def spreadsheet(self, csv_path, separator, language, out):
        """The rows of the file as LibreOffice imports it for the locale: [(type, text), ...] each."""
        profile = os.path.join(h.runs_dir(), "libreoffice-profile")
        options = "CSV:%d,34,76,1,,%d" % (ord(separator), language)
        with open(os.path.join(out, "soffice-output.txt"), "wb") as log:
            subprocess.run(["soffice", "-env:UserInstallation=file://" + profile, "--headless", "--norestore",
                            "--infilter=" + options, "--convert-to", "fods", "--outdir", out, csv_path],
                           stdin=subprocess.DEVNULL, stdout=log, stderr=subprocess.STDOUT, timeout=180, check=True)
        converted = os.path.join(out, os.path.splitext(os.path.basename(csv_path))[0] + ".fods")
        table = ET.parse(converted).getroot().find(".//table:table", NS)
        return [r for r in (cells(row) for row in table.iter("{%s}table-row" % NS["table"])) if r]

    def test_every_column_split_and_every_figure_a_number(self):
        try:
            for locale, separator, decimal, language in LOCALES:
                tutor = self.tutor_files(locale, separator, decimal)
                out = os.path.join(h.runs_dir(), "spreadsheets-%s-out" % locale)
                shutil.rmtree(out, ignore_errors=True)
                os.makedirs(out)
                for name, figures in FIGURES.items():
                    with self.subTest(locale=locale, file=name):
                        with open(tutor.path(name), "rb") as f:
                            self.assertIn(separator.encode(), f.read().split(b"\r\n")[0], "the header's separator")
                        rows = self.spreadsheet(tutor.path(name), separator, language, out)
                        header = [text for _, text in rows[0]]
                        self.assertEqual(header[0], "Time")
                        self.assertGreater(len(rows), 1, "rows below the header")
                        for row in rows[1:]:
                            self.assertEqual(len(row), len(header), "every column split: %r" % (row,))
                            for column in figures:
                                kind, text = row[header.index(column)]
                                self.assertEqual(kind, "float", "%s %r is a number" % (column, text))
                        print("%s %s: %d rows of %d columns, figures as numbers" %
                              (locale, name, len(rows) - 1, len(header)))
        finally:
            set_regional(",", ".")


if __name__ == "__main__":
    h.main()
