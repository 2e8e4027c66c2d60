// windows.h (through ui.h) must come before commdlg.h.
#include "ui/ui.h"

#include <commdlg.h>

#include <cstring>

#include "commands/commands.h"

int ChooseFileWithDialog(HWND owner, const char* title, char* path,
                         int size) {
  OPENFILENAMEA ofn;
  std::memset(&ofn, 0, sizeof ofn);
  ofn.lStructSize = sizeof ofn;
  ofn.hwndOwner = owner;
  ofn.lpstrFilter = "All Files (*.*)\0*.*\0";
  path[0] = '\0';
  ofn.lpstrFile = path;
  ofn.nMaxFile = size;
  ofn.lpstrTitle = title;
  ofn.lpstrDefExt = "";
  // 528388: explorer style, existing files only, no read-only check box.
  static_assert((OFN_EXPLORER | OFN_FILEMUSTEXIST | OFN_HIDEREADONLY) ==
                    528388,
                "chooser flags");
  ofn.Flags = OFN_EXPLORER | OFN_FILEMUSTEXIST | OFN_HIDEREADONLY;
  // A failed chooser counts as a cancel.
  return GetOpenFileNameA(&ofn) ? 1 : 0;
}

int DoFileOpenSave(HWND hwnd, int selector) {
  AttachWin32Platform(hwnd);
  return ChooseFileForSlot(selector);
}
