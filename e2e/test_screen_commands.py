"""Each training screen keeps to its own commands: on the hand-practice screens (modes 1 and 2) and
the custom words screen (mode 3), F6, F8, F9 and Ctrl+O, and the key of the screen's own greyed
mode item, do nothing. No test starts, the Tests-only buttons 401, 402 and 405 stay hidden, no
statistics window or file dialog opens, no Report.htm is written and the screen is not rebuilt."""

import time
import unittest

import harness as h

TESTS_KEYS = ("F6", "F8", "F9", "ctrl+o")
# The key of each screen's own Modes item, which the screen greys.
OWN_MODE_KEY = {1: "ctrl+1", 2: "ctrl+2", 3: "ctrl+3"}
ID_LEFT_LIST, ID_CUSTOM_LIST = 626, 635


class ScreenKeepsToItsCommands(unittest.TestCase):
    def check_screen(self, mode, name, list_id, custom_words=None):
        tutor = h.Tutor(name, edits={"Mode": mode})
        if custom_words is not None:
            tutor.write("EN/Training Words/Custom_Words.dat", custom_words)
        with tutor as t:
            snap = t.wait_ready()
            main = snap["window"]["hwnd"]
            typing = h.child_by_id(snap, h.ID_TYPING_AREA, main)
            listed = h.child_by_id(snap, list_id, main)
            self.assertIsNotNone(listed, "the screen of mode %d is built" % mode)
            t.activate()
            self.assertEqual(t.focus()["id"], h.ID_TYPING_AREA)
            for key in TESTS_KEYS + (OWN_MODE_KEY[mode],):
                t.key(key)
            time.sleep(1.0)   # let every key be handled

            self.assertIsNone(h.find_window("#32770", 1.0), "no open-file dialog")
            self.assertIsNone(h.find_window("DetailedStats", 1.0), "no statistics window")
            self.assertFalse(t.exists("Report.htm"), "no report written")
            after = t.snapshot()
            buttons = {b["command"]: b for b in after["toolbar"]["buttons"]}
            for command in (401, 402, 405):
                self.assertTrue(buttons[command]["hidden"], "button %d stays hidden" % command)
            self.assertEqual(buttons[402]["image"], 1, "no test started")
            self.assertEqual(buttons[405]["image"], 4, "the statistics window stays closed")
            # Neither the Tests screen nor this screen again: the same controls are there.
            self.assertEqual(h.child_by_id(after, h.ID_TYPING_AREA, main)["hwnd"], typing["hwnd"])
            self.assertEqual(h.child_by_id(after, list_id, main)["hwnd"], listed["hwnd"])
            self.assertIsNone(h.child_by_id(after, h.ID_SAMPLE_VIEW, main))
            self.assertEqual(after["focus"]["id"] if after["focus"] else None, h.ID_TYPING_AREA)
            t.screenshot("commands-mode%d" % mode)
            self.assertEqual(t.close_alt_f4(), 0)
            self.assertEqual(t.read_file("Settings.xml"), t.settings_before, "the mode did not change")

    def test_mode_1_hand_words(self):
        self.check_screen(1, "commands-mode1", ID_LEFT_LIST)

    def test_mode_2_left_to_right_words(self):
        self.check_screen(2, "commands-mode2", ID_LEFT_LIST)

    def test_mode_3_custom_words(self):
        self.check_screen(3, "commands-mode3", ID_CUSTOM_LIST, b"war\r\nsweater\r\n")


if __name__ == "__main__":
    h.main()
