// The series, journal and volume that a chapter, a book, a booklet or a
// misc entry gives, printed in each style's manner; a journal that says
// what the series says is printed once; journal macros written out.
#include <gtest/gtest.h>

#include <string>

#include "typeset/make_entry.h"
#include "typeset/reference.h"

namespace {

// A chapter in a numbered series, whose journal field repeats the series
// in other letter case.
const BibBlock kSeriesChapter = MakeEntry("incollection", "eisen",
    {{"author", "Eisen, M. B."}, {"title", "DNA arrays"}, {"booktitle", "cDNA Preparation"},
     {"editor", "Weissman, Sherman M."}, {"publisher", "Academic Press"}, {"address", "San Diego"},
     {"journal", "Methods in enzymology"}, {"series", "Methods in Enzymology"}, {"volume", "303"},
     {"pages", "179 - 205"}, {"year", "1999"}});
// A conference paper in a series with its volume.
const BibBlock kSeriesTalk = MakeEntry("INPROCEEDINGS", "hinkle",
    {{"author", "Hinkle, K. H."}, {"booktitle", "Laboratory Spectra"}, {"series", "ASP Conf. Ser."},
     {"volume", "81"}, {"editor", "Sauval, A. J."}, {"publisher", "ASP"}, {"year", "1995"}, {"pages", "66"}});
// A volume with no series; a journal with no series stands for it.
const BibBlock kVolumeOnly = MakeEntry("conference", "buch",
    {{"author", "Buch, Bea"}, {"booktitle", "Proc. EUROSAM"}, {"volume", "72"}, {"year", "1979"}});
const BibBlock kJournalChapter = MakeEntry("incollection", "shohamy",
    {{"author", "Shohamy, D."}, {"booktitle", "Decision Making"}, {"journal", "Ann. N.Y. Acad. Sci."},
     {"volume", "1235"}, {"year", "2011"}});
// Series and journal that differ: both are printed.
const BibBlock kBothNames = MakeEntry("book", "both",
    {{"author", "Brown, Lee"}, {"title", "Things"}, {"series", "Lecture Notes"}, {"journal", "Phys. Rep."},
     {"volume", "9"}, {"publisher", "Wiley"}, {"year", "1999"}});
// A booklet with a volume and a publisher field in place of howpublished.
const BibBlock kBooklet = MakeEntry("BOOKLET", "phimister",
    {{"title", "{The Chipping Forecast}"}, {"author", "Phimister, B"}, {"year", "1999"}, {"volume", "21"},
     {"number", "1"}, {"publisher", "Nature genetics"}});
const BibBlock kJournalMisc = MakeEntry("misc", "grey",
    {{"author", "Grey, Gus"}, {"title", "Some data"}, {"journal", "Nature Genetics"}, {"volume", "21"},
     {"pages", "1--3"}, {"year", "1999"}});
const BibBlock kVolumeMisc = MakeEntry("misc", "mayor",
    {{"author", "Mayor, M."}, {"howpublished", "IAU Circular"}, {"volume", "6251"}, {"pages", "1"},
     {"year", "1995"}});

// ADS names journals and series by macros; pages may use a minus sign.
const BibBlock kAdsTalk = MakeEntry("INPROCEEDINGS", "ads",
    {{"author", "{Mayor}, M."}, {"booktitle", "Ground-based Instrumentation"}, {"series", "\\procspie"},
     {"volume", "7014"}, {"pages", "291\xE2\x88\x92" "309"}, {"year", "2008"}});
const BibBlock kAdsArticle = MakeEntry("ARTICLE", "adsarticle",
    {{"author", "{Casagrande}, L."}, {"journal", "\\mnras"}, {"volume", "373"}, {"pages", "13"},
     {"year", "2006"}});

struct SeriesCase {
  const BibBlock* entry;
  const char* aps;
  const char* acs;
  const char* iop;
};

const SeriesCase kSeriesCases[] = {
    {&kSeriesChapter,
     "M. B. Eisen, in \\textit{cDNA Preparation}, Methods in Enzymology, Vol. 303, edited by Sherman M. Weissman "
     "(Academic Press, San Diego, 1999), pp. 179--205.\n\n",
     "Eisen, M. B., DNA arrays. In \\textit{cDNA Preparation}; Weissman, Sherman M., Ed.; Methods in Enzymology; "
     "Academic Press: San Diego, 1999; Vol. 303; pp 179--205.\n\n",
     "Eisen M B 1999 \\textit{DNA arrays} in \\textit{cDNA Preparation} (\\textit{Methods in Enzymology} vol 303) "
     "ed Weissman Sherman M (San Diego: Academic Press) pp 179--205\n\n"},
    {&kSeriesTalk,
     "K. H. Hinkle, in \\textit{Proceedings of the Laboratory Spectra}, ASP Conf. Ser., Vol. 81, edited by "
     "A. J. Sauval (ASP, 1995), p. 66\n\n",
     "Hinkle, K. H., in \\textit{Proceedings of the Laboratory Spectra}, ASP Conf. Ser., Vol. 81, edited by "
     "Sauval, A. J. (ASP, 1995), p. 66\n\n",
     "Hinkle K H 1995 \\textit{Proc. Laboratory Spectra} (\\textit{ASP Conf. Ser.} vol 81) ed Sauval A J (ASP) "
     "p 66\n\n"},
    {&kVolumeOnly, "Bea Buch, in \\textit{Proc. EUROSAM}, Vol. 72 (1979)\n\n",
     "Buch, Bea, in \\textit{Proc. EUROSAM}, Vol. 72 (1979)\n\n", "Buch Bea 1979 \\textit{Proc. EUROSAM} (vol 72)\n\n"},
    {&kJournalChapter, "D. Shohamy, in \\textit{Decision Making}, Ann. N.Y. Acad. Sci., Vol. 1235 (2011).\n\n",
     "Shohamy, D. In \\textit{Decision Making}; Ann. N.Y. Acad. Sci.; 2011; Vol. 1235.\n\n",
     "Shohamy D 2011 in \\textit{Decision Making} (\\textit{Ann. N.Y. Acad. Sci.} vol 1235)\n\n"},
    {&kBothNames, "Lee Brown, \\textit{Things}, Lecture Notes, Phys. Rep., Vol. 9 (Wiley, 1999).\n\n",
     "Brown, Lee \\textit{Things}; Lecture Notes, Phys. Rep.; Wiley, 1999; Vol. 9.\n\n",
     "Brown Lee 1999 \\textit{Things} (\\textit{Lecture Notes, Phys. Rep.} vol 9) (Wiley)\n\n"},
    {&kBooklet, "B Phimister, \\textit{{The Chipping Forecast}}, Vol. 21 (Nature genetics, 1999).\n\n",
     "Phimister, B \\textit{{The Chipping Forecast}}; Nature genetics, 1999; Vol. 21.\n\n",
     "Phimister B 1999 \\textit{{The Chipping Forecast}} (vol 21) (Nature genetics)\n\n"},
    {&kJournalMisc, "Gus Grey, Some data, \\textit{Nature Genetics}, Vol. 21, pp. 1--3 (1999).\n\n",
     "Grey, Gus, Some data. \\textit{Nature Genetics}, Vol. 21, pp 1--3, 1999.\n\n",
     "Grey Gus 1999 Some data \\textit{Nature Genetics} vol 21 pp 1--3\n\n"},
    {&kVolumeMisc, "M. Mayor, IAU Circular, Vol. 6251, p. 1 (1995).\n\n",
     "Mayor, M. IAU Circular. Vol. 6251, p 1, 1995.\n\n", "Mayor M 1995 IAU Circular vol 6251 p 1\n\n"},
    {&kAdsTalk,
     "M. {Mayor}, in \\textit{Proceedings of the Ground-based Instrumentation}, Proc.~SPIE, Vol. 7014 (2008), "
     "pp. 291--309\n\n",
     "{Mayor}, M., in \\textit{Proceedings of the Ground-based Instrumentation}, Proc.~SPIE, Vol. 7014 (2008), "
     "pp. 291--309\n\n",
     "{Mayor} M 2008 \\textit{Proc. Ground-based Instrumentation} (\\textit{Proc.~SPIE} vol 7014) pp 291--309\n\n"},
    {&kAdsArticle, "L. {Casagrande},\n\\textit{MNRAS} \\textbf{373}, 13 (2006).\n\n",
     "{Casagrande}, L.\n\\textit{MNRAS} \\textbf{2006}, 373, 13.\n\n",
     "{Casagrande} L\n2006 \\textit{MNRAS} \\textbf{373} 13\n\n"},
};

TEST(SeriesJournalTest, GivenSeriesJournalAndVolumePrintInEachStyle) {
  for (const SeriesCase& c : kSeriesCases) {
    EXPECT_EQ(Typeset(*c.entry, STYLE_APS, 1), c.aps) << c.entry->key;
    EXPECT_EQ(Typeset(*c.entry, STYLE_ACS, 1), c.acs) << c.entry->key;
    EXPECT_EQ(Typeset(*c.entry, STYLE_IOP, 1), c.iop) << c.entry->key;
  }
}

}  // namespace
