// Drives a running Tamrel.exe from outside, for screenshots:
//   drive_window wait                      prints the main window's rect
//   drive_window rect TITLE                waits for a window, prints its rect
//   drive_window command ID                posts a menu command
//   drive_window choose ID TITLE PATH      posts a File command, then types
//                                          PATH into the chooser and confirms
//   drive_window wait-text TEXT            waits until the text area's text
//                                          begins with TEXT (the report
//                                          follows it), then puts the caret
//                                          at the end
//   drive_window cancel TITLE              closes a dialog with IDCANCEL
// A rect prints as "x y width height".  Exit code 0 on success, 1 when a
// window does not appear within 30 seconds.
#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <vector>

#include "commands/command_ids.h"

namespace {

const char* const kClass = "MyWindowClass";
const int kChooserNameId = 0x047C;  // the chooser's file name box

HWND WaitFor(const char* cls, const char* title) {
  for (int i = 0; i < 300; ++i) {
    HWND hwnd = FindWindowA(cls, title);
    if (hwnd != NULL && IsWindowVisible(hwnd) && IsWindowEnabled(hwnd))
      return hwnd;
    Sleep(100);
  }
  std::fprintf(stderr, "drive_window: no window \"%s\"\n",
               title ? title : cls);
  std::exit(1);
}

void PrintRect(HWND hwnd) {
  RECT r;
  GetWindowRect(hwnd, &r);
  std::printf("%ld %ld %ld %ld\n", r.left, r.top, r.right - r.left,
              r.bottom - r.top);
}

void PostCommand(int id) {
  PostMessageA(WaitFor(kClass, NULL), WM_COMMAND, MAKEWPARAM(id, 0), 0);
}

}  // namespace

int main(int argc, char** argv) {
  if (argc >= 2 && std::strcmp(argv[1], "wait") == 0) {
    PrintRect(WaitFor(kClass, NULL));
  } else if (argc == 3 && std::strcmp(argv[1], "rect") == 0) {
    PrintRect(WaitFor(NULL, argv[2]));
  } else if (argc == 3 && std::strcmp(argv[1], "command") == 0) {
    PostCommand(std::atoi(argv[2]));
  } else if (argc == 5 && std::strcmp(argv[1], "choose") == 0) {
    PostCommand(std::atoi(argv[2]));
    HWND chooser = WaitFor("#32770", argv[3]);
    Sleep(300);  // let the chooser fill its folder view
    SetDlgItemTextA(chooser, kChooserNameId, argv[4]);
    PostMessageA(chooser, WM_COMMAND, IDOK, 0);
    for (int i = 0; i < 300 && IsWindow(chooser); ++i) Sleep(100);
    if (IsWindow(chooser)) {
      std::fprintf(stderr, "drive_window: the chooser \"%s\" stays open\n", argv[3]);
      return 1;
    }
  } else if (argc == 3 && std::strcmp(argv[1], "wait-text") == 0) {
    HWND area = GetDlgItem(WaitFor(kClass, NULL), IDC_TEXT_AREA);
    std::size_t wanted = std::strlen(argv[2]);
    std::vector<char> text(wanted + 1);
    for (int i = 0; i < 300; ++i) {
      text[0] = '\0';
      // GetWindowTextA reads no control of another process; WM_GETTEXT does.
      // It copies at most wanted characters, so only the text's start.
      SendMessageA(area, WM_GETTEXT, text.size(), (LPARAM)text.data());
      if (std::strcmp(text.data(), argv[2]) == 0) {
        // The caret goes after the text, so it hides no letter on a picture.
        int end = (int)SendMessageA(area, WM_GETTEXTLENGTH, 0, 0);
        SendMessageA(area, EM_SETSEL, end, end);
        return 0;
      }
      Sleep(100);
    }
    std::fprintf(stderr, "drive_window: the text area does not begin with \"%s\"\n", argv[2]);
    return 1;
  } else if (argc == 3 && std::strcmp(argv[1], "cancel") == 0) {
    PostMessageA(WaitFor("#32770", argv[2]), WM_COMMAND, IDCANCEL, 0);
  } else {
    std::fprintf(stderr, "drive_window: unknown command\n");
    return 2;
  }
  return 0;
}
