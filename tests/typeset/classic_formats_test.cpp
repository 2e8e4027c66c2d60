// Complete entries in the classic layout print as the classic writer
// prints them (runs of blanks aside), except where its text was wrong;
// and an entry missing any part leaves no empty slot behind.
#include <gtest/gtest.h>

#include <string>

#include "typeset/make_entry.h"
#include "typeset/reference.h"

namespace {

const BibBlock kArticle = MakeEntry("ARTICLE", "Smith2001",
    {{"author", "Smith, John A. and Doe, Jane"}, {"title", "A study of things"}, {"journal", "Phys. Rev. B"},
     {"year", "2001"}, {"volume", "64"}, {"pages", "123--130"}});
const BibBlock kBook = MakeEntry("BOOK", "Brown1999",
    {{"author", "Brown, Lee"}, {"title", "Quantum Things"}, {"publisher", "Wiley"}, {"year", "1999"},
     {"address", "New York"}});
const BibBlock kIncollection = MakeEntry("INCOLLECTION", "Green2005",
    {{"author", "Green, Ann"}, {"title", "Chapter Title"}, {"booktitle", "Big Book"}, {"publisher", "Springer"},
     {"year", "2005"}, {"editor", "White, Bob and Black, Carl"}, {"address", "Berlin"}});
const BibBlock kPhdthesis = MakeEntry("PHDTHESIS", "Gray2010",
    {{"author", "Gray, Dana"}, {"title", "My Thesis"}, {"school", "MIT"}, {"year", "2010"}});
const BibBlock kInproceedings = MakeEntry("INPROCEEDINGS", "Black2003",
    {{"author", "Black, Eve and Stone, Tom"}, {"title", "A talk"}, {"booktitle", "Conference on Things"},
     {"year", "2003"}, {"editor", "A. Editor and B. Editor"}, {"address", "Paris"}, {"pages", "45--52"},
     {"publisher", "AIP"}});

struct ClassicCase {
  const BibBlock* entry;
  JournalStyle style;
  const char* reference;  // the first-page reference
};

// The classic text, with one blank where it wrote two.
const ClassicCase kKeptCases[] = {
    {&kArticle, STYLE_ACS, "Smith, John A.; Doe, Jane\n\\textit{Phys. Rev. B} \\textbf{2001}, 64, 123.\n\n"},
    {&kArticle, STYLE_APS, "John A. Smith and Jane Doe,\n\\textit{Phys. Rev. B} \\textbf{64}, 123 (2001).\n\n"},
    {&kArticle, STYLE_IOP, "Smith John A and Doe Jane\n2001 \\textit{Phys. Rev. B} \\textbf{64} 123\n\n"},
    {&kBook, STYLE_IOP, "Brown Lee 1999 \\textit{Quantum Things} (New York: Wiley)\n\n"},
    {&kIncollection, STYLE_APS,
     "Ann Green, in \\textit{Big Book}, edited by Bob White and Carl Black (Springer, Berlin, 2005).\n\n"},
    {&kIncollection, STYLE_IOP,
     "Green Ann 2005 \\textit{Chapter Title} in \\textit{Big Book} ed White Bob and Black Carl "
     "(Berlin: Springer)\n\n"},
    {&kPhdthesis, STYLE_ACS, "Gray, Dana, Ph.D. thesis; MIT, 2010.\n\n"},
    {&kPhdthesis, STYLE_IOP, "Gray Dana 2010 Ph.D. thesis MIT\n\n"},
    {&kInproceedings, STYLE_APS,
     "Eve Black and Tom Stone, in \\textit{Proceedings of the Conference on Things} edited by A. Editor and "
     "B. Editor (AIP, Paris, 2003), p. 45\n\n"},
};

// Where the classic text was wrong, the mended text.
const ClassicCase kMendedCases[] = {
    // Publisher and place are "Publisher: Place", as in the chapter reference.
    {&kBook, STYLE_ACS, "Brown, Lee \\textit{Quantum Things}; Wiley: New York, 1999.\n\n"},
    // The author was printed as an editor.
    {&kBook, STYLE_APS, "Lee Brown, \\textit{Quantum Things} (Wiley, New York, 1999).\n\n"},
    // Editors and book title ran together inside the italic chapter title.
    {&kIncollection, STYLE_ACS,
     "Green, Ann, Chapter Title. In \\textit{Big Book}; White, Bob; Black, Carl, Eds.; Springer: Berlin, 2005.\n\n"},
    // The closing parenthesis had no opening one.
    {&kPhdthesis, STYLE_APS, "Dana Gray, Ph.D. thesis, MIT (2010).\n\n"},
    // The editors stood where the publisher belongs.
    {&kInproceedings, STYLE_IOP,
     "Black Eve and Stone Tom 2003 \\textit{Proc. Conference on Things} ed Editor A and Editor B (Paris: AIP) "
     "p 45\n\n"},
    // Editors in the style's own name form.
    {&kInproceedings, STYLE_ACS,
     "Black, Eve; Stone, Tom, in \\textit{Proceedings of the Conference on Things} edited by Editor, A.; "
     "Editor, B. (AIP, Paris, 2003), p. 45\n\n"},
};

TEST(ClassicFormatsTest, CompleteEntriesPrintAsBefore) {
  for (const ClassicCase& c : kKeptCases) EXPECT_EQ(Typeset(*c.entry, c.style), c.reference) << c.entry->key;
}

TEST(ClassicFormatsTest, WrongClassicTextIsMended) {
  for (const ClassicCase& c : kMendedCases) EXPECT_EQ(Typeset(*c.entry, c.style), c.reference) << c.entry->key;
  // A range is "pp.", never "p. 45--52".
  EXPECT_EQ(Typeset(kInproceedings, STYLE_APS, 1),
            "Eve Black and Tom Stone, in \\textit{Proceedings of the Conference on Things} edited by A. Editor and "
            "B. Editor (AIP, Paris, 2003), pp. 45--52\n\n");
}

// Marks of an empty slot in any reference.
void ExpectNoEmptySlot(const std::string& text, const std::string& label) {
  for (const char* mark : {"()", "(,", ", ,", ",)", ": )", "(:", ":)", "{}", ";;", "; ;", ",,", " ,", " .", "  ",
                           "edited by (", "edited by ,", "p. (", "Eds.;;", "\\textit{}", "\\textbf{}", " ed )"}) {
    EXPECT_EQ(text.find(mark), std::string::npos) << label << ": '" << mark << "' in\n" << text;
  }
  EXPECT_NE(text.substr(0, 1), ",") << label;
  EXPECT_NE(text.substr(0, 1), " ") << label;
}

TEST(ClassicFormatsTest, EachMissingPartDropsWithItsPunctuation) {
  const BibBlock* entries[] = {&kArticle, &kBook, &kIncollection, &kPhdthesis, &kInproceedings};
  for (const BibBlock* full : entries) {
    for (std::size_t drop = 0; drop < full->fields.size(); drop++) {
      BibBlock entry = *full;
      entry.fields.erase(entry.fields.begin() + static_cast<long>(drop));
      for (JournalStyle style : {STYLE_APS, STYLE_ACS, STYLE_IOP}) {
        std::string what = std::string(full->key) + " without " + std::string(full->fields[drop].name);
        ExpectNoEmptySlot(Typeset(entry, style, 1), what + " style " + std::to_string(style));
      }
    }
  }
}

struct MissingCase {
  BibBlock entry;
  JournalStyle style;
  const char* reference;
};

TEST(ClassicFormatsTest, MissingPartsTakeTheirWordsWithThem) {
  const MissingCase cases[] = {
      // No editor: no "edited by"; no pages: no "p.".
      {MakeEntry("incollection", "k", {{"author", "Green, Ann"}, {"booktitle", "Big Book"}, {"year", "2005"}}),
       STYLE_APS, "Ann Green, in \\textit{Big Book} (2005).\n\n"},
      {MakeEntry("inproceedings", "k", {{"author", "Red, Rita"}, {"booktitle", "Conf"}}), STYLE_IOP,
       "Red Rita \\textit{Proc. Conf}\n\n"},
      // No school, no year: the kind of thesis stays, it names the work.
      {MakeEntry("phdthesis", "k", {{"author", "Gray, Dana"}}), STYLE_APS, "Dana Gray, Ph.D. thesis.\n\n"},
      {MakeEntry("phdthesis", "k", {{"author", "Gray, Dana"}}), STYLE_ACS, "Gray, Dana, Ph.D. thesis.\n\n"},
      {MakeEntry("book", "k", {{"title", "T"}, {"year", "1999"}}), STYLE_IOP, "1999 \\textit{T}\n\n"},
      {MakeEntry("book", "k", {{"title", "T"}, {"address", "Paris"}}), STYLE_ACS, "\\textit{T}; Paris.\n\n"},
      {MakeEntry("article", "k", {{"author", "Smith, J."}, {"journal", "Nature"}, {"year", "2001"}}), STYLE_ACS,
       "Smith, J.\n\\textit{Nature} \\textbf{2001}.\n\n"},
      // An article without pages is found by its DOI in the ACS style.
      {MakeEntry("article", "k", {{"journal", "Nature"}, {"year", "2001"}, {"volume", "5"}, {"doi", "10.1/a_b"}}),
       STYLE_ACS, "\\textit{Nature} \\textbf{2001}, 5, DOI: \\texttt{10.1/a\\_b}.\n\n"},
      {MakeEntry("article", "k", {{"author", "Smith, J."}, {"pages", "5"}}), STYLE_APS, "J. Smith, 5.\n\n"},
      {MakeEntry("misc", "k", {}), STYLE_APS, "\n\n"},
      // An empty value counts as absent.
      {MakeEntry("article", "k", {{"author", ""}, {"journal", "Nature"}, {"volume", ""}, {"year", "2001"}}),
       STYLE_APS, "\\textit{Nature} (2001).\n\n"},
  };
  for (const MissingCase& c : cases) EXPECT_EQ(Typeset(c.entry, c.style), c.reference) << c.entry.type;
}

TEST(ClassicFormatsTest, CrossrefParentFillsOnlyWhatTheEntryLacks) {
  const BibBlock parent = MakeEntry("book", "parent",
      {{"booktitle", "Big Book"}, {"editor", "White, Bob"}, {"publisher", "Springer"}, {"year", "2005"},
       {"address", "Berlin"}});
  const BibBlock chapter = MakeEntry("incollection", "child",
      {{"author", "Green, Ann"}, {"title", "Chapter"}, {"crossref", "parent"}, {"year", "2006"}});
  EXPECT_EQ(Typeset(chapter, STYLE_APS, 0, &parent),
            "Ann Green, in \\textit{Big Book}, edited by Bob White (Springer, Berlin, 2006).\n\n");
  EXPECT_EQ(Typeset(chapter, STYLE_APS, 0, nullptr), "Ann Green (2006).\n\n");
}

TEST(ClassicFormatsTest, ValuesThatWouldStopPdflatexAreDefused) {
  const BibBlock entry = MakeEntry("misc", "k",
      {{"author", "Smith & Sons"}, {"title", "100% of {H_2O} #1"}, {"howpublished", "\\url{http://a.org/x_y}"},
       {"url", "http://a.org/?q=a_b&c=%20"}});
  EXPECT_EQ(Typeset(entry, STYLE_APS),
            "Smith \\& Sons, 100\\% of {H\\_2O} \\#1, \\texttt{http://a.org/x\\_y}, "
            "\\texttt{http://a.org/?q=a\\_b\\&c=\\%20}.\n\n");
}

}  // namespace
