#include "commands/commands.h"

#include <string>

#include "app/platform.h"
#include "app/state.h"
#include "commands/command_ids.h"
#include "commands/help_texts.h"
#include "commands/state_requests.h"

const char* const CAPTION_LOAD_FILE = "Load a file ...";
const char* const CAPTION_WORKING =
    "Depending on the file sizes, this may take a while ...";
const char* const FINISHED_TEXT =
    "Finished! There are new files in the last chosen directory.";

static const char* const PATH_TOO_LONG_TEXT =
    "The path of the chosen file is too long: a path may have at most 255 "
    "characters.\nPlease move or rename the file and choose it again.";

int ChooseFileForSlot(int selector) {
  Platform* platform = CurrentPlatform();
  const char* title;
  char* slot;
  if (selector == RESULT_NEED_FIRST) {
    title = "Choose the first file ...";
    slot = file_address_01;
  } else if (selector == RESULT_NEED_BIBTEX) {
    title = "Choose the second file ...";
    slot = file_address_02;
  } else {
    return 1;
  }
  if (platform == nullptr) return 1;

  char path[CHOOSER_PATH_SIZE];
  path[0] = '\0';
  if (!platform->ChooseFile(title, path, sizeof path)) return 1;
  path[sizeof path - 1] = '\0';
  // A slot is never emptied once filled; no real chooser confirms "".
  if (path[0] == '\0') return 1;
  // The chooser takes up to 259 characters but a slot only 255: keep the
  // earlier choice rather than a cut path that names another file.
  if (!SetFileSlot(slot, path)) ShowMessage(PATH_TOO_LONG_TEXT, "File?");
  return 1;
}

static void SetCaption(const char* text) {
  if (Platform* platform = CurrentPlatform()) platform->SetCaption(text);
}

// Asks for the missing file, then stops: the user gives the command again.
static void AskForFile(const char* text, const char* caption, int selector) {
  ShowMessage(text, caption);
  SetCaption(CAPTION_LOAD_FILE);
  ChooseFileForSlot(selector);
}

std::string ResultText(const RunReport& report) {
  std::string text = FINISHED_TEXT;
  if (!report.lines.empty()) text += "\r\n";
  for (const std::string& line : report.lines) text += "\r\n" + line;
  return text;
}

static void RunOperation(int id) {
  SetCaption(CAPTION_WORKING);
  RunReport report;
  int code;
  if (id == IDM_EXTRACT) {
    code = Extract(&report);
  } else if (id == IDM_COMPARE) {
    code = Compare(&report);
  } else {
    code = Clean(&report);
  }

  if (code == RESULT_DONE) {
    if (Platform* platform = CurrentPlatform())
      platform->SetResultText(ResultText(report).c_str());
  } else if (code == RESULT_NEED_FIRST && id == IDM_EXTRACT) {
    AskForFile("You need to load a LaTeX file!", "LaTeX file?",
               RESULT_NEED_FIRST);
  } else if (code == RESULT_NEED_FIRST && id == IDM_COMPARE) {
    AskForFile("You need to load a BibTeX file!", "BibTeX file?",
               RESULT_NEED_FIRST);
  } else if (code == RESULT_NEED_BIBTEX) {
    // Clean has a single file, so its BibTeX file is the first one.
    AskForFile("You need to load a BibTeX file!", "BibTeX file?",
               id == IDM_CLEAN ? RESULT_NEED_FIRST : RESULT_NEED_BIBTEX);
  }
  SetCaption(Version_string);
}

static void ShowInformation(const char* text) {
  if (Platform* platform = CurrentPlatform())
    platform->ShowInformation(text);
}

void HandleCommand(int id) {
  Platform* platform = CurrentPlatform();
  switch (id) {
    case IDM_OPEN_FIRST:
    case IDM_OPEN_SECOND:
      SetCaption(CAPTION_LOAD_FILE);
      ChooseFileForSlot(id == IDM_OPEN_FIRST ? RESULT_NEED_FIRST
                                             : RESULT_NEED_BIBTEX);
      SetCaption(Version_string);
      break;
    case IDM_PREFERENCES:
      if (platform != nullptr) platform->RunPreferences();
      SetCaption(Version_string);
      break;
    case IDM_EXIT:
      if (platform != nullptr) platform->CloseWindow();
      break;
    case IDM_EXTRACT:
    case IDM_COMPARE:
    case IDM_CLEAN:
      RunOperation(id);
      break;
    case IDM_MANUAL_EXTRACT:
      ShowInformation(MANUAL_EXTRACT);
      break;
    case IDM_MANUAL_COMPARE:
      ShowInformation(MANUAL_COMPARE);
      break;
    case IDM_MANUAL_CLEAN:
      ShowInformation(MANUAL_CLEAN);
      break;
    case IDM_PROBLEM:
      ShowInformation(PROBLEM_TEXT);
      break;
    case IDM_ABOUT: {
      char about[MESSAGE_BUFFER_SIZE];
      FormatAboutText(about, sizeof about);
      ShowInformation(about);
      break;
    }
    default:
      break;
  }
}
