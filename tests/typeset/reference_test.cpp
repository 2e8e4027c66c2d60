// References of every entry type in every style and page mode, the
// classic formats they keep, parts an entry lacks, crossref parents and
// values that would break pdflatex.
#include <gtest/gtest.h>

#include <string>

#include "support/test_support.h"
#include "typeset/make_entry.h"
#include "typeset/reference.h"

namespace {

const BibBlock kArticle = MakeEntry("Article", "article",
    {{"author", "Smith, John A. and Doe, Jane"}, {"title", "A study of things"}, {"journal", "Phys. Rev. B"},
     {"year", "2001"}, {"volume", "64"}, {"number", "3"}, {"pages", "123--130"},
     {"doi", "10.1103/PhysRevB.64.123"}});
const BibBlock kBook = MakeEntry("book", "book",
    {{"author", "Brown, Lee"}, {"title", "Quantum Things"}, {"publisher", "Wiley"}, {"year", "1999"},
     {"address", "New York"}, {"edition", "2nd"}, {"series", "Physics Library"}, {"volume", "3"}});
const BibBlock kEditedBook = MakeEntry("BOOK", "editedbook",
    {{"editor", "Gold, Mary and Silver, Tom"}, {"title", "Collected Things"}, {"publisher", "Springer"},
     {"year", "2003"}, {"address", "Berlin"}});
const BibBlock kBooklet = MakeEntry("Booklet", "booklet",
    {{"author", "Pink, Paul"}, {"title", "A Small Booklet"}, {"howpublished", "Printed by the author"},
     {"address", "Paris"}, {"year", "1995"}});
const BibBlock kInbook = MakeEntry("INBOOK", "inbook",
    {{"author", "Blue, Ben"}, {"title", "Big Book of Things"}, {"chapter", "7"}, {"pages", "81--107"},
     {"publisher", "Elsevier"}, {"address", "Amsterdam"}, {"year", "2008"}});
const BibBlock kIncollection = MakeEntry("InCollection", "incollection",
    {{"author", "Green, Ann"}, {"title", "Chapter Title"}, {"booktitle", "Big Book"}, {"publisher", "Springer"},
     {"year", "2005"}, {"editor", "White, Bob and Black, Carl"}, {"address", "Berlin"}, {"pages", "45-67"}});
const BibBlock kInproceedings = MakeEntry("inproceedings", "inproceedings",
    {{"author", "Red, Rita"}, {"title", "Conference Talk"}, {"booktitle", "International Conference on Things"},
     {"editor", "Orange, Otto"}, {"publisher", "AIP"}, {"address", "Melville"}, {"year", "2011"},
     {"pages", "10 - 12"}});
// Its book title already says "Proceedings": the style's prefix stays out.
const BibBlock kConference = MakeEntry("CONFERENCE", "conference",
    {{"author", "Violet, Vera"}, {"title", "Another Talk"}, {"booktitle", "Proceedings of the Workshop on Stuff"},
     {"publisher", "IEEE"}, {"address", "New York"}, {"year", "2012"}, {"pages", "5\xE2\x80\x93" "9"}});
const BibBlock kManual = MakeEntry("manual", "manual",
    {{"author", "Tan, Tim"}, {"title", "Instrument Manual"}, {"organization", "Acme Corp."},
     {"address", "Springfield"}, {"edition", "3rd"}, {"year", "2015"}});
const BibBlock kMastersthesis = MakeEntry("MastersThesis", "mastersthesis",
    {{"author", "Cyan, Carla"}, {"title", "A Master Thesis"}, {"school", "ETH Zurich"}, {"address", "Zurich"},
     {"year", "2009"}});
const BibBlock kMisc = MakeEntry("misc", "misc",
    {{"author", "Grey, Gus"}, {"title", "Some Data Set"}, {"howpublished", "Online repository"},
     {"url", "https://example.org/data_set?a=1&b=2"}, {"year", "2018"}});
const BibBlock kPhdthesis = MakeEntry("PHDTHESIS", "phdthesis",
    {{"author", "Gray, Dana"}, {"title", "My Thesis"}, {"school", "MIT"}, {"year", "2010"}});
const BibBlock kProceedings = MakeEntry("Proceedings", "proceedings",
    {{"editor", "Amber, Al"}, {"title", "Proceedings of the Symposium on Stuff"}, {"publisher", "AIP"},
     {"address", "Melville"}, {"year", "2014"}, {"series", "AIP Conf. Proc."}, {"volume", "1600"}});
const BibBlock kTechreport = MakeEntry("TechReport", "techreport",
    {{"author", "Olive, Olga"}, {"title", "Technical Report on Things"}, {"institution", "NIST"},
     {"address", "Gaithersburg"}, {"number", "TN-1234"}, {"year", "2016"}});
const BibBlock kUnpublished = MakeEntry("unpublished", "unpublished",
    {{"author", "Lime, Leo"}, {"title", "Unpublished Notes"}, {"note", "unpublished"}, {"year", "2017"}});
const BibBlock kOnline = MakeEntry("online", "online",
    {{"author", "Navy, Nora"}, {"title", "A Web Page"}, {"url", "https://example.org/page"}, {"year", "2020"},
     {"eprint", "2001.01234"}});
const BibBlock kReport = MakeEntry("report", "report",
    {{"author", "Teal, Ted"}, {"title", "A Report"}, {"institution", "CERN"}, {"number", "CERN-2019-01"},
     {"year", "2019"}, {"type", "Technical Note"}});
const BibBlock kThesis = MakeEntry("thesis", "thesis",
    {{"author", "Plum, Pia"}, {"title", "A Thesis"}, {"institution", "Oxford University"}, {"type", "phdthesis"},
     {"year", "2021"}});
const BibBlock kPatent = MakeEntry("patent", "patent",
    {{"author", "Wu, Wei"}, {"title", "A Patent"}, {"year", "2022"}, {"number", "123"}});

struct ReferenceCase {
  const BibBlock* entry;
  JournalStyle style;
  const char* first_page;
  const char* page_range;  // nullptr: the same as first_page
};

const ReferenceCase kReferenceCases[] = {
    {&kArticle, STYLE_ACS, "Smith, John A.; Doe, Jane\n\\textit{Phys. Rev. B} \\textbf{2001}, 64, 123.\n\n",
     "Smith, John A.; Doe, Jane\n\\textit{Phys. Rev. B} \\textbf{2001}, 64, 123--130.\n\n"},
    {&kArticle, STYLE_APS, "John A. Smith and Jane Doe,\n\\textit{Phys. Rev. B} \\textbf{64}, 123 (2001).\n\n",
     "John A. Smith and Jane Doe,\n\\textit{Phys. Rev. B} \\textbf{64}, 123--130 (2001).\n\n"},
    {&kArticle, STYLE_IOP, "Smith John A and Doe Jane\n2001 \\textit{Phys. Rev. B} \\textbf{64} 123\n\n",
     "Smith John A and Doe Jane\n2001 \\textit{Phys. Rev. B} \\textbf{64} 123--130\n\n"},

    {&kBook, STYLE_ACS,
     "Brown, Lee \\textit{Quantum Things}, 2nd ed.; Physics Library; Wiley: New York, 1999; Vol. 3.\n\n", nullptr},
    {&kBook, STYLE_APS,
     "Lee Brown, \\textit{Quantum Things}, 2nd ed., Physics Library, Vol. 3 (Wiley, New York, 1999).\n\n", nullptr},
    {&kBook, STYLE_IOP,
     "Brown Lee 1999 \\textit{Quantum Things} 2nd ed (\\textit{Physics Library} vol 3) (New York: Wiley)\n\n",
     nullptr},

    {&kEditedBook, STYLE_ACS, "Gold, Mary; Silver, Tom, Eds. \\textit{Collected Things}; Springer: Berlin, 2003.\n\n",
     nullptr},
    {&kEditedBook, STYLE_APS,
     "\\textit{Collected Things}, edited by Mary Gold and Tom Silver (Springer, Berlin, 2003).\n\n", nullptr},
    {&kEditedBook, STYLE_IOP, "Gold Mary and Silver Tom (eds) 2003 \\textit{Collected Things} (Berlin: Springer)\n\n",
     nullptr},

    {&kBooklet, STYLE_ACS, "Pink, Paul \\textit{A Small Booklet}; Printed by the author: Paris, 1995.\n\n", nullptr},
    {&kBooklet, STYLE_APS, "Paul Pink, \\textit{A Small Booklet} (Printed by the author, Paris, 1995).\n\n", nullptr},
    {&kBooklet, STYLE_IOP, "Pink Paul 1995 \\textit{A Small Booklet} (Paris: Printed by the author)\n\n", nullptr},

    {&kInbook, STYLE_ACS, "Blue, Ben \\textit{Big Book of Things}; Elsevier: Amsterdam, 2008; Chapter 7, p 81.\n\n",
     "Blue, Ben \\textit{Big Book of Things}; Elsevier: Amsterdam, 2008; Chapter 7, pp 81--107.\n\n"},
    {&kInbook, STYLE_APS, "Ben Blue, \\textit{Big Book of Things} (Elsevier, Amsterdam, 2008), Chap. 7, p. 81.\n\n",
     "Ben Blue, \\textit{Big Book of Things} (Elsevier, Amsterdam, 2008), Chap. 7, pp. 81--107.\n\n"},
    {&kInbook, STYLE_IOP, "Blue Ben 2008 \\textit{Big Book of Things} (Amsterdam: Elsevier) chapter 7 p 81\n\n",
     "Blue Ben 2008 \\textit{Big Book of Things} (Amsterdam: Elsevier) chapter 7 pp 81--107\n\n"},

    {&kIncollection, STYLE_ACS,
     "Green, Ann, Chapter Title. In \\textit{Big Book}; White, Bob; Black, Carl, Eds.; Springer: Berlin, 2005; "
     "p 45.\n\n",
     "Green, Ann, Chapter Title. In \\textit{Big Book}; White, Bob; Black, Carl, Eds.; Springer: Berlin, 2005; "
     "pp 45--67.\n\n"},
    {&kIncollection, STYLE_APS,
     "Ann Green, in \\textit{Big Book}, edited by Bob White and Carl Black (Springer, Berlin, 2005), p. 45.\n\n",
     "Ann Green, in \\textit{Big Book}, edited by Bob White and Carl Black (Springer, Berlin, 2005), "
     "pp. 45--67.\n\n"},
    {&kIncollection, STYLE_IOP,
     "Green Ann 2005 \\textit{Chapter Title} in \\textit{Big Book} ed White Bob and Black Carl "
     "(Berlin: Springer) p 45\n\n",
     "Green Ann 2005 \\textit{Chapter Title} in \\textit{Big Book} ed White Bob and Black Carl "
     "(Berlin: Springer) pp 45--67\n\n"},

    {&kInproceedings, STYLE_ACS,
     "Red, Rita, in \\textit{Proceedings of the International Conference on Things} edited by Orange, Otto "
     "(AIP, Melville, 2011), p. 10\n\n",
     "Red, Rita, in \\textit{Proceedings of the International Conference on Things} edited by Orange, Otto "
     "(AIP, Melville, 2011), pp. 10--12\n\n"},
    {&kInproceedings, STYLE_APS,
     "Rita Red, in \\textit{Proceedings of the International Conference on Things} edited by Otto Orange "
     "(AIP, Melville, 2011), p. 10\n\n",
     "Rita Red, in \\textit{Proceedings of the International Conference on Things} edited by Otto Orange "
     "(AIP, Melville, 2011), pp. 10--12\n\n"},
    {&kInproceedings, STYLE_IOP,
     "Red Rita 2011 \\textit{Proc. International Conference on Things} ed Orange Otto (Melville: AIP) p 10\n\n",
     "Red Rita 2011 \\textit{Proc. International Conference on Things} ed Orange Otto (Melville: AIP) "
     "pp 10--12\n\n"},

    {&kConference, STYLE_ACS,
     "Violet, Vera, in \\textit{Proceedings of the Workshop on Stuff} (IEEE, New York, 2012), p. 5\n\n",
     "Violet, Vera, in \\textit{Proceedings of the Workshop on Stuff} (IEEE, New York, 2012), pp. 5--9\n\n"},
    {&kConference, STYLE_APS,
     "Vera Violet, in \\textit{Proceedings of the Workshop on Stuff} (IEEE, New York, 2012), p. 5\n\n",
     "Vera Violet, in \\textit{Proceedings of the Workshop on Stuff} (IEEE, New York, 2012), pp. 5--9\n\n"},
    {&kConference, STYLE_IOP, "Violet Vera 2012 \\textit{Proceedings of the Workshop on Stuff} (New York: IEEE) p 5\n\n",
     "Violet Vera 2012 \\textit{Proceedings of the Workshop on Stuff} (New York: IEEE) pp 5--9\n\n"},

    {&kManual, STYLE_ACS, "Tan, Tim \\textit{Instrument Manual}, 3rd ed.; Acme Corp.: Springfield, 2015.\n\n", nullptr},
    {&kManual, STYLE_APS, "Tim Tan, \\textit{Instrument Manual}, 3rd ed. (Acme Corp., Springfield, 2015).\n\n",
     nullptr},
    {&kManual, STYLE_IOP, "Tan Tim 2015 \\textit{Instrument Manual} 3rd ed (Springfield: Acme Corp.)\n\n", nullptr},

    {&kMastersthesis, STYLE_ACS, "Cyan, Carla, Master's thesis; ETH Zurich, Zurich, 2009.\n\n", nullptr},
    {&kMastersthesis, STYLE_APS, "Carla Cyan, Master's thesis, ETH Zurich, Zurich (2009).\n\n", nullptr},
    {&kMastersthesis, STYLE_IOP, "Cyan Carla 2009 Master's thesis ETH Zurich, Zurich\n\n", nullptr},

    {&kMisc, STYLE_ACS,
     "Grey, Gus, Some Data Set. Online repository, 2018; \\texttt{https://example.org/data\\_set?a=1\\&b=2}.\n\n",
     nullptr},
    {&kMisc, STYLE_APS,
     "Gus Grey, Some Data Set, Online repository (2018), \\texttt{https://example.org/data\\_set?a=1\\&b=2}.\n\n",
     nullptr},
    {&kMisc, STYLE_IOP,
     "Grey Gus 2018 Some Data Set Online repository \\texttt{https://example.org/data\\_set?a=1\\&b=2}\n\n",
     nullptr},

    {&kPhdthesis, STYLE_ACS, "Gray, Dana, Ph.D. thesis; MIT, 2010.\n\n", nullptr},
    {&kPhdthesis, STYLE_APS, "Dana Gray, Ph.D. thesis, MIT (2010).\n\n", nullptr},
    {&kPhdthesis, STYLE_IOP, "Gray Dana 2010 Ph.D. thesis MIT\n\n", nullptr},

    {&kProceedings, STYLE_ACS,
     "Amber, Al, Ed. \\textit{Proceedings of the Symposium on Stuff}; AIP Conf. Proc.; AIP: Melville, 2014; "
     "Vol. 1600.\n\n",
     nullptr},
    {&kProceedings, STYLE_APS,
     "\\textit{Proceedings of the Symposium on Stuff}, edited by Al Amber, AIP Conf. Proc., Vol. 1600 "
     "(AIP, Melville, 2014).\n\n",
     nullptr},
    {&kProceedings, STYLE_IOP,
     "Amber Al (ed) 2014 \\textit{Proceedings of the Symposium on Stuff} (\\textit{AIP Conf. Proc.} vol 1600) "
     "(Melville: AIP)\n\n",
     nullptr},

    {&kTechreport, STYLE_ACS,
     "Olive, Olga, \\textit{Technical Report on Things}; Tech. Rep. TN-1234; NIST: Gaithersburg, 2016.\n\n", nullptr},
    {&kTechreport, STYLE_APS,
     "Olga Olive, \\textit{Technical Report on Things}, Tech. Rep. TN-1234 (NIST, Gaithersburg, 2016).\n\n", nullptr},
    {&kTechreport, STYLE_IOP,
     "Olive Olga 2016 \\textit{Technical Report on Things} Tech. Rep. TN-1234 (Gaithersburg: NIST)\n\n", nullptr},

    {&kUnpublished, STYLE_ACS, "Lime, Leo, Unpublished Notes, 2017; unpublished.\n\n", nullptr},
    {&kUnpublished, STYLE_APS, "Leo Lime, Unpublished Notes (2017), unpublished.\n\n", nullptr},
    {&kUnpublished, STYLE_IOP, "Lime Leo 2017 Unpublished Notes unpublished\n\n", nullptr},

    {&kOnline, STYLE_ACS, "Navy, Nora, A Web Page, 2020; arXiv:2001.01234; \\texttt{https://example.org/page}.\n\n",
     nullptr},
    {&kOnline, STYLE_APS, "Nora Navy, A Web Page (2020), arXiv:2001.01234, \\texttt{https://example.org/page}.\n\n",
     nullptr},
    {&kOnline, STYLE_IOP, "Navy Nora 2020 A Web Page arXiv:2001.01234 \\texttt{https://example.org/page}\n\n", nullptr},

    {&kReport, STYLE_ACS, "Teal, Ted, \\textit{A Report}; Technical Note CERN-2019-01; CERN, 2019.\n\n", nullptr},
    {&kReport, STYLE_APS, "Ted Teal, \\textit{A Report}, Technical Note CERN-2019-01 (CERN, 2019).\n\n", nullptr},
    {&kReport, STYLE_IOP, "Teal Ted 2019 \\textit{A Report} Technical Note CERN-2019-01 (CERN)\n\n", nullptr},

    {&kThesis, STYLE_ACS, "Plum, Pia, Ph.D. thesis; Oxford University, 2021.\n\n", nullptr},
    {&kThesis, STYLE_APS, "Pia Plum, Ph.D. thesis, Oxford University (2021).\n\n", nullptr},
    {&kThesis, STYLE_IOP, "Plum Pia 2021 Ph.D. thesis Oxford University\n\n", nullptr},

    // A type no style knows is typeset as misc.
    {&kPatent, STYLE_ACS, "Wu, Wei, A Patent, 2022.\n\n", nullptr},
    {&kPatent, STYLE_APS, "Wei Wu, A Patent (2022).\n\n", nullptr},
    {&kPatent, STYLE_IOP, "Wu Wei 2022 A Patent\n\n", nullptr},
};

TEST(ReferenceTest, EveryTypeInEveryStyleAndPageMode) {
  for (const ReferenceCase& c : kReferenceCases) {
    const char* range = c.page_range != nullptr ? c.page_range : c.first_page;
    EXPECT_EQ(Typeset(*c.entry, c.style, 0), c.first_page) << c.entry->key << " style " << c.style;
    EXPECT_EQ(Typeset(*c.entry, c.style, 1), range) << c.entry->key << " style " << c.style;
  }
}

TEST(ReferenceTest, AppendsToWhatTheCallerHolds) {
  std::string out = "\\bibitem{patent}\n";
  ReferenceOptions options;
  TypesetReference(BibBlockValues(kPatent), nullptr, options, &out);
  EXPECT_EQ(out, "\\bibitem{patent}\nWei Wu, A Patent (2022).\n\n");
}

}  // namespace
