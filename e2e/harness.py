"""Runs the tutor as a user would, under Wine, and looks at it from outside.

A scenario makes a fresh install folder (a copy of <build>/install with the default settings
document, optionally edited), starts `wine KFP.exe` in it, finds the main window with the probe
program (kfprobe.exe, which answers in JSON files), types with xdotool (real key events), takes
screenshots and closes the tutor the way a user does. Every wait has a timeout, and a tutor that
is still running when a scenario ends is killed, so the next scenario starts clean.

Wine's processes can keep pipes open long after they exit, so nothing here reads a Wine
program's output through a pipe: output goes to files or /dev/null.

Only the standard library is used. The pure helpers (keystroke plans, settings edits, trace
parsing, window placement) are checked by harness_selftest.py without Wine.
"""

import argparse
import atexit
import contextlib
import json
import os
import re
import shutil
import signal
import subprocess
import sys
import time
import unittest

# Control ids and the class name the tutor uses.
CLASS_NAME = "QUILLKEY"
ID_TOOLBAR = 400
ID_STATUSBAR = 334
ID_TYPING_AREA = 613
ID_SAMPLE_VIEW = 621
ID_SUPPORT_LINK = 606

# Files the tutor writes into its folder; a scenario's folder starts without them.
TUTOR_WRITES = ("Settings.xml", "TraceFile.txt", "Report.htm", "History.csv", "Custom_Words.dat",
                "wine-output.txt")

# Labels of the status bar's three live figures (time, CPM, errors) in English, French, Russian.
LIVE_LABELS = {1: ("Time: ", "CPM: ", "Errors: "),
               2: ("Temps: ", "CPM: ", "Erreurs: "),
               3: ("\u0412\u0440\u0435\u043c\u044f: ", "CPM: ", "\u041e\u0448\u0438\u0431\u043e\u043a: ")}

# The live keyboard, shown unless Settings.xml says otherwise, adds its gap and its height (a
# sixty-quarter keyboard 500 pixels wide, five rows of square keys) under the Tests screen's texts.
KEYBOARD_BLOCK = 10 + 500 * 4 * 5 // 60
NARROW_SIZE = (560, 820 + KEYBOARD_BLOCK)
WIDE_WIDTH = 807

START_TIMEOUT = 40.0     # the first start in a prefix can be slow
EXIT_TIMEOUT = 20.0
PROBE_TIMEOUT = 30.0
XDOTOOL_TIMEOUT = 120.0  # typing a whole sample takes a while

# Set by main() from the command line (or the environment when a module is imported).
BUILD_DIR = os.environ.get("KF_BUILD_DIR", "")
SOURCE_DIR = os.environ.get("KF_SOURCE_DIR",
                            os.path.dirname(os.path.dirname(os.path.abspath(__file__))))


# ----------------------------------------------------------------------------------------------
# Pure helpers (no Wine, no display): tested by harness_selftest.py.

def decode_sample(data):
    """The text a sample file holds, as the tutor loads it: UTF-16LE after the byte-order mark,
    an odd last byte dropped."""
    if len(data) < 2 or data[:2] not in (b"\xff\xfe", b"\xfe\xff"):
        raise ValueError("not a UTF-16 file with a byte-order mark")
    # The tutor takes the units as little-endian whatever the mark says.
    body = data[2:len(data) - (len(data) % 2)]
    return body.decode("utf-16-le", errors="surrogatepass")


def encode_sample(text):
    """The bytes of a sample file holding `text`: the byte-order mark, then UTF-16LE."""
    return b"\xff\xfe" + text.encode("utf-16-le", errors="surrogatepass")


# Marks that make no word on their own (the French " :" or " !"), as the tutor has them.
PUNCTUATION = ".,;:!?\"'()[]{}<>\u00ab\u00bb\u2039\u203a\u201c\u201d\u201e\u2018\u2019\u201a-\u2010\u2011\u2012" \
              "\u2013\u2014\u2015\u2026/\\*\u00a1\u00bf\u00b7"


def words_in(text):
    """Words as the tutor counts them: runs of text between blanks, tabs and line breaks that
    hold more than punctuation."""
    return len([run for run in re.findall(r"[^ \t\r\n]+", text) if run.strip(PUNCTUATION)])


def utf16_units(text):
    """Length of a text in UTF-16 units (what the tutor counts)."""
    return len(text.encode("utf-16-le", errors="surrogatepass")) // 2


_TYPABLE = re.compile(r"[\x20-\x7e]*\Z")
# Anything but control characters and lone surrogates (xdotool types characters, not UTF-16 units).
_TYPABLE_BEYOND_ASCII = re.compile(r"[^\x00-\x1f\x7f-\x9f\ud800-\udfff]*\Z")


def keystroke_plan(text, mistake_at=None, wrong=None, beyond_ascii=False):
    """Turns a sample text into xdotool steps: ("type", chunk) for printable ASCII, ("key",
    "Return") for each CR LF paragraph break. With mistake_at (an index into text), a wrong
    letter and a BackSpace are typed before the right character there.

    With beyond_ascii, letters outside ASCII (accented Latin, Cyrillic) are allowed too; type
    such a plan inside keyboard_layout() of the text's language, so that every letter has a key.

    Raises ValueError for text that cannot be typed as the sample holds it: a lone CR or LF
    (Enter makes CR LF), control characters, or, without beyond_ascii, characters outside
    printable ASCII."""
    typable = _TYPABLE_BEYOND_ASCII if beyond_ascii else _TYPABLE
    steps = []
    paragraphs = text.split("\r\n")
    pos = 0
    for n, para in enumerate(paragraphs):
        if not typable.match(para):
            bad = next(c for c in para if not typable.match(c))
            raise ValueError("cannot type %r at offset %d" % (bad, pos + para.index(bad)))
        if mistake_at is not None and pos <= mistake_at < pos + len(para):
            cut = mistake_at - pos
            right = para[cut]
            if wrong is None:
                wrong = "q" if right.lower() != "q" else "z"
            if wrong == right:
                raise ValueError("the wrong letter equals the right one")
            if para[:cut]:
                steps.append(("type", para[:cut]))
            steps.append(("type", wrong))
            steps.append(("key", "BackSpace"))
            steps.append(("type", para[cut:]))
        elif para:
            steps.append(("type", para))
        pos += len(para)
        if n + 1 < len(paragraphs):
            if mistake_at is not None and pos <= mistake_at < pos + 2:
                raise ValueError("the mistake cannot stand on a line break")
            steps.append(("key", "Return"))
            pos += 2
    return steps


def character_messages(text):
    """Number of character messages that typing the text sends (Enter: one for CR LF)."""
    return utf16_units(text) - text.count("\r\n")


def live_figures(texts, language):
    """The live figures the status bar parts show, as (seconds, CPM text, errors text), or None
    when its first three parts do not hold them under the labels of `language`."""
    if len(texts) < 3:
        return None
    values = []
    for text, label in zip(texts[:3], LIVE_LABELS[language]):
        if not text.startswith(label):
            return None
        values.append(text[len(label):])
    m = re.match(r"(\d+):([0-5]\d)\Z", values[0])
    if not m or not re.match(r"-?\d+\.\d\d\Z", values[1]) or not re.match(r"\d+\Z", values[2]):
        return None
    return int(m.group(1)) * 60 + int(m.group(2)), values[1], values[2]


def cut_point(text, at):
    """`at`, or the index after it when `at` would split a CR LF line break: a place to split a
    sample into two keystroke plans."""
    return at + 1 if 0 < at < len(text) and text[at - 1:at + 1] == "\r\n" else at


def edit_setting(document, key, value):
    """The settings document (bytes) with the value of `key` replaced on every line holding its
    opening tag; everything else, indentation and line ends included, stays byte for byte."""
    tag = ("<%s>" % key).encode("ascii")
    close = ("</%s>" % key).encode("ascii")
    lines = document.split(b"\n")
    found = False
    for i, line in enumerate(lines):
        at = line.find(tag)
        if at < 0:
            continue
        end = line.find(close, at)
        if end < 0:
            raise ValueError("no closing tag for %s" % key)
        lines[i] = line[:at + len(tag)] + str(value).encode("ascii") + line[end:]
        found = True
    if not found:
        raise KeyError(key)
    return b"\n".join(lines)


def read_setting(document, key):
    """The value of `key` in a settings document (bytes), or None."""
    m = re.search(rb"<" + re.escape(key.encode("ascii")) + rb">(.*?)</", document)
    return m.group(1).decode("ascii") if m else None


TRACE_LINE = re.compile(r"(\d{2})/(\d{2})/(\d{4}),(\d{2}):(\d{2}):(\d{2}): (.*)\Z")


def parse_trace(data):
    """The lines of a trace log (bytes) as (time tuple, message) pairs. Raises ValueError for a
    line that is not "MM/DD/YYYY,HH:MM:SS: message" ended by CR LF."""
    if not data:
        return []
    if not data.endswith(b"\r\n"):
        raise ValueError("the trace log does not end with CR LF")
    entries = []
    for raw in data[:-2].split(b"\r\n"):
        if b"\n" in raw or b"\r" in raw:
            raise ValueError("a stray line end in %r" % raw)
        m = TRACE_LINE.match(raw.decode("ascii"))
        if not m:
            raise ValueError("not a trace line: %r" % raw)
        month, day, year, hour, minute, second = (int(g) for g in m.groups()[:6])
        if not (1 <= month <= 12 and 1 <= day <= 31 and hour <= 23 and minute <= 59 and second <= 60):
            raise ValueError("not a date and time: %r" % raw)
        entries.append(((year, month, day, hour, minute, second), m.group(7)))
    return entries


def centred_position(size, screen, work_area):
    """Where the tutor's centring puts a window of `size` (w, h): centred on the whole screen,
    then pushed inside the work area (x, y, w, h)."""
    w, h = size
    x = screen[0] // 2 - w // 2
    y = screen[1] // 2 - h // 2
    wx, wy, ww, wh = work_area
    if x < wx:
        x = wx
    elif x + w > wx + ww:
        x = wx + ww - w
    if y < wy:
        y = wy
    elif y + h > wy + wh:
        y = wy + wh - h
    return x, y


_DESKTOP_SECTION = "[Control Panel\\\\Desktop]"


def with_log_pixels(user_reg, dpi):
    """The text of a prefix's user.reg with the display's DPI ("LogPixels" of the section
    [Control Panel\\Desktop]) set to `dpi`; a missing section is added at the end."""
    value = '"LogPixels"=dword:%08x' % dpi
    lines = user_reg.split("\n")
    start = next((i for i, line in enumerate(lines) if line.startswith(_DESKTOP_SECTION)), None)
    if start is None:
        return user_reg.rstrip("\n") + "\n\n%s 0\n%s\n" % (_DESKTOP_SECTION, value)
    end = next((i for i in range(start + 1, len(lines)) if lines[i].startswith("[")), len(lines))
    body = [line for line in lines[start + 1:end] if not line.startswith('"LogPixels"=')]
    # After the section's own "#" lines (its time stamp), before its values.
    at = next((i for i, line in enumerate(body) if not line.startswith("#")), len(body))
    body.insert(at, value)
    return "\n".join(lines[:start + 1] + body + lines[end:])


def wine_path(path):
    """A Unix path as Wine's Z: drive sees it."""
    return "Z:" + os.path.abspath(path).replace("/", "\\")


# ----------------------------------------------------------------------------------------------
# Running the tutor.

class HarnessError(Exception):
    pass


def build_dir():
    if not BUILD_DIR:
        raise HarnessError("no build folder: pass --build DIR or set KF_BUILD_DIR")
    return BUILD_DIR


def require_environment():
    missing = [v for v in ("DISPLAY", "WINEPREFIX") if not os.environ.get(v)]
    if missing:
        raise HarnessError("%s not set: run through tools/test.sh, or source tools/common.sh and "
                           "kf_wine_up <build> first" % ", ".join(missing))
    for tool in ("wine", "xdotool", "import"):
        if not shutil.which(tool):
            raise HarnessError("%s is not installed (tools/test.sh installs it)" % tool)
    if run_to_file(["xdotool", "getdisplaygeometry"], timeout=10, check=False, code=True) != 0:
        raise HarnessError("the X display %s does not answer (has its Xvfb ended?)" % os.environ["DISPLAY"])


def shots_dir():
    d = os.path.join(build_dir(), "e2e-shots")
    os.makedirs(d, exist_ok=True)
    return d


def runs_dir():
    d = os.path.join(build_dir(), "e2e-runs")
    os.makedirs(d, exist_ok=True)
    return d


def default_settings():
    with open(os.path.join(SOURCE_DIR, "data", "Settings.xml"), "rb") as f:
        return f.read()


def sample_text(language):
    folder = {1: "EN", 2: "FR", 3: "RU"}[language]
    with open(os.path.join(SOURCE_DIR, "data", folder, "Tests", "Sample_Unicode.txt"), "rb") as f:
        return decode_sample(f.read())


_PID_FILE = "tutor.pids"
_LIVE = set()   # tutors started by this process and not yet ended


@atexit.register
def _clean_up():
    for tutor in list(_LIVE):
        tutor.kill()
    if BUILD_DIR:
        for name in ("command-output-%d.txt", "probe-answer-%d.json"):
            path = os.path.join(BUILD_DIR, "e2e-runs", name % os.getpid())
            if os.path.exists(path):
                os.remove(path)


def _kill_leftovers():
    """Kills tutors that an earlier scenario of this harness started and left running."""
    path = os.path.join(runs_dir(), _PID_FILE)
    if not os.path.exists(path):
        return
    with open(path) as f:
        pids = [int(p) for p in f.read().split() if p.isdigit()]
    for pid in pids:
        try:
            with open("/proc/%d/cmdline" % pid, "rb") as c:
                if b"KFP.exe" not in c.read():
                    continue
            os.killpg(pid, signal.SIGKILL)
        except (OSError, ProcessLookupError):
            pass
    os.remove(path)


def _remember_pid(pid):
    with open(os.path.join(runs_dir(), _PID_FILE), "a") as f:
        f.write("%d\n" % pid)


def _forget_pid(pid):
    path = os.path.join(runs_dir(), _PID_FILE)
    if os.path.exists(path):
        with open(path) as f:
            rest = [p for p in f.read().split() if p != str(pid)]
        with open(path, "w") as f:
            f.write("".join(p + "\n" for p in rest))


class Tutor:
    """One run of the tutor in its own install folder. Use as a context manager: the process is
    killed on the way out if it is still running. With `installed`, the tutor runs in that
    folder as it stands (one the installer wrote) instead of a fresh copy of <build>/install."""

    def __init__(self, name, settings=None, edits=None, trace=None, installed=None):
        self.name = name
        self.folder = installed or os.path.join(runs_dir(), name)
        self.proc = None
        self.hwnd = None
        self.xid = None
        self.exit_code = None
        if installed:
            self.settings_before = self.read_file("Settings.xml")
            return
        document = default_settings() if settings is None else settings
        for key, value in (edits or {}).items():
            document = edit_setting(document, key, value)
        self.settings_before = document
        self._make_folder(document, trace)

    # -- folder ---------------------------------------------------------------------------------
    def _make_folder(self, document, trace):
        install = os.path.join(build_dir(), "install")
        if not os.path.isfile(os.path.join(install, "KFP.exe")):
            raise HarnessError("%s has no KFP.exe: build the install_folder target" % install)
        if os.path.exists(self.folder):
            shutil.rmtree(self.folder)
        # The installed payload only: nothing that a tutor started from <build>/install wrote.
        shutil.copytree(install, self.folder, ignore=shutil.ignore_patterns(*TUTOR_WRITES))
        with open(self.path("Settings.xml"), "wb") as f:
            f.write(document)
        if trace is not None:
            with open(self.path("TraceFile.txt"), "wb") as f:
                f.write(trace)

    def path(self, *parts):
        return os.path.join(self.folder, *parts)

    def read_file(self, name):
        with open(self.path(name), "rb") as f:
            return f.read()

    def exists(self, *parts):
        return os.path.exists(self.path(*parts))

    # -- process --------------------------------------------------------------------------------
    def __enter__(self):
        self.start()
        return self

    def __exit__(self, exc_type, exc, tb):
        self.kill()
        return False

    def start(self, cwd=None):
        """Starts the tutor in its folder, or with `cwd` as its current folder and its program
        named by its full path (as a shortcut without a start folder does)."""
        require_environment()
        _kill_leftovers()
        if self._find_window(0) is not None:
            raise HarnessError("a tutor window is already open on this display")
        log = open(self.path("wine-output.txt"), "wb")
        program = "KFP.exe" if cwd is None else wine_path(self.path("KFP.exe"))
        try:
            self.proc = subprocess.Popen(["wine", program], cwd=cwd or self.folder, stdin=subprocess.DEVNULL,
                                         stdout=log, stderr=subprocess.STDOUT, start_new_session=True)
        finally:
            log.close()
        _remember_pid(self.proc.pid)
        _LIVE.add(self)
        # Short probe waits, so that a tutor that ends at once is reported at once.
        deadline = time.monotonic() + START_TIMEOUT
        answer = None
        while answer is None and self.proc.poll() is None and time.monotonic() < deadline:
            answer = self._find_window(min(2.0, max(0.1, deadline - time.monotonic())))
        if answer is None:
            code = self.proc.poll()
            if code is not None:
                raise HarnessError("the tutor exited with %d before showing its %s window (see %s)"
                                   % (code, CLASS_NAME, self.path("wine-output.txt")))
            raise HarnessError("no %s window within %.0f s" % (CLASS_NAME, START_TIMEOUT))
        self.hwnd = answer["window"]["hwnd"]
        return answer["window"]

    def _find_window(self, timeout):
        answer = probe("wait", CLASS_NAME, str(int(timeout * 1000)), check=False)
        return answer if answer.get("ok") else None

    def running(self):
        return self.proc is not None and self.proc.poll() is None

    def wait_exit(self, timeout=EXIT_TIMEOUT):
        """Waits for the tutor to end and returns its exit code (Wine passes it on)."""
        try:
            self.exit_code = self.proc.wait(timeout=timeout)
        except subprocess.TimeoutExpired:
            raise HarnessError("the tutor did not exit within %.0f s" % timeout)
        _forget_pid(self.proc.pid)
        _LIVE.discard(self)
        return self.exit_code

    def end_viewers(self):
        """Ends the programs the tutor started in its folder (the viewer that F9 starts), each by
        its process id; returns their command lines. The tutor itself and Wine's server stay."""
        ended = []
        for entry in os.listdir("/proc"):
            if not entry.isdigit() or int(entry) == self.proc.pid:
                continue
            try:
                if os.readlink("/proc/%s/cwd" % entry) != os.path.abspath(self.folder):
                    continue
                with open("/proc/%s/cmdline" % entry, "rb") as f:
                    command = f.read().replace(b"\0", b" ").decode("utf-8", "replace").strip()
                if "KFP.exe" in command or "wineserver" in command:
                    continue
                os.kill(int(entry), signal.SIGKILL)
                ended.append(command)
            except (OSError, ProcessLookupError):
                pass
        return ended

    def kill(self):
        if self.proc is None:
            return
        if self.proc.poll() is None:
            try:
                os.killpg(self.proc.pid, signal.SIGKILL)
            except ProcessLookupError:
                pass
            try:
                self.proc.wait(timeout=10)
            except subprocess.TimeoutExpired:
                pass
        _forget_pid(self.proc.pid)
        _LIVE.discard(self)

    # -- reading the windows ----------------------------------------------------------------------
    def probe(self, command, *args):
        return probe(command, str(self.hwnd), *args)

    def snapshot(self):
        return self.probe("snapshot")

    def window(self):
        return self.probe("window")["window"]

    def text(self, control_id):
        answer = probe("text", str(self.hwnd), str(control_id), check=False)
        if not answer.get("ok"):
            raise HarnessError("control %d: %s" % (control_id, answer.get("error")))
        return answer["text"]

    def toolbar(self):
        return self.probe("toolbar")["toolbar"]

    def columns(self, parent, control_id):
        """The columns of list view `control_id` of window `parent` (a handle): headings, widths,
        formats, and the list's client width and scroll bars."""
        return probe("columns", str(parent), str(control_id))["list"]

    def write(self, relative, data):
        """Puts a file into the tutor's folder (before start, or while it runs)."""
        path = self.path(*relative.split("/"))
        with open(path, "wb") as f:
            f.write(data)

    def button(self, command):
        for b in self.toolbar()["buttons"]:
            if b["command"] == command:
                return b
        raise HarnessError("no toolbar button %d" % command)

    def focus(self):
        return self.probe("focus")["focus"]

    def edit_view(self, control_id, line=None):
        """Lines of an edit control: first_visible, line_count, visible_lines, sel_start, sel_end,
        sel_line, and with `line` its line_start."""
        args = [str(control_id)] + ([] if line is None else [str(line)])
        return self.probe("editview", *args)["editview"]

    def status_texts(self):
        return self.probe("statusbar")["statusbar"]["texts"]

    def sample_cut(self, sample, line, into=3):
        """A place `into` characters into display line `line` of the sample view (its last line
        when it has fewer), where the sample can be split into two keystroke plans."""
        count = self.edit_view(ID_SAMPLE_VIEW)["line_count"]
        start = self.edit_view(ID_SAMPLE_VIEW, min(line, count - 1))["line_start"]
        return cut_point(sample, min(start + into, len(sample) - 1))

    def wait_for(self, what, condition, timeout=15.0, interval=0.2):
        """Polls condition() until it returns a true value and returns that; a timeout raises
        with `what` and the last value seen."""
        deadline = time.monotonic() + timeout
        last = None
        while True:
            last = condition()
            if last:
                return last
            if time.monotonic() >= deadline:
                raise HarnessError("timed out waiting for %s (last: %r)" % (what, last))
            if not self.running():
                raise HarnessError("the tutor exited while waiting for %s" % what)
            time.sleep(interval)

    def wait_ready(self, timeout=15.0):
        """Waits until the screen is built: typing area present and the toolbar filled."""
        def ready():
            snap = self.snapshot()
            ids = {c["id"] for c in snap["children"]}
            tb = snap.get("toolbar")
            return snap if ID_TYPING_AREA in ids and tb and len(tb["buttons"]) >= 5 else None
        return self.wait_for("the screen to be built", ready, timeout)

    def wait_for_sample(self, what, sample, timeout=15.0):
        """Waits until the sample view shows `sample` (`what` names it in a failure)."""
        return self.wait_for(what, lambda: self.text(ID_SAMPLE_VIEW) == sample, timeout)

    def start_on_sample(self, what, sample):
        """Starts the tutor, waits for its screen showing `sample` and gives it the focus."""
        self.start()
        self.wait_ready()
        self.wait_for_sample(what, sample)
        self.activate()

    # -- keyboard ---------------------------------------------------------------------------------
    def x_window(self):
        if self.xid is None:
            def find():
                for args in (["--pid", str(self.proc.pid)], ["--classname", "kfp.exe"]):
                    out = run_to_file(["xdotool", "search", "--onlyvisible"] + args, timeout=10,
                                      check=False).split()
                    if out:
                        return out[0]
                return None
            self.xid = self.wait_for("the tutor's X window", find, timeout=10)
        return self.xid

    def activate(self):
        """Gives the tutor's window the keyboard focus (there is no window manager)."""
        run_to_file(["xdotool", "windowfocus", "--sync", self.x_window()], timeout=10)
        time.sleep(0.2)

    def type(self, text, delay=8):
        run_to_file(["xdotool", "type", "--delay", str(delay), "--", text], timeout=XDOTOOL_TIMEOUT)

    def key(self, *keys, delay=60):
        run_to_file(["xdotool", "key", "--delay", str(delay)] + list(keys), timeout=XDOTOOL_TIMEOUT)

    def play(self, steps, delay=8):
        for kind, what in steps:
            if kind == "type":
                self.type(what, delay)
            else:
                self.key(what)

    # -- closing ----------------------------------------------------------------------------------
    def close_alt_f4(self):
        self.activate()
        self.key("alt+F4")
        return self.wait_exit()

    def close_file_exit(self, mnemonics=("f", "x")):
        """File, Exit through the menu bar's mnemonics of the current language."""
        self.activate()
        self.key("alt+" + mnemonics[0])
        time.sleep(0.5)
        self.key(mnemonics[1])
        return self.wait_exit()

    # -- pictures ---------------------------------------------------------------------------------
    def screenshot_screen(self, name):
        """Saves the whole display (the tutor's windows side by side) to <build>/e2e-shots."""
        return _screenshot_root(name)

    def screenshot(self, name, whole_screen=False):
        """Saves the tutor's window (menu bar, toolbar, client area), or the whole display with
        every window of the tutor, to <build>/e2e-shots."""
        if whole_screen:
            return self.screenshot_screen(name)
        target = os.path.join(shots_dir(), name + ".png")
        time.sleep(0.4)  # let the last paint reach the screen
        xid = self.x_window()
        ok = run_to_file(["import", "-window", xid, target], timeout=30, check=False, code=True) == 0
        if not ok:
            run_to_file(["import", "-window", "root", target], timeout=30, check=False)
        return target


def find_window(class_name, timeout):
    """The window (probe answer) of a visible top-level window of `class_name` that appears
    within `timeout` seconds, or None."""
    answer = probe("wait", class_name, str(int(timeout * 1000)), check=False)
    return answer["window"] if answer.get("ok") else None


def _screenshot_root(name):
    target = os.path.join(shots_dir(), name + ".png")
    time.sleep(0.4)  # let the last paint reach the screen
    run_to_file(["import", "-window", "root", target], timeout=30, check=False)
    return target


def run_to_file(cmd, timeout, check=True, code=False):
    """Runs a command with its output in a file (never a pipe) and returns that output, or
    the exit code when code is true."""
    out_path = os.path.join(runs_dir(), "command-output-%d.txt" % os.getpid())
    with open(out_path, "wb") as out:
        try:
            rc = subprocess.run(cmd, stdin=subprocess.DEVNULL, stdout=out, stderr=subprocess.STDOUT,
                                timeout=timeout).returncode
        except subprocess.TimeoutExpired:
            raise HarnessError("%s did not finish within %.0f s" % (" ".join(cmd[:3]), timeout))
    with open(out_path, "rb") as f:
        text = f.read().decode("utf-8", errors="replace")
    if check and rc != 0:
        raise HarnessError("%s failed (%d): %s" % (" ".join(cmd[:3]), rc, text.strip()))
    return rc if code else text


def setxkbmap_arguments(query):
    """The setxkbmap arguments that set again the names `setxkbmap -query` printed."""
    args = []
    for line in query.splitlines():
        key, sep, value = line.partition(":")
        key, value = key.strip(), value.strip()
        if not sep or not value:
            continue
        if key in ("rules", "model", "layout", "variant"):
            args += ["-" + key, value]
        elif key == "options":
            args += ["-option", "", "-option", value]   # the empty one clears the options first
    return args


@contextlib.contextmanager
def keyboard_layout(layout):
    """Gives the X keyboard the XKB layout `layout` ("fr", "ru") inside the block and its exact
    earlier keymap afterwards. Under that layout every letter of the language sits on a key of its
    own, so xdotool types it as a plain key press. Otherwise xdotool maps a spare keycode to each
    letter for a moment, and Wine, which reads the keymap again on every change, loses the race:
    letters come out dropped or wrong. A running tutor follows the change (Wine reads the new
    keymap), so the block can start and end while it runs; keys still queued in the tutor when
    the block ends are read with the restored keymap, so wait for them inside it."""
    for tool in ("setxkbmap", "xkbcomp"):
        if not shutil.which(tool):
            raise HarnessError("%s is not installed (it comes with Xvfb's x11-xkb-utils)" % tool)
    display = os.environ["DISPLAY"]
    saved = os.path.join(runs_dir(), "keymap-%d.xkb" % os.getpid())
    names = setxkbmap_arguments(run_to_file(["setxkbmap", "-query"], timeout=20))
    run_to_file(["xkbcomp", "-xkb", display, saved], timeout=20)
    try:
        run_to_file(["setxkbmap", "-layout", layout], timeout=20)
        yield
    finally:
        # The names first (what `setxkbmap -query` reports), then the keys exactly as they were.
        run_to_file(["setxkbmap"] + names, timeout=20, check=False)
        # xkbcomp warns about keys without symbols; only its exit code tells.
        rc = run_to_file(["xkbcomp", saved, display], timeout=20, check=False, code=True)
        os.remove(saved)
        if rc != 0:
            raise HarnessError("the earlier keymap could not be loaded back on %s" % display)


def _wineserver(*args):
    with open(os.devnull, "wb") as null:
        subprocess.run(["wineserver"] + list(args), stdin=subprocess.DEVNULL, stdout=null, stderr=null,
                       timeout=60, check=False)


def _restart_wine(user_reg):
    """Stops the prefix's wineserver, writes user.reg, starts a persistent server again."""
    _wineserver("-k")
    _wineserver("-w")
    with open(os.path.join(os.environ["WINEPREFIX"], "user.reg"), "w", encoding="utf-8", newline="") as f:
        f.write(user_reg)
    _wineserver("-p")
    with open(os.devnull, "wb") as null:  # Wine's services, detached from every pipe
        subprocess.run(["wine", "cmd", "/c", "exit"], stdin=subprocess.DEVNULL, stdout=null, stderr=null,
                       timeout=120, check=False)


def _start_xvfb(width, height):
    """A virtual display of its own (the first free number from 190); (process, name)."""
    n = 190
    while os.path.exists("/tmp/.X11-unix/X%d" % n) or os.path.exists("/tmp/.X%d-lock" % n):
        n += 1
    with open(os.devnull, "wb") as null:
        proc = subprocess.Popen(["Xvfb", ":%d" % n, "-screen", "0", "%dx%dx24" % (width, height), "-nolisten", "tcp"],
                                stdin=subprocess.DEVNULL, stdout=null, stderr=null, start_new_session=True)
    for _ in range(100):
        if os.path.exists("/tmp/.X11-unix/X%d" % n):
            return proc, ":%d" % n
        time.sleep(0.1)
    proc.kill()
    raise HarnessError("Xvfb :%d did not start" % n)


DESKTOP_AT_96 = (1280, 1024)


@contextlib.contextmanager
def display_dpi(dpi, pixels=None):
    """Runs the block with the display at `dpi` (96 is 100 %, 144 is 150 %): a display of its own
    whose size grows with the scale (the desktop of DESKTOP_AT_96 at 96 DPI, as a screen of more
    pixels shows the same desktop sharper), or is `pixels` (width, height), and Wine's DPI set in
    user.reg, which Wine reads when a program starts and which may only be edited while the
    wineserver is stopped. The display and the prefix's user.reg as they were come back
    afterwards, so that every other scenario runs at the prefix's own scale. No Wine program may
    run across the change."""
    require_environment()
    path = os.path.join(os.environ["WINEPREFIX"], "user.reg")
    # The prefix's own user.reg is kept beside it until it is written back: a run killed in the
    # block leaves it there, and the next run starts from it rather than from the changed one.
    kept = path + ".before-scale"
    display = os.environ["DISPLAY"]
    _wineserver("-k")
    _wineserver("-w")
    if not os.path.exists(kept):
        shutil.copyfile(path, kept)
    with open(kept, encoding="utf-8", newline="") as f:
        saved = f.read()
    width, height = pixels or (DESKTOP_AT_96[0] * dpi // 96, DESKTOP_AT_96[1] * dpi // 96)
    xvfb, os.environ["DISPLAY"] = _start_xvfb(width, height)
    try:
        _restart_wine(with_log_pixels(saved, dpi))
        yield
    finally:
        _wineserver("-k")
        _wineserver("-w")
        os.environ["DISPLAY"] = display
        xvfb.kill()
        xvfb.wait()
        _restart_wine(saved)
        os.remove(kept)


def top_windows(class_name):
    """Every visible top-level window of the class, as the probe describes it (with its owner)."""
    return probe("windows", class_name)["windows"]


def probe(command, *args, check=True):
    """Runs kfprobe.exe once and returns its JSON answer."""
    exe = os.path.join(build_dir(), "e2e", "kfprobe.exe")
    if not os.path.isfile(exe):
        raise HarnessError("%s is missing: build the kfprobe target" % exe)
    answer_path = os.path.join(runs_dir(), "probe-answer-%d.json" % os.getpid())
    if os.path.exists(answer_path):
        os.remove(answer_path)
    with open(os.devnull, "wb") as null:
        timeout = PROBE_TIMEOUT + (float(args[1]) / 1000 if command == "wait" else 0)
        try:
            subprocess.run(["wine", exe, wine_path(answer_path), command] + list(args),
                           stdin=subprocess.DEVNULL, stdout=null, stderr=null, timeout=timeout)
        except subprocess.TimeoutExpired:
            raise HarnessError("the probe did not answer %s within %.0f s" % (command, timeout))
    try:
        with open(answer_path, "rb") as f:
            answer = json.loads(f.read().decode("ascii"))
    except (OSError, ValueError) as e:
        raise HarnessError("no answer from the probe for %s: %s" % (command, e))
    if check and not answer.get("ok"):
        raise HarnessError("probe %s: %s" % (command, answer.get("error")))
    return answer


# ----------------------------------------------------------------------------------------------
# Looking at what the probe returned.

def child_by_id(snapshot, control_id, parent=None):
    for c in snapshot["children"]:
        if c["id"] == control_id and (parent is None or c["parent"] == parent):
            return c
    return None


def statistics_fields(snapshot):
    """The twelve statistics statics of the Tests screen by position: {row: (label, value)},
    rows 1 to 6, each a child dict or None. Labels stand at x 575; values at x 700, or further
    right where a label of the language needs the room."""
    main = snapshot["window"]["hwnd"]
    found = {}
    for c in snapshot["children"]:
        if c["parent"] != main or c["class"].lower() != "static":
            continue
        r = c["rect"]
        for row in range(1, 7):
            if r["y"] == 150 + 20 * (row - 1) and (r["x"] == 575 or r["x"] >= 700):
                label, value = found.get(row, (None, None))
                if r["x"] == 575:
                    label = c
                else:
                    value = c
                found[row] = (label, value)
    return {row: found.get(row, (None, None)) for row in range(1, 7)}


def check_figures(tc, values, sample, keystrokes, errors, wall_seconds):
    """Asserts on unittest case `tc` that the six shown figures fit a test that typed `sample`
    whole, its last character included, with `keystrokes` character messages, `errors` errors,
    in `wall_seconds` or less."""
    minutes = float(values[0])
    tc.assertEqual(values[0], "%.2f" % minutes)
    tc.assertGreater(minutes, 0.0)
    tc.assertLessEqual(minutes, wall_seconds / 60.0 + 0.01, "no longer than the typing took")
    tc.assertEqual(values[2], str(utf16_units(sample)), "characters: the whole sample")
    words = words_in(sample)
    tc.assertEqual(values[3], str(words), "words: runs between blanks and line breaks")
    tc.assertEqual(values[5], str(errors), "errors")
    # CPM and WPM divide by the exact minutes, of which only two decimals are shown.
    for shown, count, what in ((values[1], keystrokes, "CPM"), (values[4], words, "WPM")):
        rate = float(shown)
        tc.assertEqual(shown, "%.2f" % rate, what)
        lo = count / (minutes + 0.005) - 0.005
        hi = count / (minutes - 0.005) + 0.005 if minutes > 0.005 else float("inf")
        tc.assertTrue(lo <= rate <= hi, "%s %s for %d in %.2f min" % (what, shown, count, minutes))


# ----------------------------------------------------------------------------------------------
# Layout by relations: what the probe's "layout" command returned, checked without numbers.

WS_BORDER = 0x00800000
BS_TYPEMASK, BS_GROUPBOX = 0x0F, 0x07
SS_TYPEMASK, SS_LEFT, SS_LEFTNOWORDWRAP = 0x1F, 0x00, 0x0C
SS_TEXT_TYPES = (0x00, 0x01, 0x02, 0x0B, 0x0C)  # left, centre, right, simple, left without wrap


def _is(control, cls):
    return control["class"].lower() == cls.lower()


def is_group_box(control):
    return _is(control, "Button") and control["style"] & BS_TYPEMASK == BS_GROUPBOX


def shown_box(control):
    """(x, y, w, h) of what a control shows in its parent's client area. A left-aligned static
    without a border shows only its text (wrapped in its width): a label may stand over a wider
    field, as the Tests screen's statistics labels do over their values. Any other control shows
    its whole window."""
    r = control["rect"]
    m = control.get("measure", {})
    if (_is(control, "Static") and control["text"] and m.get("measured") and not control["style"] & WS_BORDER
            and control["style"] & SS_TYPEMASK in (SS_LEFT, SS_LEFTNOWORDWRAP)):
        return (r["x"], r["y"], min(r["w"], m["wrapped"]["w"]), min(r["h"], m["wrapped"]["h"]))
    return (r["x"], r["y"], r["w"], r["h"])


def _overlap(a, b):
    return a[0] < b[0] + b[2] and b[0] < a[0] + a[2] and a[1] < b[1] + b[3] and b[1] < a[1] + a[3]


def _inside(inner, outer):
    return (outer[0] <= inner[0] and outer[1] <= inner[1] and inner[0] + inner[2] <= outer[0] + outer[2]
            and inner[1] + inner[3] <= outer[1] + outer[3])


def control_name(control):
    return "%s %d %r" % (control["class"], control["id"], control["text"][:24])


def text_need(control):
    """How much of its control a static's or button's text needs, as the larger of the two
    proportions (width, height) measured with the control's font, or a list box's widest entry
    in sight of its client width (beside its scroll bar); None for other controls."""
    m = control.get("measure", {})
    if _is(control, "ListBox") and m.get("measured"):
        return m["line"]["w"] / max(control["client"]["w"], 1)
    texts = (_is(control, "Static") and control["style"] & SS_TYPEMASK in SS_TEXT_TYPES) or _is(control, "Button")
    if not control["text"] or not m.get("measured") or not texts:
        return None
    if _is(control, "Static"):
        need = m["wrapped"]
    elif is_group_box(control):
        need = {"w": m["line"]["w"], "h": 0}
    else:
        need = m["line"]
    client = control["client"]
    return max(need["w"] / max(client["w"], 1), need["h"] / max(client["h"], 1))


def layout_problems(children, cut=None):
    """What is wrong with a window's layout, by relations: every shown control inside its
    parent's client area; no two shown siblings overlapping, except a control inside a group box
    that frames it; every static's and button's text, and every list box entry in sight, fitting
    its control as measured with the control's own font, or, for a control named in `cut` (its
    id), needing no more of its control in proportion than given there: what a layout the tutor
    must keep at 96 DPI already needs. An empty list when all hold."""
    shown = [c for c in children if c["visible"]]
    problems = []
    for c in shown:
        box = shown_box(c)
        parent = (0, 0, c["parent_client"]["w"], c["parent_client"]["h"])
        if box[2] > 0 and box[3] > 0 and not _inside(box, parent):
            problems.append("%s lies outside its parent's client area" % control_name(c))
        need = text_need(c)
        allowed = max(1.0, (cut or {}).get(c["id"], 1.0)) + 0.01
        if need is not None and need > allowed:
            problems.append("the text of %s needs %.2f of its control" % (control_name(c), need))
    for i, a in enumerate(shown):
        for b in shown[i + 1:]:
            if a["parent"] != b["parent"]:
                continue
            box_a, box_b = shown_box(a), shown_box(b)
            if not _overlap(box_a, box_b):
                continue
            if (is_group_box(a) and _inside(box_b, box_a)) or (is_group_box(b) and _inside(box_a, box_b)):
                continue
            problems.append("%s overlaps %s" % (control_name(a), control_name(b)))
    return problems


def list_rows(children):
    """{control id: rows shown} of the list boxes and list views among the children."""
    return {c["id"]: c["rows"] for c in children if c["visible"] and c.get("rows", -1) >= 0}


def rect_tuple(r):
    return (r["x"], r["y"], r["w"], r["h"])


# ----------------------------------------------------------------------------------------------

def main():
    """Entry point of a scenario file: --build DIR [--source DIR] [unittest options]."""
    global BUILD_DIR, SOURCE_DIR
    parser = argparse.ArgumentParser(add_help=False)
    parser.add_argument("--build", default=BUILD_DIR)
    parser.add_argument("--source", default=SOURCE_DIR)
    args, rest = parser.parse_known_args()
    BUILD_DIR = os.path.abspath(args.build) if args.build else ""
    SOURCE_DIR = os.path.abspath(args.source)
    os.environ["KF_BUILD_DIR"] = BUILD_DIR
    os.environ["KF_SOURCE_DIR"] = SOURCE_DIR
    unittest.main(module="__main__", argv=[sys.argv[0]] + rest, verbosity=2)
