"""The trace log of whole runs: Debug 1 (every trace point), Debug 2 (no per-key reading lines),
and a log that already exists is appended to."""

import time
import unittest

import harness as h

READ_SETTINGS = (["App_XMLReadSettings Entered"]
                 + ["App_XMLReadValue Entered", "App_XMLReadValue Exited"] * 13
                 + ["App_XMLReadSettings Exited"])

# A start in the Tests mode with the default sample present, then an exit in the same mode and
# language (nothing to write back).
START_AND_EXIT = ["_tWinMain Entered",
                  "App_InitInstance Entered",
                  "OnMenuMode4 Entered",
                  "Mode4_LoadFile Entered",          # no Exited after a successful load
                  "Mode4_ParseSampleText Entered",
                  "Mode4_ParseSampleText Exited",
                  "App_LocalizeStrings Entered",
                  "App_LocalizeStrings Exited",
                  "OnMenuMode4 Exited",
                  "App_InitInstance Exited",
                  "_tWinMain Exited"]


def start_and_exit(folder):
    """START_AND_EXIT with the folder the start chose, as it traces it after its entry."""
    return START_AND_EXIT[:1] + ["_tWinMain: working from the program's folder:", h.wine_path(folder)] + START_AND_EXIT[1:]


def run_once(name, debug, trace=None):
    """Starts and closes the tutor; returns (exit code, trace bytes, wall-clock bounds, settings
    unchanged, the messages of a start and exit in its folder)."""
    before = time.time()
    with h.Tutor(name, edits={"Debug": debug}, trace=trace) as t:
        t.wait_ready()
        code = t.close_alt_f4()
        after = time.time()
        data = t.read_file("TraceFile.txt") if t.exists("TraceFile.txt") else None
        settings_same = t.read_file("Settings.xml") == t.settings_before
    return code, data, (before, after), settings_same, start_and_exit(t.folder)


class TraceLog(unittest.TestCase):
    def check_times(self, entries, bounds):
        # Local time of the machine, to the second; allow a second either way for truncation.
        lo = time.localtime(bounds[0] - 1)[:6]
        hi = time.localtime(bounds[1] + 1)[:6]
        for stamp, message in entries:
            self.assertTrue(lo <= stamp <= hi, "%s at %r outside the run (%r - %r)" % (message, stamp, lo, hi))

    def test_debug_1_traces_start_and_end(self):
        code, data, bounds, settings_same, expected = run_once("trace-debug1", 1)
        self.assertEqual(code, 0)
        self.assertTrue(settings_same)
        self.assertIsNotNone(data, "Debug 1 creates TraceFile.txt")
        entries = h.parse_trace(data)
        messages = [m for _, m in entries]
        self.assertEqual(messages[:len(READ_SETTINGS) + 2],
                         READ_SETTINGS + expected[:2])
        self.assertEqual(messages[-1], "_tWinMain Exited")
        self.assertEqual(messages, READ_SETTINGS + expected)
        self.check_times(entries, bounds)

    def test_debug_2_skips_value_reads_and_appends(self):
        old = b"01/02/2020,03:04:05: from an earlier run\r\n"
        code, data, bounds, _, expected = run_once("trace-debug2", 2, trace=old)
        self.assertEqual(code, 0)
        self.assertIsNotNone(data)
        self.assertTrue(data.startswith(old), "an existing log is appended to, never overwritten")
        entries = h.parse_trace(data[len(old):])
        self.assertEqual([m for _, m in entries],
                         ["App_XMLReadSettings Entered", "App_XMLReadSettings Exited"] + expected)
        self.check_times(entries, bounds)

    def test_debug_0_leaves_existing_log_alone(self):
        old = b"01/02/2020,03:04:05: from an earlier run\r\n"
        code, data, _, _, _ = run_once("trace-debug0", 0, trace=old)
        self.assertEqual(code, 0)
        self.assertEqual(data, old)


if __name__ == "__main__":
    h.main()
