// The platform of the Windows program: message boxes without an owner,
// the caption and text area of the main window, the chooser and the
// preferences dialog.
#include "commands/command_ids.h"
#include "commands/help_texts.h"
#include "app/platform.h"
#include "app/state.h"
#include "ui/ui.h"

namespace {

class Win32Platform : public Platform {
 public:
  void ShowMessage(const char* text, const char* caption) override {
    MessageBoxA(NULL, text, caption, MB_OK);
  }
  // Help texts are assembled in the message buffer first.  They are passed
  // as an argument, not as the format, so a "%" could never be misread.
  void ShowInformation(const char* text) override {
    char buffer[MESSAGE_BUFFER_SIZE];
    wsprintfA(buffer, "%s", text);
    MessageBoxA(NULL, buffer, Version_string, MB_OK);
  }
  int ChooseFile(const char* title, char* path, std::size_t size) override {
    return ChooseFileWithDialog(window_, title, path, (int)size);
  }
  void SetCaption(const char* text) override {
    SetWindowTextA(window_, text);
  }
  void SetResultText(const char* text) override {
    SetWindowTextA(GetDlgItem(window_, IDC_TEXT_AREA), text);
  }
  void RunPreferences() override {
    DialogBoxParamA(g_hInst, MAKEINTRESOURCEA(IDD_PREFERENCES), window_,
                    CheckRadioProc, 0);
  }
  void CloseWindow() override { PostMessageA(window_, WM_CLOSE, 0, 0); }

  HWND window_ = NULL;
};

Win32Platform g_platform;

}  // namespace

void AttachWin32Platform(HWND hwnd) {
  g_platform.window_ = hwnd;
  SetPlatform(&g_platform);
}
