#include "commands/command_ids.h"
#include "app/state.h"
#include "ui/ui.h"

namespace {

// The style buttons in the dialog's order.  Their ids do not run on:
// the page buttons' ids lie between IOP's and Nature's, so the selection
// is moved button by button rather than by an id range.
struct StyleButton {
  int id;
  JournalStyle style;
};

const StyleButton kStyleButtons[] = {
    {IDC_STYLE_APS, STYLE_APS},       {IDC_STYLE_ACS, STYLE_ACS},
    {IDC_STYLE_IOP, STYLE_IOP},       {IDC_STYLE_NATURE, STYLE_NATURE},
    {IDC_STYLE_RSC, STYLE_RSC},
};

// The button's entry, or nullptr when id is no style button.
const StyleButton* StyleButtonWithId(int id) {
  for (const StyleButton& button : kStyleButtons) {
    if (button.id == id) return &button;
  }
  return nullptr;
}

void CheckStyleButton(HWND hwnd, JournalStyle style) {
  for (const StyleButton& button : kStyleButtons) {
    CheckDlgButton(hwnd, button.id,
                   button.style == style ? BST_CHECKED : BST_UNCHECKED);
  }
}

}  // namespace

// The dialog's radio buttons are plain ones: a click reaches this
// procedure, which sets the option at once and moves the selection.  Done
// only closes the dialog, so Escape and the close box do the same.
INT_PTR CALLBACK CheckRadioProc(HWND hwnd, UINT msg, WPARAM wParam,
                                LPARAM lParam) {
  (void)lParam;
  switch (msg) {
    case WM_INITDIALOG: {
      JournalStyle style;
      if (SelectedStyle(&style)) CheckStyleButton(hwnd, style);
      if (FLAG_PAGEALL == 1) {
        CheckRadioButton(hwnd, IDC_FIRST_PAGE, IDC_PAGE_RANGE,
                         IDC_PAGE_RANGE);
      } else if (FLAG_PAGEALL == 0) {
        CheckRadioButton(hwnd, IDC_FIRST_PAGE, IDC_PAGE_RANGE,
                         IDC_FIRST_PAGE);
      }
      return TRUE;
    }
    case WM_COMMAND: {
      const StyleButton* clicked = StyleButtonWithId(LOWORD(wParam));
      if (clicked != nullptr) {
        SetJournalStyle(clicked->style);
        CheckStyleButton(hwnd, clicked->style);
        return TRUE;
      }
      switch (LOWORD(wParam)) {
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
    }
    default:
      return FALSE;
  }
}
