// The BibTeX reader's rules of the same work, pair by pair, with the
// expectations written from the rules: what a careful reader takes for
// one work exported twice, and the works that only look alike.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <string>
#include <vector>

#include "match/entry_group.h"
#include "match/index_finds.h"
#include "match/match_rules.h"
#include "text/doi.h"
#include "text/page_range.h"

namespace {

// An entry as the BibTeX reader summarises it, from "name=value" parts
// ("type=book", "pages=1--9"), with a content of its own.
entry_fields Entry(std::initializer_list<const char*> parts) {
  static std::uint64_t next_content = 1000;
  entry_fields f;
  f.type = "article";
  for (const char* part : parts) {
    std::string text(part);
    std::size_t eq = text.find('=');
    std::string name = text.substr(0, eq), value = text.substr(eq + 1);
    if (name == "type") f.type = value;
    if (name == "author") f.author = value;
    if (name == "editor") f.editor = value;
    if (name == "title") f.title = value;
    if (name == "journal") f.journal = value;
    if (name == "year") f.year = value;
    if (name == "volume") f.volume = value;
    if (name == "pages") f.pages = std::string(FirstPage(value));
    if (name == "edition") f.edition = value;
    if (name == "note") f.note = value;
    if (name == "doi") f.doi = BareDoi(value);
  }
  f.content.low = next_content++;
  return f;
}

// A well-known article in the master's form.
entry_fields Master() {
  return Entry({"author=Braun, M. and Saurer, H.", "title=Spin waves in thin magnetic films",
                "journal=Physical Review B", "volume=64", "pages=123--130", "year=2001"});
}

struct Pair {
  const char* name;
  entry_fields a;
  entry_fields b;
  MatchReason why;  // REASON_NONE: two works
};

// Any two entries the rule accepts meet in an index, either way round: a
// text one seeks is one the other is noted by, so a search through the
// indexes finds what a scan finds (match/index_finds.h).
void Check(const std::vector<Pair>& pairs) {
  for (const Pair& c : pairs) {
    EntryGroup group_a = GroupOfType(c.a.type, RULES_PARSED);
    EntryGroup group_b = GroupOfType(c.b.type, RULES_PARSED);
    EXPECT_EQ(WhySameWork(group_a, c.a, c.b, RULES_PARSED), c.why) << c.name;
    EXPECT_EQ(WhySameWork(group_b, c.b, c.a, RULES_PARSED), c.why) << c.name << " (turned round)";
    if (c.why != REASON_NONE) {
      EXPECT_TRUE(IndexFinds(c.a, c.b)) << c.name;
    }
  }
}

TEST(WorkRulesTest, AnArticleAsTwoExportsWriteIt) {
  Check({
      {"journal abbreviated, authors in the other form, title in sentence case, an en dash", Master(),
       Entry({"author=M.~Braun and H.~Saurer", "title={Spin Waves in Thin Magnetic Films}.",
              "journal=Phys. Rev. B", "volume=64", "pages=123\xE2\x80\x93" "130", "year=2001"}),
       REASON_ARTICLE},
      {"a typo in the title, the first page alone", Master(),
       Entry({"author=Braun, Michael", "title=Spin waves in thin mangetic films", "journal=Phys Rev B",
              "volume=64", "pages=123", "year=2001"}),
       REASON_ARTICLE},
      {"no title and no author: the journal values decide", Master(),
       Entry({"journal=Phys. Rev. B", "volume=64", "pages=123", "year=2001"}), REASON_ARTICLE},
      {"a preprint without volume and pages: author, title and year", Master(),
       Entry({"author=Braun, M.", "title=Spin waves in thin magnetic films", "year=2001"}),
       REASON_AUTHOR_TITLE},
      {"the same DOI in two forms decides alone", Entry({"doi=10.1103/PhysRevB.64.123", "year=2001"}),
       Entry({"doi=https://doi.org/10.1103/physrevb.64.123", "year=2002", "volume=7"}), REASON_DOI},
  });
}

TEST(WorkRulesTest, ArticlesThatOnlyLookAlike) {
  entry_fields next_volume = Master();
  next_volume.volume = "65";
  next_volume.pages = "400";
  entry_fields other_year = Master();
  other_year.year = "2002";
  entry_fields other_page = Master();
  other_page.pages = "124";
  entry_fields other_journal = Master();
  other_journal.journal = "Phys. Rev. A";
  entry_fields other_author = Master();
  other_author.author = "Brown, M.";
  entry_fields other_title = Master();
  other_title.title = "Magnon damping in ultrathin iron layers";
  entry_fields erratum = Master();
  erratum.title = "Erratum: Spin waves in thin magnetic films";
  entry_fields doi_a = Master();
  doi_a.doi = "10.1/a";
  entry_fields doi_b = Master();
  doi_b.doi = "10.1/b";
  entry_fields preprint_other_page = Entry({"author=Braun, M.", "title=Spin waves in thin magnetic films",
                                            "year=2001", "pages=99"});
  Check({
      {"the next volume", Master(), next_volume, REASON_NONE},
      {"another year", Master(), other_year, REASON_NONE},
      {"another first page", Master(), other_page, REASON_NONE},
      {"another section of the journal", Master(), other_journal, REASON_NONE},
      {"another first author", Master(), other_author, REASON_NONE},
      {"a clearly different title", Master(), other_title, REASON_NONE},
      {"an erratum of the article", Master(), erratum, REASON_NONE},
      {"two DOIs, all else equal", doi_a, doi_b, REASON_NONE},
      {"a preprint with another first page", Master(), preprint_other_page, REASON_NONE},
      {"a preprint without a year against the published article", Master(),
       Entry({"author=Braun, M.", "title=Spin waves in thin magnetic films"}), REASON_NONE},
  });
}

TEST(WorkRulesTest, BooksThesesChaptersAndPapers) {
  entry_fields book = Entry({"type=book", "author=van Beethoven, L.", "title=The {Nine} Symphonies",
                             "year=1824"});
  Check({
      {"a book, the author's name in another form, a typo",
       book, Entry({"type=Book", "author=Ludwig van Beethoven", "title=The nine symphoneis", "year=1824"}),
       REASON_AUTHOR_TITLE},
      {"a year one entry lacks proves nothing",
       book, Entry({"type=book", "author=L. van Beethoven", "title=The Nine Symphonies"}), REASON_AUTHOR_TITLE},
      {"an edited book by its first editor", Entry({"type=book", "editor=Smith, J.", "title=Handbook of optics"}),
       Entry({"type=book", "editor=J. Smith and K. Jones", "title=Handbook of Optics"}), REASON_AUTHOR_TITLE},
      {"a thesis in biblatex's type", Entry({"type=phdthesis", "author=Doe, J.", "title=On bees", "year=2010"}),
       Entry({"type=thesis", "author=J. Doe", "title=On Bees.", "year=2010"}), REASON_AUTHOR_TITLE},
      {"a proceedings paper as a conference paper",
       Entry({"type=inproceedings", "author=Doe, J.", "title=Fast sorting", "year=2010"}),
       Entry({"type=conference", "author=Doe, J.", "title=Fast Sorting", "year=2010"}), REASON_AUTHOR_TITLE},
      {"a report", Entry({"type=techreport", "author=Doe, J.", "title=Fast sorting"}),
       Entry({"type=report", "author=Doe, Jane", "title=Fast sorting"}), REASON_AUTHOR_TITLE},
      {"two editions", Entry({"type=book", "author=Doe, J.", "title=Optics", "edition=2nd"}),
       Entry({"type=book", "author=Doe, J.", "title=Optics", "edition=Third"}), REASON_NONE},
      {"an edition written two ways", Entry({"type=book", "author=Doe, J.", "title=Optics", "edition=2nd"}),
       Entry({"type=book", "author=Doe, J.", "title=Optics", "edition=Second"}), REASON_AUTHOR_TITLE},
      {"two volumes", Entry({"type=book", "author=Doe, J.", "title=Optics", "volume=1"}),
       Entry({"type=book", "author=Doe, J.", "title=Optics", "volume=2"}), REASON_NONE},
      {"the same title three years later", book,
       Entry({"type=book", "author=van Beethoven, L.", "title=The Nine Symphonies", "year=1827"}), REASON_NONE},
      {"a conference paper and its journal version",
       Entry({"type=inproceedings", "author=Doe, J.", "title=Fast sorting", "year=2010"}),
       Entry({"author=Doe, J.", "title=Fast sorting", "journal=J. Algorithms", "volume=3", "pages=1",
              "year=2010"}),
       REASON_NONE},
      {"a chapter and its book", Entry({"type=incollection", "author=Doe, J.", "title=Optics"}),
       Entry({"type=book", "author=Doe, J.", "title=Optics"}), REASON_NONE},
      {"no author on one side", Entry({"type=book", "title=Optics"}),
       Entry({"type=book", "author=Doe, J.", "title=Optics"}), REASON_NONE},
      {"another author", Entry({"type=book", "author=Doe, J.", "title=Optics"}),
       Entry({"type=book", "author=Roe, J.", "title=Optics"}), REASON_NONE},
  });
}

TEST(WorkRulesTest, OtherTypesByAuthorAndTitleOrTheirNote) {
  Check({
      {"software cited twice", Entry({"type=misc", "author={Morton}, T.~D.", "title=isochrones", "year=2015"}),
       Entry({"type=misc", "author=T. D. Morton", "title={isochrones}", "year=2015"}), REASON_AUTHOR_TITLE},
      {"the same note", Entry({"type=misc", "note=Private communication"}),
       Entry({"type=misc", "note=Private communication"}), REASON_NOTE},
      {"another note", Entry({"type=misc", "note=Private communication"}),
       Entry({"type=misc", "note=Talk at a meeting"}), REASON_NONE},
  });
}

TEST(WorkRulesTest, KeysInAnyLetterCase) {
  EXPECT_EQ(SameKey("Smith2000", "smith2000", RULES_PARSED), 1);
  EXPECT_EQ(SameKey("Smith2000", "smith2000", RULES_CLASSIC), 0);
  EXPECT_EQ(SameKey("Smith2000", "Smith2001", RULES_PARSED), 0);
  EXPECT_EQ(KeyText("Smith2000"), KeyText("SMITH2000"));
}

// An index that seeks an entry and then notes it asks for both sets at
// once: they are the sets asked for one by one, under either rules.
TEST(WorkRulesTest, BothSetsOfTextsAtOnceAreTheSetsOneByOne) {
  const std::vector<entry_fields> entries = {
      Master(),
      Entry({"author=M. Braun", "title=Spin waves in thin films", "year=2001"}),  // a preprint
      Entry({"type=book", "author=Knuth, D. E.", "title=The Art of Computer Programming", "year=1968"}),
      Entry({"type=book", "author=Knuth, D. E.", "title=Concrete Mathematics"}),
      Entry({"type=misc", "note=personal communication"}),
      Entry({"type=inproceedings", "doi=10.1000/xyz", "title=A", "author=Roe, R."}),
  };
  for (MatchRules rules : {RULES_PARSED, RULES_CLASSIC}) {
    for (const entry_fields& entry : entries) {
      EntryGroup group = GroupOfType(entry.type, rules);
      std::vector<std::uint64_t> noted, sought, both_noted, both_sought;
      MatchTexts(group, entry, rules, TEXTS_NOTED, &noted);
      MatchTexts(group, entry, rules, TEXTS_SOUGHT, &sought);
      MatchTexts(group, entry, rules, &both_noted, &both_sought);
      EXPECT_EQ(both_noted, noted) << entry.type << " " << entry.title;
      EXPECT_EQ(both_sought, sought) << entry.type << " " << entry.title;
    }
  }
}

// Compare knows every entry it will seek: a master book is noted under its
// title (three pairs of its longest words, each under its year and "any
// year") only when an entry seeks its author and year.
TEST(WorkRulesTest, ATitleIsNotedOnlyWhereAnEntrySeeksItsAuthorAndYear) {
  entry_fields book = Entry({"type=book", "author=Knuth, D. E.", "title=The Art of Computer Programming",
                             "year=1968"});
  entry_fields copy = Entry({"type=book", "author=D. Knuth", "title=The art of computer programming"});
  std::vector<std::uint64_t> all, groups, noted;
  MatchTexts(GROUP_BOOK, book, RULES_PARSED, TEXTS_NOTED, &all);
  HashSet64 nobody;
  MatchTextsNoted(GROUP_BOOK, book, RULES_PARSED, nobody, &noted);
  EXPECT_EQ(noted.size() + 6, all.size());
  MatchTextGroups(copy, RULES_PARSED, TEXTS_SOUGHT, &groups);
  HashSet64 sought;
  for (std::uint64_t group : groups) sought.Insert(group);
  MatchTextsNoted(GROUP_BOOK, book, RULES_PARSED, sought, &noted);
  EXPECT_EQ(noted, all);
  // The line rules' texts never change.
  MatchTexts(GROUP_BOOK, book, RULES_CLASSIC, TEXTS_NOTED, &all);
  MatchTextsNoted(GROUP_BOOK, book, RULES_CLASSIC, nobody, &noted);
  EXPECT_EQ(noted, all);
}

}  // namespace

