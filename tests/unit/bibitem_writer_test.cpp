// The bibitem writer over reduced BibTeX files written by each test: the
// fifteen reference formats in both page modes, the field rules per entry
// type, and how entries the writer cannot typeset are passed over.
#include <gtest/gtest.h>

#include <cstdio>
#include <memory>
#include <string>

#include "app/state.h"
#include "classic_format/bibitem_writer.h"
#include "scan/line_reader.h"
#include "support/test_support.h"

namespace {

class BibitemWriterTest : public ::testing::Test {
 protected:
  // Typesets a reduced BibTeX file holding the given text, with entry_count
  // entries as the extract driver would count them.
  std::string Typeset(const std::string& reduced_text, int entry_count) {
    const std::string reduced_path = dir_.File("lib_extract_modified.bib");
    const std::string bibitems_path = dir_.File("lib_extract_bibitems.tex");
    WriteFile(reduced_path, reduced_text);
    std::FILE* reduced = OpenInputFile(reduced_path.c_str(), "r+");
    std::FILE* bibitems = std::fopen(bibitems_path.c_str(), "w");
    EXPECT_NE(reduced, nullptr);
    EXPECT_NE(bibitems, nullptr);
    if (reduced == nullptr || bibitems == nullptr) return "";
    auto reader = std::make_unique<LineReader>();
    OpenLineReader(reader.get(), reduced);
    WriteBibitems(reader.get(), bibitems, entry_count, ClassicStyleFromState(), FLAG_PAGEALL);
    std::fclose(reduced);
    std::fclose(bibitems);
    return ReadFile(bibitems_path);
  }

  OperationFixtureState state_;
  ScratchDir dir_;
};

// One entry of each typeset type, with every field the type prints.
const char kArticle[] =
    "@ARTICLE{Smith2001,\n"
    "  author = {Smith, John A. and Doe, Jane},\n"
    "  title = {A study of things},\n"
    "  journal = {Phys. Rev. B},\n"
    "  year = {2001},\n"
    "  volume = {64},\n"
    "  pages = {123--130}\n"
    "}\n"
    "\n";
const char kBook[] =
    "@BOOK{Brown1999,\n"
    "  author = {Brown, Lee},\n"
    "  title = {Quantum Things},\n"
    "  publisher = {Wiley},\n"
    "  year = {1999},\n"
    "  address = {New York}\n"
    "}\n"
    "\n";
const char kIncollection[] =
    "@INCOLLECTION{Green2005,\n"
    "  author = {Green, Ann},\n"
    "  title = {Chapter Title},\n"
    "  booktitle = {Big Book},\n"
    "  publisher = {Springer},\n"
    "  year = {2005},\n"
    "  editor = {White, Bob and Black, Carl},\n"
    "  address = {Berlin}\n"
    "}\n"
    "\n";
const char kPhdthesis[] =
    "@PHDTHESIS{Gray2010,\n"
    "  author = {Gray, Dana},\n"
    "  title = {My Thesis},\n"
    "  school = {MIT},\n"
    "  year = {2010}\n"
    "}\n"
    "\n";
const char kInproceedings[] =
    "@INPROCEEDINGS{Black2003,\n"
    "  author = {Black, Eve and Stone, Tom},\n"
    "  title = {A talk},\n"
    "  booktitle = {Conference on Things},\n"
    "  year = {2003},\n"
    "  editor = {A. Editor and B. Editor},\n"
    "  address = {Paris},\n"
    "  pages = {45--52},\n"
    "  publisher = {AIP}\n"
    "}\n"
    "\n";

struct FormatCase {
  const char* entry;
  JournalStyle style;
  const char* first_page;  // the whole \bibitem text with FLAG_PAGEALL 0
  const char* page_range;  // ... and with FLAG_PAGEALL 1
};

const FormatCase kFormatCases[] = {
    {kArticle, STYLE_ACS,
     "\\bibitem{Smith2001}\nSmith, John A.; Doe, Jane\n\\textit{Phys. Rev. B} \\textbf{2001}, 64, 123.\n\n",
     "\\bibitem{Smith2001}\nSmith, John A.; Doe, Jane\n\\textit{Phys. Rev. B} \\textbf{2001}, 64, 123--130.\n\n"},
    {kArticle, STYLE_APS,
     "\\bibitem{Smith2001}\nJohn A. Smith and Jane  Doe,\n\\textit{Phys. Rev. B} \\textbf{64}, 123 (2001).\n\n",
     "\\bibitem{Smith2001}\nJohn A. Smith and Jane  Doe,\n\\textit{Phys. Rev. B} \\textbf{64}, 123--130 (2001).\n\n"},
    {kArticle, STYLE_IOP,
     "\\bibitem{Smith2001}\nSmith John A and Doe Jane\n2001 \\textit{Phys. Rev. B} \\textbf{64} 123\n\n",
     "\\bibitem{Smith2001}\nSmith John A and Doe Jane\n2001 \\textit{Phys. Rev. B} \\textbf{64} 123--130\n\n"},
    {kBook, STYLE_ACS,
     "\\bibitem{Brown1999}\nBrown, Lee \\textit{Quantum Things}; Wiley; New York, 1999.\n\n", nullptr},
    {kBook, STYLE_APS,
     "\\bibitem{Brown1999}\n\\textit{Quantum Things}, edited by Lee Brown (Wiley, New York, 1999).\n\n", nullptr},
    {kBook, STYLE_IOP,
     "\\bibitem{Brown1999}\nBrown Lee 1999 \\textit{Quantum Things} (New York: Wiley)\n\n", nullptr},
    {kIncollection, STYLE_ACS,
     "\\bibitem{Green2005}\nGreen, Ann, \\textit{Chapter Title in White, Bob; Black, Carl Big Book}; "
     "Springer: Berlin, 2005.\n\n",
     nullptr},
    {kIncollection, STYLE_APS,
     "\\bibitem{Green2005}\nAnn Green, in \\textit{Big Book}, edited by Bob White and Carl  Black "
     "(Springer, Berlin, 2005).\n\n",
     nullptr},
    {kIncollection, STYLE_IOP,
     "\\bibitem{Green2005}\nGreen Ann 2005 \\textit{Chapter Title} in \\textit{Big Book} ed White Bob "
     "and Black Carl (Berlin: Springer)\n\n",
     nullptr},
    {kPhdthesis, STYLE_ACS, "\\bibitem{Gray2010}\nGray, Dana, Ph.D. thesis; MIT, 2010.\n\n", nullptr},
    // The APS thesis reference ends in ")." as journals have always received it.
    {kPhdthesis, STYLE_APS, "\\bibitem{Gray2010}\nDana Gray, Ph.D. thesis, MIT, 2010).\n\n", nullptr},
    {kPhdthesis, STYLE_IOP, "\\bibitem{Gray2010}\nGray Dana 2010 Ph.D. thesis MIT\n\n", nullptr},
    // The editors of proceedings are printed as written, in every style.
    {kInproceedings, STYLE_ACS,
     "\\bibitem{Black2003}\nBlack, Eve; Stone, Tom, in \\textit{Proceedings of the Conference on Things} "
     "edited by A. Editor and B. Editor (AIP, Paris, 2003), p. 45\n\n",
     "\\bibitem{Black2003}\nBlack, Eve; Stone, Tom, in \\textit{Proceedings of the Conference on Things} "
     "edited by A. Editor and B. Editor (AIP, Paris, 2003), p. 45--52\n\n"},
    {kInproceedings, STYLE_APS,
     "\\bibitem{Black2003}\nEve Black and Tom  Stone, in \\textit{Proceedings of the Conference on Things} "
     "edited by A. Editor and B. Editor (AIP, Paris, 2003), p. 45\n\n",
     "\\bibitem{Black2003}\nEve Black and Tom  Stone, in \\textit{Proceedings of the Conference on Things} "
     "edited by A. Editor and B. Editor (AIP, Paris, 2003), p. 45--52\n\n"},
    {kInproceedings, STYLE_IOP,
     "\\bibitem{Black2003}\nBlack Eve and Stone Tom 2003 \\textit{Proc. Conference on Things} "
     "(Paris: A. Editor and B. Editor) p 45\n\n",
     "\\bibitem{Black2003}\nBlack Eve and Stone Tom 2003 \\textit{Proc. Conference on Things} "
     "(Paris: A. Editor and B. Editor) p 45--52\n\n"},
};

TEST_F(BibitemWriterTest, EachTypeInEachStyleAndPageMode) {
  for (const FormatCase& c : kFormatCases) {
    for (int pageall = 0; pageall <= 1; pageall++) {
      SetJournalStyle(c.style);
      FLAG_PAGEALL = pageall;
      const char* expected = pageall == 1 && c.page_range != nullptr ? c.page_range : c.first_page;
      EXPECT_EQ(Typeset(c.entry, 1), expected) << "style " << c.style << ", pageall " << pageall;
    }
  }
}

// All five in one file: each entry's field scan ends at the next entry's
// first line, and nothing carries over from one entry to the next.
TEST_F(BibitemWriterTest, FiveEntriesInARow) {
  const std::string file = std::string(kArticle) + kBook + kIncollection + kPhdthesis + kInproceedings;
  for (JournalStyle style : {STYLE_ACS, STYLE_APS, STYLE_IOP}) {
    for (int pageall = 0; pageall <= 1; pageall++) {
      SetJournalStyle(style);
      FLAG_PAGEALL = pageall;
      std::string expected;
      for (const FormatCase& c : kFormatCases) {
        if (c.style != style) continue;
        expected += pageall == 1 && c.page_range != nullptr ? c.page_range : c.first_page;
      }
      EXPECT_EQ(Typeset(file, 5), expected) << "style " << style << ", pageall " << pageall;
    }
  }
}

TEST_F(BibitemWriterTest, NoStyleFlagWritesTheBibitemLinesOnly) {
  FLAG_APS = FLAG_ACS = FLAG_IOP = 0;
  EXPECT_EQ(Typeset(std::string(kArticle) + kBook, 2), "\\bibitem{Smith2001}\n\\bibitem{Brown1999}\n");
}

TEST_F(BibitemWriterTest, FirstPageCut) {
  struct {
    const char* pages_line;
    const char* first_page;
  } cases[] = {
      {"  pages = {123--130}\n", "123"},
      {"  pages = {123 -- 130}\n", "123 "},  // the blank before the dash stays
      {"  pages = {e1234}\n", "e1234"},
      {"  pages = {}\n", ""},
      {"  pages = {-5}\n", ""},
  };
  SetJournalStyle(STYLE_IOP);
  for (const auto& c : cases) {
    FLAG_PAGEALL = 0;
    std::string entry = std::string("@ARTICLE{k,\n  journal = {J},\n") + c.pages_line + "}\n";
    EXPECT_EQ(Typeset(entry, 1), std::string("\\bibitem{k}\n\n \\textit{J} \\textbf{} ") + c.first_page + "\n\n")
        << c.pages_line;
  }
}

// Field texts start empty for every entry: a value of the entry before
// never shows in the next one.
TEST_F(BibitemWriterTest, FieldsDoNotCarryOver) {
  SetJournalStyle(STYLE_APS);
  const std::string two_articles =
      "@ARTICLE{a,\n  journal = {J},\n  volume = {12},\n  year = {2000}\n}\n"
      "@ARTICLE{b,\n  journal = {K},\n  year = {2001}\n}\n";
  EXPECT_EQ(Typeset(two_articles, 2),
            "\\bibitem{a}\n,\n\\textit{J} \\textbf{12},  (2000).\n\n"
            "\\bibitem{b}\n,\n\\textit{K} \\textbf{},  (2001).\n\n");

  const std::string two_chapters =
      "@INCOLLECTION{c,\n  publisher = {P},\n}\n@INCOLLECTION{d,\n  year = {1990},\n}\n";
  EXPECT_EQ(Typeset(two_chapters, 2),
            "\\bibitem{c}\n, in \\textit{}, edited by  (P, , ).\n\n"
            "\\bibitem{d}\n, in \\textit{}, edited by  (, , 1990).\n\n");
}

TEST_F(BibitemWriterTest, TitleAndBooktitle) {
  SetJournalStyle(STYLE_IOP);
  // A book takes the title from a "booktitle" line too, the later one winning.
  EXPECT_EQ(Typeset("@BOOK{b,\n  title = {Short},\n  booktitle = {Series Name},\n}\n", 1),
            "\\bibitem{b}\n  \\textit{Series Name} (: )\n\n");
  // A chapter keeps the two apart.
  EXPECT_EQ(Typeset("@INCOLLECTION{c,\n  title = {Chapter},\n  booktitle = {Book},\n}\n", 1),
            "\\bibitem{c}\n  \\textit{Chapter} in \\textit{Book} ed  (: )\n\n");
}

// Field names are substrings: each test on its own, so one line may fill
// several texts.
TEST_F(BibitemWriterTest, OneLineMayFillSeveralFields) {
  SetJournalStyle(STYLE_ACS);
  EXPECT_EQ(Typeset("@BOOK{b,\n  title = {The year without summer},\n}\n", 1),
            "\\bibitem{b}\n \\textit{The year without summer}; ; , The year without summer.\n\n");
}

// entry_author reads the continuation lines itself; the scan goes on
// after them, so a field on the line after the list is still found.
TEST_F(BibitemWriterTest, AuthorListOverSeveralLines) {
  SetJournalStyle(STYLE_APS);
  const char entry[] =
      "@ARTICLE{m,\n"
      "  author = {Smith, John and\n"
      "\tDoe, Jane and Brown, Lee},\n"
      "  journal = {Nature},\n"
      "  year = {1990},\n"
      "  volume = {1},\n"
      "  pages = {5--6}\n"
      "}\n";
  EXPECT_EQ(Typeset(entry, 1),
            "\\bibitem{m}\nJohn Smith, Jane  Doe and Lee  Brown,\n\\textit{Nature} \\textbf{1}, 5 (1990).\n\n");
}

// Other values are cut to their own line, line break included; the next
// line is scanned like any other.
TEST_F(BibitemWriterTest, ValueOverTwoLinesKeepsItsFirstPart) {
  SetJournalStyle(STYLE_IOP);
  EXPECT_EQ(Typeset("@BOOK{b,\n  title = {A long\n\tstory},\n  year = {1999}\n}\n", 1),
            "\\bibitem{b}\n 1999 \\textit{A long\n} (: )\n\n");
}

TEST_F(BibitemWriterTest, BracesInValues) {
  SetJournalStyle(STYLE_IOP);
  // Double braces are dropped, inner groups kept.
  EXPECT_EQ(Typeset("@BOOK{b,\n  title = {{All Caps}},\n  publisher = {The {DNA} Press},\n}\n", 1),
            "\\bibitem{b}\n  \\textit{All Caps} (: The {DNA} Press)\n\n");
}

// A value without braces gives the empty text; the scan does not run off
// the line.
TEST_F(BibitemWriterTest, ValueWithoutBrace) {
  SetJournalStyle(STYLE_IOP);
  EXPECT_EQ(Typeset("@PHDTHESIS{t,\n  author = \"Doe, Jane\",\n  year = 2009,\n  school = {MIT}\n}\n", 1),
            "\\bibitem{t}\n  Ph.D. thesis MIT\n\n");
}

TEST_F(BibitemWriterTest, TypeNameAndKeyEndWithinTheLine) {
  struct {
    const char* line;
    const char* type;
    const char* key;
  } cases[] = {
      {"@ARTICLE{Smith2009,\n", "ARTICLE", "Smith2009"},
      {"@ARTICLE{Smith2009\n", "ARTICLE", "Smith2009"},  // no comma: the key ends at the line end
      {"@ARTICLE{Smith2009", "ARTICLE", "Smith2009"},
      {"@ARTICLE\n", "ARTICLE", ""},  // no brace: the type ends at the line end, no key
      {"@ARTICLE", "ARTICLE", ""},
      {"@ARTICLE{,\n", "ARTICLE", ""},
      {" @ARTICLE{x,\n", "@ARTICLE", "x"},
      {"@ARTICLE {x,\n", "ARTICLE ", "x"},
  };
  SetJournalStyle(STYLE_APS);
  for (const auto& c : cases) {
    char type[LINE_SIZE];
    EntryTypeName(c.line, type, sizeof type);
    EXPECT_STREQ(type, c.type) << c.line;
    std::string entry = c.line;
    if (entry.back() != '\n') entry += "\n";
    std::string expected = std::string("\\bibitem{") + c.key + "}\n";
    if (std::string(c.type) == "ARTICLE") expected += ",\n\\textit{} \\textbf{},  ().\n\n";
    EXPECT_EQ(Typeset(entry + "}\n", 1), expected) << c.line;
  }
}

// An entry the writer cannot typeset gets its \bibitem line alone, and the
// entries after it are still typeset.
TEST_F(BibitemWriterTest, UnknownTypesAreNotTypesetButLaterEntriesAre) {
  SetJournalStyle(STYLE_IOP);
  const std::string book = "@BOOK{b,\n  year = {1999}\n}\n";
  const std::string book_out = "\\bibitem{b}\n 1999 \\textit{} (: )\n\n";
  struct {
    const char* first;
    const char* first_out;
  } cases[] = {
      // holds the marker "@BOOK", but its type name is BOOKLET
      {"@BOOKLET{l,\n  year = {2001}\n}\n", "\\bibitem{l}\n"},
      // a blank before "@": the type name holds the "@"
      {"  @ARTICLE{x,\n  year = {2001}\n}\n", "\\bibitem{x}\n"},
      // no type marker at all: nothing for it
      {"@MISC{m,\n  year = {2001}\n}\n", ""},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(Typeset(std::string(c.first) + book, 2), std::string(c.first_out) + book_out) << c.first;
  }
}

// An entry without a type marker that follows a typeset one is read as
// part of it: its field lines fill that entry's texts.
TEST_F(BibitemWriterTest, EntryWithoutMarkerReadsAsPartOfThePreviousOne) {
  SetJournalStyle(STYLE_IOP);
  const std::string file =
      "@BOOK{b,\n  year = {1999},\n  title = {Book}\n}\n"
      "@MISC{m,\n  year = {2020}\n}\n"
      "@BOOK{c,\n  year = {2001}\n}\n";
  EXPECT_EQ(Typeset(file, 3),
            "\\bibitem{b}\n 2020 \\textit{Book} (: )\n\n"
            "\\bibitem{c}\n 2001 \\textit{} (: )\n\n");
}

// The last entry ends at the end of the file, even without a line feed;
// extra iterations there write nothing, never the last entry again.
TEST_F(BibitemWriterTest, EntryAtTheEndOfTheFile) {
  SetJournalStyle(STYLE_IOP);
  EXPECT_EQ(Typeset("@BOOK{b,\n  year = {1999}}", 1), "\\bibitem{b}\n 1999 \\textit{} (: )\n\n");
  EXPECT_EQ(Typeset("@MISC{m,\n}\n@BOOK{b, year = {1999}}\n", 2), "\\bibitem{b}\n  \\textit{} (: )\n\n");
  EXPECT_EQ(Typeset("@BOOK{b,\n  year = {1999}\n}\n", 3), "\\bibitem{b}\n 1999 \\textit{} (: )\n\n");
  EXPECT_EQ(Typeset("", 2), "");
}

TEST_F(BibitemWriterTest, CountLimitsTheEntries) {
  SetJournalStyle(STYLE_IOP);
  EXPECT_EQ(Typeset(std::string(kBook) + kPhdthesis, 1),
            "\\bibitem{Brown1999}\nBrown Lee 1999 \\textit{Quantum Things} (New York: Wiley)\n\n");
  EXPECT_EQ(Typeset(kBook, 0), "");
}

// A line longer than a line buffer is scanned in pieces; a field name in
// the second piece still counts, and the first piece's value is cut there.
TEST_F(BibitemWriterTest, LongLineInPieces) {
  SetJournalStyle(STYLE_IOP);
  const std::string long_title(600, 'x');
  const std::string entry = "@BOOK{b,\n  title = {" + long_title + "}, year = {1999}\n}\n";
  // The first piece holds "  title = {" and 500 x's: the value runs to the
  // piece's end; the second piece holds the rest and the year.
  EXPECT_EQ(Typeset(entry, 1), "\\bibitem{b}\n 1999 \\textit{" + std::string(500, 'x') + "} (: )\n\n");
}

TEST_F(BibitemWriterTest, CarriageReturnsAreNotPartOfTheValues) {
  SetJournalStyle(STYLE_APS);
  std::string lf = std::string(kArticle) + kInproceedings;
  std::string crlf;
  for (char c : lf) crlf += c == '\n' ? std::string("\r\n") : std::string(1, c);
  EXPECT_EQ(Typeset(crlf, 2), Typeset(lf, 2));
}

}  // namespace
