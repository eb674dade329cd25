"""Checks of the harness's own helpers, without Wine: a wrong keystroke plan or settings edit
would make the whole-program scenarios pass or fail for the wrong reason."""

import os
import shutil
import subprocess
import tempfile
import unittest

import harness as h


def replay(steps):
    """What an edit control holds after the steps: typed text, Return as CR LF, BackSpace."""
    text = ""
    for kind, what in steps:
        if kind == "type":
            text += what
        elif what == "Return":
            text += "\r\n"
        elif what == "BackSpace":
            text = text[:-1]
        else:
            raise AssertionError("unexpected key %r" % what)
    return text


class SampleDecoding(unittest.TestCase):
    def test_little_endian_with_mark(self):
        self.assertEqual(h.decode_sample(b"\xff\xfeA\x00b\x00"), "Ab")

    def test_odd_last_byte_is_dropped(self):
        self.assertEqual(h.decode_sample(b"\xff\xfeA\x00b"), "A")

    def test_big_endian_mark_is_read_as_little_endian(self):
        # The tutor does not swap: "A" stored big-endian comes out as U+4100.
        self.assertEqual(h.decode_sample(b"\xfe\xff\x00A"), "\u4100")

    def test_no_mark_is_refused(self):
        with self.assertRaises(ValueError):
            h.decode_sample(b"A\x00b\x00")
        with self.assertRaises(ValueError):
            h.decode_sample(b"")

    def test_units_count_surrogate_pairs_twice(self):
        self.assertEqual(h.utf16_units("a\U0001F600\r\n"), 5)
        self.assertEqual(h.character_messages("ab\r\ncd\r\n"), 6)

    def test_words_are_runs_between_blanks_and_line_breaks(self):
        self.assertEqual(h.words_in("one two\r\nthree"), 3)
        self.assertEqual(h.words_in(" a\t b \r\n\r\n"), 2)
        self.assertEqual(h.words_in("a\u00a0b"), 1)  # a no-break space joins
        self.assertEqual(h.words_in("Oui : non ; \u00e7a ! \u00ab x \u00bb - fin"), 5)  # marks alone are no words

    def test_encoded_sample_decodes_back(self):
        self.assertEqual(h.decode_sample(h.encode_sample("go ab\r\nwe")), "go ab\r\nwe")


class KeystrokePlans(unittest.TestCase):
    def test_paragraphs_become_return(self):
        steps = h.keystroke_plan("ab cd.\r\nef")
        self.assertEqual(steps, [("type", "ab cd."), ("key", "Return"), ("type", "ef")])

    def test_empty_paragraphs_and_final_break(self):
        steps = h.keystroke_plan("a\r\n\r\nb\r\n")
        self.assertEqual(steps, [("type", "a"), ("key", "Return"), ("key", "Return"),
                                 ("type", "b"), ("key", "Return")])

    def test_mistake_is_typed_then_erased(self):
        steps = h.keystroke_plan("xy\r\nabc", mistake_at=5)
        self.assertEqual(steps, [("type", "xy"), ("key", "Return"), ("type", "a"), ("type", "q"),
                                 ("key", "BackSpace"), ("type", "bc")])
        self.assertEqual(replay(steps), "xy\r\nabc")

    def test_wrong_letter_differs_from_right_one(self):
        steps = h.keystroke_plan("aq", mistake_at=1)
        self.assertIn(("type", "z"), steps)
        with self.assertRaises(ValueError):
            h.keystroke_plan("ab", mistake_at=1, wrong="b")

    def test_untypable_text_is_refused(self):
        for text in ("a\nb", "a\rb", "tab\there", "caf\u00e9", "\x00"):
            with self.assertRaises(ValueError, msg=repr(text)):
                h.keystroke_plan(text)
        with self.assertRaises(ValueError):
            h.keystroke_plan("ab\r\ncd", mistake_at=2)

    def test_installed_samples_replay_exactly(self):
        path = os.path.join(h.SOURCE_DIR, "data", "EN", "Tests", "Sample_Unicode.txt")
        if not os.path.exists(path):
            self.skipTest("no English sample yet")
        sample = h.sample_text(1)
        self.assertEqual(replay(h.keystroke_plan(sample)), sample,
                         "the typing scenario can type the English sample as it stands")
        for at in (1, len(sample) // 2, len(sample) - 1):
            if sample[at] in "\r\n":
                continue
            self.assertEqual(replay(h.keystroke_plan(sample, mistake_at=at)), sample)


class SettingsEdits(unittest.TestCase):
    DOC = (b"<KeyfarerPro>\r\n\r\n<Application>\r\n    <Mode>4</Mode>\r\n    <Language>1</Language>\r\n"
           b"</Application>\r\n<Mode1></Mode1>\r\n<Mode4>\r\n</Mode4>\r\n\r\n</KeyfarerPro>")

    def test_only_the_value_changes(self):
        out = h.edit_setting(self.DOC, "Language", 2)
        self.assertEqual(out, self.DOC.replace(b"<Language>1<", b"<Language>2<"))
        self.assertEqual(len(out), len(self.DOC))

    def test_mode_does_not_touch_mode_sections(self):
        out = h.edit_setting(self.DOC, "Mode", 2)
        self.assertIn(b"    <Mode>2</Mode>\r\n", out)
        self.assertIn(b"<Mode1></Mode1>", out)
        self.assertIn(b"<Mode4>\r\n</Mode4>", out)

    def test_missing_key_raises(self):
        with self.assertRaises(KeyError):
            h.edit_setting(self.DOC, "Debug", 1)

    def test_read_back(self):
        self.assertEqual(h.read_setting(self.DOC, "Mode"), "4")
        self.assertIsNone(h.read_setting(self.DOC, "Debug"))
        self.assertEqual(h.read_setting(h.edit_setting(self.DOC, "Mode", 3), "Mode"), "3")

    def test_default_document_edits(self):
        path = os.path.join(h.SOURCE_DIR, "data", "Settings.xml")
        if not os.path.exists(path):
            self.skipTest("no default settings document yet")
        doc = h.default_settings()
        for key, value in (("Debug", 1), ("Language", 3), ("SaveLastUsed", 0)):
            out = h.edit_setting(doc, key, value)
            changed = [i for i, (a, b) in enumerate(zip(doc.split(b"\r\n"), out.split(b"\r\n"))) if a != b]
            self.assertEqual(len(changed), 1, key)
            self.assertEqual(h.read_setting(out, key), str(value))


class TraceParsing(unittest.TestCase):
    def test_lines(self):
        data = b"12/05/2026,09:04:07: _tWinMain Entered\r\n03/05/2026,23:59:59: x\r\n"
        self.assertEqual(h.parse_trace(data), [((2026, 12, 5, 9, 4, 7), "_tWinMain Entered"),
                                               ((2026, 3, 5, 23, 59, 59), "x")])
        self.assertEqual(h.parse_trace(b""), [])

    def test_malformed_logs_raise(self):
        for data in (b"12/05/2026,09:04:07: no line end",
                     b"12/05/2026,09:04:07: lf only\n",
                     b"12/5/2026,09:04:07: one-digit day\r\n",
                     b"12/05/2026 09:04:07: no comma\r\n",
                     b"13/05/2026,09:04:07: month 13\r\n",
                     b"12/05/2026,09:04:07:no blank\r\n",
                     b"a\r\n\r\n"):
            with self.assertRaises(ValueError, msg=data):
                h.parse_trace(data)


class Placement(unittest.TestCase):
    def test_centred_on_the_screen(self):
        self.assertEqual(h.centred_position((560, 820), (1280, 1024), (0, 0, 1280, 1024)), (360, 102))
        self.assertEqual(h.centred_position((807, 820), (1280, 1024), (0, 0, 1280, 1024)), (237, 102))

    def test_pushed_into_the_work_area(self):
        # A taskbar of 40 pixels at the bottom: the 820-high window would stick out below.
        self.assertEqual(h.centred_position((560, 820), (1280, 860), (0, 0, 1280, 820)), (360, 0))
        self.assertEqual(h.centred_position((807, 820), (800, 600), (0, 0, 800, 600)), (0, 0))
        self.assertEqual(h.centred_position((100, 100), (1280, 1024), (700, 0, 580, 1024)), (700, 462))

    def test_wine_path(self):
        self.assertEqual(h.wine_path("/tmp/a b/c.json"), "Z:\\tmp\\a b\\c.json")


def control(cls, rect, text="", style=0, parent=1, client=None, line=None, wrapped=None, cid=0, visible=True):
    """A child as the probe's "layout" command describes it, with its text measured."""
    x, y, w, hh = rect
    cw, ch = client or (w, hh)
    line = line or (len(text) * 7, 16)
    wrapped = wrapped or line
    return {"class": cls, "id": cid, "text": text, "style": style, "parent": parent, "visible": visible,
            "rect": {"x": x, "y": y, "w": w, "h": hh}, "client": {"w": cw, "h": ch},
            "parent_client": {"w": 400, "h": 300},
            "measure": {"measured": True, "line": {"w": line[0], "h": line[1]},
                        "wrapped": {"w": wrapped[0], "h": wrapped[1]}}}


class LayoutRelations(unittest.TestCase):
    """The relation checker, on planted rectangle lists: each rule is seen to fail once."""
    CASES = [
        # (what, children, words expected in the one problem, or None for a sound layout)
        ("side by side", [control("Edit", (10, 10, 100, 50)), control("ListBox", (120, 10, 100, 50))], None),
        ("a planted overlap", [control("Edit", (10, 10, 100, 50)), control("ListBox", (100, 10, 100, 50))],
         "overlaps"),
        ("overlap across parents is no overlap",
         [control("Edit", (10, 10, 100, 50)), control("Static", (10, 10, 100, 50), "Link", parent=2)], None),
        ("hidden controls are not laid out",
         [control("Edit", (10, 10, 100, 50)), control("Button", (10, 10, 40, 20), visible=False)], None),
        ("past the parent's right edge", [control("Edit", (350, 10, 100, 50))], "outside"),
        ("above the parent's top", [control("Edit", (10, -5, 100, 50))], "outside"),
        ("a label over a wider field: only its text counts",
         [control("Static", (10, 10, 200, 20), "Time: ", line=(40, 16)),
          control("Static", (100, 10, 200, 20), "1.25", line=(30, 16))], None),
        ("a label whose text reaches its value",
         [control("Static", (10, 10, 200, 20), "A long label", line=(120, 16)),
          control("Static", (100, 10, 200, 20), "1.25", line=(30, 16))], "overlaps"),
        ("controls inside a group box", [control("Button", (5, 5, 300, 200), "Options", style=0x07),
                                         control("Edit", (20, 30, 100, 20))], None),
        ("a control sticking out of its group box", [control("Button", (5, 5, 300, 200), "Options", style=0x07),
                                                     control("Edit", (250, 30, 100, 20))], "overlaps"),
        ("a static's wrapped text taller than the static",
         [control("Static", (10, 10, 100, 16), "two lines of text", wrapped=(95, 32))], "needs"),
        ("an icon static's text is no text", [control("Static", (10, 10, 32, 32), "\uffff\xc9", style=0x03,
                                                      line=(40, 40))], None),
        ("a list box entry reaching under the scroll bar",
         [control("ListBox", (10, 10, 120, 200), client=(101, 198), line=(104, 20))], "needs"),
        ("a list box whose entries fit", [control("ListBox", (10, 10, 120, 200), client=(101, 198), line=(95, 20))],
         None),
        ("a button's text wider than the button", [control("Button", (10, 10, 60, 24), "Create Custom List")],
         "needs"),
    ]

    def test_relations(self):
        for what, children, expected in self.CASES:
            with self.subTest(what):
                problems = h.layout_problems(children)
                if expected is None:
                    self.assertEqual(problems, [])
                else:
                    self.assertEqual(len(problems), 1, problems)
                    self.assertIn(expected, problems[0])

    def test_a_text_cut_as_at_96_dpi_is_allowed_no_further(self):
        label = [control("Static", (10, 10, 100, 15), "Velmora", cid=652, line=(53, 16))]
        self.assertEqual(h.layout_problems(label, cut={652: 16 / 15.0}), [])
        taller = [control("Static", (10, 10, 100, 15), "Velmora", cid=652, line=(53, 18))]
        self.assertEqual(len(h.layout_problems(taller, cut={652: 16 / 15.0})), 1)

    def test_rows_of_lists(self):
        lists = [dict(control("ListBox", (0, 0, 10, 10), cid=626), rows=14),
                 dict(control("Edit", (0, 0, 10, 10), cid=613), rows=-1)]
        self.assertEqual(h.list_rows(lists), {626: 14})


class DisplayScale(unittest.TestCase):
    def test_log_pixels_set_in_the_desktop_section(self):
        before = '[A] 1\n"x"=1\n\n[Control Panel\\\\Desktop] 5\n#time=1\n"LogPixels"=dword:00000060\n"y"=2\n'
        after = h.with_log_pixels(before, 144)
        self.assertIn('#time=1\n"LogPixels"=dword:00000090\n"y"=2\n', after)
        self.assertEqual(after.count("LogPixels"), 1)
        self.assertTrue(after.startswith('[A] 1\n"x"=1\n'))

    def test_missing_section_is_added(self):
        after = h.with_log_pixels('[A] 1\n', 192)
        self.assertIn('[Control Panel\\\\Desktop]', after)
        self.assertIn('"LogPixels"=dword:000000c0', after)


class StatisticsFields(unittest.TestCase):
    def test_found_by_position(self):
        def static(x, y, text):
            return {"parent": 1, "class": "Static", "id": 0, "text": text,
                    "rect": {"x": x, "y": y, "w": 200, "h": 20}}
        children = [static(575, 150 + 20 * r, "L%d" % r) for r in range(6)]
        children += [static(700, 150 + 20 * r, "V%d" % r) for r in range(6)]
        children.append(static(700, 151, "stray"))
        children.append(dict(static(700, 150, "other parent"), parent=2))
        fields = h.statistics_fields({"window": {"hwnd": 1}, "children": children})
        self.assertEqual([(fields[r][0]["text"], fields[r][1]["text"]) for r in range(1, 7)],
                         [("L%d" % r, "V%d" % r) for r in range(6)])

    def test_missing_fields_are_none(self):
        fields = h.statistics_fields({"window": {"hwnd": 1}, "children": []})
        self.assertEqual(fields[3], (None, None))


class LiveFigures(unittest.TestCase):
    def test_read_under_the_labels_of_the_language(self):
        self.assertEqual(h.live_figures(["Time: 1:05", "CPM: 245.31", "Errors: 2"], 1), (65, "245.31", "2"))
        russian = [label + value for label, value in zip(h.LIVE_LABELS[3], ("12:00", "0.00", "0"))]
        self.assertEqual(h.live_figures(russian, 3), (720, "0.00", "0"))

    def test_empty_or_other_parts_are_none(self):
        self.assertIsNone(h.live_figures(["", "", ""], 1))
        self.assertIsNone(h.live_figures(["Time: 1:05", "CPM: 245.31", "Errors: 2"], 2))
        self.assertIsNone(h.live_figures(["Time: 1:5", "CPM: 245.31", "Errors: 2"], 1))
        self.assertIsNone(h.live_figures(["Time: 0:00", "CPM: nan", "Errors: 0"], 1))

    def test_cut_point_never_splits_a_line_break(self):
        self.assertEqual(h.cut_point("ab\r\ncd", 3), 4)
        self.assertEqual(h.cut_point("ab\r\ncd", 2), 2)
        self.assertEqual(h.cut_point("ab\r\ncd", 4), 4)


class StagingScript(unittest.TestCase):
    """stage_install.cmake: the install folder a rebuild refreshes without losing the user's
    settings or the files the tutor wrote."""

    def setUp(self):
        self.cmake = shutil.which("cmake")
        if not self.cmake:
            self.skipTest("no cmake")
        self.dir = tempfile.mkdtemp(prefix="kf-stage-")
        self.addCleanup(shutil.rmtree, self.dir)
        self.exe = self.write("quillkey.exe", b"program 1")
        self.uninstaller = self.write("quilluninstall.exe", b"uninstaller 1")
        self.write("data/Settings.xml", b"default 1")
        self.write("data/EN/Tests/Sample_Unicode.txt", b"\xff\xfeA\x00")
        self.write("data/FR/Training Words/LH_Words.dat", b"mot\r\n")
        self.out = os.path.join(self.dir, "install")

    def write(self, rel, data, mtime=None):
        path = os.path.join(self.dir, rel)
        os.makedirs(os.path.dirname(path), exist_ok=True)
        with open(path, "wb") as f:
            f.write(data)
        if mtime is not None:
            os.utime(path, (mtime, mtime))
        return path

    def stage(self):
        script = os.path.join(os.path.dirname(os.path.abspath(__file__)), "stage_install.cmake")
        with open(os.devnull, "wb") as null:
            return subprocess.run([self.cmake, "-DKF_EXE=" + self.exe, "-DKF_UNINSTALLER=" + self.uninstaller,
                                   "-DKF_DATA=" + os.path.join(self.dir, "data"),
                                   "-DKF_OUT=" + self.out, "-P", script],
                                  stdout=null, stderr=null, timeout=60).returncode

    def read(self, rel):
        with open(os.path.join(self.out, rel), "rb") as f:
            return f.read()

    def test_fresh_folder(self):
        self.assertEqual(self.stage(), 0)
        self.assertEqual(self.read("KFP.exe"), b"program 1")
        self.assertEqual(self.read("Uninstall.exe"), b"uninstaller 1")
        self.assertEqual(self.read("Settings.xml"), b"default 1")
        self.assertEqual(self.read("EN/Tests/Sample_Unicode.txt"), b"\xff\xfeA\x00")
        self.assertEqual(self.read("FR/Training Words/LH_Words.dat"), b"mot\r\n")
        self.assertFalse(os.path.exists(os.path.join(self.out, "RU")))

    def test_rebuild_keeps_user_settings_and_tutor_files(self):
        self.assertEqual(self.stage(), 0)
        later = os.path.getmtime(os.path.join(self.dir, "data/Settings.xml")) + 60
        self.write("install/Settings.xml", b"saved by the tutor", mtime=later)
        self.write("install/TraceFile.txt", b"trace")
        self.write("quillkey.exe", b"program 2")
        self.assertEqual(self.stage(), 0)
        self.assertEqual(self.read("Settings.xml"), b"saved by the tutor")
        self.assertEqual(self.read("TraceFile.txt"), b"trace")
        self.assertEqual(self.read("KFP.exe"), b"program 2")

    def test_newer_default_document_replaces_staged_one(self):
        self.assertEqual(self.stage(), 0)
        later = os.path.getmtime(os.path.join(self.out, "Settings.xml")) + 60
        self.write("data/Settings.xml", b"default 2", mtime=later)
        self.assertEqual(self.stage(), 0)
        self.assertEqual(self.read("Settings.xml"), b"default 2")

    def test_missing_program_fails(self):
        for program in (self.exe, self.uninstaller):
            with self.subTest(program=os.path.basename(program)):
                os.rename(program, program + ".away")
                self.assertNotEqual(self.stage(), 0)
                os.rename(program + ".away", program)


if __name__ == "__main__":
    h.main()
