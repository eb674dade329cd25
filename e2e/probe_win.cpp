// kfprobe: reads the windows of a running tutor from another process, for the whole-program
// scenarios. Every answer is one JSON object written to the file named first on the command
// line (never to stdout: a Wine child can keep a pipe open long after it has exited).
//
//   kfprobe OUT wait CLASS TIMEOUT_MS     top-level window of CLASS, once it is visible
//   kfprobe OUT windows CLASS             every visible top-level window of CLASS (a dialog and
//                                         the message boxes it owns share one class)
//   kfprobe OUT window HWND               title, rectangles, process, work area
//   kfprobe OUT children HWND             every descendant: class, id, rect, visibility, text
//   kfprobe OUT text HWND ID              text of the child with that id
//   kfprobe OUT toolbar HWND              buttons of toolbar 400 (command, image, state)
//   kfprobe OUT statusbar HWND            part edges and texts of status bar 334
//   kfprobe OUT editview HWND ID [LINE]   lines of the edit control with that id: first shown,
//                                         count, whole lines in sight, selection and its line,
//                                         and where LINE begins (index of its first character)
//   kfprobe OUT focus HWND                the control that has the keyboard focus
//   kfprobe OUT columns HWND ID           columns of the list view with that id: heading, width,
//                                         format; the list's client width and scroll bars
//   kfprobe OUT snapshot HWND             window + children + toolbar + statusbar + focus
//   kfprobe OUT listview HWND ID          cell texts of the report list view with that id, by row
//   kfprobe OUT layout HWND               the window and every descendant as `children` gives
//                                         them, with the client sizes of each and of its parent,
//                                         its text measured with its own font (one line, and
//                                         wrapped in its width) and the rows a list shows
//   kfprobe OUT close HWND                posts WM_CLOSE
//   kfprobe OUT command HWND ID           posts WM_COMMAND ID
//
// HWND is a decimal number as printed by "wait". Exit code 0 with an answer, 1 when the window
// or control is not there (the answer says why), 2 for a wrong command line.
#include <windows.h>
#include <commctrl.h>

#include <cstddef>
#include <cstdio>
#include <cstring>
#include <cwchar>
#include <string>
#include <vector>

#include "e2e/probe_measure.h"

namespace {

constexpr UINT kTimeoutMs = 5000;
constexpr int kToolbarId = 400;
constexpr int kStatusBarId = 334;

// JSON strings are written in ASCII with every other UTF-16 unit as \uXXXX, so the harness gets
// back exactly the units the window holds (lone surrogates included).
std::string JsonString(const std::wstring& s) {
  std::string out = "\"";
  for (wchar_t c : s) {
    unsigned u = static_cast<unsigned>(c) & 0xFFFFu;
    if (u == '"') {
      out += "\\\"";
    } else if (u == '\\') {
      out += "\\\\";
    } else if (u >= 0x20 && u < 0x7F) {
      out += static_cast<char>(u);
    } else {
      char buf[8];
      std::snprintf(buf, sizeof buf, "\\u%04x", u);
      out += buf;
    }
  }
  return out + "\"";
}

std::string JsonRect(const RECT& r) {
  char buf[96];
  std::snprintf(buf, sizeof buf, "{\"x\":%ld,\"y\":%ld,\"w\":%ld,\"h\":%ld}", r.left, r.top,
                r.right - r.left, r.bottom - r.top);
  return buf;
}

std::string JsonInt(long long v) { return std::to_string(v); }

std::string HandleText(HWND h) { return JsonInt(static_cast<long long>(reinterpret_cast<INT_PTR>(h))); }

HWND ParseHandle(const wchar_t* s) {
  return reinterpret_cast<HWND>(static_cast<INT_PTR>(_wcstoi64(s, nullptr, 10)));
}

std::wstring ClassOf(HWND h) {
  wchar_t buf[256] = {};
  GetClassNameW(h, buf, 256);
  return buf;
}

// WM_GETTEXT across processes (Wine marshals it); a hung target gives an empty text.
std::wstring TextOf(HWND h) {
  DWORD_PTR length = 0;
  if (!SendMessageTimeoutW(h, WM_GETTEXTLENGTH, 0, 0, SMTO_ABORTIFHUNG, kTimeoutMs, &length))
    return L"";
  std::vector<wchar_t> buf(length + 2, L'\0');
  DWORD_PTR got = 0;
  if (!SendMessageTimeoutW(h, WM_GETTEXT, buf.size(), reinterpret_cast<LPARAM>(buf.data()),
                           SMTO_ABORTIFHUNG, kTimeoutMs, &got))
    return L"";
  return std::wstring(buf.data(), got < buf.size() ? got : buf.size() - 1);
}

// A block of memory inside the target's process, for messages whose answer is written through
// a pointer (toolbar buttons, status bar parts).
class RemoteBlock {
 public:
  RemoteBlock(HWND window, SIZE_T size) : size_(size) {
    DWORD pid = 0;
    GetWindowThreadProcessId(window, &pid);
    process_ = OpenProcess(PROCESS_VM_OPERATION | PROCESS_VM_READ | PROCESS_VM_WRITE, FALSE, pid);
    if (process_) address_ = VirtualAllocEx(process_, nullptr, size, MEM_COMMIT | MEM_RESERVE, PAGE_READWRITE);
  }
  ~RemoteBlock() {
    if (address_) VirtualFreeEx(process_, address_, 0, MEM_RELEASE);
    if (process_) CloseHandle(process_);
  }
  RemoteBlock(const RemoteBlock&) = delete;
  RemoteBlock& operator=(const RemoteBlock&) = delete;
  bool ok() const { return address_ != nullptr; }
  LPARAM param() const { return reinterpret_cast<LPARAM>(address_); }
  char* address() const { return static_cast<char*>(address_); }
  bool Write(const void* from, SIZE_T size) const {
    SIZE_T put = 0;
    return size <= size_ && WriteProcessMemory(process_, address_, from, size, &put) && put == size;
  }
  bool Read(void* to) const {
    SIZE_T got = 0;
    return ReadProcessMemory(process_, address_, to, size_, &got) && got == size_;
  }
  bool Clear() const {
    std::vector<char> zeros(size_, 0);
    SIZE_T put = 0;
    return WriteProcessMemory(process_, address_, zeros.data(), size_, &put) && put == size_;
  }

 private:
  HANDLE process_ = nullptr;
  void* address_ = nullptr;
  SIZE_T size_;
};

bool Send(HWND h, UINT msg, WPARAM w, LPARAM l, DWORD_PTR* result) {
  return SendMessageTimeoutW(h, msg, w, l, SMTO_ABORTIFHUNG, kTimeoutMs, result) != 0;
}

std::string WindowJson(HWND h) {
  RECT window = {}, client = {}, work = {};
  GetWindowRect(h, &window);
  GetClientRect(h, &client);
  POINT origin = {0, 0};
  ClientToScreen(h, &origin);
  SystemParametersInfoW(SPI_GETWORKAREA, 0, &work, 0);
  DWORD pid = 0;
  GetWindowThreadProcessId(h, &pid);
  std::string s = "{\"hwnd\":" + HandleText(h);
  s += ",\"class\":" + JsonString(ClassOf(h));
  s += ",\"title\":" + JsonString(TextOf(h));
  s += ",\"pid\":" + JsonInt(pid);
  s += ",\"owner\":" + HandleText(GetWindow(h, GW_OWNER));
  s += ",\"visible\":" + std::string(IsWindowVisible(h) ? "true" : "false");
  s += ",\"rect\":" + JsonRect(window);
  s += ",\"client\":" + JsonRect(client);
  s += ",\"client_origin\":{\"x\":" + JsonInt(origin.x) + ",\"y\":" + JsonInt(origin.y) + "}";
  s += ",\"has_menu\":" + std::string(GetMenu(h) ? "true" : "false");
  s += ",\"work_area\":" + JsonRect(work);
  s += ",\"screen\":{\"w\":" + JsonInt(GetSystemMetrics(SM_CXSCREEN)) +
       ",\"h\":" + JsonInt(GetSystemMetrics(SM_CYSCREEN)) + "}";
  return s + "}";
}

BOOL CALLBACK CollectChild(HWND child, LPARAM param) {
  reinterpret_cast<std::vector<HWND>*>(param)->push_back(child);
  return TRUE;
}

std::string ChildJson(HWND child) {
  HWND parent = GetParent(child);
  RECT r = {};
  GetWindowRect(child, &r);
  MapWindowPoints(nullptr, parent, reinterpret_cast<POINT*>(&r), 2);
  std::string s = "{\"hwnd\":" + HandleText(child);
  s += ",\"parent\":" + HandleText(parent);
  s += ",\"class\":" + JsonString(ClassOf(child));
  s += ",\"id\":" + JsonInt(GetDlgCtrlID(child));
  s += ",\"rect\":" + JsonRect(r);
  s += ",\"visible\":" + std::string(IsWindowVisible(child) ? "true" : "false");
  s += ",\"style\":" + JsonInt(static_cast<unsigned long>(GetWindowLongW(child, GWL_STYLE)));
  s += ",\"text\":" + JsonString(TextOf(child));
  return s + "}";
}

std::string ChildrenJson(HWND h) {
  std::vector<HWND> children;
  EnumChildWindows(h, CollectChild, reinterpret_cast<LPARAM>(&children));
  std::string s = "[";
  for (size_t i = 0; i < children.size(); ++i) {
    if (i) s += ",";
    s += ChildJson(children[i]);
  }
  return s + "]";
}

// Buttons of the toolbar: TB_GETBUTTON writes each TBBUTTON into memory of the tutor's process.
std::string ToolbarJson(HWND h, bool* ok) {
  *ok = false;
  HWND toolbar = GetDlgItem(h, kToolbarId);
  if (!toolbar) return "null";
  DWORD_PTR count = 0;
  if (!Send(toolbar, TB_BUTTONCOUNT, 0, 0, &count)) return "null";
  RemoteBlock block(toolbar, sizeof(TBBUTTON));
  if (!block.ok()) return "null";
  std::string s = "{\"visible\":" + std::string(IsWindowVisible(toolbar) ? "true" : "false");
  s += ",\"buttons\":[";
  for (DWORD_PTR i = 0; i < count; ++i) {
    TBBUTTON b = {};
    DWORD_PTR got = 0;
    block.Clear();
    if (!Send(toolbar, TB_GETBUTTON, i, block.param(), &got) || !got || !block.Read(&b)) return "null";
    if (i) s += ",";
    s += "{\"command\":" + JsonInt(b.idCommand);
    s += ",\"image\":" + JsonInt(b.iBitmap);
    s += ",\"state\":" + JsonInt(b.fsState);
    s += ",\"style\":" + JsonInt(b.fsStyle);
    s += ",\"enabled\":" + std::string((b.fsState & TBSTATE_ENABLED) ? "true" : "false");
    s += ",\"indeterminate\":" + std::string((b.fsState & TBSTATE_INDETERMINATE) ? "true" : "false");
    s += ",\"hidden\":" + std::string((b.fsState & TBSTATE_HIDDEN) ? "true" : "false");
    s += "}";
  }
  *ok = true;
  return s + "]}";
}

std::string StatusBarJson(HWND h, bool* ok) {
  *ok = false;
  HWND bar = GetDlgItem(h, kStatusBarId);
  if (!bar) return "null";
  constexpr int kMaxParts = 32;
  RemoteBlock block(bar, sizeof(int) * kMaxParts);
  if (!block.ok()) return "null";
  block.Clear();
  DWORD_PTR parts = 0;
  if (!Send(bar, SB_GETPARTS, kMaxParts, block.param(), &parts)) return "null";
  int edges[kMaxParts] = {};
  if (!block.Read(edges)) return "null";
  if (parts > static_cast<DWORD_PTR>(kMaxParts)) parts = kMaxParts;
  std::string s = "{\"visible\":" + std::string(IsWindowVisible(bar) ? "true" : "false");
  s += ",\"parts\":[";
  for (DWORD_PTR i = 0; i < parts; ++i) {
    if (i) s += ",";
    s += JsonInt(edges[i]);
  }
  // Each part's text: SB_GETTEXTW writes it into memory of the tutor's process.
  constexpr int kMaxText = 512;
  RemoteBlock text(bar, sizeof(wchar_t) * kMaxText);
  if (!text.ok()) return "null";
  s += "],\"texts\":[";
  for (DWORD_PTR i = 0; i < parts; ++i) {
    DWORD_PTR length = 0;
    if (!Send(bar, SB_GETTEXTLENGTHW, i, 0, &length)) return "null";
    wchar_t buffer[kMaxText] = {};
    if (LOWORD(length) >= kMaxText) return "null";
    text.Clear();
    DWORD_PTR got = 0;
    if (!Send(bar, SB_GETTEXTW, i, text.param(), &got) || !text.Read(buffer)) return "null";
    if (i) s += ",";
    s += JsonString(std::wstring(buffer, LOWORD(length)));
  }
  *ok = true;
  return s + "]}";
}

// Rows of a report list view: LVM_GETITEMTEXTW fills an LVITEMW and a text buffer that both lie
// in the tutor's process.
std::string ListViewJson(HWND list, bool* ok) {
  *ok = false;
  DWORD_PTR rows = 0, header = 0, columns = 0;
  if (!Send(list, LVM_GETITEMCOUNT, 0, 0, &rows) || !Send(list, LVM_GETHEADER, 0, 0, &header) || !header)
    return "null";
  if (!Send(reinterpret_cast<HWND>(header), HDM_GETITEMCOUNT, 0, 0, &columns)) return "null";
  constexpr int kCellUnits = 256;
  struct Cell {
    LVITEMW item;
    wchar_t text[kCellUnits];
  };
  RemoteBlock block(list, sizeof(Cell));
  if (!block.ok()) return "null";
  std::string s = "[";
  for (DWORD_PTR r = 0; r < rows; ++r) {
    s += r ? ",[" : "[";
    for (DWORD_PTR c = 0; c < columns; ++c) {
      Cell cell = {};
      cell.item.iSubItem = static_cast<int>(c);
      cell.item.pszText = reinterpret_cast<LPWSTR>(block.address() + offsetof(Cell, text));
      cell.item.cchTextMax = kCellUnits;
      DWORD_PTR got = 0;
      if (!block.Write(&cell, sizeof cell) || !Send(list, LVM_GETITEMTEXTW, r, block.param(), &got) ||
          !block.Read(&cell))
        return "null";
      cell.text[kCellUnits - 1] = L'\0';
      s += (c ? "," : "") + JsonString(cell.text);
    }
    s += "]";
  }
  *ok = true;
  return s + "]";
}

// The columns of a report list view: LVM_GETCOLUMNW writes into memory of the tutor's process.
std::string ColumnsJson(HWND list, bool* ok) {
  *ok = false;
  constexpr int kTextUnits = 128;
  RemoteBlock block(list, sizeof(LVCOLUMNW) + kTextUnits * sizeof(wchar_t));
  if (!block.ok()) return "null";
  RECT client = {};
  GetClientRect(list, &client);
  const LONG style = GetWindowLongW(list, GWL_STYLE);
  std::string s = "{\"client_width\":" + JsonInt(client.right - client.left);
  s += ",\"hscroll\":" + std::string((style & WS_HSCROLL) ? "true" : "false");
  s += ",\"vscroll\":" + std::string((style & WS_VSCROLL) ? "true" : "false");
  s += ",\"columns\":[";
  for (int i = 0;; ++i) {
    // The structure and, right after it, room for the heading; pszText points into the block.
    struct {
      LVCOLUMNW column;
      wchar_t text[kTextUnits];
    } local = {};
    local.column.mask = LVCF_FMT | LVCF_WIDTH | LVCF_TEXT;
    local.column.cchTextMax = kTextUnits;
    local.column.pszText = reinterpret_cast<wchar_t*>(block.param() + sizeof(LVCOLUMNW));
    if (!block.Write(&local, sizeof(local))) return "null";
    DWORD_PTR got = 0;
    if (!Send(list, LVM_GETCOLUMNW, i, block.param(), &got) || !got) break;
    if (!block.Read(&local)) return "null";
    local.text[kTextUnits - 1] = L'\0';
    if (i) s += ",";
    s += "{\"text\":" + JsonString(local.text);
    s += ",\"width\":" + JsonInt(local.column.cx);
    s += ",\"format\":" + JsonInt(local.column.fmt & LVCFMT_JUSTIFYMASK) + "}";
  }
  *ok = true;
  return s + "]}";
}

// The lines of an edit control as the user sees them, from messages whose answers cross
// processes.
std::string EditViewJson(HWND edit, int line, bool* ok) {
  *ok = false;
  DWORD_PTR first = 0, count = 0, selection = 0, selLine = 0, top0 = 0, top1 = 0, index0 = 0, index1 = 0;
  if (!Send(edit, EM_GETFIRSTVISIBLELINE, 0, 0, &first) || !Send(edit, EM_GETLINECOUNT, 0, 0, &count) ||
      !Send(edit, EM_GETSEL, 0, 0, &selection) || !Send(edit, EM_LINEFROMCHAR, LOWORD(selection), 0, &selLine) ||
      !Send(edit, EM_LINEINDEX, 0, 0, &index0) || !Send(edit, EM_LINEINDEX, 1, 0, &index1) ||
      !Send(edit, EM_POSFROMCHAR, index0, 0, &top0) || !Send(edit, EM_POSFROMCHAR, index1, 0, &top1))
    return "null";
  // The system carries the rectangle of EM_GETRECT across processes itself.
  RECT format = {};
  DWORD_PTR unused = 0;
  if (!Send(edit, EM_GETRECT, 0, reinterpret_cast<LPARAM>(&format), &unused)) return "null";
  // Lines in sight: the formatting rectangle over the distance between the first two lines.
  const int lineHeight = static_cast<short>(HIWORD(top1)) - static_cast<short>(HIWORD(top0));
  const long visible = count > 1 && lineHeight > 0 ? (format.bottom - format.top) / lineHeight : static_cast<long>(count);
  std::string s = "{\"first_visible\":" + JsonInt(static_cast<long long>(first));
  s += ",\"line_count\":" + JsonInt(static_cast<long long>(count));
  s += ",\"visible_lines\":" + JsonInt(visible);
  s += ",\"line_height\":" + JsonInt(lineHeight);
  s += ",\"sel_start\":" + JsonInt(LOWORD(selection));
  s += ",\"sel_end\":" + JsonInt(HIWORD(selection));
  s += ",\"sel_line\":" + JsonInt(static_cast<long long>(selLine));
  s += ",\"style\":" + JsonInt(static_cast<unsigned long>(GetWindowLongW(edit, GWL_STYLE)));
  if (line >= 0) {
    DWORD_PTR start = 0;
    if (!Send(edit, EM_LINEINDEX, static_cast<WPARAM>(line), 0, &start)) return "null";
    s += ",\"line_start\":" + JsonInt(static_cast<long long>(static_cast<LONG_PTR>(start)));
  }
  *ok = true;
  return s + "}";
}

std::string FocusJson(HWND h) {
  GUITHREADINFO info = {};
  info.cbSize = sizeof info;
  DWORD thread = GetWindowThreadProcessId(h, nullptr);
  if (!GetGUIThreadInfo(thread, &info) || !info.hwndFocus) return "null";
  std::string s = "{\"hwnd\":" + HandleText(info.hwndFocus);
  s += ",\"class\":" + JsonString(ClassOf(info.hwndFocus));
  s += ",\"id\":" + JsonInt(GetDlgCtrlID(info.hwndFocus));
  s += ",\"active\":" + HandleText(info.hwndActive);
  return s + "}";
}

HWND WaitForWindow(const wchar_t* className, DWORD timeoutMs) {
  DWORD start = GetTickCount();
  for (;;) {
    HWND h = FindWindowW(className, nullptr);
    if (h && IsWindowVisible(h)) return h;
    if (GetTickCount() - start >= timeoutMs) return nullptr;
    Sleep(50);
  }
}

struct ClassSearch {
  const wchar_t* className;
  std::vector<HWND> found;
};

BOOL CALLBACK CollectTopLevel(HWND h, LPARAM param) {
  auto* search = reinterpret_cast<ClassSearch*>(param);
  if (IsWindowVisible(h) && ClassOf(h) == search->className) search->found.push_back(h);
  return TRUE;
}

std::string WindowsJson(const wchar_t* className) {
  ClassSearch search = {className, {}};
  EnumWindows(CollectTopLevel, reinterpret_cast<LPARAM>(&search));
  std::string s = "[";
  for (size_t i = 0; i < search.found.size(); ++i) s += (i ? "," : "") + WindowJson(search.found[i]);
  return s + "]";
}

bool WriteAnswer(const wchar_t* path, const std::string& json) {
  HANDLE f = CreateFileW(path, GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
  if (f == INVALID_HANDLE_VALUE) return false;
  std::string text = json + "\n";
  DWORD written = 0;
  BOOL ok = WriteFile(f, text.data(), static_cast<DWORD>(text.size()), &written, nullptr);
  CloseHandle(f);
  return ok && written == text.size();
}

std::string Failure(const char* why) { return std::string("{\"ok\":false,\"error\":") + JsonString(std::wstring(why, why + std::strlen(why))) + "}"; }

std::string JsonSize(const RECT& r) {
  return "{\"w\":" + JsonInt(r.right - r.left) + ",\"h\":" + JsonInt(r.bottom - r.top) + "}";
}

// The controls' texts measured inside the tutor's process, with each control's own font, by the
// hook DLL beside the probe; without the DLL or its hook the answer says "measured": false.
class TextMeasurer {
 public:
  explicit TextMeasurer(HWND window) {
    wchar_t path[MAX_PATH] = {};
    GetModuleFileNameW(nullptr, path, MAX_PATH);
    std::wstring dll = path;
    dll = dll.substr(0, dll.find_last_of(L"\\/") + 1) + L"kfprobehook.dll";
    module_ = LoadLibraryW(dll.c_str());
    const auto proc = module_ ? reinterpret_cast<HOOKPROC>(reinterpret_cast<void (*)()>(
                                    GetProcAddress(module_, "KfProbeCallWndProc")))
                              : nullptr;
    mapping_ = CreateFileMappingW(INVALID_HANDLE_VALUE, nullptr, PAGE_READWRITE, 0, sizeof(ProbeMeasure),
                                  kProbeMeasureBlock);
    if (mapping_) block_ = static_cast<ProbeMeasure*>(MapViewOfFile(mapping_, FILE_MAP_ALL_ACCESS, 0, 0, 0));
    if (proc && block_)
      hook_ = SetWindowsHookExW(WH_CALLWNDPROC, proc, module_, GetWindowThreadProcessId(window, nullptr));
    message_ = RegisterWindowMessageW(kProbeMeasureMessage);
  }
  ~TextMeasurer() {
    if (hook_) UnhookWindowsHookEx(hook_);
    if (block_) UnmapViewOfFile(block_);
    if (mapping_) CloseHandle(mapping_);
    if (module_) FreeLibrary(module_);
  }
  TextMeasurer(const TextMeasurer&) = delete;
  TextMeasurer& operator=(const TextMeasurer&) = delete;

  std::string Json(HWND control) {
    if (!hook_) return "{\"measured\":false}";
    *block_ = ProbeMeasure();
    DWORD_PTR unused = 0;
    Send(control, message_, 0, 0, &unused);
    const ProbeMeasure m = *block_;
    if (!m.done) return "{\"measured\":false}";
    std::string s = "{\"measured\":true,\"own_font\":" + std::string(m.ownFont ? "true" : "false");
    s += ",\"font_height\":" + JsonInt(m.fontHeight) + ",\"internal_leading\":" + JsonInt(m.internalLeading);
    s += ",\"line\":{\"w\":" + JsonInt(m.lineWidth) + ",\"h\":" + JsonInt(m.lineHeight) + "}";
    s += ",\"wrapped\":{\"w\":" + JsonInt(m.wrappedWidth) + ",\"h\":" + JsonInt(m.wrappedHeight) + "}}";
    return s;
  }

 private:
  HMODULE module_ = nullptr;
  HANDLE mapping_ = nullptr;
  ProbeMeasure* block_ = nullptr;
  HHOOK hook_ = nullptr;
  UINT message_ = 0;
};

// Rows a list shows whole: a list box's client height over its item height, a list view's own count.
long RowsShown(HWND control, const RECT& client) {
  const std::wstring cls = ClassOf(control);
  DWORD_PTR answer = 0;
  if (_wcsicmp(cls.c_str(), L"ListBox") == 0 && Send(control, LB_GETITEMHEIGHT, 0, 0, &answer) && answer > 0 && answer != static_cast<DWORD_PTR>(LB_ERR))
    return (client.bottom - client.top) / static_cast<long>(answer);
  if (_wcsicmp(cls.c_str(), L"SysListView32") == 0 && Send(control, LVM_GETCOUNTPERPAGE, 0, 0, &answer)) return static_cast<long>(answer);
  return -1;
}

std::string LayoutJson(HWND h) {
  std::vector<HWND> children;
  EnumChildWindows(h, CollectChild, reinterpret_cast<LPARAM>(&children));
  TextMeasurer measurer(h);
  std::string s = "[";
  for (size_t i = 0; i < children.size(); ++i) {
    HWND child = children[i];
    RECT own = {}, parent = {};
    GetClientRect(child, &own);
    GetClientRect(GetParent(child), &parent);
    std::string c = ChildJson(child);
    c.pop_back();  // the closing brace: the layout facts follow
    c += ",\"client\":" + JsonSize(own) + ",\"parent_client\":" + JsonSize(parent);
    c += ",\"measure\":" + measurer.Json(child);
    c += ",\"rows\":" + JsonInt(RowsShown(child, own));
    s += (i ? "," : "") + c + "}";
  }
  return s + "]";
}

// Coordinates as the tutor sees them at every scale: the probe is per-monitor aware too (looked
// up: older systems have one DPI and no such call).
void BeDpiAware() {
  using SetContext = BOOL(WINAPI*)(HANDLE);
  const FARPROC found = GetProcAddress(GetModuleHandleW(L"user32.dll"), "SetProcessDpiAwarenessContext");
  const auto setContext = reinterpret_cast<SetContext>(reinterpret_cast<void (*)()>(found));
  if (!setContext || !setContext(reinterpret_cast<HANDLE>(static_cast<INT_PTR>(-4)))) SetProcessDPIAware();
}

// Runs one command; *code gets the exit code.
std::string Run(int argc, wchar_t** argv, int* code) {
  *code = 2;
  if (argc < 4) return Failure("usage: kfprobe OUT COMMAND ARGS");
  std::wstring command = argv[2];
  if (command == L"wait") {
    if (argc < 5) return Failure("usage: wait CLASS TIMEOUT_MS");
    HWND h = WaitForWindow(argv[3], static_cast<DWORD>(_wtoi(argv[4])));
    *code = h ? 0 : 1;
    return h ? "{\"ok\":true,\"window\":" + WindowJson(h) + "}" : Failure("no such window");
  }
  if (command == L"windows") {
    *code = 0;
    return "{\"ok\":true,\"windows\":" + WindowsJson(argv[3]) + "}";
  }
  HWND h = ParseHandle(argv[3]);
  if (!IsWindow(h)) {
    *code = 1;
    return Failure("not a window");
  }
  *code = 0;
  if (command == L"window") return "{\"ok\":true,\"window\":" + WindowJson(h) + "}";
  if (command == L"children") return "{\"ok\":true,\"children\":" + ChildrenJson(h) + "}";
  if (command == L"focus") return "{\"ok\":true,\"focus\":" + FocusJson(h) + "}";
  if (command == L"text") {
    if (argc < 5) return *code = 2, Failure("usage: text HWND ID");
    HWND child = GetDlgItem(h, _wtoi(argv[4]));
    if (!child) return *code = 1, Failure("no such control");
    return "{\"ok\":true,\"text\":" + JsonString(TextOf(child)) + "}";
  }
  if (command == L"columns") {
    if (argc < 5) return *code = 2, Failure("usage: columns HWND ID");
    HWND list = GetDlgItem(h, _wtoi(argv[4]));
    if (!list) return *code = 1, Failure("no such control");
    bool ok = false;
    std::string s = ColumnsJson(list, &ok);
    if (!ok) return *code = 1, Failure("columns not readable");
    return "{\"ok\":true,\"list\":" + s + "}";
  }
  if (command == L"toolbar") {
    bool ok = false;
    std::string s = ToolbarJson(h, &ok);
    if (!ok) return *code = 1, Failure("toolbar not readable");
    return "{\"ok\":true,\"toolbar\":" + s + "}";
  }
  if (command == L"statusbar") {
    bool ok = false;
    std::string s = StatusBarJson(h, &ok);
    if (!ok) return *code = 1, Failure("status bar not readable");
    return "{\"ok\":true,\"statusbar\":" + s + "}";
  }
  if (command == L"editview") {
    if (argc < 5) return *code = 2, Failure("usage: editview HWND ID");
    HWND child = GetDlgItem(h, _wtoi(argv[4]));
    if (!child) return *code = 1, Failure("no such control");
    bool ok = false;
    std::string s = EditViewJson(child, argc > 5 ? _wtoi(argv[5]) : -1, &ok);
    if (!ok) return *code = 1, Failure("edit control not readable");
    return "{\"ok\":true,\"editview\":" + s + "}";
  }
  if (command == L"snapshot") {
    bool toolbarOk = false, statusOk = false;
    std::string s = "{\"ok\":true,\"window\":" + WindowJson(h);
    s += ",\"children\":" + ChildrenJson(h);
    s += ",\"toolbar\":" + ToolbarJson(h, &toolbarOk);
    s += ",\"statusbar\":" + StatusBarJson(h, &statusOk);
    s += ",\"focus\":" + FocusJson(h);
    return s + "}";
  }
  if (command == L"listview") {
    if (argc < 5) return *code = 2, Failure("usage: listview HWND ID");
    HWND list = GetDlgItem(h, _wtoi(argv[4]));
    if (!list) return *code = 1, Failure("no such control");
    bool ok = false;
    std::string rows = ListViewJson(list, &ok);
    if (!ok) return *code = 1, Failure("list view not readable");
    return "{\"ok\":true,\"rows\":" + rows + "}";
  }
  if (command == L"layout")
    return "{\"ok\":true,\"window\":" + WindowJson(h) + ",\"children\":" + LayoutJson(h) + "}";
  if (command == L"close") {
    PostMessageW(h, WM_CLOSE, 0, 0);
    return "{\"ok\":true}";
  }
  if (command == L"command") {
    if (argc < 5) return *code = 2, Failure("usage: command HWND ID");
    PostMessageW(h, WM_COMMAND, MAKEWPARAM(_wtoi(argv[4]), 0), 0);
    return "{\"ok\":true}";
  }
  *code = 2;
  return Failure("unknown command");
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
  if (argc < 2) return 2;
  BeDpiAware();
  int code = 2;
  std::string answer = Run(argc, argv, &code);
  if (!WriteAnswer(argv[1], answer)) return 3;
  return code;
}
