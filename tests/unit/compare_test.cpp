// Compare: verdicts, the equal and missing files, and every way a run can
// stop.  Each table case runs with LF and with CR LF input, each with the
// indexes and with the plain scans, and must give the same bytes each time.
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <string>
#include <vector>

#include "app/state.h"
#include "commands/state_requests.h"
#include "support/scan_modes.h"
#include "support/test_support.h"
#include "support/unprivileged.h"

namespace {

class CompareTest : public ::testing::Test {
 protected:
  // Writes both inputs, runs Compare and reads the three outputs.
  int Run(const std::string& master, const std::string& second) {
    WriteFile(dir.File("master.bib"), master);
    WriteFile(dir.File("second.bib"), second);
    SetFileSlot(file_address_01, dir.File("master.bib").c_str());
    SetFileSlot(file_address_02, dir.File("second.bib").c_str());
    int result = Compare();
    log = ReadFile(dir.File("master_compare.log"));
    missing = ReadFile(dir.File("master_compare_missing.bib"));
    equal = ReadFile(dir.File("master_compare_equal.bib"));
    return result;
  }

  bool NoOutputs() {
    return !FileExists(dir.File("master_compare.log")) &&
           !FileExists(dir.File("master_compare_missing.bib")) &&
           !FileExists(dir.File("master_compare_equal.bib"));
  }

  OperationFixtureState state;
  ScratchDir dir;
  std::string log, missing, equal;
};

// A master with one entry of each rule, used by several cases.
const char* const kArticle =
    "@ARTICLE{Smith2009,\n"
    "  author = {J. Smith},\n"
    "  title = {On things},\n"
    "  journal = {Phys. Rev.},\n"
    "  year = {2009},\n"
    "  volume = {80},\n"
    "  pages = {123--130}\n"
    "}\n";
const char* const kBook =
    "@INPROCEEDINGS{Doe2001,\n"
    "  author = {A. Doe},\n"
    "  booktitle = {Proc. Things},\n"
    "  year = {2001}\n"
    "}\n";

struct CompareCase {
  const char* name;
  std::string master;
  std::string second;
  const char* log;
  std::string missing;
  std::string equal;
};

class CompareCases : public CompareTest, public ::testing::WithParamInterface<CompareCase> {};

TEST_P(CompareCases, GivesExactOutputsForEveryScanAndLineEnd) {
  const CompareCase& c = GetParam();
  ForBothScansAndLineEnds([&](std::string (*form)(const std::string&)) {
    EXPECT_EQ(RESULT_DONE, Run(form(c.master), form(c.second)));
    EXPECT_EQ(c.log, log);
    EXPECT_EQ(c.missing, missing);
    EXPECT_EQ(c.equal, equal);
    EXPECT_TRUE(state.platform.messages.empty());
  });
}

const CompareCase kCases[] = {
    {"SameKeyArticle", kArticle,
     "@ARTICLE{Smith2009,\n  journal = {Phys. Rev.},\n  volume = {80},\n  pages = {123-125},\n"
     "  year = {2009},\n}\n",
     "ARTICLE - Exactly the same : Smith2009\n", "", kArticle},
    {"OtherKeyArticleComparesFirstPageOnly", kArticle,
     "@ARTICLE{S09,\n  journal = {Phys. Rev.},\n  volume = {80},\n  pages = {123},\n"
     "  year = {2009},\n}\n",
     "ARTICLE - Probably the same : Smith2009, S09\n", "", kArticle},
    // The entry's own type takes no part: an ARTICLE is found by a book rule.
    {"BookRuleOnAnyEntryType", std::string(kArticle) + kBook,
     "@ARTICLE{Doe2001,\n  author = {A. Doe},\n  title = {Proc. Things},\n}\n",
     "BOOK    - Exactly the same : Doe2001\n", "", kBook},
    {"MissingEntryIsCopiedThenLogged", kArticle,
     "% text outside entries\n@BOOK{Lost,\n  author = {Nobody},\n}\ntrailing text\n",
     "\n----    - Missing : Lost\n\n", "@BOOK{Lost,\n  author = {Nobody},\n}\n", ""},
    // Empty values are equal: a MISC without note takes every entry without one.
    {"MiscWithoutNoteAcceptsEverythingWithoutNote",
     "@MISC{web,\n  howpublished = {online}\n}\n" + std::string(kArticle),
     "@ARTICLE{Smith2009,\n  volume = {80},\n}\n@ARTICLE{X,\n  note = {draft},\n}\n",
     "MISC    - Probably the same : web, Smith2009\n\n----    - Missing : X\n\n",
     "@ARTICLE{X,\n  note = {draft},\n}\n", "@MISC{web,\n  howpublished = {online}\n}\n"},
    {"MiscSameKey", "@MISC{n1,\n  note = {seen}\n}\n", "@ARTICLE{n1,\n  note = {seen}\n}\n",
     "MISC    - Exactly the same : n1\n", "", "@MISC{n1,\n  note = {seen}\n}\n"},
    // The first accepting candidate wins, though a later one has the key.
    {"FirstAcceptingCandidateWins",
     "@ARTICLE{early,\n  volume = {1},\n}\n@ARTICLE{k,\n  volume = {1},\n}\n",
     "@ARTICLE{k,\n  volume = {1},\n}\n", "ARTICLE - Probably the same : early, k\n", "",
     "@ARTICLE{early,\n  volume = {1},\n}\n"},
    {"SameKeyOtherValuesSearchesOn",
     "@ARTICLE{k,\n  volume = {1},\n}\n@ARTICLE{other,\n  volume = {2},\n}\n",
     "@ARTICLE{k,\n  volume = {2},\n}\n", "ARTICLE - Probably the same : other, k\n", "",
     "@ARTICLE{other,\n  volume = {2},\n}\n"},
    // Types must match whole: these candidates choose no rule.
    {"ArticleWithBlankAndBookletChooseNoRule",
     "@ARTICLE {a,\n  volume = {1},\n}\n@BOOKLET{b,\n  author = {A},\n  title = {T},\n}\n"
     "@comment{jabref-meta: x\n}\n",
     "@ARTICLE{a,\n  volume = {1},\n}\n@BOOK{b,\n  author = {A},\n  title = {T},\n}\n",
     "\n----    - Missing : a\n\n\n----    - Missing : b\n\n",
     "@ARTICLE{a,\n  volume = {1},\n}\n@BOOK{b,\n  author = {A},\n  title = {T},\n}\n", ""},
    // A one-line entry's body runs on to the next line that begins with "}":
    // the ARTICLE after it is never a candidate, and its values are the MISC's.
    {"OneLineEntrySwallowsTheNext",
     "@MISC{one, note = {x}}\n@ARTICLE{a1,\n  volume = {5},\n}\n",
     "@ARTICLE{a1,\n  volume = {5},\n}\n", "MISC    - Probably the same : one, a1\n", "",
     "@MISC{one, note = {x}}\n@ARTICLE{a1,\n  volume = {5},\n}\n"},
    {"OneLineEntryInSecondFileGetsOneVerdict", "",
     "@MISC{one, note = {x}}\n@ARTICLE{a1,\n  volume = {5},\n}\n",
     "\n----    - Missing : one\n\n",
     "@MISC{one, note = {x}}\n@ARTICLE{a1,\n  volume = {5},\n}\n", ""},
    // A brace closing the last field line does not end the entry.
    {"BraceAtEndOfFieldLineDoesNotEndEntry",
     "@ARTICLE{a1,\n  volume = {1}}\n@ARTICLE{a2,\n  volume = {2},\n  year = {2001}\n}\n",
     "@ARTICLE{x,\n  volume = {2},\n  year = {2001},\n}\n",
     "ARTICLE - Probably the same : a1, x\n", "",
     "@ARTICLE{a1,\n  volume = {1}}\n@ARTICLE{a2,\n  volume = {2},\n  year = {2001}\n}\n"},
    // "}" ends the copy even on a field line; the values read on past it.
    {"CopyStopsAtBraceLineWithFieldWord",
     "@ARTICLE{m,\n  volume = {3},\n} year = {1999}\n  pages = {7}\n}\n",
     "@ARTICLE{s,\n  volume = {3},\n  year = {1999},\n  pages = {7--9},\n}\n",
     "ARTICLE - Probably the same : m, s\n", "",
     "@ARTICLE{m,\n  volume = {3},\n} year = {1999}\n"},
    // Words anywhere in the line, in fixed order, the later line winning.
    // The title lines set the year, not the title or volume, and override
    // the year lines before them.
    {"WordTestAnywhereLaterLineWins",
     "@ARTICLE{m,\n  year = {2000},\n  title = {A year of volume},\n}\n",
     "@ARTICLE{s,\n  year = {1990},\n  title = {A year of volume},\n}\n",
     "ARTICLE - Probably the same : m, s\n", "",
     "@ARTICLE{m,\n  year = {2000},\n  title = {A year of volume},\n}\n"},
    {"EntryTwiceInSecondFile", kArticle, std::string(kArticle) + kArticle,
     "ARTICLE - Exactly the same : Smith2009\nARTICLE - Exactly the same : Smith2009\n", "",
     std::string(kArticle) + kArticle},
    {"EmptyMasterReportsEverythingMissing", "no entries here\n", std::string(kBook) + kArticle,
     "\n----    - Missing : Doe2001\n\n\n----    - Missing : Smith2009\n\n",
     std::string(kBook) + kArticle, ""},
    {"SecondWithoutEntries", kArticle, "@article{lower,\n  volume = {80},\n}\n@TECHREPORT{t,\n}\n",
     "", "", ""},
    // The last entry has no closing line: copied to the end, no log line.
    {"UnclosedLastEntryGetsNoLogLine", kArticle,
     "@BOOK{b,\n  author = {Z},\n}\n@ARTICLE{open,\n  volume = {1},\n",
     "\n----    - Missing : b\n\n",
     "@BOOK{b,\n  author = {Z},\n}\n@ARTICLE{open,\n  volume = {1},\n", ""},
    {"UnclosedMasterCandidateCopiedToEnd", "@ARTICLE{m,\n  volume = {4},\n  year = {1}",
     "@ARTICLE{s,\n  volume = {4},\n  year = {1},\n}\n", "ARTICLE - Probably the same : m, s\n",
     "", "@ARTICLE{m,\n  volume = {4},\n  year = {1}"},
    // Comment blocks are looked up like entries and never accepted in the master.
    {"CommentBlocks", "@comment{jabref-meta: groups\n}\n",
     "@comment{jabref-meta: groups\n}\n", "\n----    - Missing : jabref-meta: groups\n\n",
     "@comment{jabref-meta: groups\n}\n", ""},
};

INSTANTIATE_TEST_SUITE_P(Compare, CompareCases, ::testing::ValuesIn(kCases),
                         [](const ::testing::TestParamInfo<CompareCase>& info) {
                           return std::string(info.param.name);
                         });

// A physical line longer than 511 characters arrives in pieces; a piece
// that begins with "}" ends the entry like a line does.
TEST_F(CompareTest, LongLinePieceBeginningWithBraceEndsEntry) {
  std::string long_line = "  abstract = {" + std::string(511 - 14, 'x') + "}\n";
  ASSERT_EQ(513u, long_line.size());
  std::string entry = "@ARTICLE{long,\n" + long_line;
  std::string second = entry + "  volume = {9},\n}\n";
  EXPECT_EQ(RESULT_DONE, Run("", second));
  EXPECT_EQ("\n----    - Missing : long\n\n", log);
  EXPECT_EQ(entry, missing);

  // The master candidate ends at the same piece, so its volume is empty.
  EXPECT_EQ(RESULT_DONE, Run(second, "@ARTICLE{s,\n}\n"));
  EXPECT_EQ("ARTICLE - Probably the same : long, s\n", log);
  EXPECT_EQ(entry, equal);
}

TEST_F(CompareTest, OutputsAreEmptiedOnEveryRun) {
  ASSERT_EQ(RESULT_DONE, Run(kArticle, "@BOOK{b,\n}\n" + std::string(kArticle)));
  ASSERT_FALSE(log.empty());
  EXPECT_EQ(RESULT_DONE, Run(kArticle, ""));
  EXPECT_EQ("", log);
  EXPECT_EQ("", missing);
  EXPECT_EQ("", equal);
}

TEST_F(CompareTest, OutputsStayInTheMastersFolderWhateverItsName) {
  std::string folder = dir.File("my.refs");
  ASSERT_EQ(0, mkdir(folder.c_str(), 0700));
  WriteFile(folder + "/library.bib", kArticle);
  SetFileSlot(file_address_01, (folder + "/library.bib").c_str());
  SetFileSlot(file_address_02, (folder + "/library.bib").c_str());
  EXPECT_EQ(RESULT_DONE, Compare());
  EXPECT_EQ("ARTICLE - Exactly the same : Smith2009\n", ReadFile(folder + "/library_compare.log"));
  EXPECT_TRUE(FileExists(folder + "/library_compare_missing.bib"));
  EXPECT_EQ(kArticle, ReadFile(folder + "/library_compare_equal.bib"));
}

TEST_F(CompareTest, MasterPathWithoutDotGetsSuffixAppended) {
  WriteFile(dir.File("master"), kArticle);
  WriteFile(dir.File("second"), "@BOOK{b,\n}\n");
  SetFileSlot(file_address_01, dir.File("master").c_str());
  SetFileSlot(file_address_02, dir.File("second").c_str());
  EXPECT_EQ(RESULT_DONE, Compare());
  EXPECT_EQ("\n----    - Missing : b\n\n", ReadFile(dir.File("master_compare.log")));
  EXPECT_EQ("@BOOK{b,\n}\n", ReadFile(dir.File("master_compare_missing.bib")));
}

TEST_F(CompareTest, EmptySlots) {
  EXPECT_EQ(RESULT_NEED_FIRST, Compare());
  SetFileSlot(file_address_02, dir.File("second.bib").c_str());
  EXPECT_EQ(RESULT_NEED_FIRST, Compare());
  file_address_02[0] = '\0';
  WriteFile(dir.File("master.bib"), kArticle);
  SetFileSlot(file_address_01, dir.File("master.bib").c_str());
  EXPECT_EQ(RESULT_NEED_BIBTEX, Compare());
  EXPECT_TRUE(state.platform.messages.empty());
  EXPECT_TRUE(NoOutputs());
}

TEST_F(CompareTest, InputsThatCannotBeOpened) {
  struct {
    const char* master;  // names in the scratch folder; "" = not created
    const char* second;
    bool master_is_folder;
    bool second_is_folder;
    const char* message;
  } cases[] = {
      {"", "second.bib", false, false, "BibTeX file No. 1?: Could not open BibTeX file No. 1!"},
      {"master.bib", "", false, false, "BibTeX file No. 2?: Could not open BibTeX file No. 2!"},
      {"", "", false, false, "BibTeX file No. 1?: Could not open BibTeX file No. 1!"},
      {"master.bib", "second.bib", true, false,
       "BibTeX file No. 1?: Could not open BibTeX file No. 1!"},
      {"master.bib", "second.bib", false, true,
       "BibTeX file No. 2?: Could not open BibTeX file No. 2!"},
  };
  for (const auto& c : cases) {
    ScratchDir local;
    state.platform.messages.clear();
    std::string master = local.File("master.bib");
    std::string second = local.File("second.bib");
    if (c.master[0] != '\0') {
      if (c.master_is_folder) {
        mkdir(master.c_str(), 0700);
      } else {
        WriteFile(master, kArticle);
      }
    }
    if (c.second[0] != '\0') {
      if (c.second_is_folder) {
        mkdir(second.c_str(), 0700);
      } else {
        WriteFile(second, kArticle);
      }
    }
    SetFileSlot(file_address_01, master.c_str());
    SetFileSlot(file_address_02, second.c_str());
    EXPECT_EQ(RESULT_NEED_BIBTEX, Compare()) << c.message;
    ASSERT_EQ(1u, state.platform.messages.size());
    EXPECT_EQ(c.message, state.platform.messages[0]);
    EXPECT_FALSE(FileExists(local.File("master_compare.log")));
  }
}

// Inputs are opened for update, so a file that may only be read is
// refused like one that does not exist.
TEST_F(CompareTest, ReadOnlyInputIsRefused) {
  WriteFile(dir.File("master.bib"), kArticle);
  WriteFile(dir.File("second.bib"), kArticle);
  SetMode(dir.path().c_str(), 0777);
  SetMode(dir.File("master.bib").c_str(), 0444);
  SetMode(dir.File("second.bib").c_str(), 0666);
  SetFileSlot(file_address_01, dir.File("master.bib").c_str());
  SetFileSlot(file_address_02, dir.File("second.bib").c_str());
  int result;
  {
    UnprivilegedScope scope;
    if (!scope.active()) GTEST_SKIP() << "cannot act as an ordinary user";
    std::FILE* readable = std::fopen(dir.File("master.bib").c_str(), "r");
    ASSERT_NE(nullptr, readable);
    std::fclose(readable);
    result = Compare();
  }
  EXPECT_EQ(RESULT_NEED_BIBTEX, result);
  ASSERT_EQ(1u, state.platform.messages.size());
  EXPECT_EQ("BibTeX file No. 1?: Could not open BibTeX file No. 1!", state.platform.messages[0]);
  EXPECT_TRUE(NoOutputs());
}

TEST_F(CompareTest, OutputFolderNotWritable) {
  WriteFile(dir.File("master.bib"), kArticle);
  WriteFile(dir.File("second.bib"), kArticle);
  SetMode(dir.File("master.bib").c_str(), 0666);
  SetMode(dir.File("second.bib").c_str(), 0666);
  SetMode(dir.path().c_str(), 0555);
  SetFileSlot(file_address_01, dir.File("master.bib").c_str());
  SetFileSlot(file_address_02, dir.File("second.bib").c_str());
  int result;
  {
    UnprivilegedScope scope;
    if (!scope.active()) GTEST_SKIP() << "cannot act as an ordinary user";
    result = Compare();
  }
  EXPECT_EQ(RESULT_STOPPED, result);
  ASSERT_EQ(1u, state.platform.messages.size());
  EXPECT_EQ("Log file?: Could not open the compare.log file!", state.platform.messages[0]);
  EXPECT_TRUE(NoOutputs());
}

// An output that cannot be created (a folder stands in its place) stops
// the run; outputs created before it stay behind empty.
TEST_F(CompareTest, OutputThatCannotBeCreated) {
  const char* blocked[] = {"master_compare.log", "master_compare_missing.bib",
                           "master_compare_equal.bib"};
  for (int b = 0; b < 3; b++) {
    ScratchDir local;
    state.platform.messages.clear();
    WriteFile(local.File("master.bib"), kArticle);
    WriteFile(local.File("second.bib"), "@BOOK{b,\n}\n");
    ASSERT_EQ(0, mkdir(local.File(blocked[b]).c_str(), 0700));
    SetFileSlot(file_address_01, local.File("master.bib").c_str());
    SetFileSlot(file_address_02, local.File("second.bib").c_str());
    EXPECT_EQ(RESULT_STOPPED, Compare());
    ASSERT_EQ(1u, state.platform.messages.size());
    std::string expected = b == 0 ? "Log file?: Could not open the compare.log file!"
                                  : "File?: Could not open " + local.File(blocked[b]) + " !";
    EXPECT_EQ(expected, state.platform.messages[0]);
    for (int before = 0; before < b; before++) {
      EXPECT_TRUE(FileExists(local.File(blocked[before])));
      EXPECT_EQ("", ReadFile(local.File(blocked[before])));
    }
    if (b < 2) {
      EXPECT_FALSE(FileExists(local.File(blocked[2])));
    }
  }
}

// A full disk is reported instead of success over a cut output.
TEST_F(CompareTest, OutputThatCannotBeWritten) {
  const char* outputs[] = {"master_compare.log", "master_compare_missing.bib",
                           "master_compare_equal.bib"};
  for (const char* output : outputs) {
    ScratchDir local;
    state.platform.messages.clear();
    WriteFile(local.File("master.bib"), kArticle);
    WriteFile(local.File("second.bib"), std::string(kArticle) + "@BOOK{b,\n}\n");
    if (!MakeWritesFail(local.File(output))) GTEST_SKIP() << "no /dev/full";
    SetFileSlot(file_address_01, local.File("master.bib").c_str());
    SetFileSlot(file_address_02, local.File("second.bib").c_str());
    EXPECT_EQ(RESULT_STOPPED, Compare()) << output;
    std::string expected = output == outputs[0]
                               ? "Log file?: Could not write the compare.log file!"
                               : "File?: Could not write " + local.File(output) + " !";
    EXPECT_EQ(std::vector<std::string>{expected}, state.platform.messages);
  }
}

// The second file named like an output would be emptied by the run.
TEST_F(CompareTest, InputNamedLikeAnOutputIsSpared) {
  WriteFile(dir.File("master.bib"), kArticle);
  WriteFile(dir.File("master_compare_missing.bib"), kBook);
  SetFileSlot(file_address_01, dir.File("master.bib").c_str());
  SetFileSlot(file_address_02, dir.File("master_compare_missing.bib").c_str());
  EXPECT_EQ(RESULT_STOPPED, Compare());
  EXPECT_EQ(1u, state.platform.messages.size());
  EXPECT_EQ(kBook, ReadFile(dir.File("master_compare_missing.bib")));
  EXPECT_FALSE(FileExists(dir.File("master_compare.log")));
}

}  // namespace
