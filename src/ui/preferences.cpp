#include "commands/command_ids.h"
#include "app/state.h"
#include "ui/ui.h"

// The dialog's radio buttons are plain ones: a click reaches this
// procedure, which sets the option at once and moves the selection.  Done
// only closes the dialog, so Escape and the close box do the same.
INT_PTR CALLBACK CheckRadioProc(HWND hwnd, UINT msg, WPARAM wParam,
                                LPARAM lParam) {
  (void)lParam;
  switch (msg) {
    case WM_INITDIALOG: {
      JournalStyle style;
      if (SelectedStyle(&style)) {
        int button = style == STYLE_APS ? IDC_STYLE_APS
                     : style == STYLE_ACS ? IDC_STYLE_ACS : IDC_STYLE_IOP;
        CheckRadioButton(hwnd, IDC_STYLE_APS, IDC_STYLE_IOP, button);
      }
      if (FLAG_PAGEALL == 1) {
        CheckRadioButton(hwnd, IDC_FIRST_PAGE, IDC_PAGE_RANGE,
                         IDC_PAGE_RANGE);
      } else if (FLAG_PAGEALL == 0) {
        CheckRadioButton(hwnd, IDC_FIRST_PAGE, IDC_PAGE_RANGE,
                         IDC_FIRST_PAGE);
      }
      return TRUE;
    }
    case WM_COMMAND:
      switch (LOWORD(wParam)) {
        case IDC_STYLE_APS:
        case IDC_STYLE_ACS:
        case IDC_STYLE_IOP: {
          int id = LOWORD(wParam);
          SetJournalStyle(id == IDC_STYLE_APS   ? STYLE_APS
                          : id == IDC_STYLE_ACS ? STYLE_ACS
                                                : STYLE_IOP);
          CheckRadioButton(hwnd, IDC_STYLE_APS, IDC_STYLE_IOP, id);
          break;
        }
        case IDC_FIRST_PAGE:
        case IDC_PAGE_RANGE:
          FLAG_PAGEALL = LOWORD(wParam) == IDC_PAGE_RANGE;
          CheckRadioButton(hwnd, IDC_FIRST_PAGE, IDC_PAGE_RANGE,
                           LOWORD(wParam));
          break;
        case IDC_DONE:
          EndDialog(hwnd, IDC_DONE);
          break;
        default:
          break;
      }
      return TRUE;
    default:
      return FALSE;
  }
}
