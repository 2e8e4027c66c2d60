// The Windows layer: the main window with its text area, the preferences
// dialog, the file chooser and the platform that the command logic and
// the operations use to reach the user.
#ifndef TAMREL_UI_UI_H
#define TAMREL_UI_UI_H

#include <windows.h>

extern HINSTANCE g_hInst;
extern const char g_szClassName[];

LRESULT CALLBACK WndProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam);
INT_PTR CALLBACK CheckRadioProc(HWND hwnd, UINT msg, WPARAM wParam,
                                LPARAM lParam);

// Lets the user choose a file, with hwnd owning the chooser, into the slot
// named by selector (2998 first, 2999 second).  Returns 1.
int DoFileOpenSave(HWND hwnd, int selector);

// Shows the open-file chooser with the given title.  On confirmation the
// path is in path (size bytes of room) and 1 is returned; a cancel or a
// failure of the chooser returns 0.
int ChooseFileWithDialog(HWND owner, const char* title, char* path,
                         int size);

// Registers the main window class; returns 0 on failure.
ATOM RegisterMainWindowClass();
// Creates the main window (600 x 200, caption Version_string); NULL on
// failure.
HWND CreateMainWindow();
// Dispatches messages until the quit message; returns its exit code.
int RunMessageLoop();

// Makes hwnd the window that the command logic talks to and installs the
// Windows platform.
void AttachWin32Platform(HWND hwnd);

#endif
