"""The installer, quillsetup.exe itself, run under Wine as a user would and driven with the
keyboard: an installation into a folder whose name has blanks, a comma and accented letters
(French default, Russian ticked), checked byte for byte against <build>/install, opened in the
file manager and started; a drive too small for it (a tmpfs, when the test runs as root);
destinations it refuses without writing anything (relative, overlong, device names, a name
ending in a dot, a pipe); and the life of an installation: the Start menu shortcut and the
installed apps entry, a running tutor refused, a reinstall that keeps the user's settings and
edited sample, and the uninstaller, which keeps the learner's files when asked, takes the rest,
and leaves a folder holding a file of the user's.

The destinations are typed on a drive letter that the scenario maps in the Wine prefix
(dosdevices), so that what is typed does not depend on where the build folder lies."""

import contextlib
import glob
import os
import shutil
import subprocess
import time
import unittest

import harness as h

DIALOG_CLASS = "#32770"
TITLE = "Velmora Keyfarer 1.0 Setup"
ID_DESTINATION = 1006
ID_MESSAGE_TEXT = 0xFFFF   # the text of a message box
FOLDER = "Tap\u00e9 vite, tr\u00e8s vite"   # blanks, a comma, letters of Windows-1252

SUCCESS = "Keyfarer has been installed successfully. Open destination folder?"
RELATIVE = ("The destination must be a full path that starts with a drive, such as C:\\Keyfarer, or "
            "with a network share, such as \\\\server\\share\\Keyfarer.")
TOO_LONG = ("The destination is too long: it has %d characters, and at most 213 leave room for the "
            "files installed below it.")
NOTHING_INSTALLED = "Nothing was installed: the destination is as it was before."
RUNNING = "Keyfarer is running: close it and press Install again."
KEPT = ("Keyfarer has been installed successfully. Your own files were kept as they were:\r\n"
        "Settings.xml\r\nEN\\Tests\\Sample_Unicode.txt\r\n\r\nOpen destination folder?")
UNINSTALL_TITLE = "Keyfarer Uninstall"
UNINSTALL_KEY = "HKCU\\Software\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\Keyfarer"
IDYES, IDNO = 6, 7
# What an installation with the dialog's defaults puts beside KFP.exe.
INSTALLED_ROOT = {"KFP.exe", "Uninstall.exe", "Settings.xml", "EN", "FR", "RU"}
KEYS_HEADER = b"\xef\xbb\xbfTime,Language,Character,Expected,Errors,Wrong key,Wrong key times,Timed,Milliseconds\r\n"
HISTORY_HEADER = b"\xef\xbb\xbfTime,Language,Sample,Completed,Minutes,CPM,Characters,Words,WPM,Errors,Accuracy %\r\n"


def tree(folder):
    """{relative path: bytes} of every file below the folder, and every folder as path + "/"."""
    found = {}
    for base, dirs, files in os.walk(folder):
        rel = os.path.relpath(base, folder)
        for d in dirs:
            found[os.path.normpath(os.path.join(rel, d)) + "/"] = None
        for f in files:
            with open(os.path.join(base, f), "rb") as data:
                found[os.path.normpath(os.path.join(rel, f))] = data.read()
    return found


@contextlib.contextmanager
def mapped_drive(target):
    """A free drive letter of the Wine prefix pointing at `target` inside the block."""
    dosdevices = os.path.join(os.environ["WINEPREFIX"], "dosdevices")
    letter = next(c for c in "klmnopqrstuvwxy" if not os.path.lexists(os.path.join(dosdevices, c + ":")))
    link = os.path.join(dosdevices, letter + ":")
    os.symlink(os.path.abspath(target), link)
    try:
        yield letter.upper()
    finally:
        os.remove(link)


def uninstall_entry():
    """The values of the installed apps entry ({name: text}), or None when there is none; read
    with Wine's own reg.exe, its output in a file."""
    out = os.path.join(h.runs_dir(), "reg-query.txt")
    with open(out, "wb") as f:
        rc = subprocess.run(["wine", "reg", "query", UNINSTALL_KEY], stdin=subprocess.DEVNULL, stdout=f,
                            stderr=subprocess.STDOUT, timeout=60).returncode
    if rc != 0:
        return None
    values = {}
    with open(out, "rb") as f:
        for line in f.read().decode("utf-8", "replace").splitlines():
            parts = line.strip().split(None, 2)
            if len(parts) == 3 and parts[1].startswith("REG_"):
                values[parts[0]] = parts[2]
    return values


def shortcut_file():
    """The Start menu shortcut in the Wine prefix, or None."""
    found = glob.glob(os.path.join(os.environ["WINEPREFIX"], "drive_c", "users", "*", "AppData", "Roaming",
                                   "Microsoft", "Windows", "Start Menu", "Programs", "Keyfarer", "Keyfarer.lnk"))
    return found[0] if found else None


def wait_box(title, timeout=20.0):
    """A message box of any process with this title; returns (window, text)."""
    deadline = time.monotonic() + timeout
    while True:
        found = [w for w in h.top_windows(DIALOG_CLASS) if w["title"] == title]
        if found:
            children = h.probe("children", str(found[0]["hwnd"]))["children"]
            texts = [c["text"] for c in children if c["id"] == ID_MESSAGE_TEXT and c["class"].lower() == "static"]
            return found[0], (texts[0] if texts else None)
        if time.monotonic() >= deadline:
            raise h.HarnessError("no message box titled %r within %.0f s" % (title, timeout))
        time.sleep(0.3)


def answer_box(box, answer):
    """Ends a message box with a button's id, posted to it as its click would be."""
    h.probe("command", str(box["hwnd"]), str(answer))
    deadline = time.monotonic() + 10
    while any(w["hwnd"] == box["hwnd"] for w in h.top_windows(DIALOG_CLASS)):
        if time.monotonic() >= deadline:
            raise h.HarnessError("the message box stays open")
        time.sleep(0.2)


def temp_entries():
    """What the Wine prefix's temporary folders hold: the user's and the system's."""
    found = set()
    for temp in glob.glob(os.path.join(os.environ["WINEPREFIX"], "drive_c", "users", "*", "AppData", "Local", "Temp")) + \
            [os.path.join(os.environ["WINEPREFIX"], "drive_c", "windows", "temp")]:
        if os.path.isdir(temp):
            found.update(os.path.join(temp, name) for name in os.listdir(temp))
    return found


def run_uninstaller(folder, answer, shot=None, tc=None):
    """Starts <folder>/Uninstall.exe from another folder, answers its question (IDYES keeps the
    learner's files, IDNO removes them too) and returns the text of its closing message, once
    Uninstall.exe itself is gone too (after its end); with `tc`, checks that it left nothing in
    a temporary folder."""
    temp_before = temp_entries()
    log = open(os.path.join(h.runs_dir(), "uninstall-output.txt"), "wb")
    try:
        proc = subprocess.Popen(["wine", os.path.join(folder, "Uninstall.exe")], cwd=h.runs_dir(),
                                stdin=subprocess.DEVNULL, stdout=log, stderr=subprocess.STDOUT, start_new_session=True)
    finally:
        log.close()
    try:
        box, question = wait_box(UNINSTALL_TITLE, timeout=h.START_TIMEOUT)
        if shot:
            Installer.screenshot_of(shot + "-question", box)
        answer_box(box, answer)
        box, done = wait_box(UNINSTALL_TITLE, timeout=30)
        if shot:
            Installer.screenshot_of(shot + "-done", box)
        answer_box(box, 1)  # OK
        proc.wait(timeout=30)
    finally:
        if proc.poll() is None:
            os.killpg(proc.pid, 9)
    program = os.path.join(folder, "Uninstall.exe")
    deadline = time.monotonic() + 20
    while os.path.exists(program) and time.monotonic() < deadline:
        time.sleep(0.3)
    if os.path.exists(program):
        raise h.HarnessError("Uninstall.exe is still there 20 s after its end")
    time.sleep(0.5)  # the folder, when empty, goes right after it
    if tc:
        tc.assertEqual(sorted(temp_entries() - temp_before), [], "nothing left in a temporary folder")
    return question, done


class Installer:
    """One run of quillsetup.exe from a folder of its own, which is also its current folder."""

    def __init__(self, name, plant_explorer=False):
        self.folder = os.path.join(h.runs_dir(), name)
        if os.path.exists(self.folder):
            shutil.rmtree(self.folder)
        os.makedirs(self.folder)
        shutil.copy(os.path.join(h.build_dir(), "setup", "quillsetup.exe"), self.folder)
        if plant_explorer:
            # A program named explorer.exe beside the installer and in its current folder (the
            # tutor, whose window the probe would see): opening the folder must not start it.
            shutil.copy(os.path.join(h.build_dir(), "install", "KFP.exe"), os.path.join(self.folder, "explorer.exe"))
        self.proc = None
        self.dialog = None

    def start(self):
        h.require_environment()
        log = open(os.path.join(self.folder, "wine-output.txt"), "wb")
        try:
            self.proc = subprocess.Popen(["wine", "quillsetup.exe"], cwd=self.folder, stdin=subprocess.DEVNULL,
                                         stdout=log, stderr=subprocess.STDOUT, start_new_session=True)
        finally:
            log.close()
        self.dialog = self.wait_window(lambda w: w["owner"] == 0, "the setup dialog", timeout=h.START_TIMEOUT)
        return self.dialog

    def wait_window(self, pick, what, timeout=15.0):
        deadline = time.monotonic() + timeout
        while True:
            found = [w for w in h.top_windows(DIALOG_CLASS) if w["title"] == TITLE and pick(w)]
            if found:
                return found[0]
            if self.proc.poll() is not None:
                raise h.HarnessError("the installer exited (%d) while waiting for %s" % (self.proc.returncode, what))
            if time.monotonic() >= deadline:
                raise h.HarnessError("no %s within %.0f s" % (what, timeout))
            time.sleep(0.2)

    def message_box(self):
        """Waits for the message box the dialog owns; returns (window, text)."""
        box = self.wait_window(lambda w: w["owner"] == self.dialog["hwnd"], "a message box")
        children = h.probe("children", str(box["hwnd"]))["children"]
        texts = [c["text"] for c in children if c["id"] == ID_MESSAGE_TEXT and c["class"].lower() == "static"]
        return box, (texts[0] if texts else None)

    def answer(self, key, tc):
        """Answers the open message box with a key; it must close and leave the dialog alone."""
        h.run_to_file(["xdotool", "key", key], timeout=20)
        deadline = time.monotonic() + 10
        while any(w["owner"] == self.dialog["hwnd"] for w in h.top_windows(DIALOG_CLASS)):
            tc.assertLess(time.monotonic(), deadline, "the message box stays open")
            time.sleep(0.2)

    def destination_text(self):
        return h.probe("text", str(self.dialog["hwnd"]), str(ID_DESTINATION))["text"]

    def focus(self):
        xid = h.run_to_file(["xdotool", "search", "--onlyvisible", "--name", TITLE], timeout=10).split()[0]
        h.run_to_file(["xdotool", "windowfocus", "--sync", xid], timeout=10)
        time.sleep(0.2)

    def key(self, *keys):
        h.run_to_file(["xdotool", "key", "--delay", "120"] + list(keys), timeout=60)

    def type(self, text):
        h.run_to_file(["xdotool", "type", "--delay", "20", "--", text], timeout=120)

    def type_destination(self, text, tc):
        """Types into the destination box (it has the focus, its text selected) and waits until
        the box holds the text."""
        self.type(text)
        deadline = time.monotonic() + 10
        while self.destination_text() != text:
            tc.assertLess(time.monotonic(), deadline, "the destination box holds %r" % self.destination_text())
            time.sleep(0.2)

    def press_install(self):
        """From the destination box: past "..." to Install, and press it."""
        self.key("Tab", "Tab", "space")

    def screenshot(self, name, *windows):
        """The given windows (default: the dialog), cut out of the screen."""
        return Installer.screenshot_of(name, *(windows or (self.dialog,)))

    @staticmethod
    def screenshot_of(name, *windows):
        rects = [w["rect"] for w in windows]
        x0 = max(0, min(r["x"] for r in rects) - 8)
        y0 = max(0, min(r["y"] for r in rects) - 8)
        x1 = max(r["x"] + r["w"] for r in rects) + 8
        y1 = max(r["y"] + r["h"] for r in rects) + 8
        target = os.path.join(h.shots_dir(), name + ".png")
        time.sleep(0.4)
        h.run_to_file(["import", "-window", "root", "-crop", "%dx%d+%d+%d" % (x1 - x0, y1 - y0, x0, y0), target],
                      timeout=30)
        return target

    def wait_exit(self):
        try:
            return self.proc.wait(timeout=h.EXIT_TIMEOUT)
        except subprocess.TimeoutExpired:
            raise h.HarnessError("the installer did not exit within %.0f s" % h.EXIT_TIMEOUT)

    def kill(self):
        if self.proc is not None and self.proc.poll() is None:
            try:
                os.killpg(self.proc.pid, 9)
            except ProcessLookupError:
                pass
            self.proc.wait(timeout=10)


class InstallerScenarios(unittest.TestCase):
    def setUp(self):
        self.installer = None

    def tearDown(self):
        if self.installer:
            self.installer.kill()

    def test_1_keyboard_install_opens_the_folder_and_the_tutor_starts(self):
        target = os.path.join(h.runs_dir(), "setup-drive")
        if os.path.exists(target):
            shutil.rmtree(target)
        os.makedirs(target)
        with mapped_drive(target) as drive:
            inst = self.installer = Installer("setup-install", plant_explorer=True)
            inst.start()
            inst.screenshot("setup-dialog")
            inst.focus()
            # The default-language list has the focus: "f" picks French; then the additional
            # list (English, Russian): the second item ticked with the space bar.
            inst.key("f", "Tab", "Down", "Down", "space", "Tab")
            typed = drive + ":/" + FOLDER
            with h.keyboard_layout("fr"):
                inst.type_destination(typed, self)
            inst.screenshot("setup-dialog-filled")
            inst.press_install()
            box, text = inst.message_box()
            self.assertEqual(text, SUCCESS)
            inst.screenshot("setup-success", inst.dialog, box)
            inst.answer("Return", self)   # Yes, the default button
            self.assertEqual(inst.wait_exit(), 0)

            # The system's file manager shows the folder, named whole (blanks and comma included);
            # the planted explorer.exe did not run.
            deadline = time.monotonic() + 30
            while not [w for w in h.top_windows("ExplorerWClass") if w["title"] == FOLDER]:
                self.assertLess(time.monotonic(), deadline, "no file manager window titled %r" % FOLDER)
                time.sleep(0.5)
            for w in h.top_windows("ExplorerWClass"):
                h.probe("close", str(w["hwnd"]))
            self.assertEqual(h.top_windows(h.CLASS_NAME), [], "a planted explorer.exe ran")

        # Byte for byte what the staged install folder holds for French and Russian.
        installed = os.path.join(target, FOLDER)
        staged = tree(os.path.join(h.build_dir(), "install"))
        expected = {p: b for p, b in staged.items() if p.split("/")[0] in ("FR", "RU")}
        expected["KFP.exe"] = staged["KFP.exe"]
        expected["Uninstall.exe"] = staged["Uninstall.exe"]
        expected["Settings.xml"] = h.edit_setting(h.default_settings(), "Language", 2)
        self.assertEqual(sorted(tree(installed)), sorted(expected))
        for path, data in expected.items():
            self.assertTrue(tree(installed)[path] == data, "%s differs" % path)

        with h.Tutor("setup-installed", installed=installed) as tutor:
            tutor.wait_ready()
            self.assertEqual(tutor.window()["title"], "Keyfarer (Version Fran\u00e7aise)")
            tutor.screenshot("setup-installed-tutor")
            self.assertEqual(tutor.close_alt_f4(), 0)

    def test_2_a_full_drive_leaves_nothing_half_written(self):
        if os.geteuid() != 0:
            self.skipTest("mounting a small tmpfs needs root: the full-drive scenario is skipped")
        program = os.path.getsize(os.path.join(h.build_dir(), "install", "KFP.exe"))
        # Room for KFP.exe and three more pages: the program's ".part" fits, the rest does not.
        size_kb = (program + 4095) // 4096 * 4 + 12
        drive_root = os.path.join(h.runs_dir(), "setup-tiny")
        os.makedirs(drive_root, exist_ok=True)
        h.run_to_file(["mount", "-t", "tmpfs", "-o", "size=%dk" % size_kb, "tmpfs", drive_root], timeout=20)
        try:
            with mapped_drive(drive_root) as drive:
                inst = self.installer = Installer("setup-full")
                inst.start()
                inst.focus()
                inst.key("Tab", "Tab")
                inst.type_destination(drive + ":/KFP", self)
                inst.press_install()
                box, text = inst.message_box()
                inst.screenshot("setup-disk-full", inst.dialog, box)
                self.assertTrue(text.startswith("Keyfarer could not be installed.\r\n\r\n%s:\\KFP\\" % drive), text)
                self.assertTrue(text.endswith(NOTHING_INSTALLED), text)
                self.assertEqual(os.listdir(drive_root), [], "every file and folder this run made is gone")
                inst.answer("Return", self)

                # An earlier installation on the drive stays as it was, byte for byte.
                earlier = os.path.join(drive_root, "KFP")
                os.makedirs(os.path.join(earlier, "EN", "Tests"))
                for name, data in (("KFP.exe", b"the earlier program"), ("Settings.xml", h.default_settings()),
                                   (os.path.join("EN", "Tests", "Sample_Unicode.txt"), b"\xff\xfeo\x00")):
                    with open(os.path.join(earlier, name), "wb") as f:
                        f.write(data)
                before = tree(drive_root)
                inst.key("space")   # Install still has the focus
                box, text = inst.message_box()
                self.assertTrue(text.endswith(NOTHING_INSTALLED), text)
                self.assertEqual(tree(drive_root), before)
                inst.answer("Return", self)
                inst.key("Escape")
                self.assertEqual(inst.wait_exit(), 0)
        finally:
            if self.installer:
                self.installer.kill()
            h.run_to_file(["umount", drive_root], timeout=20, check=False)

    def test_3_relative_and_overlong_destinations_are_refused(self):
        inst = self.installer = Installer("setup-refusals")
        inst.start()
        inst.focus()
        inst.key("Tab", "Tab")
        reserved = ('The destination holds the name "%s", which Windows keeps for a device (as it keeps '
                    'CON, PRN, AUX, NUL, COM1 to COM9 and LPT1 to LPT9, with or without an extension): no '
                    'folder can have it. Please choose another name.')
        dot = ("A folder name in the destination ends with a dot or a blank, which Windows drops: Keyfarer "
               "would go into another folder than the one named. Please remove the dot or blank.")
        pipe = ("The destination is a device or pipe path (it starts with \\\\.\\ or \\\\?\\). Please name a "
                "folder on a drive, such as C:\\Keyfarer, or on a network share.")
        for typed, message, shot in (("relative dir/KFP", RELATIVE, "setup-refused-relative"),
                                     ("C:/" + "x" * 300, TOO_LONG % 303, "setup-refused-long"),
                                     ("C:/kfrefused/CON", reserved % "CON", "setup-refused-device"),
                                     ("C:/kfrefused/con/b", reserved % "CON", None),
                                     ("C:/kfrefused/NUL", reserved % "NUL", None),
                                     ("C:/kfrefused/COM1.txt", reserved % "COM1", None),
                                     ("C:/kfrefused/KFP.", dot, "setup-refused-dot"),
                                     ("C:/kfrefused/a /KFP", dot, None),
                                     ("\\\\.\\pipe\\kfrefused", pipe, None)):
            inst.type_destination(typed, self)
            inst.press_install()
            box, text = inst.message_box()
            self.assertEqual(text, message)
            if shot:
                inst.screenshot(shot, inst.dialog, box)
            inst.answer("Return", self)
            # Back in the destination box, its text selected for retyping.
            self.assertEqual(h.probe("focus", str(inst.dialog["hwnd"]))["focus"]["id"], ID_DESTINATION)
        inst.key("Escape")
        self.assertEqual(inst.wait_exit(), 0)
        self.assertEqual(sorted(os.listdir(inst.folder)), ["quillsetup.exe", "wine-output.txt"])
        drive_c = os.path.join(os.environ["WINEPREFIX"], "drive_c")
        self.assertFalse([n for n in os.listdir(drive_c) if n.startswith("xxx") or n == "kfrefused"])

    def test_4_installed_like_any_program_and_removed_again(self):
        target = os.path.join(h.runs_dir(), "setup-life")
        if os.path.exists(target):
            shutil.rmtree(target)
        os.makedirs(target)
        with mapped_drive(target) as drive:
            destination = drive + ":\\KFP"
            installed = os.path.join(target, "KFP")

            def install(expected, running=None):
                inst = self.installer = Installer("setup-life-installer")
                inst.start()
                inst.focus()
                inst.key("Tab", "Tab")
                inst.type_destination(drive + ":/KFP", self)
                inst.press_install()
                if running:
                    box, text = inst.message_box()
                    self.assertEqual(text, RUNNING)
                    inst.screenshot("setup-refused-running", inst.dialog, box)
                    inst.answer("Return", self)
                    self.assertEqual(sorted(p for p in tree(installed) if p != "wine-output.txt"), running,
                                     "nothing written while the tutor runs")
                    h.probe("close", str(running_tutor.hwnd))  # the keyboard is the installer's
                    self.assertEqual(running_tutor.wait_exit(), 0)
                    os.remove(os.path.join(installed, "wine-output.txt"))
                    inst.focus()
                    inst.key("space")  # Install has the focus again
                box, text = inst.message_box()
                self.assertEqual(text, expected)
                if expected != SUCCESS:
                    inst.screenshot("setup-kept", inst.dialog, box)
                answer_box(box, IDNO)
                self.assertEqual(inst.wait_exit(), 0)

            install(SUCCESS)
            entry = uninstall_entry()
            self.assertIsNotNone(entry, "no installed apps entry")
            self.assertEqual(entry["InstallLocation"], destination)
            self.assertEqual(entry["UninstallString"], '"%s\\Uninstall.exe"' % destination)
            self.assertEqual(entry["DisplayIcon"], destination + "\\KFP.exe,0")
            self.assertEqual((entry["DisplayName"], entry["Publisher"]), ("Keyfarer", "Velmora"))
            self.assertGreater(int(entry["EstimatedSize"], 16), 300)
            link = shortcut_file()
            self.assertIsNotNone(link, "no Start menu shortcut")
            with open(link, "rb") as f:
                data = f.read()
            # The program and the folder it starts in, as the shell link stores them.
            program = (destination + "\\KFP.exe")
            self.assertTrue(program.encode("cp1252") in data or program.encode("utf-16-le") in data, data)
            self.assertIn(destination.encode("utf-16-le"), data)

            # The learner edits the settings and the sample, then installs again while the tutor
            # runs: refused by name, then, once it is closed, installed keeping both.
            settings = h.edit_setting(h.edit_setting(h.default_settings(), "Mode", 2), "BackgroundColor", "#102030")
            with open(os.path.join(installed, "Settings.xml"), "wb") as f:
                f.write(settings)
            sample = h.encode_sample("My own sample text.")
            with open(os.path.join(installed, "EN", "Tests", "Sample_Unicode.txt"), "wb") as f:
                f.write(sample)
            before = sorted(tree(installed))
            running_tutor = h.Tutor("setup-life-tutor", installed=installed)
            with running_tutor:
                running_tutor.wait_ready()
                install(KEPT, running=before)
            with open(os.path.join(installed, "Settings.xml"), "rb") as f:
                self.assertEqual(f.read(), settings)
            with open(os.path.join(installed, "EN", "Tests", "Sample_Unicode.txt"), "rb") as f:
                self.assertEqual(f.read(), sample)

            # The learner's own files and one file of the user's in a language folder.
            own = {"History.csv": b"h", os.path.join("EN", "Training Words", "Custom_Words.dat"): b"war\r\n",
                   os.path.join("EN", "Tests", "notes.txt"): b"mine", "TraceFile.txt": b"t"}
            for path, data in own.items():
                with open(os.path.join(installed, path), "wb") as f:
                    f.write(data)
            question, done = run_uninstaller(installed, IDYES, shot="uninstall", tc=self)
            self.assertTrue(question.startswith("Remove Keyfarer from %s?" % destination), question)
            self.assertEqual(done, "Keyfarer has been removed from %s. Your own files were kept there." % destination)
            left = tree(installed)
            self.assertEqual(sorted(left), sorted(["EN/", "EN/Tests/", "EN/Training Words/", "EN/Tests/notes.txt",
                                                   "EN/Training Words/Custom_Words.dat", "History.csv",
                                                   "Settings.xml"]))
            self.assertEqual(left["Settings.xml"], settings)
            self.assertIsNone(uninstall_entry(), "the installed apps entry is gone")
            self.assertIsNone(shortcut_file(), "the shortcut is gone")

            # Installed again (the learner's files gone by hand) and removed with whatever the
            # learner made since: only the user's own file stays.
            for path in ("History.csv", "Settings.xml", os.path.join("EN", "Training Words", "Custom_Words.dat")):
                os.remove(os.path.join(installed, path))
            install(SUCCESS)
            with open(os.path.join(installed, "Report.htm"), "wb") as f:
                f.write(b"<p>report</p>")
            _, done = run_uninstaller(installed, IDNO)
            self.assertEqual(done, "Keyfarer has been removed from %s." % destination)
            self.assertEqual(sorted(tree(installed)), ["EN/", "EN/Tests/", "EN/Tests/notes.txt"])
            os.remove(os.path.join(installed, "EN", "Tests", "notes.txt"))

            # Nothing of the user's: the folder itself goes, and nothing beside it.
            with open(os.path.join(target, "beside.txt"), "wb") as f:
                f.write(b"not Keyfarer's")
            shutil.rmtree(installed)
            install(SUCCESS)
            run_uninstaller(installed, IDNO, tc=self)
            self.assertEqual(sorted(os.listdir(target)), ["beside.txt"])

    def install_into(self, drive):
        """Installs into <drive>:\\KFP with the dialog's defaults, answering No to opening it."""
        inst = self.installer = Installer("setup-files-installer")
        inst.start()
        inst.focus()
        inst.key("Tab", "Tab")
        inst.type_destination(drive + ":/KFP", self)
        inst.press_install()
        box, text = inst.message_box()
        self.assertEqual(text, SUCCESS)
        answer_box(box, IDNO)
        self.assertEqual(inst.wait_exit(), 0)

    def tutor_writes_its_files(self, installed):
        """The tutor, traced, writes the keyboard page (Ctrl+L) and a practice text (Ctrl+K) over a
        key history; the history, the key history and a course file stand beside them. The
        uninstaller, started while it runs, says so before any question."""
        with open(os.path.join(installed, "Settings.xml"), "rb") as f:
            settings = h.edit_setting(f.read(), "Debug", 1)
        with open(os.path.join(installed, "Settings.xml"), "wb") as f:
            f.write(settings)
        keys = "".join("2026-12-08T10:00:00,EN,%s,50,5,x,5,40,8000\r\n" % c for c in "etaonsrhl")
        planted = {"Keys.csv": KEYS_HEADER + keys.encode(), "History.csv": HISTORY_HEADER,
                   "Course_EN.csv": b"Lessons,1\r\n"}
        for name, data in planted.items():
            with open(os.path.join(installed, name), "wb") as f:
                f.write(data)
        tutor = h.Tutor("setup-files-tutor", installed=installed)
        with tutor:
            tutor.wait_ready()
            for name, key in (("Keyboard.htm", "ctrl+l"), ("Practice.txt", "ctrl+k")):
                tutor.activate()
                tutor.key(key)
                tutor.wait_for(name, lambda: tutor.exists(name), timeout=20)
                tutor.end_viewers()
            proc = subprocess.Popen(["wine", os.path.join(installed, "Uninstall.exe")], cwd=h.runs_dir(),
                                    stdin=subprocess.DEVNULL, stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL,
                                    start_new_session=True)
            box, text = wait_box(UNINSTALL_TITLE, timeout=h.START_TIMEOUT)
            self.assertEqual(text, "Keyfarer is running: close it and start the uninstaller again.")
            answer_box(box, 1)
            self.assertEqual(proc.wait(timeout=30), 1)
            self.assertEqual(tutor.close_alt_f4(), 0)
        tutor.end_viewers()
        os.remove(os.path.join(installed, "wine-output.txt"))  # the harness's, not the tutor's
        self.assertEqual(sorted(set(os.listdir(installed)) - INSTALLED_ROOT),
                         sorted(["Keyboard.htm", "Practice.txt", "TraceFile.txt"] + list(planted)))

    def test_5_the_uninstaller_takes_every_file_the_tutor_wrote_when_asked(self):
        target = os.path.join(h.runs_dir(), "setup-files")
        if os.path.exists(target):
            shutil.rmtree(target)
        os.makedirs(target)
        with mapped_drive(target) as drive:
            installed = os.path.join(target, "KFP")
            self.install_into(drive)
            self.tutor_writes_its_files(installed)
            _, done = run_uninstaller(installed, IDYES, tc=self)
            self.assertEqual(done, "Keyfarer has been removed from %s:\\KFP. Your own files were kept there." % drive)
            self.assertEqual(sorted(tree(installed)), sorted(["Course_EN.csv", "History.csv", "Keyboard.htm", "Keys.csv",
                                                              "Practice.txt", "Settings.xml"]))
            shutil.rmtree(installed)

            self.install_into(drive)
            self.tutor_writes_its_files(installed)
            _, done = run_uninstaller(installed, IDNO, tc=self)
            self.assertEqual(done, "Keyfarer has been removed from %s:\\KFP." % drive)
            self.assertEqual(os.listdir(target), [], "the folder is gone with everything in it")


if __name__ == "__main__":
    h.main()
