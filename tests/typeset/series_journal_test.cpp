// The series, journal and volume that a chapter, a book or a misc entry
// gives, as each journal style prints them (expected texts: the journals'
// BibTeX styles' output for the same entries, read back from pdflatex).
// The styles print a book's or a chapter's series and volume, never its
// journal field, and a misc entry neither.
#include <gtest/gtest.h>

#include <string>

#include "typeset/make_entry.h"
#include "typeset/printed_text.h"
#include "typeset/reference.h"

namespace {

// A chapter in a numbered series, whose journal field repeats the series.
const BibBlock kSeriesChapter = MakeEntry("incollection", "eisen",
    {{"author", "Eisen, M. B."}, {"title", "DNA arrays"}, {"booktitle", "cDNA Preparation"},
     {"editor", "Weissman, Sherman M."}, {"publisher", "Academic Press"}, {"address", "San Diego"},
     {"journal", "Methods in enzymology"}, {"series", "Methods in Enzymology"}, {"volume", "303"},
     {"pages", "179 - 205"}, {"year", "1999"}});
// A conference paper in a series with its volume.
const BibBlock kSeriesTalk = MakeEntry("INPROCEEDINGS", "hinkle",
    {{"author", "Hinkle, K. H."}, {"booktitle", "Laboratory Spectra"}, {"series", "ASP Conf. Ser."},
     {"volume", "81"}, {"editor", "Sauval, A. J."}, {"publisher", "ASP"}, {"year", "1995"}, {"pages", "66"}});
// A volume with no series.
const BibBlock kVolumeOnly = MakeEntry("conference", "buch",
    {{"author", "Buch, Bea"}, {"booktitle", "Proc. EUROSAM"}, {"volume", "72"}, {"year", "1979"}});
const BibBlock kJournalChapter = MakeEntry("incollection", "shohamy",
    {{"author", "Shohamy, D."}, {"booktitle", "Decision Making"}, {"journal", "Ann. N.Y. Acad. Sci."},
     {"volume", "1235"}, {"year", "2011"}});
const BibBlock kBothNames = MakeEntry("book", "both",
    {{"author", "Brown, Lee"}, {"title", "Things"}, {"series", "Lecture Notes"}, {"journal", "Phys. Rep."},
     {"volume", "9"}, {"publisher", "Wiley"}, {"year", "1999"}});
const BibBlock kVolumeMisc = MakeEntry("misc", "mayor",
    {{"author", "Mayor, M."}, {"howpublished", "IAU Circular"}, {"volume", "6251"}, {"pages", "1"},
     {"year", "1995"}});

struct SeriesCase {
  const BibBlock* entry;
  const char* printed[5];  // aps, iop, acs, nature, rsc
};

const SeriesCase kSeriesCases[] = {
    {&kSeriesChapter,
     {"M. B. Eisen, in cDNA Preparation, Methods in Enzymology, Vol. 303, edited by S. M. Weissman (Academic Press, San Diego, 1999) pp. 179-205",
      "Eisen M B 1999 Dna arrays cDNA Preparation (Methods in Enzymology vol 303) ed Weissman S M (San Diego: Academic Press) pp 179-205",
      "Eisen, M. B. In cDNA Preparation; Weissman, S. M., Ed.; Methods in Enzymology, Vol. 303; Academic Press: San Diego, 1999; pp 179-205.",
      "Eisen, M. B. Dna arrays. In Weissman, S. M. (ed.) cDNA Preparation, vol. 303 of Methods in Enzymology, 179-205 (Academic Press, San Diego, 1999).",
      "M. B. Eisen, in cDNA Preparation, ed. S. M. Weissman, Academic Press, San Diego, 1999, vol. 303 of Methods in Enzymology, pp. 179-205."}},
    {&kSeriesTalk,
     {"K. H. Hinkle, in Laboratory Spectra, ASP Conf. Ser., Vol. 81, edited by A. J. Sauval (ASP, 1995) p. 66",
      "Hinkle K H 1995 Laboratory Spectra (ASP Conf. Ser. vol 81) ed Sauval A J (ASP) p 66",
      "Hinkle, K. H. In Laboratory Spectra; ASP; ASP Conf. Ser., Vol. 81; p 66.",
      "Hinkle, K. H. In Sauval, A. J. (ed.) Laboratory Spectra, vol. 81 of ASP Conf. Ser., 66 (ASP, 1995).",
      "K. H. Hinkle, Laboratory Spectra, 1995, p. 66."}},
    {&kVolumeOnly,
     {"B. Buch, in Proc. EUROSAM, Vol. 72 (1979)",
      "Buch B 1979 Proc. EUROSAM vol 72",
      "Buch, B. In Proc. EUROSAM.",
      "Buch, B. In Proc. EUROSAM, vol. 72 (1979).",
      "B. Buch, Proc. EUROSAM, 1979."}},
    {&kJournalChapter,
     {"D. Shohamy, in Decision Making, Vol. 1235 (2011)",
      "Shohamy D 2011 Decision Making vol 1235",
      "Shohamy, D. In Decision Making, 2011; Vol. 1235.",
      "Shohamy, D. In Decision Making, vol. 1235 (2011).",
      "D. Shohamy, in Decision Making, 2011, vol. 1235."}},
    {&kBothNames,
     {"L. Brown, Things, Lecture Notes, Vol. 9 (Wiley, 1999)",
      "Brown L 1999 Things (Lecture Notes vol 9) (Wiley)",
      "Brown, L. Things; Lecture Notes, Vol. 9; Wiley, 1999.",
      "Brown, L. Things, vol. 9 of Lecture Notes (Wiley, 1999).",
      "L. Brown, Things, Wiley, 1999, vol. 9."}},
    {&kVolumeMisc,
     {"M. Mayor, IAU Circular (1995)",
      "Mayor M 1995 IAU Circular",
      "Mayor, M.; IAU Circular; 1995.",
      "Mayor, M. IAU Circular (1995).",
      "M. Mayor, IAU Circular, 1995."}},
};

const char* const kStyleOptions[] = {"aps", "iop", "acs", "nature", "rsc"};

std::string Printed(const BibBlock& entry, const char* style) { return PrintedText(Typeset(entry, style, 1)); }

TEST(SeriesJournalTest, SeriesAndVolumePrintAsEachStylePrintsThem) {
  for (const SeriesCase& c : kSeriesCases) {
    for (int i = 0; i < 5; i++) EXPECT_EQ(Printed(*c.entry, kStyleOptions[i]), c.printed[i]) << c.entry->key;
  }
}

// ADS names journals and series by macros; they are written out.
TEST(SeriesJournalTest, JournalMacrosAreWrittenOut) {
  const BibBlock article = MakeEntry("ARTICLE", "adsarticle",
      {{"author", "{Casagrande}, L."}, {"journal", "\\mnras"}, {"volume", "373"}, {"pages", "13"},
       {"year", "2006"}});
  EXPECT_EQ(Printed(article, "aps"), "L. Casagrande, MNRAS 373, 13 (2006)");
  const BibBlock talk = MakeEntry("INPROCEEDINGS", "ads",
      {{"author", "{Mayor}, M."}, {"booktitle", "Instrumentation"}, {"series", "\\procspie"}, {"volume", "7014"},
       {"pages", "291\xE2\x88\x92" "309"}, {"year", "2008"}});
  EXPECT_EQ(Printed(talk, "aps"), "M. Mayor, in Instrumentation, Proc. SPIE, Vol. 7014 (2008) pp. 291-309");
}

// APS references are typeset in revtex4-2, whose own \apj and \nat print.
TEST(SeriesJournalTest, ApsPrintsTheMacrosItsClassDefines) {
  const BibBlock apj = MakeEntry("ARTICLE", "apj",
      {{"author", "Apai, D."}, {"journal", "{\\apj}"}, {"volume", "820"}, {"pages", "40"}, {"year", "2016"}});
  EXPECT_EQ(Printed(apj, "aps"), "D. Apai, Astrophys. J. 820, 40 (2016)");
  EXPECT_EQ(Printed(apj, "nature"), "Apai, D. ApJ 820, 40 (2016).");
  const BibBlock nat = MakeEntry("ARTICLE", "nat",
      {{"author", "Greiner, M."}, {"journal", "\\nat"}, {"volume", "426"}, {"pages", "537"}, {"year", "2003"}});
  EXPECT_EQ(Printed(nat, "aps"), "M. Greiner, Nature (London) 426, 537 (2003)");
}

}  // namespace
