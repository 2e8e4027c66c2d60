/* Menu command ids, the preferences dialog and its controls, and the text
   area.  Plain #defines only: the resource compiler reads this file too. */
#ifndef TAMREL_COMMANDS_COMMAND_IDS_H
#define TAMREL_COMMANDS_COMMAND_IDS_H

/* File menu */
#define IDM_OPEN_FIRST 9071
#define IDM_OPEN_SECOND 9070
#define IDM_PREFERENCES 9066
#define IDM_EXIT 9072

/* Execute menu */
#define IDM_EXTRACT 9060
#define IDM_COMPARE 9062
#define IDM_CLEAN 9061

/* Help menu */
#define IDM_MANUAL_EXTRACT 5000
#define IDM_MANUAL_COMPARE 5001
#define IDM_MANUAL_CLEAN 5002
#define IDM_PROBLEM 9064
#define IDM_ABOUT 9069

/* The preferences dialog for extract and its radio buttons.  Done is the
   dialog's cancel button (IDCANCEL, 2), so Escape and the close box act
   like it. */
#define IDD_PREFERENCES 8000
#define IDC_STYLE_APS 10003
#define IDC_STYLE_ACS 10004
#define IDC_STYLE_IOP 10005
#define IDC_FIRST_PAGE 10006
#define IDC_PAGE_RANGE 10007
#define IDC_STYLE_NATURE 10008
#define IDC_STYLE_RSC 10009
#define IDC_DONE 2
#define IDC_GROUP_STATIC (-1)

/* The main window's text area */
#define IDC_TEXT_AREA 1001

#endif
