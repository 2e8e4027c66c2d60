// Drives the real main window, menu, preferences dialog, message boxes and
// file chooser of the Windows program with real messages, under Wine or on
// Windows.  Modal windows are handled by a thread timer, whose procedure
// runs inside every modal loop: it reads each dialog or message box, records
// it and closes it as the running check asks.
//
// Usage: tamrel_ui_test [examples-folder]
// Prints one line per check and finally "N passed, M failed"; the exit
// code is 0 only when nothing failed.
#include <windows.h>

#include <cstdio>
#include <cstring>
#include <functional>
#include <string>
#include <vector>

#include "commands/command_ids.h"
#include "commands/help_texts.h"
#include "app/state.h"
#include "ui/ui.h"

namespace {

int g_passed = 0;
int g_failed = 0;

std::string Escaped(const std::string& text) {
  std::string out;
  for (char c : text) {
    if (c == '\n') {
      out += "\\n";
    } else if (c == '\r') {
      out += "\\r";
    } else {
      out += c;
    }
  }
  return out;
}

void Check(bool ok, const std::string& what) {
  std::printf("%s - %s\n", ok ? "ok" : "FAIL", what.c_str());
  std::fflush(stdout);
  ok ? ++g_passed : ++g_failed;
}

void CheckEqual(const std::string& expected, const std::string& actual,
                const std::string& what) {
  if (expected == actual) {
    Check(true, what);
  } else {
    Check(false, what + "\n    expected: \"" + Escaped(expected) +
                     "\"\n    actual:   \"" + Escaped(actual) + "\"");
  }
}

void CheckEvents(const std::vector<std::string>& expected,
                 const std::vector<std::string>& actual,
                 const std::string& what) {
  std::string e, a;
  for (const std::string& s : expected) e += "[" + s + "]";
  for (const std::string& s : actual) a += "[" + s + "]";
  CheckEqual(e, a, what);
}

std::string WindowText(HWND hwnd) {
  char buffer[4096];
  buffer[0] = '\0';
  GetWindowTextA(hwnd, buffer, sizeof buffer);
  return buffer;
}

std::string ClassName(HWND hwnd) {
  char buffer[256];
  buffer[0] = '\0';
  GetClassNameA(hwnd, buffer, sizeof buffer);
  return buffer;
}

// ---------------------------------------------------------------------------
// What the user would see: captions of the main window, message boxes and
// choosers, in order.

std::vector<std::string> g_events;
HWND g_main = NULL;
WNDPROC g_mainProc = NULL;

// Sits in front of WndProc to see every caption change.
LRESULT CALLBACK SpyProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
  if (msg == WM_SETTEXT && lParam != 0) {
    g_events.push_back(std::string("caption ") + (const char*)lParam);
  }
  return CallWindowProcA(g_mainProc, hwnd, msg, wParam, lParam);
}

// ---------------------------------------------------------------------------
// Modal windows.  The running check installs a handler; it gets every
// visible, enabled dialog of this thread (a message box, the preferences
// dialog or the chooser) and returns true once it has acted on it.

const char* const CHOOSER_FIRST = "Choose the first file ...";
const char* const CHOOSER_SECOND = "Choose the second file ...";
const int MSGBOX_TEXT_ID = 0xFFFF;  // the text of a message box
const int CHOOSER_NAME_ID = 0x047C;  // cmb13, the file name box
const int CHOOSER_TYPES_ID = 0x0470;  // cmb1, the file type list
const int CHOOSER_READONLY_ID = 0x0410;  // chx1, the read-only check box

using ModalHandler = std::function<bool(HWND)>;
ModalHandler g_handler;
std::vector<HWND> g_handled;
bool g_inTimer = false;

bool IsMessageBox(HWND dialog) {
  return GetDlgItem(dialog, MSGBOX_TEXT_ID) != NULL;
}

// The default reaction: record a message box and press OK; cancel a
// chooser; close anything else.
bool DefaultModal(HWND dialog) {
  std::string title = WindowText(dialog);
  if (IsMessageBox(dialog)) {
    g_events.push_back("message " + title + ": " +
                       WindowText(GetDlgItem(dialog, MSGBOX_TEXT_ID)));
    PostMessageA(dialog, WM_COMMAND, IDOK, 0);
  } else {
    g_events.push_back("dialog " + title);
    PostMessageA(dialog, WM_COMMAND, IDCANCEL, 0);
  }
  return true;
}

BOOL CALLBACK CollectDialog(HWND hwnd, LPARAM lParam) {
  if (ClassName(hwnd) == "#32770" && IsWindowVisible(hwnd) &&
      IsWindowEnabled(hwnd)) {
    ((std::vector<HWND>*)lParam)->push_back(hwnd);
  }
  return TRUE;
}

void CALLBACK ModalTimerProc(HWND, UINT, UINT_PTR, DWORD) {
  if (g_inTimer) return;
  g_inTimer = true;
  std::vector<HWND> dialogs;
  EnumThreadWindows(GetCurrentThreadId(), CollectDialog, (LPARAM)&dialogs);
  for (HWND dialog : dialogs) {
    bool seen = false;
    for (HWND done : g_handled) seen = seen || done == dialog;
    if (seen) continue;
    bool acted = g_handler ? g_handler(dialog) : DefaultModal(dialog);
    if (acted) g_handled.push_back(dialog);
    break;
  }
  g_inTimer = false;
}

// Sends a menu command to the main window as the menu would.
void Command(int id) {
  g_handled.clear();
  SendMessageA(g_main, WM_COMMAND, MAKEWPARAM(id, 0), 0);
  g_handler = nullptr;
}

// Presses OK in a chooser after typing a name into its file name box.
void TypeIntoChooser(HWND chooser, const std::string& name) {
  SetDlgItemTextA(chooser, CHOOSER_NAME_ID, name.c_str());
  PostMessageA(chooser, WM_COMMAND, IDOK, 0);
}

// A chooser handler that records the chooser's title and then confirms
// name, or cancels when name is empty.
ModalHandler ChooserAnswer(const std::string& name) {
  return [name](HWND dialog) {
    if (IsMessageBox(dialog)) return DefaultModal(dialog);
    g_events.push_back("chooser " + WindowText(dialog));
    if (name.empty()) {
      PostMessageA(dialog, WM_COMMAND, IDCANCEL, 0);
    } else {
      TypeIntoChooser(dialog, name);
    }
    return true;
  };
}

// ---------------------------------------------------------------------------
// Files

std::string g_temp;

std::string TempFolder() {
  char base[MAX_PATH];
  GetTempPathA(sizeof base, base);
  char folder[MAX_PATH];
  std::snprintf(folder, sizeof folder, "%stamrel-ui-%lu", base,
                (unsigned long)GetCurrentProcessId());
  CreateDirectoryA(folder, NULL);
  return folder;
}

void WriteText(const std::string& path, const char* text) {
  FILE* f = std::fopen(path.c_str(), "wb");
  if (f == NULL) return;
  std::fputs(text, f);
  std::fclose(f);
}

bool Exists(const std::string& path) {
  return GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES;
}

void SetSlots(const std::string& first, const std::string& second) {
  SetFileSlot(file_address_01, first.c_str());
  SetFileSlot(file_address_02, second.c_str());
}

const std::string VERSION = "Tamrel 2.1 - Velmoran - 2009";
const std::string CAPTION_REST = "caption " + VERSION;
const std::string CAPTION_LOAD = "caption Load a file ...";
const std::string CAPTION_WORKING =
    "caption Depending on the file sizes, this may take a while ...";
const std::string FINISHED =
    "Finished! There are new files in the last chosen directory.";

HWND TextArea() { return GetDlgItem(g_main, IDC_TEXT_AREA); }

// ---------------------------------------------------------------------------
// The checks

void CheckWindowAndClass() {
  WNDCLASSEXA wc;
  wc.cbSize = sizeof wc;
  bool known = GetClassInfoExA(g_hInst, "MyWindowClass", &wc) != 0;
  Check(known, "window class \"MyWindowClass\" registered");
  if (known) {
    CheckEqual("MAINMENU", wc.lpszMenuName ? wc.lpszMenuName : "",
               "class menu name");
    Check(wc.style == 0 && wc.cbClsExtra == 0 && wc.cbWndExtra == 0,
          "class style and extra bytes 0");
    Check(wc.hbrBackground == (HBRUSH)6, "class background COLOR_WINDOW + 1");
    Check(wc.hIcon == LoadIconA(NULL, IDI_APPLICATION),
          "class icon is the standard application icon");
    Check(wc.hCursor == LoadCursorA(NULL, IDC_ARROW), "class cursor arrow");
  }
  CheckEqual(VERSION, WindowText(g_main), "caption at start");
  LONG style = GetWindowLongA(g_main, GWL_STYLE);
  LONG exstyle = GetWindowLongA(g_main, GWL_EXSTYLE);
  Check((style & WS_OVERLAPPEDWINDOW) == WS_OVERLAPPEDWINDOW,
        "main window style WS_OVERLAPPEDWINDOW");
  Check((exstyle & WS_EX_CLIENTEDGE) != 0, "main window WS_EX_CLIENTEDGE");
  RECT r;
  GetWindowRect(g_main, &r);
  Check(r.right - r.left == 600 && r.bottom - r.top == 200,
        "main window 600 x 200, is " + std::to_string(r.right - r.left) +
            " x " + std::to_string(r.bottom - r.top));

  HWND edit = TextArea();
  Check(edit != NULL, "text area with id 1001");
  if (edit == NULL) return;
  CheckEqual("edit", [&] {
    std::string name = ClassName(edit);
    for (char& c : name) c = (char)tolower((unsigned char)c);
    return name;
  }(), "text area class EDIT");
  LONG es = GetWindowLongA(edit, GWL_STYLE);
  LONG wanted = WS_CHILD | WS_VISIBLE | WS_VSCROLL | WS_HSCROLL |
                ES_MULTILINE | ES_WANTRETURN;
  Check((es & wanted) == wanted, "text area styles");
  Check((es & ES_READONLY) == 0, "text area not read-only");
  Check(GetWindowLongA(edit, GWL_EXSTYLE) == 0 ||
            (GetWindowLongA(edit, GWL_EXSTYLE) & WS_EX_CLIENTEDGE) == 0,
        "text area without client edge");
  CheckEqual("", WindowText(edit), "text area empty at start");
  Check((HFONT)SendMessageA(edit, WM_GETFONT, 0, 0) ==
            (HFONT)GetStockObject(DEFAULT_GUI_FONT),
        "text area font DEFAULT_GUI_FONT");
}

struct MenuRow {
  int id;  // 0 for a separator
  const char* text;
};

void CheckPopup(HMENU menu, int index, const char* title,
                const std::vector<MenuRow>& rows) {
  char text[256];
  MENUITEMINFOA info;
  std::memset(&info, 0, sizeof info);
  info.cbSize = sizeof info;
  info.fMask = MIIM_STRING | MIIM_SUBMENU | MIIM_FTYPE;
  info.dwTypeData = text;
  info.cch = sizeof text;
  text[0] = '\0';
  GetMenuItemInfoA(menu, index, TRUE, &info);
  CheckEqual(title, text, std::string("menu popup ") + title);
  HMENU popup = info.hSubMenu;
  Check(popup != NULL, std::string("menu popup ") + title + " has items");
  if (popup == NULL) return;
  Check(GetMenuItemCount(popup) == (int)rows.size(),
        std::string("menu ") + title + " item count " +
            std::to_string(rows.size()));
  for (std::size_t i = 0; i < rows.size(); ++i) {
    std::memset(&info, 0, sizeof info);
    info.cbSize = sizeof info;
    info.fMask = MIIM_STRING | MIIM_ID | MIIM_FTYPE;
    info.dwTypeData = text;
    info.cch = sizeof text;
    text[0] = '\0';
    GetMenuItemInfoA(popup, (UINT)i, TRUE, &info);
    std::string where = std::string("menu ") + title + " item " +
                        std::to_string(i + 1);
    if (rows[i].id == 0) {
      Check((info.fType & MFT_SEPARATOR) != 0 && info.wID == 0,
            where + " is a separator");
    } else {
      CheckEqual(rows[i].text, text, where + " text");
      Check((int)info.wID == rows[i].id,
            where + " id " + std::to_string(rows[i].id));
    }
  }
}

void CheckMenu() {
  HMENU menu = GetMenu(g_main);
  Check(menu != NULL && GetMenuItemCount(menu) == 3,
        "main menu loaded with three popups");
  if (menu == NULL) return;
  CheckPopup(menu, 0, "File",
             {{9071, "Open first  file..."},
              {9070, "Open second file..."},
              {0, ""},
              {9066, "Preferences for 'extract'"},
              {0, ""},
              {9072, "Exit"}});
  CheckPopup(menu, 1, "Execute",
             {{9060, "Go and extract"},
              {9062, "Go and compare"},
              {9061, "Go and clean doubles"}});
  CheckPopup(menu, 2, "Help",
             {{5000, "Quick manual for 'extract' ..."},
              {5001, "Quick manual for 'compare' ..."},
              {5002, "Quick manual for 'clean doubles' ..."},
              {0, ""},
              {9064, "If you have a problem ..."},
              {0, ""},
              {9069, "About"}});
}

struct ControlRow {
  const char* text;
  int id;
  int x, y, cx, cy;
  LONG kind;    // BS_ type
  bool group;   // WS_GROUP
  bool tabstop; // WS_TABSTOP
};

const ControlRow kControls[] = {
    {"Pages", -1, 5, 0, 130, 40, BS_GROUPBOX, false, false},
    {"Only first page", 10006, 20, 23, 100, 10, BS_RADIOBUTTON, true, true},
    {"Range of pages", 10007, 20, 13, 100, 10, BS_RADIOBUTTON, false, true},
    {"Journal style", -1, 5, 40, 130, 70, BS_GROUPBOX, false, false},
    {"American Physical Society", 10003, 20, 53, 100, 10, BS_RADIOBUTTON,
     true, true},
    {"American Chemical Society", 10004, 20, 63, 100, 10, BS_RADIOBUTTON,
     false, true},
    {"Institute of Physics", 10005, 20, 73, 100, 10, BS_RADIOBUTTON, false,
     true},
    {"Nature", 10008, 20, 83, 100, 10, BS_RADIOBUTTON, false, true},
    {"Royal Society of Chemistry", 10009, 20, 93, 100, 10, BS_RADIOBUTTON,
     false, true},
    {"&Done", 2, 150, 40, 50, 14, BS_PUSHBUTTON, true, true},
};

// Which radio buttons are checked, e.g. "10003 10006".
std::string Checked(HWND dialog) {
  std::string out;
  for (int id = 10003; id <= 10009; ++id) {
    if (IsDlgButtonChecked(dialog, id) == BST_CHECKED) {
      out += (out.empty() ? "" : " ") + std::to_string(id);
    }
  }
  return out;
}

std::string Flags() {
  return std::to_string(FLAG_APS) + std::to_string(FLAG_ACS) +
         std::to_string(FLAG_IOP) + " page " + std::to_string(FLAG_PAGEALL);
}

// Reads the dialog template 8000 from the program's resources.
class TemplateReader {
 public:
  explicit TemplateReader(const BYTE* p) : p_(p) {}
  WORD Word() { WORD w; std::memcpy(&w, p_, 2); p_ += 2; return w; }
  DWORD Dword() { DWORD d; std::memcpy(&d, p_, 4); p_ += 4; return d; }
  BYTE Byte() { return *p_++; }
  // A name or id field: 0xFFFF and a number, or a NUL-terminated UTF-16
  // text (ASCII here).
  std::string NameOrId() {
    WORD first = Word();
    if (first == 0xFFFF) return "#" + std::to_string(Word());
    std::string text;
    for (WORD w = first; w != 0; w = Word()) text += (char)w;
    return text;
  }
  void AlignDword(const BYTE* base) {
    while ((p_ - base) % 4 != 0) ++p_;
  }
  const BYTE* p_;
};

void CheckDialogTemplate() {
  HRSRC found = FindResourceA(g_hInst, MAKEINTRESOURCEA(IDD_PREFERENCES),
                              (LPCSTR)RT_DIALOG);
  Check(found != NULL, "dialog resource 8000 present");
  if (found == NULL) return;
  const BYTE* base = (const BYTE*)LockResource(LoadResource(g_hInst, found));
  TemplateReader t(base);
  WORD version = t.Word();
  WORD signature = t.Word();
  Check(version == 1 && signature == 0xFFFF, "dialog 8000 is an extended template");
  t.Dword();  // help id
  DWORD exstyle = t.Dword();
  DWORD style = t.Dword();
  WORD count = t.Word();
  short x = (short)t.Word(), y = (short)t.Word();
  short cx = (short)t.Word(), cy = (short)t.Word();
  Check(exstyle == 0, "dialog 8000 without extended style");
  Check(style == (DWORD)(WS_POPUP | WS_VISIBLE | WS_CAPTION | WS_SYSMENU |
                         DS_MODALFRAME | DS_SETFONT),
        "dialog 8000 style exactly");
  Check(count == 10 && x == 20 && y == 20 && cx == 230 && cy == 120,
        "dialog 8000 has 10 controls at 20, 20 size 230 x 120");
  CheckEqual("", t.NameOrId(), "dialog 8000 without menu");
  CheckEqual("", t.NameOrId(), "dialog 8000 default class");
  CheckEqual("Preferences for 'extract'", t.NameOrId(), "dialog 8000 caption");
  WORD points = t.Word();
  WORD weight = t.Word();
  BYTE italic = t.Byte();
  BYTE charset = t.Byte();
  std::string face = t.NameOrId();
  Check(points == 8 && weight == 0 && italic == 0 && charset == DEFAULT_CHARSET,
        "dialog 8000 font 8 points, weight 0, not italic, default charset");
  CheckEqual("MS Sans Serif", face, "dialog 8000 font face");
  for (const ControlRow& row : kControls) {
    t.AlignDword(base);
    t.Dword();  // help id
    DWORD cex = t.Dword();
    DWORD cs = t.Dword();
    short ix = (short)t.Word(), iy = (short)t.Word();
    short icx = (short)t.Word(), icy = (short)t.Word();
    DWORD id = t.Dword();
    std::string cls = t.NameOrId();
    std::string text = t.NameOrId();
    WORD extra = t.Word();
    std::string where = std::string("template control \"") + row.text + "\"";
    DWORD wanted = WS_CHILD | WS_VISIBLE | (DWORD)row.kind |
                   (row.group ? WS_GROUP : 0) | (row.tabstop ? WS_TABSTOP : 0);
    Check(cls == "#128" && text == row.text && (int)id == row.id &&
              cs == wanted && cex == 0 && extra == 0 && ix == row.x &&
              iy == row.y && icx == row.cx && icy == row.cy,
          where + ": Button, id, style, place (class " + cls + ", text " +
              text + ", id " + std::to_string(id) + ", style " +
              std::to_string(cs) + ", " + std::to_string(ix) + "," +
              std::to_string(iy) + "," + std::to_string(icx) + "," +
              std::to_string(icy) + ", extra " + std::to_string(extra) + ")");
  }
}

void CheckDialogLayout(HWND dialog) {
  CheckEqual("Preferences for 'extract'", WindowText(dialog),
             "preferences caption");
  LONG style = GetWindowLongA(dialog, GWL_STYLE);
  LONG wanted = WS_POPUP | WS_VISIBLE | WS_CAPTION | WS_SYSMENU |
                DS_MODALFRAME | DS_SETFONT;
  Check((style & wanted) == wanted, "preferences style bits");
  Check((style & WS_THICKFRAME) == 0, "preferences not resizable");
  Check(GetWindow(dialog, GW_OWNER) == g_main,
        "preferences owned by the main window");

  RECT size = {0, 0, 230, 120};
  MapDialogRect(dialog, &size);
  RECT client;
  GetClientRect(dialog, &client);
  Check(client.right == size.right && client.bottom == size.bottom,
        "preferences client area 230 x 120 dialog units");
  RECT origin = {20, 20, 0, 0};
  MapDialogRect(dialog, &origin);
  POINT expected = {origin.left, origin.top};
  ClientToScreen(g_main, &expected);
  // The template's position places the dialog's client area.
  POINT at = {0, 0};
  ClientToScreen(dialog, &at);
  Check(at.x == expected.x && at.y == expected.y,
        "preferences at 20, 20 dialog units in the main window: " +
            std::to_string(at.x) + "," + std::to_string(at.y) + " for " +
            std::to_string(expected.x) + "," + std::to_string(expected.y));

  HFONT font = (HFONT)SendMessageA(dialog, WM_GETFONT, 0, 0);
  LOGFONTA lf;
  std::memset(&lf, 0, sizeof lf);
  if (font != NULL) GetObjectA(font, sizeof lf, &lf);
  CheckEqual("MS Sans Serif", lf.lfFaceName, "preferences font face");
  HDC dc = GetDC(dialog);
  int height = -MulDiv(8, GetDeviceCaps(dc, LOGPIXELSY), 72);
  ReleaseDC(dialog, dc);
  Check(lf.lfHeight == height && !lf.lfItalic,
        "preferences font 8 points, not italic");

  HWND child = GetWindow(dialog, GW_CHILD);
  for (const ControlRow& row : kControls) {
    std::string where = std::string("control \"") + row.text + "\"";
    Check(child != NULL, where + " present in template order");
    if (child == NULL) return;
    CheckEqual("button", [&] {
      std::string name = ClassName(child);
      for (char& c : name) c = (char)tolower((unsigned char)c);
      return name;
    }(), where + " class");
    CheckEqual(row.text, WindowText(child), where + " text");
    Check(GetDlgCtrlID(child) == row.id,
          where + " id " + std::to_string(row.id) + ", is " +
              std::to_string(GetDlgCtrlID(child)));
    LONG cs = GetWindowLongA(child, GWL_STYLE);
    Check((cs & 0x0F) == row.kind, where + " kind");
    // Checking a radio button moves the tab stop to it, so the live tab
    // stops of radio buttons follow the selection; the template's own
    // bits are checked from the resource.
    bool tabstop_ok = row.kind == BS_RADIOBUTTON ||
                      ((cs & WS_TABSTOP) != 0) == row.tabstop;
    Check(((cs & WS_GROUP) != 0) == row.group && tabstop_ok &&
              (cs & (WS_CHILD | WS_VISIBLE)) == (WS_CHILD | WS_VISIBLE),
          where + " group, tab stop, child, visible (style " +
              std::to_string(cs) + ")");
    RECT want = {row.x, row.y, row.x + row.cx, row.y + row.cy};
    MapDialogRect(dialog, &want);
    RECT have;
    GetWindowRect(child, &have);
    MapWindowPoints(NULL, dialog, (POINT*)&have, 2);
    Check(EqualRect(&want, &have),
          where + " at " + std::to_string(row.x) + ", " +
              std::to_string(row.y) + " size " + std::to_string(row.cx) +
              " x " + std::to_string(row.cy));
    child = GetWindow(child, GW_HWNDNEXT);
  }
  Check(child == NULL, "no further controls");
}

// Finds the preferences dialog among the modal windows.
bool IsPreferences(HWND dialog) {
  return WindowText(dialog) == "Preferences for 'extract'";
}

void CheckPreferences() {
  ResetApplicationState();
  g_events.clear();
  bool seen = false;
  g_handler = [&](HWND dialog) {
    if (!IsPreferences(dialog)) return DefaultModal(dialog);
    seen = true;
    CheckDialogLayout(dialog);
    CheckEqual("10003 10006", Checked(dialog),
               "initial flags select American Physical Society and Only "
               "first page");
    SendMessageA(GetDlgItem(dialog, IDC_STYLE_IOP), BM_CLICK, 0, 0);
    CheckEqual("001 page 0", Flags(),
               "click on Institute of Physics sets the flags at once");
    CheckEqual("10005 10006", Checked(dialog), "Institute of Physics selected");
    SendMessageA(GetDlgItem(dialog, IDC_PAGE_RANGE), BM_CLICK, 0, 0);
    CheckEqual("001 page 1", Flags(), "click on Range of pages");
    CheckEqual("10005 10007", Checked(dialog), "Range of pages selected");
    // Escape, as the user would press it in the dialog.
    HWND focus = GetFocus();
    PostMessageA(focus != NULL ? focus : dialog, WM_KEYDOWN, VK_ESCAPE, 0);
    return true;
  };
  Command(IDM_PREFERENCES);
  Check(seen, "Preferences for 'extract' opens the dialog");
  CheckEqual("001 page 1", Flags(), "flags kept after Escape");
  CheckEvents({CAPTION_REST}, g_events,
              "caption back to Version_string after the dialog");

  // Again: the selection follows the flags; WM_COMMAND clicks; Done.
  seen = false;
  g_handler = [&](HWND dialog) {
    if (!IsPreferences(dialog)) return DefaultModal(dialog);
    seen = true;
    CheckEqual("10005 10007", Checked(dialog),
               "reopened dialog selects from the flags");
    SendMessageA(dialog, WM_COMMAND, MAKEWPARAM(IDC_STYLE_ACS, BN_CLICKED),
                 (LPARAM)GetDlgItem(dialog, IDC_STYLE_ACS));
    SendMessageA(dialog, WM_COMMAND, MAKEWPARAM(IDC_FIRST_PAGE, BN_CLICKED),
                 (LPARAM)GetDlgItem(dialog, IDC_FIRST_PAGE));
    SendMessageA(dialog, WM_COMMAND, MAKEWPARAM(4711, 0), 0);
    CheckEqual("010 page 0", Flags(), "WM_COMMAND clicks set the flags");
    CheckEqual("10004 10006", Checked(dialog),
               "American Chemical Society and Only first page selected");
    Check(IsWindow(dialog), "an unknown id leaves the dialog open");
    PostMessageA(GetDlgItem(dialog, IDC_DONE), BM_CLICK, 0, 0);
    return true;
  };
  Command(IDM_PREFERENCES);
  Check(seen, "dialog opened a second time");
  CheckEqual("010 page 0", Flags(), "Done keeps the flags");

  // Once more, closed with the close box, after choosing APS.
  g_handler = [&](HWND dialog) {
    if (!IsPreferences(dialog)) return DefaultModal(dialog);
    CheckEqual("10004 10006", Checked(dialog), "third opening selection");
    SendMessageA(GetDlgItem(dialog, IDC_STYLE_APS), BM_CLICK, 0, 0);
    PostMessageA(dialog, WM_SYSCOMMAND, SC_CLOSE, 0);
    return true;
  };
  Command(IDM_PREFERENCES);
  CheckEqual("100 page 0", Flags(), "close box keeps the click");
}

void CheckFocusAndSize() {
  HWND edit = TextArea();
  SetForegroundWindow(g_main);
  SetFocus(g_main);
  Check(GetFocus() == edit, "focus moves on to the text area");

  RECT client, area;
  GetClientRect(g_main, &client);
  GetWindowRect(edit, &area);
  MapWindowPoints(NULL, g_main, (POINT*)&area, 2);
  Check(EqualRect(&client, &area), "text area fills the client area");

  SendMessageA(g_main, WM_SIZE, SIZE_RESTORED, MAKELPARAM(300, 90));
  GetWindowRect(edit, &area);
  MapWindowPoints(NULL, g_main, (POINT*)&area, 2);
  RECT fitted = {0, 0, 300, 90};
  Check(EqualRect(&fitted, &area), "WM_SIZE fits the text area");
  SendMessageA(g_main, WM_SIZE, SIZE_MINIMIZED, MAKELPARAM(12, 7));
  GetWindowRect(edit, &area);
  MapWindowPoints(NULL, g_main, (POINT*)&area, 2);
  Check(EqualRect(&fitted, &area), "SIZE_MINIMIZED leaves the text area");

  ShowWindow(g_main, SW_MINIMIZE);
  GetWindowRect(edit, &area);
  Check(area.right - area.left == 300 && area.bottom - area.top == 90,
        "minimising keeps the text area's size");
  ShowWindow(g_main, SW_RESTORE);
  GetClientRect(g_main, &client);
  GetWindowRect(edit, &area);
  MapWindowPoints(NULL, g_main, (POINT*)&area, 2);
  Check(EqualRect(&client, &area) && client.right > 300,
        "restoring fits the text area to the client area again");
}

void CheckTextAreaNotifications() {
  ResetApplicationState();
  SetSlots("C:\\a\\doc.tex", "C:\\a\\lib.bib");
  g_events.clear();
  HWND edit = TextArea();
  g_handled.clear();
  SendMessageA(g_main, WM_COMMAND, MAKEWPARAM(IDC_TEXT_AREA, EN_CHANGE),
               (LPARAM)edit);
  SendMessageA(g_main, WM_COMMAND, MAKEWPARAM(IDC_TEXT_AREA, EN_SETFOCUS),
               (LPARAM)edit);
  SetFocus(edit);
  SendMessageA(edit, WM_CHAR, 'x', 0);  // typing sends EN_CHANGE
  CheckEvents({}, g_events, "notifications from the text area do nothing");
  CheckEqual("C:\\a\\doc.tex", file_address_01, "slots untouched by typing");
  CheckEqual("100 page 0", Flags(), "flags untouched by typing");
  CheckEqual("x", WindowText(edit), "the user can type into the text area");
}

void CheckHelpTexts() {
  ResetApplicationState();
  SetSlots("C:\\a\\doc.tex", "");
  char about[MESSAGE_BUFFER_SIZE];
  FormatAboutText(about, sizeof about);
  struct {
    int id;
    std::string text;
  } rows[] = {
      {IDM_MANUAL_EXTRACT, MANUAL_EXTRACT}, {IDM_MANUAL_COMPARE, MANUAL_COMPARE},
      {IDM_MANUAL_CLEAN, MANUAL_CLEAN},     {IDM_PROBLEM, PROBLEM_TEXT},
      {IDM_ABOUT, about},
  };
  for (const auto& row : rows) {
    g_events.clear();
    bool ownerless = false, only_ok = false;
    g_handler = [&](HWND dialog) {
      ownerless = GetWindow(dialog, GW_OWNER) == NULL;
      only_ok = GetDlgItem(dialog, IDOK) != NULL &&
                GetDlgItem(dialog, IDCANCEL) == NULL &&
                GetDlgItem(dialog, IDYES) == NULL;
      return DefaultModal(dialog);
    };
    Command(row.id);
    std::string id = std::to_string(row.id);
    CheckEvents({"message " + VERSION + ": " + row.text}, g_events,
                "command " + id + " shows its text, caption untouched");
    Check(ownerless && only_ok, "command " + id +
                                    " message box without owner, OK only");
  }
  CheckEqual("C:\\a\\doc.tex", file_address_01, "help leaves the slots");
  CheckEqual("", file_address_02, "help leaves the second slot");
}

void CheckOperationsWithoutFiles() {
  ResetApplicationState();
  g_events.clear();
  g_handler = ChooserAnswer("");
  Command(IDM_EXTRACT);
  CheckEvents({CAPTION_WORKING,
               "message LaTeX file?: You need to load a LaTeX file!",
               CAPTION_LOAD, std::string("chooser ") + CHOOSER_FIRST,
               CAPTION_REST},
              g_events, "extract without files asks for the LaTeX file");
  CheckEqual("", file_address_01, "cancelled chooser leaves the slot empty");

  std::string doc = g_temp + "\\chosen.tex";
  WriteText(doc, "\\cite{x}\n");
  g_events.clear();
  g_handler = ChooserAnswer(doc);
  Command(IDM_EXTRACT);
  CheckEvents({CAPTION_WORKING,
               "message LaTeX file?: You need to load a LaTeX file!",
               CAPTION_LOAD, std::string("chooser ") + CHOOSER_FIRST,
               CAPTION_REST},
              g_events, "confirmed chooser does not restart extract");
  CheckEqual(doc, file_address_01, "chooser path in the first slot");

  g_events.clear();
  g_handler = ChooserAnswer("");
  Command(IDM_EXTRACT);
  CheckEvents({CAPTION_WORKING,
               "message BibTeX file?: You need to load a BibTeX file!",
               CAPTION_LOAD, std::string("chooser ") + CHOOSER_SECOND,
               CAPTION_REST},
              g_events, "extract without a library asks for it");

  ResetApplicationState();
  SetSlots("", "C:\\x\\other.bib");
  g_events.clear();
  g_handler = ChooserAnswer("");
  Command(IDM_CLEAN);
  CheckEvents({CAPTION_WORKING,
               "message BibTeX file?: You need to load a BibTeX file!",
               CAPTION_LOAD, std::string("chooser ") + CHOOSER_FIRST,
               CAPTION_REST},
              g_events, "clean asks for the first file");
  CheckEqual("C:\\x\\other.bib", file_address_02,
             "clean leaves the second slot");

  ResetApplicationState();
  g_events.clear();
  g_handler = ChooserAnswer("");
  Command(IDM_COMPARE);
  CheckEvents({CAPTION_WORKING,
               "message BibTeX file?: You need to load a BibTeX file!",
               CAPTION_LOAD, std::string("chooser ") + CHOOSER_FIRST,
               CAPTION_REST},
              g_events, "compare without a master asks for it");
}

// The real chooser: its title, filter, hidden read-only box, a typed name
// that does not exist refused, an existing one accepted.
void CheckChooser() {
  ResetApplicationState();
  std::string earlier = g_temp + "\\earlier.bib";
  std::string chosen = g_temp + "\\second.bib";
  WriteText(earlier, "");
  WriteText(chosen, "");
  SetSlots("", earlier);
  g_events.clear();
  int visits = 0;
  g_handler = [&](HWND dialog) {
    if (IsMessageBox(dialog)) return DefaultModal(dialog);
    ++visits;
    if (visits == 1) {
      g_events.push_back("chooser " + WindowText(dialog));
      CheckEqual("", WindowText(GetDlgItem(dialog, CHOOSER_NAME_ID)),
                 "chooser starts with an empty file name");
      CheckEqual("All Files (*.*)",
                 WindowText(GetDlgItem(dialog, CHOOSER_TYPES_ID)),
                 "chooser filter All Files (*.*)");
      HWND readonly = GetDlgItem(dialog, CHOOSER_READONLY_ID);
      Check(readonly == NULL || !IsWindowVisible(readonly),
            "chooser hides the read-only check box");
      TypeIntoChooser(dialog, g_temp + "\\no such file.bib");
      return false;  // come back: the chooser must still be there
    }
    if (visits < 40) return false;  // give the refusal time to show
    TypeIntoChooser(dialog, chosen);
    return true;
  };
  Command(IDM_OPEN_SECOND);
  bool refused = g_events.size() >= 3 &&
                 g_events[2].compare(0, 8, "message ") == 0;
  Check(refused, "chooser refuses a file that does not exist");
  CheckEqual(chosen, file_address_02, "an existing file is taken");
  Check(!g_events.empty() && g_events.back() == CAPTION_REST,
        "caption back after choosing");

  g_events.clear();
  g_handler = ChooserAnswer("");
  Command(IDM_OPEN_SECOND);
  CheckEqual(chosen, file_address_02, "cancel keeps an earlier second file");
  CheckEvents({CAPTION_LOAD, std::string("chooser ") + CHOOSER_SECOND,
               CAPTION_REST},
              g_events, "open second file captions");

  g_events.clear();
  g_handler = ChooserAnswer(earlier);
  g_handled.clear();
  Check(DoFileOpenSave(g_main, RESULT_NEED_FIRST) == 1,
        "DoFileOpenSave returns 1");
  CheckEqual(earlier, file_address_01, "DoFileOpenSave fills the first slot");
  Check(DoFileOpenSave(g_main, 12) == 1, "other selector returns 1");
  CheckEvents({std::string("chooser ") + CHOOSER_FIRST}, g_events,
              "DoFileOpenSave shows one chooser, no captions");
  g_handler = nullptr;
}

bool CopyExample(const std::string& examples, const char* name) {
  return CopyFileA((examples + "\\" + name).c_str(),
                   (g_temp + "\\" + name).c_str(), FALSE) != 0;
}

void CheckSuccessfulRuns(const std::string& examples) {
  if (examples.empty() || !CopyExample(examples, "paper.tex") ||
      !CopyExample(examples, "library.bib")) {
    Check(false, "examples copied from \"" + examples + "\"");
    return;
  }
  struct {
    const char* name;
    int id;
    const char* first;
    const char* second;
    const char* output;
  } rows[] = {
      {"extract", IDM_EXTRACT, "paper.tex", "library.bib",
       "library_extract_bibitems.tex"},
      {"compare", IDM_COMPARE, "library.bib", "library.bib",
       "library_compare_equal.bib"},
      {"clean doubles", IDM_CLEAN, "library.bib", "", "library_clean_of_doubles.bib"},
  };
  for (const auto& row : rows) {
    ResetApplicationState();
    SetSlots(g_temp + "\\" + row.first,
             row.second[0] ? g_temp + "\\" + row.second : "");
    SetWindowTextA(TextArea(), "typed by the user");
    g_events.clear();
    Command(row.id);
    std::string what = std::string(row.name) + " of the examples";
    CheckEvents({CAPTION_WORKING, CAPTION_REST}, g_events,
                what + ": working caption, then back, no messages");
    std::string shown = WindowText(TextArea());
    CheckEqual(FINISHED + "\r\n\r\n", shown.substr(0, FINISHED.size() + 4),
               what + ": finished text replaces the typed text, a blank line after it");
    Check(shown.find("typed by the user") == std::string::npos,
          what + ": the typed text is gone");
    Check(Exists(g_temp + "\\" + row.output), what + " wrote " + row.output);
  }
}

std::string ReadText(const std::string& path) {
  std::string text;
  FILE* f = std::fopen(path.c_str(), "rb");
  if (f == NULL) return text;
  char buffer[4096];
  std::size_t got;
  while ((got = std::fread(buffer, 1, sizeof buffer, f)) > 0) text.append(buffer, got);
  std::fclose(f);
  return text;
}

// The five style flags, APS ACS IOP Nature RSC.
std::string StyleFlags() {
  return std::to_string(FLAG_APS) + std::to_string(FLAG_ACS) + std::to_string(FLAG_IOP) +
         std::to_string(FLAG_NATURE) + std::to_string(FLAG_RSC);
}

// What Checked shows with a style button and "Only first page" selected.
std::string Selection(int style_id) {
  std::string id = std::to_string(style_id);
  return style_id < IDC_FIRST_PAGE ? id + " 10006" : "10006 " + id;
}

// Each style button, clicked in the real dialog, chooses the style of the
// next extract.  The new buttons come first, so that the old ones are seen
// to clear them.  The references are those of the journals' BibTeX styles
// for the examples' Novoselov2004, first page only.
void CheckStyleChoices() {
  struct {
    int id;
    const char* flags;
    const char* reference;
  } rows[] = {
      {10008, "00010",
       "\\bibitem{Novoselov2004}\r\nNovoselov, K. S. \\textit{et~al.} Electric field effect in "
       "atomically thin carbon films. \\textit{Science} \\textbf{306}, 666 (2004).\r\n"},
      {10009, "00001",
       "\\bibitem{Novoselov2004}\r\nK. S. Novoselov, A. K. Geim, S. V. Morozov, D. Jiang, Y. Zhang, "
       "S. V. Dubonos, I. V. Grigorieva and A. A. Firsov, \\textit{Science}, 2004, \\textbf{306}, "
       "666.\r\n"},
      {10003, "10000",
       "\\bibitem{Novoselov2004}\r\nK. S. Novoselov, A. K. Geim, S. V. Morozov, D. Jiang, Y. Zhang, "
       "S. V. Dubonos, I. V. Grigorieva, and A. A. Firsov, \\textit{Science} \\textbf{306}, 666 "
       "(2004)\r\n"},
      {10004, "01000",
       "\\bibitem{Novoselov2004}\r\nNovoselov, K. S.; Geim, A. K.; Morozov, S. V.; Jiang, D.; "
       "Zhang, Y.; Dubonos, S. V.; Grigorieva, I. V.; Firsov, A. A. \\textit{Science} "
       "\\textbf{2004}, \\textit{306}, 666.\r\n"},
      {10005, "00100",
       "\\bibitem{Novoselov2004}\r\nNovoselov K S, Geim A K, Morozov S V, Jiang D, Zhang Y, "
       "Dubonos S V, Grigorieva I V and Firsov A A 2004 \\textit{Science} \\textbf{306} 666\r\n"},
  };
  ResetApplicationState();
  std::string shown_before = "10003 10006";
  for (const auto& row : rows) {
    std::string id = std::to_string(row.id);
    bool seen = false;
    g_handler = [&](HWND dialog) {
      if (!IsPreferences(dialog)) return DefaultModal(dialog);
      seen = true;
      CheckEqual(shown_before, Checked(dialog), "before " + id + ": the selection follows the flags");
      SendMessageA(GetDlgItem(dialog, row.id), BM_CLICK, 0, 0);
      CheckEqual(Selection(row.id), Checked(dialog), id + " alone selected among the styles");
      PostMessageA(GetDlgItem(dialog, IDC_DONE), BM_CLICK, 0, 0);
      return true;
    };
    Command(IDM_PREFERENCES);
    Check(seen, "dialog opened for " + id);
    CheckEqual(row.flags, StyleFlags(), id + ": exactly its flag set");
    shown_before = Selection(row.id);

    SetSlots(g_temp + "\\paper.tex", g_temp + "\\library.bib");
    g_events.clear();
    Command(IDM_EXTRACT);
    CheckEvents({CAPTION_WORKING, CAPTION_REST}, g_events, id + ": extract runs without messages");
    std::string bibitems = ReadText(g_temp + "\\library_extract_bibitems.tex");
    bool styled = bibitems.find(row.reference) != std::string::npos;
    Check(styled, id + ": the bibitem file in its style");
    if (!styled) std::printf("    got: %s\n", Escaped(bibitems.substr(0, 300)).c_str());
  }
}

// A library as JabRef 5 writes it (mixed-case types, aligned fields, bare
// numbers, the closing brace on its own line, CR LF) and a natbib
// document: the window's extract reads every cited entry and reports it.
void CheckJabRef5Library() {
  std::string doc = g_temp + "\\thesis.tex";
  std::string bib = g_temp + "\\jabref5.bib";
  WriteText(doc, "\\citet{Smith2001} and \\citep[p.~3]{Doe1999,\r\n  Roe2005}.\r\n");
  WriteText(bib,
            "% Encoding: UTF-8\r\n\r\n"
            "@Article{Smith2001,\r\n  author  = {Smith, John},\r\n  journal = {Phys. Rev. A},\r\n"
            "  year    = {2001},\r\n  volume  = {12},\r\n  pages   = {1--5},\r\n}\r\n\r\n"
            "@Book{Doe1999,\r\n  author    = {Doe, Jane},\r\n  title     = {Bees},\r\n"
            "  publisher = {Hive},\r\n  year      = 1999,\r\n}\r\n\r\n"
            "@TechReport{Roe2005,\r\n  author      = {Roe, Ray},\r\n  title       = {Wasps},\r\n"
            "  institution = {Lab},\r\n  year        = 2005,\r\n}\r\n\r\n"
            "@Comment{jabref-meta: databaseType:bibtex;}\r\n");
  ResetApplicationState();
  SetSlots(doc, bib);
  g_events.clear();
  Command(IDM_EXTRACT);
  CheckEvents({CAPTION_WORKING, CAPTION_REST}, g_events,
              "JabRef 5 library: working caption, then back, no messages");
  CheckEqual("Smith2001\r\nDoe1999\r\nRoe2005\r\n",
             ReadText(g_temp + "\\jabref5_extract_items.txt"),
             "JabRef 5 library: every cited key in the item file");
  std::string bibitems = ReadText(g_temp + "\\jabref5_extract_bibitems.tex");
  // As apsrev4-2 prints it.
  Check(bibitems.find("\\bibitem{Roe2005}\r\nR. Roe, \\textit{Wasps}, Tech. Rep. (Lab, 2005)") !=
            std::string::npos,
        "JabRef 5 library: the technical report is typeset");
  std::string shown = WindowText(TextArea());
  Check(shown.find("The document cites 3 distinct keys; the library holds 3 of them.") !=
            std::string::npos,
        "JabRef 5 library: the report follows the finished text");
}

void CheckStoppedRun() {
  ResetApplicationState();
  std::string missing = g_temp + "\\missing.tex";
  SetSlots(missing, g_temp + "\\library.bib");
  SetWindowTextA(TextArea(), "kept");
  g_events.clear();
  g_handler = ChooserAnswer("");
  Command(IDM_EXTRACT);
  CheckEvents({CAPTION_WORKING,
               "message LaTeX file?: Could not open the LaTeX file!",
               "message LaTeX file?: You need to load a LaTeX file!",
               CAPTION_LOAD, std::string("chooser ") + CHOOSER_FIRST,
               CAPTION_REST},
              g_events, "unreadable document: its message, then the chooser");
  CheckEqual("kept", WindowText(TextArea()), "failed run keeps the text");
}

void CheckExit() {
  g_events.clear();
  Command(IDM_EXIT);
  Check(IsWindow(g_main), "Exit only posts the close request");
  int code = RunMessageLoop();
  Check(code == 0, "message loop ends with exit code 0");
  Check(!IsWindow(g_main), "main window destroyed");
  CheckEvents({}, g_events, "Exit shows nothing");
}

DWORD WINAPI Watchdog(LPVOID) {
  Sleep(180000);
  std::printf("FAIL - watchdog: the test hung\n%d passed, %d failed\n",
              g_passed, g_failed + 1);
  std::fflush(stdout);
  ExitProcess(3);
  return 0;
}

}  // namespace

int main(int argc, char** argv) {
  std::string examples = argc > 1 ? argv[1] : "";
  CreateThread(NULL, 0, Watchdog, NULL, 0, NULL);
  g_hInst = GetModuleHandleA(NULL);
  g_temp = TempFolder();

  Check(RegisterMainWindowClass() != 0, "RegisterMainWindowClass");
  g_main = CreateMainWindow();
  Check(g_main != NULL,
        "CreateMainWindow (error " + std::to_string(GetLastError()) + ")");
  if (g_main == NULL) {
    std::printf("%d passed, %d failed\n", g_passed, g_failed);
    return 1;
  }
  ShowWindow(g_main, SW_SHOWNORMAL);
  UpdateWindow(g_main);
  g_mainProc = (WNDPROC)SetWindowLongPtrA(g_main, GWLP_WNDPROC,
                                          (LONG_PTR)SpyProc);
  SetTimer(NULL, 0, 25, ModalTimerProc);

  CheckWindowAndClass();
  CheckMenu();
  CheckDialogTemplate();
  CheckPreferences();
  CheckFocusAndSize();
  CheckTextAreaNotifications();
  CheckHelpTexts();
  CheckOperationsWithoutFiles();
  CheckChooser();
  CheckSuccessfulRuns(examples);
  CheckStyleChoices();
  CheckJabRef5Library();
  CheckStoppedRun();
  CheckExit();

  std::printf("%d passed, %d failed\n", g_passed, g_failed);
  std::fflush(stdout);
  return g_failed == 0 ? 0 : 1;
}
