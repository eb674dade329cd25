#!/usr/bin/env python3
"""The layer check on small planted trees: a clean tree passes, each kind of upward include fails."""
import os
import sys
import tempfile
import unittest

sys.path.insert(0, os.path.dirname(__file__))
import check_layers  # noqa: E402


def plant(root, files):
    for rel, text in files.items():
        path = os.path.join(root, rel)
        os.makedirs(os.path.dirname(path), exist_ok=True)
        with open(path, "w") as f:
            f.write(text)


CLEAN = {
    "common/text.h": '#include <string>\n#include "resources/resource.h"\n',
    "typing/words.cpp": '#include "common/text.h"\n#include "typing/words.h"\n',
    "typing/words_test.cpp": '#include "exam/sample_text.h"\n#include "testing/test_files.h"\n',
    "exam/report_win.cpp": '#include <windows.h>\n#include "app/app.h"\n#include "typing/typing_win.h"\n',
    "app/main_window_win.cpp": '#include "exam/exam_screen_win.h"\n#include "training/training_win.h"\n',
}


class LayerCheck(unittest.TestCase):
    def check(self, extra):
        with tempfile.TemporaryDirectory() as root:
            plant(root, dict(CLEAN, **extra))
            return check_layers.check(root)

    def test_clean_tree_passes(self):
        self.assertEqual(self.check({}), [])

    def test_each_planted_include_fails(self):
        cases = [
            ("typing/words.cpp", '#include "exam/history.h"\n', "below it"),
            ("settings/settings.cpp", "#include <windows.h>\n", "window-free"),
            ("exam/history.cpp", '#include "app/app.h"\n', "no glue"),
            ("exam/history_win.cpp", '#include "app/menus_win.h"\n', "services"),
            ("training/hand_screen_win.cpp", '#include "exam/exam_screen_win.h"\n', "another screen"),
            ("typing/typing_area_win.cpp", '#include "training/training_win.h"\n', "below the screens"),
            ("exam/report.cpp", '#include "testing/test_files.h"\n', "tests"),
        ]
        for path, text, rule in cases:
            with self.subTest(path=path):
                found = self.check({path: text})
                self.assertEqual(len(found), 1, found)
                self.assertIn(path, found[0])
                self.assertIn(rule, found[0])


if __name__ == "__main__":
    unittest.main()
