#include "ui/ui.h"

#include "commands/command_ids.h"
#include "commands/commands.h"
#include "app/state.h"

HINSTANCE g_hInst = NULL;
const char g_szClassName[] = "MyWindowClass";

ATOM RegisterMainWindowClass() {
  WNDCLASSEXA wc;
  wc.cbSize = sizeof(WNDCLASSEXA);
  wc.style = 0;
  wc.lpfnWndProc = WndProc;
  wc.cbClsExtra = 0;
  wc.cbWndExtra = 0;
  wc.hInstance = g_hInst;
  wc.hIcon = LoadIconA(NULL, IDI_APPLICATION);
  wc.hCursor = LoadCursorA(NULL, IDC_ARROW);
  wc.hbrBackground = (HBRUSH)(COLOR_WINDOW + 1);
  wc.lpszMenuName = "MAINMENU";
  wc.lpszClassName = g_szClassName;
  wc.hIconSm = LoadIconA(NULL, IDI_APPLICATION);
  return RegisterClassExA(&wc);
}

HWND CreateMainWindow() {
  return CreateWindowExA(WS_EX_CLIENTEDGE, g_szClassName, Version_string,
                         WS_OVERLAPPEDWINDOW, CW_USEDEFAULT, CW_USEDEFAULT,
                         600, 200, NULL, NULL, g_hInst, NULL);
}

int RunMessageLoop() {
  MSG msg;
  msg.wParam = 0;
  // GetMessageA gives -1 only for a bad window handle, never for NULL;
  // stopping there too keeps a broken queue from spinning for ever.
  while (GetMessageA(&msg, NULL, 0, 0) > 0) {
    TranslateMessage(&msg);
    DispatchMessageA(&msg);
  }
  return (int)msg.wParam;
}

// The text area the user may also type into; WM_SIZE gives it its size.
static void CreateTextArea(HWND hwnd) {
  CreateWindowExA(0, "EDIT", "",
                  WS_CHILD | WS_VISIBLE | WS_VSCROLL | WS_HSCROLL |
                      ES_MULTILINE | ES_WANTRETURN,
                  CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT,
                  hwnd, (HMENU)IDC_TEXT_AREA, g_hInst, NULL);
  SendDlgItemMessageA(hwnd, IDC_TEXT_AREA, WM_SETFONT,
                      (WPARAM)GetStockObject(DEFAULT_GUI_FONT),
                      MAKELPARAM(TRUE, 0));
}

LRESULT CALLBACK WndProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
  switch (msg) {
    case WM_CREATE:
      AttachWin32Platform(hwnd);
      CreateTextArea(hwnd);
      return 0;
    case WM_SIZE:
      if (wParam != SIZE_MINIMIZED) {
        MoveWindow(GetDlgItem(hwnd, IDC_TEXT_AREA), 0, 0, LOWORD(lParam),
                   HIWORD(lParam), TRUE);
      }
      return 0;
    case WM_SETFOCUS:
      SetFocus(GetDlgItem(hwnd, IDC_TEXT_AREA));
      return 0;
    case WM_CLOSE:
      DestroyWindow(hwnd);
      return 0;
    case WM_DESTROY:
      PostQuitMessage(0);
      return 0;
    case WM_COMMAND:
      // Notifications of the text area arrive here too; as their id 1001
      // is no menu command, the handler ignores them.
      HandleCommand(LOWORD(wParam));
      return 0;
    default:
      return DefWindowProcA(hwnd, msg, wParam, lParam);
  }
}
