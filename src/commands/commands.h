// The command logic behind the main window's menu, free of the window
// system: it reaches the user only through the current Platform.
#ifndef TAMREL_COMMANDS_COMMANDS_H
#define TAMREL_COMMANDS_COMMANDS_H

#include <string>

#include "files/run_report.h"

// Room the file chooser has for a path (a slot holds at most 255 of them).
constexpr int CHOOSER_PATH_SIZE = 260;

extern const char* const CAPTION_LOAD_FILE;  // "Load a file ..."
extern const char* const CAPTION_WORKING;    // while an operation runs
extern const char* const FINISHED_TEXT;      // text area after a success

// Lets the user choose a file into a slot: selector RESULT_NEED_FIRST
// (2998) fills file_address_01, RESULT_NEED_BIBTEX (2999) file_address_02,
// anything else does nothing.  A cancel leaves the slot as it was; so does
// a path too long for a slot, after telling the user.  Returns 1.
int ChooseFileForSlot(int selector);

// The text area's text after a successful run: FINISHED_TEXT, then a blank
// line and the run's report, one line each (CR LF, as the text area needs).
std::string ResultText(const RunReport& report);

// Performs the menu command with the given id; unknown ids do nothing.
void HandleCommand(int id);

#endif
