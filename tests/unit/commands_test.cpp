// The menu command logic, driven through a scripted platform that answers
// the file chooser from a list and logs every caption, message, chooser
// title and result text in order.  The operations are the real ones.
#include "commands/commands.h"

#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstdio>
#include <deque>
#include <string>
#include <vector>

#include "commands/command_ids.h"
#include "commands/help_texts.h"
#include "app/state.h"
#include "support/test_support.h"

namespace {

const std::string VERSION = "Tamrel 2.1 - Velmoran - 2009";
const std::string WORKING =
    "caption Depending on the file sizes, this may take a while ...";
const std::string LOAD = "caption Load a file ...";
const std::string REST = "caption " + VERSION;
const std::string CHOOSE_FIRST = "choose Choose the first file ...";
const std::string CHOOSE_SECOND = "choose Choose the second file ...";
const std::string FINISHED =
    "result Finished! There are new files in the last chosen directory.";

const char* const CANCEL = nullptr;

class ScriptedPlatform : public Platform {
 public:
  void ShowMessage(const char* text, const char* caption) override {
    log.push_back(std::string("message ") + caption + ": " + text);
  }
  // Answers from the script; an empty script or a null answer cancels.
  int ChooseFile(const char* title, char* path, std::size_t size) override {
    log.push_back(std::string("choose ") + title);
    sizes.push_back(size);
    if (answers.empty()) return 0;
    const char* answer = answers.front();
    answers.pop_front();
    if (answer == nullptr) return 0;
    std::snprintf(path, size, "%s", answer);
    return 1;
  }
  void SetCaption(const char* text) override {
    log.push_back(std::string("caption ") + text);
  }
  void SetResultText(const char* text) override {
    log.push_back(std::string("result ") + text);
  }
  void RunPreferences() override { log.push_back("preferences"); }
  void CloseWindow() override { log.push_back("close"); }

  std::vector<std::string> log;
  std::deque<const char*> answers;
  std::vector<std::size_t> sizes;
};

// Minimal inputs on which every operation runs to its end.
const char* const TINY_TEX = "See \\cite{Smith2001}.\n";
const char* const TINY_BIB =
    "@ARTICLE{Smith2001,\n"
    "  author = {John Smith},\n"
    "  title = {A title},\n"
    "  journal = {Phys. Rev. B},\n"
    "  year = {2001},\n"
    "  volume = {64},\n"
    "  pages = {1--5}\n"
    "}\n";

class CommandsTest : public ::testing::Test {
 protected:
  CommandsTest() { SetPlatform(&platform); }

  void Slots(const std::string& first, const std::string& second) {
    ASSERT_EQ(1, SetFileSlot(file_address_01, first.c_str()));
    ASSERT_EQ(1, SetFileSlot(file_address_02, second.c_str()));
  }
  std::string Bib(const char* name) {
    std::string path = dir.File(name);
    WriteFile(path, TINY_BIB);
    return path;
  }
  std::string Tex() {
    std::string path = dir.File("paper.tex");
    WriteFile(path, TINY_TEX);
    return path;
  }

  // Starts one case of a table afresh: the state reset, under the line
  // rules, and an empty log.
  void StartCase() {
    ResetApplicationState();
    FLAG_CLASSIC = 1;
    platform.log.clear();
  }

  OperationFixtureState state;
  ScriptedPlatform platform;
  ScratchDir dir;
};

using Log = std::vector<std::string>;

TEST_F(CommandsTest, OpenCommandsFillTheirSlotAndRestoreTheCaption) {
  struct Case {
    int id;
    const char* chooser;
    char* slot;
    char* other;
  } cases[] = {
      {IDM_OPEN_FIRST, "choose Choose the first file ...", file_address_01,
       file_address_02},
      {IDM_OPEN_SECOND, "choose Choose the second file ...", file_address_02,
       file_address_01},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.id);
    StartCase();
    ASSERT_EQ(1, SetFileSlot(c.other, "/keep/other.bib"));
    platform.answers = {"/data/old.bib", "/data/refs/new library.bib"};
    HandleCommand(c.id);
    HandleCommand(c.id);
    EXPECT_EQ((Log{LOAD, c.chooser, REST, LOAD, c.chooser, REST}),
              platform.log);
    // The second choice replaces the whole first path.
    EXPECT_STREQ("/data/refs/new library.bib", c.slot);
    EXPECT_STREQ("/keep/other.bib", c.other);
  }
  for (std::size_t size : platform.sizes) EXPECT_EQ(260u, size);
}

TEST_F(CommandsTest, CancelledChooserKeepsAnEarlierFile) {
  Slots("/a/first.tex", "/a/second.bib");
  platform.answers = {CANCEL, CANCEL};
  HandleCommand(IDM_OPEN_SECOND);
  HandleCommand(IDM_OPEN_FIRST);
  EXPECT_STREQ("/a/first.tex", file_address_01);
  EXPECT_STREQ("/a/second.bib", file_address_02);
  EXPECT_EQ((Log{LOAD, CHOOSE_SECOND, REST, LOAD, CHOOSE_FIRST, REST}),
            platform.log);
}

TEST_F(CommandsTest, PathLengthsAroundTheSlotSize) {
  const std::string too_long_message =
      "message File?: The path of the chosen file is too long: a path may "
      "have at most 255 characters.\nPlease move or rename the file and "
      "choose it again.";
  struct Case {
    std::size_t length;
    bool fits;
  } cases[] = {{1, true}, {254, true}, {255, true}, {256, false},
               {259, false}, {300, false}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.length);
    StartCase();
    ASSERT_EQ(1, SetFileSlot(file_address_01, "/earlier.tex"));
    std::string path = "/" + std::string(c.length - 1, 'p');
    platform.answers = {path.c_str()};
    HandleCommand(IDM_OPEN_FIRST);
    if (c.fits) {
      EXPECT_EQ(path, file_address_01);
      EXPECT_EQ((Log{LOAD, CHOOSE_FIRST, REST}), platform.log);
    } else {
      EXPECT_STREQ("/earlier.tex", file_address_01);
      EXPECT_EQ((Log{LOAD, CHOOSE_FIRST, too_long_message, REST}),
                platform.log);
    }
    EXPECT_EQ('\0', file_address_02[0]);
  }
}

TEST_F(CommandsTest, ChooserSelectorsOtherThanTheTwoSlotsDoNothing) {
  for (int selector : {0, 1, 2997, 3000, -2998}) {
    platform.answers = {"/x.bib"};
    EXPECT_EQ(1, ChooseFileForSlot(selector));
  }
  EXPECT_TRUE(platform.log.empty());
  EXPECT_EQ('\0', file_address_01[0]);
  EXPECT_EQ('\0', file_address_02[0]);
  platform.answers = {CANCEL};
  EXPECT_EQ(1, ChooseFileForSlot(RESULT_NEED_BIBTEX));
  EXPECT_EQ((Log{CHOOSE_SECOND}), platform.log);
}

TEST_F(CommandsTest, AnEmptyConfirmedPathDoesNotEmptyASlot) {
  Slots("/a.tex", "/b.bib");
  platform.answers = {""};
  HandleCommand(IDM_OPEN_FIRST);
  EXPECT_STREQ("/a.tex", file_address_01);
}

TEST_F(CommandsTest, PreferencesExitAndUnknownIds) {
  HandleCommand(IDM_PREFERENCES);
  EXPECT_EQ((Log{"preferences", REST}), platform.log);
  platform.log.clear();
  HandleCommand(IDM_EXIT);
  EXPECT_EQ((Log{"close"}), platform.log);
  platform.log.clear();
  for (int id : {0, 1, 2, 1001, 8000, 9063, 9065, 9073, 10003, 5003}) {
    HandleCommand(id);
  }
  EXPECT_TRUE(platform.log.empty());
}

TEST_F(CommandsTest, HelpCommandsShowTheirTextAndTouchNothingElse) {
  Slots("/a/doc.tex", "/a/lib.bib");
  SetJournalStyle(STYLE_IOP);
  FLAG_PAGEALL = 1;
  char about[MESSAGE_BUFFER_SIZE];
  FormatAboutText(about, sizeof about);
  struct Case {
    int id;
    std::string text;
  } cases[] = {
      {IDM_MANUAL_EXTRACT, MANUAL_EXTRACT}, {IDM_MANUAL_COMPARE, MANUAL_COMPARE},
      {IDM_MANUAL_CLEAN, MANUAL_CLEAN},     {IDM_PROBLEM, PROBLEM_TEXT},
      {IDM_ABOUT, about},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.id);
    platform.log.clear();
    platform.answers = {"/should/not/be/used"};
    HandleCommand(c.id);
    EXPECT_EQ((Log{"message " + VERSION + ": " + c.text}), platform.log);
  }
  EXPECT_STREQ("/a/doc.tex", file_address_01);
  EXPECT_STREQ("/a/lib.bib", file_address_02);
  EXPECT_EQ(0, FLAG_APS);
  EXPECT_EQ(0, FLAG_ACS);
  EXPECT_EQ(1, FLAG_IOP);
  EXPECT_EQ(1, FLAG_PAGEALL);
}

// Every row of the reaction table for a missing file: the message, the
// chooser for the right slot, and no second run of the operation.
TEST_F(CommandsTest, MissingFilesAreAskedForOnceWithoutRestarting) {
  const std::string need_latex =
      "message LaTeX file?: You need to load a LaTeX file!";
  const std::string need_bibtex =
      "message BibTeX file?: You need to load a BibTeX file!";
  struct Case {
    const char* name;
    int id;
    const char* first;   // slot contents before the command
    const char* second;
    std::string message;
    std::string chooser;
    const char* chosen_first;  // slot contents after the choice
    const char* chosen_second;
  } cases[] = {
      {"extract, nothing chosen", IDM_EXTRACT, "", "", need_latex,
       CHOOSE_FIRST, "/c/chosen", ""},
      {"extract, no library", IDM_EXTRACT, "/a/doc.tex", "", need_bibtex,
       CHOOSE_SECOND, "/a/doc.tex", "/c/chosen"},
      {"compare, nothing chosen", IDM_COMPARE, "", "", need_bibtex,
       CHOOSE_FIRST, "/c/chosen", ""},
      {"compare, no master", IDM_COMPARE, "", "/a/other.bib", need_bibtex,
       CHOOSE_FIRST, "/c/chosen", "/a/other.bib"},
      {"compare, no second file", IDM_COMPARE, "/a/master.bib", "",
       need_bibtex, CHOOSE_SECOND, "/a/master.bib", "/c/chosen"},
      {"clean, only the second slot", IDM_CLEAN, "", "/a/other.bib",
       need_bibtex, CHOOSE_FIRST, "/c/chosen", "/a/other.bib"},
      {"clean, nothing chosen", IDM_CLEAN, "", "", need_bibtex, CHOOSE_FIRST,
       "/c/chosen", ""},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    StartCase();
    Slots(c.first, c.second);
    platform.answers = {"/c/chosen"};
    HandleCommand(c.id);
    EXPECT_EQ((Log{WORKING, c.message, LOAD, c.chooser, REST}), platform.log);
    EXPECT_STREQ(c.chosen_first, file_address_01);
    EXPECT_STREQ(c.chosen_second, file_address_02);
  }
}

TEST_F(CommandsTest, CancelAfterAMissingFileMessageKeepsTheSlotsEmpty) {
  platform.answers = {CANCEL};
  HandleCommand(IDM_EXTRACT);
  EXPECT_EQ((Log{WORKING, "message LaTeX file?: You need to load a LaTeX file!",
                 LOAD, CHOOSE_FIRST, REST}),
            platform.log);
  EXPECT_EQ('\0', file_address_01[0]);
}

// An input that cannot be opened: the operation's own message, then the
// command logic asks for the file it names by its code.
TEST_F(CommandsTest, UnreadableInputsAreReportedThenAskedFor) {
  std::string missing = dir.File("missing.bib");
  std::string bib = Bib("library.bib");
  struct Case {
    const char* name;
    int id;
    std::string first;
    std::string second;
    Log expected;
  } cases[] = {
      {"extract, document missing", IDM_EXTRACT, dir.File("missing.tex"), bib,
       {WORKING, "message LaTeX file?: Could not open the LaTeX file!",
        "message LaTeX file?: You need to load a LaTeX file!", LOAD,
        CHOOSE_FIRST, REST}},
      {"extract, library missing", IDM_EXTRACT, Tex(), missing,
       {WORKING, "message BibTeX file?: Could not open the BibTeX file!",
        "message BibTeX file?: You need to load a BibTeX file!", LOAD,
        CHOOSE_SECOND, REST}},
      {"compare, master missing", IDM_COMPARE, missing, bib,
       {WORKING,
        "message BibTeX file No. 1?: Could not open BibTeX file No. 1!",
        "message BibTeX file?: You need to load a BibTeX file!", LOAD,
        CHOOSE_SECOND, REST}},
      {"clean, input missing", IDM_CLEAN, missing, "",
       {WORKING, "message BibTeX file ?: Could not open the BibTeX file!",
        "message BibTeX file?: You need to load a BibTeX file!", LOAD,
        CHOOSE_FIRST, REST}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    StartCase();
    Slots(c.first, c.second);
    platform.answers = {CANCEL};
    HandleCommand(c.id);
    EXPECT_EQ(c.expected, platform.log);
  }
}

// An output that cannot be created (a folder stands in its way): the
// operation's message is all the user sees; no chooser follows.
TEST_F(CommandsTest, StoppedOperationsGetNoFurtherReaction) {
  std::string tex = Tex();
  std::string bib = Bib("library.bib");
  struct Case {
    const char* name;
    int id;
    std::string first;
    std::string second;
    const char* blocked_output;
    std::string message;
  } cases[] = {
      {"extract", IDM_EXTRACT, tex, bib, "library_extract_items.txt",
       "message Itemfile?: Could not open the item file!"},
      {"compare", IDM_COMPARE, bib, bib, "library_compare.log",
       "message Log file?: Could not open the compare.log file!"},
      {"clean", IDM_CLEAN, bib, "", "library_clean_of_doubles.log",
       "message File?: Could not open the ..._clean_of_doubles.log file!"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    StartCase();
    Slots(c.first, c.second);
    std::string blocker = dir.File(c.blocked_output);
    ASSERT_EQ(0, mkdir(blocker.c_str(), 0700));
    platform.answers = {"/must/not/be/asked"};
    HandleCommand(c.id);
    EXPECT_EQ((Log{WORKING, c.message, REST}), platform.log);
    ASSERT_EQ(0, rmdir(blocker.c_str()));
  }
}

TEST_F(CommandsTest, SuccessfulRunsWriteTheFinishedText) {
  std::string tex = Tex();
  std::string bib = Bib("library.bib");
  std::string other = Bib("other.bib");
  struct Case {
    const char* name;
    int id;
    std::string first;
    std::string second;
    const char* output;
  } cases[] = {
      {"extract", IDM_EXTRACT, tex, bib, "library_extract_bibitems.tex"},
      {"compare", IDM_COMPARE, bib, other, "library_compare_equal.bib"},
      {"clean", IDM_CLEAN, bib, "", "library_clean_of_doubles.bib"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    StartCase();
    Slots(c.first, c.second);
    platform.answers = {"/must/not/be/asked"};
    HandleCommand(c.id);
    ASSERT_EQ(3u, platform.log.size());
    EXPECT_EQ(WORKING, platform.log[0]);
    // The finished text, then a blank line and the run's report.
    EXPECT_EQ(0u, platform.log[1].rfind(FINISHED + "\r\n\r\n", 0)) << platform.log[1];
    EXPECT_EQ(REST, platform.log[2]);
    EXPECT_TRUE(FileExists(dir.File(c.output)));
    EXPECT_STREQ(c.first.c_str(), file_address_01);
  }
}

TEST(ResultText, FinishedTextThenTheReportLineByLine) {
  RunReport report;
  EXPECT_EQ("Finished! There are new files in the last chosen directory.", ResultText(report));
  report.lines = {"3 entries read: 2 written (0 under a new key), 1 left out as doubles.",
                  "lib.bib: line 7: entry without a key"};
  EXPECT_EQ("Finished! There are new files in the last chosen directory.\r\n"
            "\r\n3 entries read: 2 written (0 under a new key), 1 left out as doubles."
            "\r\nlib.bib: line 7: entry without a key",
            ResultText(report));
}

}  // namespace
