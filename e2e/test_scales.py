"""Every screen of both programs at 96, 120, 144 and 192 DPI (100 to 200 %), each scale on a
display of its own whose desktop has the same size in 96-DPI units. At every scale the tutor's four
screens (the Tests screen in its wide form after a short test), the detailed statistics window,
the about box and the installer's dialog are checked by relations, not numbers: every control
inside its parent's client area, no two sibling controls overlapping, every text fitting its
control as measured with the control's own font, each list showing at least as many rows as at
96 DPI, and each window grown with the scale. Screenshots of every window at 144 DPI go to
<build>/e2e-shots/scales-*-144.png, and of the about box at 192 DPI to scales-about-192.png.

Then the work areas of common laptop displays (1366x768 at 100 %, 1920x1080 at 125 % and 150 %):
every screen and the statistics window inside the work area and laid out by the same relations,
with the live keyboard shown; a drag of the main window's bottom edge lays the screen out again,
and the screen keeps the dragged size when it comes back."""

import os
import shutil
import subprocess
import time
import unittest

import harness as h

SCALES = (96, 120, 144, 192)
SHOT_SCALE = 144
SAMPLE = "quick brown foxes jump"
ID_ABOUT, ID_LEFT_LIST, ID_CUSTOM_LIST, ID_DS_CHECK_ALL, ID_DS_CREATE = 4000, 626, 635, 638, 637
ID_COURSE_PROGRESS, ID_OPTIONS = 661, 4022
DIALOG_CLASS = "#32770"
WINDOWS = ("tests", "statistics", "about", "options", "course", "hands", "custom", "installer")
SETUP_TITLE = "Velmora Keyfarer 1.0 Setup"
# A window's client width at a scale grows with the scale: at least in proportion, less this, and
# less than a quarter more (dialogs grow with their font, whose widths round to whole pixels).
GROWTH_TOLERANCE = 0.04
# Texts that the layout the tutor keeps at 96 DPI already cuts, which at other scales may be cut
# in proportion as much, no more: none (the about box lays its texts out for their fonts).
CUT_AT_96 = {}


def dialog_of(pid, title=None, timeout=15.0):
    """The visible dialog window of process `pid` (with `title`, when given)."""
    deadline = time.monotonic() + timeout
    while time.monotonic() < deadline:
        for w in h.top_windows(DIALOG_CLASS):
            if w["pid"] == pid and (title is None or w["title"] == title):
                return w
        time.sleep(0.2)
    raise h.HarnessError("no dialog of process %d within %.0f s" % (pid, timeout))


class EveryScreenAtFourScales(unittest.TestCase):
    def layout(self, found, name, window, dpi, beside=None):
        """Keeps the layout of `window` as `name`, and at the shot scale a screenshot of it (with
        the window `beside` it, when given)."""
        found[name] = h.probe("layout", str(window["hwnd"]))
        if dpi == SHOT_SCALE or (name == "about" and dpi == max(SCALES)):
            rects = [w["rect"] for w in (window, beside) if w]
            left, top = min(r["x"] for r in rects), min(r["y"] for r in rects)
            right, bottom = max(r["x"] + r["w"] for r in rects), max(r["y"] + r["h"] for r in rects)
            time.sleep(0.4)  # the last paint reaches the screen
            h.run_to_file(["import", "-window", "root", "-crop", "%dx%d+%d+%d" % (right - left, bottom - top, left, top),
                           "+repage", os.path.join(h.shots_dir(), "scales-%s-%d.png" % (name, dpi))], timeout=30)

    def tutor_layouts(self, dpi, found):
        tutor = h.Tutor("scales-%d" % dpi)
        tutor.write("EN/Tests/Sample_Unicode.txt", h.encode_sample(SAMPLE))
        with tutor as t:
            t.wait_for_sample("the sample", SAMPLE)
            narrow = t.window()["rect"]["w"]
            t.activate()
            t.type(SAMPLE)
            # The completed test uncovers the statistics panel.
            self.layout(found, "tests", t.wait_for("the wide form", lambda: t.window()["rect"]["w"] > narrow and
                                                   t.window()), dpi)
            t.key("F8")
            stats = h.find_window("DetailedStats", 10.0)
            self.assertIsNotNone(stats, "F8 opens the detailed statistics window")
            self.layout(found, "statistics", stats, dpi, beside=t.window())
            # Its words become the custom list, so that the custom words screen has rows.
            h.probe("command", str(stats["hwnd"]), str(ID_DS_CHECK_ALL))
            h.probe("command", str(stats["hwnd"]), str(ID_DS_CREATE))
            t.wait_for("the custom list", lambda: t.exists("EN", "Training Words", "Custom_Words.dat"))
            h.probe("close", str(stats["hwnd"]))
            t.wait_for("the statistics window to close", lambda: h.find_window("DetailedStats", 0.1) is None)

            for command, name in ((ID_ABOUT, "about"), (ID_OPTIONS, "options")):
                h.probe("command", str(t.hwnd), str(command))
                dialog = dialog_of(t.window()["pid"])
                self.layout(found, name, dialog, dpi, beside=t.window())
                h.probe("close", str(dialog["hwnd"]))
                t.wait_for("the %s dialog to close" % name, lambda: not [w for w in h.top_windows(DIALOG_CLASS)
                                                                        if w["hwnd"] == dialog["hwnd"]])
            for key, control, name in (("ctrl+u", ID_COURSE_PROGRESS, "course"), ("ctrl+1", ID_LEFT_LIST, "hands"),
                                       ("ctrl+3", ID_CUSTOM_LIST, "custom")):
                t.activate()
                t.key(key)
                t.wait_for(name, lambda: h.child_by_id(t.snapshot(), control))
                self.layout(found, name, t.window(), dpi)
            self.assertEqual(t.close_alt_f4(), 0)

    def installer_layout(self, dpi, found):
        folder = os.path.join(h.runs_dir(), "scales-setup-%d" % dpi)
        shutil.rmtree(folder, ignore_errors=True)
        os.makedirs(folder)
        shutil.copy(os.path.join(h.build_dir(), "setup", "quillsetup.exe"), folder)
        with open(os.path.join(folder, "wine-output.txt"), "wb") as log:
            proc = subprocess.Popen(["wine", "quillsetup.exe"], cwd=folder, stdin=subprocess.DEVNULL, stdout=log,
                                    stderr=subprocess.STDOUT, start_new_session=True)
        try:
            deadline = time.monotonic() + h.START_TIMEOUT
            dialog = None
            while dialog is None and time.monotonic() < deadline and proc.poll() is None:
                dialog = next((w for w in h.top_windows(DIALOG_CLASS) if w["title"] == SETUP_TITLE), None)
                time.sleep(0.2)
            self.assertIsNotNone(dialog, "the setup dialog")
            self.layout(found, "installer", dialog, dpi)
            h.probe("close", str(dialog["hwnd"]))
            self.assertEqual(proc.wait(timeout=h.EXIT_TIMEOUT), 0)
        finally:
            if proc.poll() is None:
                os.killpg(proc.pid, 9)
                proc.wait(timeout=10)

    def test_every_screen_at_every_scale(self):
        at96 = {}
        cut = {}
        problems = []
        for dpi in SCALES:
            found = {}
            with h.display_dpi(dpi):
                self.tutor_layouts(dpi, found)
                self.installer_layout(dpi, found)
            self.assertEqual(sorted(found), sorted(WINDOWS))
            for name, answer in found.items():
                where = "%d DPI, %s: " % (dpi, name)
                # The texts were measured inside the program, with the controls' fonts.
                self.assertTrue(any(h.text_need(c) is not None for c in answer["children"]), where + "no text measured")
                if dpi == SCALES[0]:
                    cut[name] = {c["id"]: h.text_need(c) for c in answer["children"]
                                 if c["id"] in CUT_AT_96.get(name, ())}
                problems += [where + p for p in h.layout_problems(answer["children"], cut[name])]
                rows = h.list_rows(answer["children"])
                width = answer["window"]["client"]["w"]
                if dpi == SCALES[0]:
                    at96[name] = (rows, width)
                    continue
                rows96, width96 = at96[name]
                problems += [where + "list %d shows %d rows, %d at 96 DPI" % (i, rows.get(i, 0), n)
                             for i, n in rows96.items() if rows.get(i, 0) < n]
                growth = width / (width96 * dpi / 96.0)
                if not 1 - GROWTH_TOLERANCE <= growth < 1.25:
                    problems.append(where + "client width %d, %d at 96 DPI" % (width, width96))
        self.assertEqual(problems, [], "\n".join(problems))



# The work areas of common laptop displays with a 40-pixel taskbar: 1366x768 at 100 %, 1920x1080
# at 125 % and at 150 % (there the 96-DPI desktop is only 1536x832 and 1280x693).
SMALL_DISPLAYS = ((96, (1366, 728)), (120, (1920, 1040)), (144, (1920, 1040)))
DRAG = 150  # how far the window's bottom edge is dragged up


class EveryScreenFitsASmallDisplay(unittest.TestCase):
    def check_window(self, where, window, problems):
        """`window` inside the work area, its controls laid out by relations."""
        r, work = window["rect"], window["work_area"]
        if r["x"] < work["x"] or r["y"] < work["y"] or r["x"] + r["w"] > work["x"] + work["w"] or \
                r["y"] + r["h"] > work["y"] + work["h"]:
            problems.append("%s: the window %r leaves the work area %r" % (where, r, work))
        answer = h.probe("layout", str(window["hwnd"]))
        problems += ["%s: %s" % (where, p) for p in h.layout_problems(answer["children"])]

    def drag_bottom_edge(self, t):
        """Drags the main window's bottom edge up with the mouse, as a learner does."""
        r = t.window()["rect"]
        x, y = r["x"] + r["w"] // 2, r["y"] + r["h"] - 2
        h.run_to_file(["xdotool", "mousemove", str(x), str(y), "mousedown", "1", "mousemove", str(x), str(y - DRAG // 2),
                       "mousemove", str(x), str(y - DRAG), "mouseup", "1"], timeout=30)

    def screens(self, dpi, pixels, problems):
        tutor = h.Tutor("fit-%d-%d" % (dpi, pixels[0]))
        tutor.write("EN/Tests/Sample_Unicode.txt", h.encode_sample(SAMPLE))
        with tutor as t:
            t.wait_for_sample("the sample", SAMPLE)
            where = "%dx%d at %d DPI" % (pixels[0], pixels[1], dpi)
            t.activate()
            t.type(SAMPLE)
            # The Tests screen in its wide form, as the scales above check it.
            t.wait_for("the wide form", lambda: t.button(402)["image"] == 1 and t.window()["rect"]["w"] > 600)
            self.check_window(where + ", tests", t.window(), problems)
            if dpi == 96:
                t.screenshot("fit-tests-1366x768")
            t.key("F8")
            stats = h.find_window("DetailedStats", 10.0)
            self.assertIsNotNone(stats, "F8 opens the detailed statistics window")
            self.check_window(where + ", statistics", stats, problems)
            # Its words become the custom list, so that the custom words screen is offered.
            h.probe("command", str(stats["hwnd"]), str(ID_DS_CHECK_ALL))
            h.probe("command", str(stats["hwnd"]), str(ID_DS_CREATE))
            t.wait_for("the custom list", lambda: t.exists("EN", "Training Words", "Custom_Words.dat"))
            for key, control, name in (("ctrl+u", ID_COURSE_PROGRESS, "course"), ("ctrl+1", ID_LEFT_LIST, "hands"),
                                       ("ctrl+3", ID_CUSTOM_LIST, "custom")):
                t.activate()
                t.key(key)
                t.wait_for(name, lambda: h.child_by_id(t.snapshot(), control))
                self.check_window("%s, %s" % (where, name), t.window(), problems)
            # A drag of the edge lays the screen out again; the size is kept when the screen comes back.
            before = t.window()["rect"]["h"]
            self.drag_bottom_edge(t)
            dragged = t.wait_for("the dragged size", lambda: t.window()["rect"]["h"] < before - DRAG // 2 and
                                 t.window()["rect"]["h"])
            self.check_window(where + ", custom after a drag", t.window(), problems)
            t.activate()
            t.key("ctrl+1")
            t.wait_for("hands", lambda: h.child_by_id(t.snapshot(), ID_LEFT_LIST))
            t.key("ctrl+3")
            t.wait_for("custom", lambda: h.child_by_id(t.snapshot(), ID_CUSTOM_LIST))
            self.assertEqual(t.window()["rect"]["h"], dragged, where + ": the custom screen keeps its dragged size")
            self.assertEqual(t.close_alt_f4(), 0)

    def test_every_screen_fits_and_follows_a_drag(self):
        problems = []
        for dpi, pixels in SMALL_DISPLAYS:
            with h.display_dpi(dpi, pixels):
                self.screens(dpi, pixels, problems)
        self.assertEqual(problems, [], "\n".join(problems))


if __name__ == "__main__":
    h.main()
