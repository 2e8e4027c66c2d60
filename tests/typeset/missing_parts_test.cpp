// Entries that lack parts print as the journal styles print them (the
// expected texts are their output, read back from pdflatex); an entry
// missing any one part leaves no empty slot behind; a crossref parent
// fills what the entry lacks; values that would stop pdflatex are made
// harmless.
#include <gtest/gtest.h>

#include <string>

#include "typeset/make_entry.h"
#include "typeset/printed_text.h"
#include "typeset/reference.h"

namespace {

const BibBlock kArticle = MakeEntry("ARTICLE", "Smith2001",
    {{"author", "Smith, John A. and Doe, Jane"}, {"title", "A study of things"}, {"journal", "Phys. Rev. B"},
     {"year", "2001"}, {"volume", "64"}, {"pages", "123--130"}, {"note", "In press"}, {"eprint", "2001.01234"}});
const BibBlock kBook = MakeEntry("BOOK", "Brown1999",
    {{"author", "Brown, Lee"}, {"title", "Quantum Things"}, {"publisher", "Wiley"}, {"year", "1999"},
     {"address", "New York"}, {"edition", "2"}, {"series", "Lib"}, {"volume", "3"}});
const BibBlock kIncollection = MakeEntry("INCOLLECTION", "Green2005",
    {{"author", "Green, Ann"}, {"title", "Chapter Title"}, {"booktitle", "Big Book"}, {"publisher", "Springer"},
     {"year", "2005"}, {"editor", "White, Bob"}, {"address", "Berlin"}, {"pages", "45--67"}});
const BibBlock kPhdthesis = MakeEntry("PHDTHESIS", "Gray2010",
    {{"author", "Gray, Dana"}, {"title", "My Thesis"}, {"school", "MIT"}, {"address", "Cambridge"}, {"year", "2010"}});
const BibBlock kInproceedings = MakeEntry("INPROCEEDINGS", "Red2011",
    {{"author", "Red, Rita"}, {"title", "Talk"}, {"booktitle", "Conf"}, {"editor", "Orange, Otto"},
     {"publisher", "AIP"}, {"year", "2011"}, {"pages", "10--12"}});
const BibBlock kTechreport = MakeEntry("techreport", "Olive2016",
    {{"author", "Olive, Olga"}, {"title", "Report"}, {"institution", "NIST"}, {"number", "TN-1"}, {"year", "2016"}});
const BibBlock kMisc = MakeEntry("misc", "Grey2018",
    {{"author", "Grey, Gus"}, {"title", "Data"}, {"howpublished", "Online"}, {"url", "https://a.org/x"},
     {"note", "Seen 2020"}, {"year", "2018"}});

const char* const kStyleOptions[] = {"aps", "iop", "acs", "nature", "rsc"};

// Marks of an empty slot in any reference.  (APS keeps the blank after a
// journal whose volume is missing, "Biometrics , 907": so does apsrev4-2.)
void ExpectNoEmptySlot(const std::string& text, const std::string& label) {
  for (const char* mark : {"()", "(,", ", ,", ",)", ": )", "(:", ":)", "{}", ";;", "; ;", ",,", " .", "  ",
                           "edited by (", "edited by ,", "Eds.;;", " ed )", "..", ". ."}) {
    EXPECT_EQ(text.find(mark), std::string::npos) << label << ": '" << mark << "' in\n" << text;
  }
  EXPECT_NE(text.substr(0, 1), ",") << label;
  EXPECT_NE(text.substr(0, 1), " ") << label;
}

TEST(MissingPartsTest, EachMissingPartDropsWithItsPunctuation) {
  const BibBlock* entries[] = {&kArticle, &kBook, &kIncollection, &kPhdthesis, &kInproceedings, &kTechreport, &kMisc};
  for (const BibBlock* full : entries) {
    for (std::size_t drop = 0; drop < full->fields.size(); drop++) {
      BibBlock entry = *full;
      entry.fields.erase(entry.fields.begin() + static_cast<long>(drop));
      for (const char* style : kStyleOptions) {
        std::string what = std::string(full->key) + " without " + std::string(full->fields[drop].name);
        if (std::string(style) == "aps" && what == "Smith2001 without volume") continue;
        ExpectNoEmptySlot(Typeset(entry, style, 1), what + " in " + style);
      }
    }
  }
}

const BibBlock kChapterAlone = MakeEntry("incollection", "m1", {{"author", "Green, Ann"}, {"booktitle", "Big Book"}, {"year", "2005"}});
const BibBlock kThesisAlone = MakeEntry("phdthesis", "m2", {{"author", "Gray, Dana"}});
const BibBlock kTitleYear = MakeEntry("book", "m3", {{"title", "T"}, {"year", "1999"}});
const BibBlock kNoVolume = MakeEntry("article", "m4", {{"author", "Smith, J."}, {"journal", "Nature"}, {"year", "2001"}});
const BibBlock kNoJournal = MakeEntry("article", "m6", {{"author", "Smith, J."}, {"pages", "5"}, {"year", "2001"}});
// An edition written as a word: the styles but Nature write it "2nd".
const BibBlock kWordEdition = MakeEntry("book", "m8",
    {{"author", "Brown, Lee"}, {"title", "Things"}, {"edition", "Second"}, {"publisher", "Wiley"}, {"year", "1999"}});
// A name that ends in no full stop still closes its block in Nature.
const BibBlock kBodyAuthor = MakeEntry("article", "m9",
    {{"author", "{NOAA}"}, {"title", "Sea level data"}, {"journal", "Nature"}, {"volume", "5"}, {"pages", "1--2"},
     {"year", "2014"}});
// A talk with no book title: Nature writes neither "In" nor a full stop
// before the publisher's parentheses.
const BibBlock kNoBooktitle = MakeEntry("inproceedings", "m10",
    {{"author", "Ernest, A. N. S."}, {"title", "Expert System"}, {"publisher", "EKWOA"}, {"address", "Lexington"},
     {"year", "2006"}});
const BibBlock kNoBooktitleSeries = MakeEntry("inproceedings", "m11",
    {{"author", "Galan, Luis"}, {"title", "Functional skeletons"}, {"series", "LNCS"}, {"volume", "1140"},
     {"pages", "289--303"}, {"publisher", "Springer"}, {"year", "1996"}});

struct MissingCase {
  const BibBlock* entry;
  const char* printed[5];  // aps, iop, acs, nature, rsc; nullptr: not compared
};

const MissingCase kMissingCases[] = {
    {&kChapterAlone,
     {"A. Green, in Big Book (2005)",
      "Green A 2005 Big Book",
      "Green, A. In Big Book, 2005.",
      "Green, A. In Big Book (2005).",
      "A. Green, in Big Book, 2005."}},
    {&kThesisAlone,
     {"D. Gray, Ph.D. thesis",
      "Gray D Ph.D. thesis",
      "Gray, D.; Ph.D. thesis.",
      "Gray, D. Ph.D. thesis.",
      "D. Gray, Ph.D. thesis."}},
    {&kTitleYear,
     {"T (1999)",
      "1999 T",
      "T, 1999.",
      "T (1999).",
      "T, 1999."}},
    {&kNoVolume,
     {"J. Smith, Nature (2001)",
      "Smith J 2001 Nature",
      "Smith, J. Nature 2001.",
      "Smith, J. Nature (2001).",
      "J. Smith, Nature, 2001."}},
    {&kNoJournal,
     {nullptr,
      "Smith J 2001 5",
      "Smith, J. 2001, 5.",
      "Smith, J. 5 (2001).",
      "J. Smith, 2001, 5."}},
    {&kWordEdition,
     {"L. Brown, Things, 2nd ed. (Wiley, 1999)",
      "Brown L 1999 Things 2nd ed (Wiley)",
      "Brown, L. Things, 2nd ed.; Wiley, 1999.",
      "Brown, L. Things (Wiley, 1999), second edn.",
      "L. Brown, Things, Wiley, 2nd edn., 1999."}},
    {&kBodyAuthor, {nullptr, nullptr, nullptr, "NOAA. Sea level data. Nature 5, 1-2 (2014).", nullptr}},
    {&kNoBooktitle,
     {"A. N. S. Ernest (EKWOA, Lexington, 2006)", nullptr, nullptr,
      "Ernest, A. N. S. Expert system (EKWOA, Lexington, 2006).", nullptr}},
    {&kNoBooktitleSeries,
     {nullptr, nullptr, nullptr, "Galan, L. Functional skeletons. vol. 1140 of LNCS, 289-303 (Springer, 1996).",
      nullptr}},
};

TEST(MissingPartsTest, MissingPartsTakeTheirWordsWithThem) {
  for (const MissingCase& c : kMissingCases) {
    for (int i = 0; i < 5; i++) {
      if (c.printed[i] == nullptr) continue;
      EXPECT_EQ(PrintedText(Typeset(*c.entry, kStyleOptions[i], 1)), c.printed[i]) << c.entry->key << " in "
                                                                                 << kStyleOptions[i];
    }
  }
}

TEST(MissingPartsTest, CrossrefParentFillsOnlyWhatTheEntryLacks) {
  const BibBlock parent = MakeEntry("book", "parent",
      {{"booktitle", "Big Book"}, {"editor", "White, Bob"}, {"publisher", "Springer"}, {"year", "2005"},
       {"address", "Berlin"}});
  const BibBlock chapter = MakeEntry("incollection", "child",
      {{"author", "Green, Ann"}, {"title", "Chapter"}, {"crossref", "parent"}, {"year", "2006"}});
  EXPECT_EQ(Typeset(chapter, "aps", 1, &parent),
            "A. Green, in \\textit{Big Book}, edited by B. White (Springer, Berlin, 2006)\n\n");
  EXPECT_EQ(Typeset(chapter, "aps", 1), "A. Green (2006)\n\n");
}

TEST(MissingPartsTest, ValuesThatWouldStopPdflatexAreDefused) {
  const BibBlock entry = MakeEntry("misc", "k",
      {{"author", "{Smith & Sons}"}, {"title", "100% of {H_2O} #1"}, {"howpublished", "\\url{http://a.org/x_y}"},
       {"url", "http://a.org/?q=a_b&c=%20"}, {"note", "\\Sigma\x01"}});
  EXPECT_EQ(Typeset(entry, "iop", 1),
            "{Smith \\& Sons} 100\\% of {H\\_2O} \\#1 \\texttt{http://a.org/x\\_y} $\\Sigma$ "
            "URL \\texttt{http://a.org/?q=a\\_b\\&c=\\%20}\n\n");
}

}  // namespace
