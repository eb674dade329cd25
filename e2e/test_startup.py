"""The tutor started in a fresh install folder with the default settings (Tests mode, English)
and closed with Alt+F4; and started from another folder: it works from its own folder, also
when the other folder has language folders and settings of its own, and says which folders it
looked in when neither holds a language folder."""

import os
import shutil
import subprocess
import unittest

import harness as h


class DefaultStart(unittest.TestCase):
    @classmethod
    def setUpClass(cls):
        cls.tutor = h.Tutor("startup")
        cls.tutor.start()
        cls.snap = cls.tutor.wait_ready()
        # The sample is loaded while the screen is built; give it time, test_4 judges it.
        try:
            cls.tutor.wait_for_sample("the English sample in the view", h.sample_text(1), timeout=10)
        except h.HarnessError:
            pass
        cls.snap = cls.tutor.snapshot()
        cls.tutor.screenshot("tests-en-narrow")

    @classmethod
    def tearDownClass(cls):
        cls.tutor.kill()

    def test_1_main_window(self):
        w = self.snap["window"]
        self.assertEqual(w["class"], "QUILLKEY")
        self.assertEqual(w["title"], "Keyfarer")
        self.assertTrue(w["visible"])
        self.assertTrue(w["has_menu"], "the English menu bar is attached")
        self.assertEqual((w["rect"]["w"], w["rect"]["h"]), h.NARROW_SIZE)
        screen = (w["screen"]["w"], w["screen"]["h"])
        expected = h.centred_position(h.NARROW_SIZE, screen, h.rect_tuple(w["work_area"]))
        self.assertEqual((w["rect"]["x"], w["rect"]["y"]), expected)

    def test_2_toolbar(self):
        tb = self.snap["toolbar"]
        self.assertIsNotNone(tb, "toolbar 400 is readable")
        self.assertTrue(tb["visible"])
        buttons = tb["buttons"]
        self.assertEqual([b["command"] for b in buttons], [401, 402, 403, 404, 405])
        self.assertEqual([b["image"] for b in buttons], [0, 1, 2, 3, 4])
        self.assertEqual([b["hidden"] for b in buttons], [False] * 5)
        # Open, Start and Alert usable; Clear and Statistics greyed until there is something to do.
        self.assertEqual([b["enabled"] for b in buttons], [True, True, True, False, False])
        self.assertEqual([b["indeterminate"] for b in buttons], [False, False, False, True, True])

    def test_3_status_bar(self):
        sb = self.snap["statusbar"]
        self.assertIsNotNone(sb, "status bar 334 is readable")
        self.assertTrue(sb["visible"])
        a = self.snap["window"]["client"]["w"] // 3
        self.assertEqual(sb["parts"], [a, 2 * a, 4 * a])

    def test_4_tests_screen_controls(self):
        main = self.snap["window"]["hwnd"]
        typing = h.child_by_id(self.snap, h.ID_TYPING_AREA, main)
        sample = h.child_by_id(self.snap, h.ID_SAMPLE_VIEW, main)
        self.assertIsNotNone(typing)
        self.assertIsNotNone(sample)
        self.assertEqual(typing["class"].lower(), "edit")
        self.assertEqual(sample["class"].lower(), "edit")
        self.assertEqual(h.rect_tuple(typing["rect"]), (25, 60, 500, 320))
        self.assertEqual(h.rect_tuple(sample["rect"]), (25, 395, 500, 320))
        self.assertTrue(typing["visible"] and sample["visible"])
        self.assertEqual(typing["text"], "")
        self.assertEqual(sample["text"], h.sample_text(1))
        focus = self.snap["focus"]
        self.assertIsNotNone(focus)
        self.assertEqual(focus["id"], h.ID_TYPING_AREA, "the typing area has the keyboard focus")

    def test_5_statistics_fields_empty(self):
        fields = h.statistics_fields(self.snap)
        for row, (label, value) in fields.items():
            self.assertIsNotNone(label, "label of row %d" % row)
            self.assertIsNotNone(value, "value of row %d" % row)
            self.assertEqual((label["text"], value["text"]), ("", ""), "row %d before any test" % row)
            self.assertEqual((label["rect"]["w"], label["rect"]["h"]), (200, 20))

    def test_6_support_link_in_narrow_place(self):
        toolbar = h.child_by_id(self.snap, h.ID_TOOLBAR)
        links = [c for c in self.snap["children"]
                 if toolbar and c["parent"] == toolbar["hwnd"] and c["class"].lower() == "static"]
        self.assertEqual(len(links), 1, "one support link on the toolbar")
        self.assertEqual(links[0]["text"], "Help keep KF free!")
        self.assertEqual(h.rect_tuple(links[0]["rect"]), (400, 4, 150, 20))

    def test_9_alt_f4_leaves_files_alone(self):
        t = self.tutor
        self.assertEqual(t.close_alt_f4(), 0)
        self.assertEqual(t.read_file("Settings.xml"), t.settings_before,
                         "a run that ends in its start mode and language writes nothing")
        self.assertFalse(t.exists("TraceFile.txt"), "no trace log with Debug 0")


class StartFromAnotherFolder(unittest.TestCase):
    def elsewhere(self):
        folder = os.path.join(h.runs_dir(), "startup-elsewhere")
        if os.path.exists(folder):
            shutil.rmtree(folder)
        os.makedirs(folder)
        return folder

    def test_its_own_folder_when_the_current_one_has_no_language_folder(self):
        cwd = self.elsewhere()
        tutor = h.Tutor("startup-own-folder", edits={"Debug": 1})
        try:
            tutor.start(cwd=cwd)
            tutor.wait_ready()
            tutor.wait_for_sample("the English sample of the program's folder", h.sample_text(1))
            self.assertEqual(tutor.close_alt_f4(), 0)
        finally:
            tutor.kill()
        self.assertEqual(os.listdir(cwd), [], "nothing written into the current folder")
        self.assert_traced_own_folder(tutor)

    def assert_traced_own_folder(self, tutor):
        trace = [m for _, m in h.parse_trace(tutor.read_file("TraceFile.txt"))]
        at = trace.index("_tWinMain Entered")
        self.assertEqual(trace[at + 1:at + 3], ["_tWinMain: working from the program's folder:",
                                                h.wine_path(tutor.folder)])

    def test_its_own_folder_when_the_current_one_has_data_and_settings_of_its_own(self):
        # A shortcut whose start folder is an old copy: Russian in mode 1 and an empty sample.
        cwd = self.elsewhere()
        other = h.Tutor("startup-other-copy", edits={"Language": 3, "Mode": 1})
        with open(other.path("EN", "Tests", "Sample_Unicode.txt"), "wb") as f:
            f.write(h.encode_sample(""))
        shutil.copytree(other.folder, cwd, dirs_exist_ok=True)
        with open(os.path.join(cwd, "Settings.xml"), "rb") as f:
            settings = f.read()
        tutor = h.Tutor("startup-own-over-other", edits={"Debug": 1})
        try:
            tutor.start(cwd=cwd)
            tutor.wait_ready()
            tutor.wait_for_sample("the English sample of the program's folder", h.sample_text(1))
            self.assertEqual(tutor.window()["title"], "Keyfarer")
            self.assertEqual(tutor.close_alt_f4(), 0)
        finally:
            tutor.kill()
        self.assert_traced_own_folder(tutor)
        self.assertFalse(os.path.exists(os.path.join(cwd, "TraceFile.txt")), "no trace in the other folder")
        with open(os.path.join(cwd, "Settings.xml"), "rb") as f:
            self.assertEqual(f.read(), settings, "the other folder's settings untouched")

    def test_a_message_names_the_folders_when_neither_has_one(self):
        cwd = self.elsewhere()
        lonely = os.path.join(cwd, "program")
        os.makedirs(lonely)
        shutil.copy(os.path.join(h.build_dir(), "install", "KFP.exe"), lonely)
        with open(os.path.join(cwd, "wine-output.txt"), "wb") as log:
            proc = subprocess.Popen(["wine", h.wine_path(os.path.join(lonely, "KFP.exe"))], cwd=cwd,
                                    stdin=subprocess.DEVNULL, stdout=log, stderr=subprocess.STDOUT,
                                    start_new_session=True)
        try:
            box = h.find_window("#32770", h.START_TIMEOUT)
            self.assertIsNotNone(box, "no message box")
            self.assertEqual(box["title"], "Keyfarer")
            texts = [c["text"] for c in h.probe("children", str(box["hwnd"]))["children"]
                     if c["id"] == 0xFFFF and c["class"].lower() == "static"]
            self.assertEqual(texts, ["Keyfarer cannot start: there is no language folder (EN, FR or RU) with its "
                                     "word lists.\r\n\r\nIt looked in:\r\n%s\r\n%s\r\n\r\nPlease install "
                                     "Keyfarer again, or start it from its installation folder."
                                     % (h.wine_path(lonely), h.wine_path(cwd))])
            self.assertEqual(h.top_windows(h.CLASS_NAME), [], "no empty main window")
            h._screenshot_root("startup-no-language-folder")
            h.probe("command", str(box["hwnd"]), "1")
            self.assertEqual(proc.wait(timeout=h.EXIT_TIMEOUT), 1)
        finally:
            if proc.poll() is None:
                os.killpg(proc.pid, 9)
                proc.wait(timeout=10)


if __name__ == "__main__":
    h.main()
