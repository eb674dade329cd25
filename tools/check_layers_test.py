#!/usr/bin/env python3
"""The layer check on small planted trees: a clean tree passes, each kind of upward include and each
forbidden use of another file's name fails, and a name in a comment or a literal is no use."""
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


# Besides the includes: each form of definition, the uses the rules allow (the table naming a
# screen, a feature using the shell's services, a core name) and helpers of a file's own that share
# a name with another file's definition.
CLEAN = {
    "common/text.h": '#include <string>\n#include "resources/resource.h"\n',
    "typing/words.cpp": '#include "common/text.h"\n#include "typing/words.h"\n'
                        "uint8_t Words_Count() { return 0; }\nvoid Words_Clear() {}\n",
    "typing/typing_win.h": "enum class Hook : uint8_t { kNone, kStart };\n",
    "typing/words_test.cpp": '#include "exam/sample_text.h"\n#include "testing/test_files.h"\n',
    "typing/typing_area_win.cpp": "BOOL(WINAPI* g_AlertBeep)(DWORD, DWORD) = Beep;\n",
    "exam/report_win.cpp": '#include <windows.h>\n#include "app/app.h"\n#include "keys/keys_win.h"\n'
                           '#include "typing/typing_win.h"\n'
                           "void Mode4_CreateHtmlReport() { g_Ui.testStopped = Words_Count(); }\n"
                           "void Mode4_ForgetReport() { Words_Clear(); }\n",
    "exam/exam_screen_win.cpp": "const ScreenOps kTestsScreen = {4, Mode4_CreateHtmlReport};\n"
                                "void Mode4_Alert() { g_AlertBeep(2000, 200); }\n",
    "training/hand_screen_win.cpp": "void LayOut() {}\n",
    "app/app.h": "extern UiState g_Ui;\nextern HWND g_StatusBar;\nvoid App_UpdateCommands();\n",
    "app/commands_win.cpp": "UiState g_Ui;\nvoid App_UpdateCommands() {}\n",
    "app/toolbar_win.cpp": "HWND g_Toolbar, g_StatusBar;\n",
    "app/menus_win.h": "void App_SwitchLanguage(int language);\n",
    "app/menus_win.cpp": "static int Words_Count() { return 3; }\n"
                         "namespace {\nvoid LayOut() {}\nvoid Words_Clear() {}\n}  // namespace\n"
                         "void App_SwitchLanguage(int) { LayOut(); Words_Clear(); App_UpdateCommands(); }\n",
    "app/screens_win.cpp": "const ScreenOps* const kScreens[] = {&kTestsScreen};\n",
    "app/main_window_win.cpp": '#include "exam/exam_screen_win.h"\n#include "training/training_win.h"\n'
                               "void App_InitInstance() { App_SwitchLanguage(1); }\n",
}


class LayerCheck(unittest.TestCase):
    def check(self, extra):
        with tempfile.TemporaryDirectory() as root:
            plant(root, dict(CLEAN, **extra))
            return check_layers.check(root)

    def test_clean_tree_passes(self):
        self.assertEqual(self.check({}), [])

    def test_each_planted_include_or_use_fails(self):
        cases = [
            ("typing/words.cpp", '#include "exam/history.h"\n', "below it"),
            ("settings/settings.cpp", "#include <windows.h>\n", "window-free"),
            ("exam/history.cpp", '#include "app/app.h"\n', "no glue"),
            ("exam/history_win.cpp", '#include "app/menus_win.h"\n', "services"),
            ("training/hand_screen_win.cpp", '#include "exam/exam_screen_win.h"\n', "another screen"),
            ("typing/typing_area_win.cpp", '#include "training/training_win.h"\n', "below the screens"),
            ("typing/typing_area_win.cpp", '#include "keys/keys_win.h"\n', "no glue above it"),
            ("exam/report.cpp", '#include "testing/test_files.h"\n', "tests"),
            ("app/menus_win.cpp", "void App_SwitchLanguage(int) { ::Mode4_CreateHtmlReport(); }\n",
             "^app/menus_win.cpp:1: uses Mode4_CreateHtmlReport of exam/report_win.cpp "
             r"\(the shell calls a feature only through its tables\)$"),
            ("exam/history_win.cpp",
             "void App_SwitchLanguage(int);\nvoid Mode4_AppendHistory() { App_SwitchLanguage(2); }\n",
             "^exam/history_win.cpp:2: uses App_SwitchLanguage of app/menus_win.cpp "
             r"\(a feature uses the shell only through its services\)$"),
            ("typing/keystrokes.cpp", "bool App_TypingStep() { return g_StatusBar; }\n",
             "^typing/keystrokes.cpp:1: uses g_StatusBar of app/toolbar_win.cpp "
             r"\(the core uses no glue name\)$"),
            ("typing/typing_area_win.cpp",
             "BOOL(WINAPI* g_AlertBeep)(DWORD, DWORD) = Beep;\nauto g_Shown = &kTestsScreen;\n",
             "^exam/exam_screen_win.cpp:2: uses g_AlertBeep of typing/typing_area_win.cpp; "
             "typing/typing_area_win.cpp:2: uses kTestsScreen of exam/exam_screen_win.cpp "
             r"\(no cycle between the glue files\)$"),
            ("app/toolbar_win.cpp",
             "// Mode4_CreateHtmlReport()\nchar kQuote = '\"'; const char* kName = \"kTestsScreen\";\n"
             "/* Mode4_Alert */ const char* kRaw = R\"(\" Mode4_CreateHtmlReport \")\";\n"
             "void App_Paint(Screen* screen) { screen->LayOut(); Screen::LayOut(); }\n", None),
        ]
        for path, text, rule in cases:
            with self.subTest(path=path, rule=rule):
                found = self.check({path: text})
                self.assertEqual(len(found), 1 if rule else 0, found)
                if rule:
                    self.assertIn(path, found[0])
                    self.assertRegex(found[0], rule)


if __name__ == "__main__":
    unittest.main()
