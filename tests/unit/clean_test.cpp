// Clean doubles: the decision table, the log blocks, new keys, and every
// way a run can stop.  Each table case runs with LF and with CR LF input,
// each with the indexes and with the plain scans, and must give the same
// bytes each time.
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <climits>
#include <string>
#include <vector>

#include "app/state.h"
#include "commands/state_requests.h"
#include "clean/rename.h"
#include "support/scan_modes.h"
#include "support/test_support.h"
#include "support/unprivileged.h"

namespace {

std::string Article(const char* key, const char* year) {
  return std::string("@ARTICLE{") + key + ",\n  journal = {J},\n  volume = {1},\n  year = {" +
         year + "},\n  pages = {10--20}\n}\n";
}

std::string RenamedLog(const char* key, const char* year, const char* old_year,
                       const char* ending) {
  return std::string("............. 2-DOUBLE-FLAG set: ") + key + " and " + key + "\n" +
         "Two identical bibitems (" + key + " and " + key +
         ") were found with different content:\n" +
         "     1.: Journal: J Volume: 1 Year: " + year + " Pages: 10\n" +
         "     2.: Journal: J Volume: 1 Year: " + old_year + " Pages: 10\n" +
         "     New name for bibitem No.1: from " + key + " to " + key + "_" + ending + "\n\n";
}

class CleanTest : public ::testing::Test {
 protected:
  int Run(const std::string& input) {
    WriteFile(dir.File("input.bib"), input);
    SetFileSlot(file_address_01, dir.File("input.bib").c_str());
    int result = Clean();
    log = ReadFile(dir.File("input_clean_of_doubles.log"));
    cleaned = ReadFile(dir.File("input_clean_of_doubles.bib"));
    return result;
  }

  std::string Closing(int count) {
    return "\n\n\n" + std::to_string(count) + " BibTeX entries from the BibTeX file\n    '" +
           dir.File("input.bib") + "'\nwere not written into the new BibTeX file\n    '" +
           dir.File("input_clean_of_doubles.bib") + "'.";
  }

  OperationFixtureState state;
  ScratchDir dir;
  std::string log, cleaned;
};

struct CleanCase {
  const char* name;
  std::string input;
  std::string log;  // without the closing message
  int count;
  std::string cleaned;
};

class CleanCases : public CleanTest, public ::testing::WithParamInterface<CleanCase> {};

TEST_P(CleanCases, GivesExactOutputsForEveryScanAndLineEnd) {
  const CleanCase& c = GetParam();
  ForBothScansAndLineEnds([&](std::string (*form)(const std::string&)) {
    EXPECT_EQ(RESULT_DONE, Run(form(c.input)));
    EXPECT_EQ(c.log + Closing(c.count), log);
    EXPECT_EQ(c.cleaned, cleaned);
    EXPECT_TRUE(state.platform.messages.empty());
  });
}

const std::string kExactArticleK =
    "Exactly the same : K and K\n"
    "     1.: Journal: J Volume: 1 Year: 2000 Pages: 10\n"
    "     2.: Journal: J Volume: 1 Year: 2000 Pages: 10\n"
    "     One BibTeX entry stays\n\n";
const std::string kEmptyArticleLines =
    "     1.: Journal:  Volume:  Year:  Pages: \n"
    "     2.: Journal:  Volume:  Year:  Pages: \n";

const CleanCase kCases[] = {
    {"EmptyInput", "", "", 0, ""},
    {"ThreeIdenticalCopies", Article("K", "2000") + Article("K", "2000") + Article("K", "2000"),
     kExactArticleK + kExactArticleK, 2, Article("K", "2000")},
    {"ArticleKeyConflict", Article("K", "2000") + Article("K", "2001"),
     RenamedLog("K", "2001", "2000", "a"), 1, Article("K", "2000") + Article("K_a", "2001")},
    // The letter counts the run's new keys, not each key's.
    {"TwoConflictsOnDifferentKeys",
     Article("K", "1") + Article("L", "3") + Article("K", "2") + Article("L", "4"),
     RenamedLog("K", "2", "1", "a") + RenamedLog("L", "4", "3", "b"), 2,
     Article("K", "1") + Article("L", "3") + Article("K_a", "2") + Article("L_b", "4")},
    // The third copy meets the first before the renamed second one.
    {"ConflictsChainedOverThreeCopies",
     Article("K", "1") + Article("K", "2") + Article("K", "2"),
     RenamedLog("K", "2", "1", "a") + RenamedLog("K", "2", "1", "b"), 2,
     Article("K", "1") + Article("K_a", "2") + Article("K_b", "2")},
    // A book conflict raises flag 1; the renaming block still shows journals.
    {"BookKeyConflict",
     "@BOOK{B,\n  author = {A},\n  title = {T1}\n}\n@BOOK{B,\n  author = {A},\n  title = {T2}\n}\n",
     "............. 1-DOUBLE-FLAG set: B and B\n"
     "Two identical bibitems (B and B) were found with different content:\n" +
         kEmptyArticleLines + "     New name for bibitem No.1: from B to B_a\n\n",
     1,
     "@BOOK{B,\n  author = {A},\n  title = {T1}\n}\n@BOOK{B_a,\n  author = {A},\n  title = "
     "{T2}\n}\n"},
    {"ProbableArticleDoubleByFirstPage",
     "@ARTICLE{P1,\n  journal = {J},\n  volume = {5},\n  year = {1999},\n  pages = {12-19}\n}\n"
     "@ARTICLE{P2,\n  journal = {J},\n  volume = {5},\n  year = {1999},\n  pages = {12--25}\n}\n",
     "Probably the same: P2 P1\n"
     "     1.: Journal: J Volume: 5 Year: 1999 Pages: 12\n"
     "     2.: Journal: J Volume: 5 Year: 1999 Pages: 12\n"
     "     Bibitem P1 stays, item P2 out\n\n",
     1,
     "@ARTICLE{P1,\n  journal = {J},\n  volume = {5},\n  year = {1999},\n  pages = {12-19}\n}\n"},
    // Another key: the candidate must be an ARTICLE.  The same key: its type
    // is not looked at.
    {"ArticleAgainstOtherType",
     "@INPROCEEDINGS{p,\n  title = {P},\n  journal = {J},\n  volume = {1},\n  year = {2000},\n"
     "  pages = {10}\n}\n" +
         Article("K", "2000") +
         "@INPROCEEDINGS{K2,\n  title = {Q},\n  journal = {J},\n  volume = {7},\n  year = "
         "{2000},\n  pages = {10}\n}\n"
         "@ARTICLE{K2,\n  journal = {J},\n  volume = {7},\n  year = {2000},\n  pages = {10-11}\n}\n",
     "Exactly the same : K2 and K2\n"
     "     1.: Journal: J Volume: 7 Year: 2000 Pages: 10\n"
     "     2.: Journal: J Volume: 7 Year: 2000 Pages: 10\n"
     "     One BibTeX entry stays\n\n",
     1,
     "@INPROCEEDINGS{p,\n  title = {P},\n  journal = {J},\n  volume = {1},\n  year = {2000},\n"
     "  pages = {10}\n}\n" +
         Article("K", "2000") +
         "@INPROCEEDINGS{K2,\n  title = {Q},\n  journal = {J},\n  volume = {7},\n  year = "
         "{2000},\n  pages = {10}\n}\n"},
    {"ProbableBookDoubleAndDifferentTitles",
     "@BOOK{B1,\n  author = {A},\n  title = {T}\n}\n@INCOLLECTION{B2,\n  author = {A},\n"
     "  booktitle = {T}\n}\n@BOOK{B3,\n  author = {A},\n  title = {U}\n}\n",
     "Probably the same: B2 B1\n"
     "     1.: Author: A Title: T \n"
     "     2.: Author: A Title: T \n"
     "     Bibitem B1 stays, item B2 out\n\n",
     1, "@BOOK{B1,\n  author = {A},\n  title = {T}\n}\n@BOOK{B3,\n  author = {A},\n  title = {U}\n}\n"},
    // A book-group entry without author and title repeats a comment block.
    {"BookGroupEntryMatchesCommentBlock",
     "@comment{jabref-meta: x\n}\n@PHDTHESIS{t,\n  school = {U}\n}\n",
     "Probably the same: t jabref-meta: x\n"
     "     1.: Author:  Title:  \n"
     "     2.: Author:  Title:  \n"
     "     Bibitem jabref-meta: x stays, item t out\n\n",
     1, "@comment{jabref-meta: x\n}\n"},
    {"CommentBlocksAlwaysWritten",
     "@comment{jabref-meta: x\n}\n@comment{jabref-meta: x\n}\n", "", 0,
     "@comment{jabref-meta: x\n}\n@comment{jabref-meta: x\n}\n"},
    // Types must match whole; with an equal key the candidate's type does
    // not matter, so the last ARTICLE repeats '@ARTICLE {a'.
    {"BookletAndArticleWithBlankBelongToNoGroup",
     "@BOOKLET{b,\n}\n@BOOKLET{b,\n}\n@ARTICLE {a,\n}\n@ARTICLE {a,\n}\n@ARTICLE{a,\n}\n",
     "Exactly the same : a and a\n" + kEmptyArticleLines + "     One BibTeX entry stays\n\n", 1,
     "@BOOKLET{b,\n}\n@BOOKLET{b,\n}\n@ARTICLE {a,\n}\n@ARTICLE {a,\n}\n"},
    {"LinesWithoutMarkerNeverWritten",
     "preamble text\n@MISC{m,\n  note = {x}\n}\n\n@TECHREPORT{t,\n}\n@article{a,\n}\n" +
         Article("K", "1") + "trailing\n",
     "", 0, Article("K", "1")},
    // A one-line entry's body runs on to the next line that begins with "}".
    {"OneLineEntrySwallowsTheNext",
     "@comment{jabref-meta: a}\n" + Article("K", "2000") + Article("K", "2000"), "", 0,
     "@comment{jabref-meta: a}\n" + Article("K", "2000") + Article("K", "2000")},
    {"BraceAtEndOfFieldLineDoesNotEndEntry",
     "@ARTICLE{a,\n  volume = {1}}\n@ARTICLE{b,\n  volume = {1}\n}\n@ARTICLE{c,\n  volume = "
     "{1}\n}\n",
     "Probably the same: c a\n"
     "     1.: Journal:  Volume: 1 Year:  Pages: \n"
     "     2.: Journal:  Volume: 1 Year:  Pages: \n"
     "     Bibitem a stays, item c out\n\n",
     1, "@ARTICLE{a,\n  volume = {1}}\n@ARTICLE{b,\n  volume = {1}\n}\n"},
    // The copy stops at the first "}" line even when it holds a field word.
    {"WriteStopsAtFirstBraceLine",
     "@ARTICLE{a,\n  volume = {1},\n} year = {2000}\n  pages = {5}\n}\n", "", 0,
     "@ARTICLE{a,\n  volume = {1},\n} year = {2000}\n"},
    {"UnclosedLastEntryCopiedToEnd", Article("K", "1") + "@BOOK{b,\n  author = {A}", "", 0,
     Article("K", "1") + "@BOOK{b,\n  author = {A}"},
    // A title line that holds "author" sets the author.
    {"WordTestAnywhere",
     "@BOOK{x,\n  title = {The author of it}\n}\n@BOOK{y,\n  author = {The author of it}\n}\n",
     "Probably the same: y x\n"
     "     1.: Author: The author of it Title:  \n"
     "     2.: Author: The author of it Title:  \n"
     "     Bibitem x stays, item y out\n\n",
     1, "@BOOK{x,\n  title = {The author of it}\n}\n"},
    {"LaterLineWins",
     "@BOOK{x,\n  author = {A},\n  title = {T}\n}\n@BOOK{y,\n  author = {B},\n  title = {T},\n"
     "  author = {A}\n}\n",
     "Probably the same: y x\n"
     "     1.: Author: A Title: T \n"
     "     2.: Author: A Title: T \n"
     "     Bibitem x stays, item y out\n\n",
     1, "@BOOK{x,\n  author = {A},\n  title = {T}\n}\n"},
};

INSTANTIATE_TEST_SUITE_P(Clean, CleanCases, ::testing::ValuesIn(kCases),
                         [](const ::testing::TestParamInfo<CleanCase>& info) {
                           return std::string(info.param.name);
                         });

TEST(CleanRenameTest, EndingsCountInLetters) {
  struct {
    int number;
    const char* ending;
  } cases[] = {{1, "a"},    {2, "b"},     {26, "z"},      {27, "aa"},       {28, "ab"},
               {52, "az"},  {53, "ba"},   {702, "zz"},    {703, "aaa"},     {18278, "zzz"},
               {18279, "aaaa"}, {INT_MAX, "fxshrxw"}};
  for (const auto& c : cases) {
    char ending[16];
    RenameEnding(c.number, ending, sizeof ending);
    EXPECT_STREQ(c.ending, ending) << c.number;
  }
  char small[3];
  RenameEnding(703, small, sizeof small);
  EXPECT_STREQ("aa", small);
}

// After the 26th new key of a run the endings go on with two letters, so
// every key stays valid and unique.
TEST_F(CleanTest, ThirtyConflictsKeepKeysUnique) {
  const char* const endings[30] = {"a", "b", "c", "d", "e", "f", "g", "h", "i", "j",
                                   "k", "l", "m", "n", "o", "p", "q", "r", "s", "t",
                                   "u", "v", "w", "x", "y", "z", "aa", "ab", "ac", "ad"};
  std::string input;
  std::string expected_log;
  std::string expected_cleaned = Article("K", "1900");
  for (int i = 0; i <= 30; i++) input += Article("K", std::to_string(1900 + i).c_str());
  for (int i = 1; i <= 30; i++) {
    std::string year = std::to_string(1900 + i);
    expected_log += RenamedLog("K", year.c_str(), "1900", endings[i - 1]);
    expected_cleaned += Article(("K_" + std::string(endings[i - 1])).c_str(), year.c_str());
  }
  ForBothScans([&] {
    ASSERT_EQ(RESULT_DONE, Run(input));
    EXPECT_EQ(expected_log + Closing(30), log);
    EXPECT_EQ(expected_cleaned, cleaned);
  });
}

// The renamed first line may outgrow a line as read.
TEST_F(CleanTest, NewKeyOnLongestFirstLine) {
  std::string key(500, 'k');
  std::string first = "@ARTICLE{" + key + ",\n";  // the longest line read whole
  ASSERT_EQ(511u, first.size());
  std::string body = "  year = {1}\n}\n";
  std::string second_body = "  year = {2}\n}\n";
  ASSERT_EQ(RESULT_DONE, Run(first + body + first + second_body + first + body));
  EXPECT_EQ(first + body + "@ARTICLE{" + key + "_a,\n" + second_body, cleaned);
  EXPECT_NE(std::string::npos, log.find(" to " + key + "_a\n\nExactly the same : "));
}

// A physical line longer than 511 characters arrives in pieces; a piece
// that begins with "}" ends the entry, and the pieces are written whole.
TEST_F(CleanTest, LongLinesInPieces) {
  std::string long_line = "  abstract = {" + std::string(511 - 14, 'x') + "}\n";
  std::string entry = "@ARTICLE{long,\n" + long_line;
  std::string tail = "  volume = {9},\n}\n";
  std::string other_line = "  abstract = {" + std::string(900, 'y') + "}\n";
  std::string other = "@BOOK{b,\n  title = {B},\n" + other_line + "}\n";
  ASSERT_EQ(RESULT_DONE, Run(entry + tail + other + WithCrLf(other)));
  EXPECT_EQ(entry + other, cleaned);
  EXPECT_EQ("Exactly the same : b and b\n     1.: Author:  Title: B \n     2.: Author:  Title: B \n"
            "     One BibTeX entry stays\n\n" + Closing(1),
            log);
}

TEST_F(CleanTest, OutputsAreEmptiedOnEveryRun) {
  ASSERT_EQ(RESULT_DONE, Run(Article("K", "1") + Article("K", "2")));
  EXPECT_EQ(RESULT_DONE, Run("nothing\n"));
  EXPECT_EQ(Closing(0), log);
  EXPECT_EQ("", cleaned);
}

TEST_F(CleanTest, OutputsStayInTheInputsFolderWhateverItsName) {
  std::string folder = dir.File("my.refs");
  ASSERT_EQ(0, mkdir(folder.c_str(), 0700));
  WriteFile(folder + "/library.bib", Article("K", "1"));
  SetFileSlot(file_address_01, (folder + "/library.bib").c_str());
  EXPECT_EQ(RESULT_DONE, Clean());
  EXPECT_EQ(Article("K", "1"), ReadFile(folder + "/library_clean_of_doubles.bib"));
  EXPECT_TRUE(FileExists(folder + "/library_clean_of_doubles.log"));
  EXPECT_FALSE(FileExists(dir.File("my_clean_of_doubles.bib")));
}

TEST_F(CleanTest, PathWithoutDotGetsSuffixAppended) {
  WriteFile(dir.File("input"), Article("K", "1"));
  SetFileSlot(file_address_01, dir.File("input").c_str());
  EXPECT_EQ(RESULT_DONE, Clean());
  EXPECT_EQ(Article("K", "1"), ReadFile(dir.File("input_clean_of_doubles.bib")));
}

TEST_F(CleanTest, EmptySlotOpensNothing) {
  EXPECT_EQ(RESULT_NEED_BIBTEX, Clean());
  EXPECT_TRUE(state.platform.messages.empty());
}

TEST_F(CleanTest, InputThatCannotBeOpened) {
  const char* const message = "BibTeX file ?: Could not open the BibTeX file!";
  for (int is_folder = 0; is_folder < 2; is_folder++) {
    ScratchDir local;
    state.platform.messages.clear();
    if (is_folder) mkdir(local.File("input.bib").c_str(), 0700);
    SetFileSlot(file_address_01, local.File("input.bib").c_str());
    EXPECT_EQ(RESULT_NEED_BIBTEX, Clean());
    ASSERT_EQ(1u, state.platform.messages.size());
    EXPECT_EQ(message, state.platform.messages[0]);
    EXPECT_FALSE(FileExists(local.File("input_clean_of_doubles.log")));
  }
}

// An output that cannot be created (a folder stands in its place) stops
// the run; a clean log already created stays behind empty.
TEST_F(CleanTest, OutputThatCannotBeCreated) {
  for (int blocked = 0; blocked < 2; blocked++) {
    ScratchDir local;
    state.platform.messages.clear();
    std::string log_path = local.File("input_clean_of_doubles.log");
    std::string cleaned_path = local.File("input_clean_of_doubles.bib");
    WriteFile(local.File("input.bib"), Article("K", "1"));
    ASSERT_EQ(0, mkdir((blocked == 0 ? log_path : cleaned_path).c_str(), 0700));
    SetFileSlot(file_address_01, local.File("input.bib").c_str());
    EXPECT_EQ(RESULT_STOPPED, Clean());
    ASSERT_EQ(1u, state.platform.messages.size());
    if (blocked == 0) {
      EXPECT_EQ("File?: Could not open the ..._clean_of_doubles.log file!",
                state.platform.messages[0]);
      EXPECT_FALSE(FileExists(cleaned_path));
    } else {
      EXPECT_EQ("File?: Could not open " + cleaned_path + " !", state.platform.messages[0]);
      EXPECT_TRUE(FileExists(log_path));
      EXPECT_EQ("", ReadFile(log_path));
    }
  }
}

// A full disk is reported instead of success over a cut log; a cleaned
// file that is no regular file (here a device) cannot be read back as the
// index and is refused when it is created.
TEST_F(CleanTest, OutputThatCannotBeWritten) {
  WriteFile(dir.File("input.bib"), Article("K", "1"));
  SetFileSlot(file_address_01, dir.File("input.bib").c_str());
  if (!MakeWritesFail(dir.File("input_clean_of_doubles.log"))) GTEST_SKIP() << "no /dev/full";
  EXPECT_EQ(RESULT_STOPPED, Clean());
  EXPECT_EQ(std::vector<std::string>{"File?: Could not write the ..._clean_of_doubles.log file!"},
            state.platform.messages);

  ScratchDir local;
  state.platform.messages.clear();
  WriteFile(local.File("input.bib"), Article("K", "1"));
  SetFileSlot(file_address_01, local.File("input.bib").c_str());
  std::string cleaned = local.File("input_clean_of_doubles.bib");
  ASSERT_TRUE(MakeWritesFail(cleaned));
  EXPECT_EQ(RESULT_STOPPED, Clean());
  EXPECT_EQ(std::vector<std::string>{"File?: Could not open " + cleaned + " !"},
            state.platform.messages);
}

TEST_F(CleanTest, OutputFolderNotWritable) {
  WriteFile(dir.File("input.bib"), Article("K", "1"));
  SetMode(dir.File("input.bib").c_str(), 0444);
  SetMode(dir.path().c_str(), 0555);
  SetFileSlot(file_address_01, dir.File("input.bib").c_str());
  int result;
  {
    UnprivilegedScope scope;
    if (!scope.active()) GTEST_SKIP() << "cannot act as an ordinary user";
    result = Clean();
  }
  EXPECT_EQ(RESULT_STOPPED, result);
  ASSERT_EQ(1u, state.platform.messages.size());
  EXPECT_EQ("File?: Could not open the ..._clean_of_doubles.log file!",
            state.platform.messages[0]);
}

// A cleaned file that is the input under another name (a hard link) would
// be emptied before it is read.
TEST_F(CleanTest, InputLinkedToAnOutputIsSpared) {
  WriteFile(dir.File("input.bib"), Article("K", "1"));
  ASSERT_EQ(0, link(dir.File("input.bib").c_str(), dir.File("input_clean_of_doubles.bib").c_str()));
  SetFileSlot(file_address_01, dir.File("input.bib").c_str());
  EXPECT_EQ(RESULT_STOPPED, Clean());
  EXPECT_EQ(1u, state.platform.messages.size());
  EXPECT_EQ(Article("K", "1"), ReadFile(dir.File("input.bib")));
  EXPECT_FALSE(FileExists(dir.File("input_clean_of_doubles.log")));
}

}  // namespace
