#include "app/state.h"
#include "ui/ui.h"

int WINAPI WinMain(HINSTANCE hInstance, HINSTANCE hPrevInstance,
                   LPSTR lpCmdLine, int nCmdShow) {
  (void)hPrevInstance;
  (void)lpCmdLine;
  g_hInst = hInstance;
  if (!RegisterMainWindowClass()) {
    MessageBoxA(NULL, "Window Registration Failed!", "Error!",
                MB_ICONEXCLAMATION | MB_SYSTEMMODAL);
    return 0;
  }
  HWND hwnd = CreateMainWindow();
  if (hwnd == NULL) {
    MessageBoxA(NULL, "Window Creation Failed!", "Error!",
                MB_ICONEXCLAMATION | MB_SYSTEMMODAL);
    return 0;
  }
  ShowWindow(hwnd, nCmdShow);
  UpdateWindow(hwnd);
  file_address_01[0] = '\0';
  file_address_02[0] = '\0';
  return RunMessageLoop();
}
