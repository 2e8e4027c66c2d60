// A seeded generator of variant pairs (one work as two exports or two
// people write it) and lookalike pairs (two works that read almost the
// same), held against the BibTeX reader's rules: every variant is the same
// work, no lookalike is, and an index would find every variant.
#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>
#include <cstdint>
#include <random>
#include <string>
#include <vector>

#include "match/entry_group.h"
#include "match/index_finds.h"
#include "match/match_rules.h"
#include "text/doi.h"
#include "text/page_range.h"

namespace {

struct Person {
  std::string given, von, last;
};

struct Work {
  std::string type, title, journal_full, journal_short, edition, doi;
  std::vector<Person> people;
  int year = 0, volume = 0, first_page = 0;
};

const char* const kWords[] = {"spin", "magnetic", "transport", "quantum", "thermal", "optical",
                              "lattice", "interface", "electron", "phonon", "relaxation", "dynamics"};
const char* const kJournals[][2] = {{"Physical Review B", "Phys. Rev. B"},
                                    {"The Journal of Chemical Physics", "J. Chem. Phys."},
                                    {"Journal of Physics: Condensed Matter", "J. Phys.: Condens. Matter"},
                                    {"Proceedings of the National Academy of Sciences", "Proc. Natl. Acad. Sci."}};
const char* const kSurnames[] = {"Braun", "M{\\\"u}ller", "Beethoven", "Nielsen", "Chen", "Tanaka", "Dubois"};
const char* const kGiven[] = {"Michael", "Anna", "Ludwig", "Karin", "Wei", "Claire"};
const char* const kVons[] = {"", "", "van", "de"};

class PairMaker {
 public:
  explicit PairMaker(unsigned seed) : rng_(seed) {}

  int Number(int from, int to) { return std::uniform_int_distribution<int>(from, to)(rng_); }
  bool Chance(double p) { return std::uniform_real_distribution<double>(0, 1)(rng_) < p; }

  Work MakeWork(int n) {
    Work w;
    w.type = Chance(0.7) ? "article" : (Chance(0.5) ? "book" : "inproceedings");
    for (int i = Number(1, 3); i > 0; i--) {
      w.people.push_back(Person{kGiven[Number(0, 5)], kVons[Number(0, 3)], kSurnames[Number(0, 6)]});
    }
    for (int i = Number(4, 8); i > 0; i--) w.title += std::string(w.title.empty() ? "" : " ") + kWords[Number(0, 11)];
    w.title[0] = static_cast<char>(w.title[0] - 'a' + 'A');
    w.year = Number(1960, 2024);
    if (w.type == "article") {
      int j = Number(0, 3);
      w.journal_full = kJournals[j][0];
      w.journal_short = kJournals[j][1];
      w.volume = Number(1, 120);
      w.first_page = Number(1, 9000);
      if (Chance(0.3)) w.doi = "10.1000/w." + std::to_string(n);
    }
    return w;
  }

  // The work as an export writes it: each of the edits with even odds.
  entry_fields Export(const Work& w, bool vary) {
    static std::uint64_t content = 1;
    entry_fields f;
    f.type = w.type;
    bool first_last = vary && Chance(0.5), initials = vary && Chance(0.5), tie = vary && Chance(0.5);
    for (const Person& p : w.people) {
      std::string given = initials ? p.given.substr(0, 1) + "." : p.given;
      std::string von = p.von.empty() ? "" : p.von + " ";
      std::string name = first_last ? given + (tie ? "~" : " ") + von + p.last : von + p.last + ", " + given;
      f.author += (f.author.empty() ? "" : " and ") + name;
    }
    f.title = w.title;
    if (vary && Chance(0.5)) f.title = "{" + f.title + "}";
    if (vary && Chance(0.5)) std::transform(f.title.begin(), f.title.end(), f.title.begin(), ::toupper);
    if (vary && Chance(0.5)) Swap(&f.title);
    f.year = std::to_string(w.year);
    f.edition = w.edition;
    if (w.type == "article") {
      f.journal = vary && Chance(0.5) ? w.journal_short : w.journal_full;
      f.volume = std::to_string(w.volume);
      std::string range = std::to_string(w.first_page) + (vary && Chance(0.5) ? "-" : "--") +
                          std::to_string(w.first_page + 9);
      f.pages = std::string(FirstPage(range));
      if (!w.doi.empty()) f.doi = BareDoi((vary && Chance(0.5) ? "https://doi.org/" : "") + w.doi);
    }
    f.content.low = content++;
    return f;
  }

  // Another work that reads almost like w.
  Work Lookalike(const Work& w) {
    Work other = w;
    other.doi.clear();
    if (w.type != "article") {
      if (Chance(0.5)) other.year += 3; else other.edition = "2nd";
      return other;
    }
    switch (Number(0, 2)) {
      case 0:
        other.volume++;
        other.first_page += Number(7, 400);
        break;
      case 1:
        other.title = "Erratum: " + w.title;
        other.first_page += 900;
        break;
      default:
        other.type = "inproceedings";  // its conference version
        break;
    }
    return other;
  }

 private:
  // Two neighbouring letters of the first word of six letters or more.
  void Swap(std::string* title) {
    std::size_t start = 0;
    while (start < title->size()) {
      std::size_t end = title->find(' ', start);
      if (end == std::string::npos) end = title->size();
      if (end - start >= 6) {
        std::swap((*title)[start + 2], (*title)[start + 3]);
        return;
      }
      start = end + 1;
    }
  }

  std::mt19937 rng_;
};

int Same(const entry_fields& master, const entry_fields& other) {
  return SameWork(GroupOfType(master.type, RULES_PARSED), master, other, RULES_PARSED);
}

TEST(WorkPairsTest, EveryVariantFoundAndNoLookalike) {
  for (unsigned seed = 1; seed <= 5; seed++) {
    PairMaker maker(seed);
    int variants = 0, found = 0, lookalikes = 0, false_matches = 0;
    for (int n = 0; n < 400; n++) {
      Work work = maker.MakeWork(n);
      // The edition a lookalike changes is first given to the work.
      if (work.type != "article" && maker.Chance(0.5)) work.edition = "1st";
      entry_fields master = maker.Export(work, false);
      entry_fields variant = maker.Export(work, true);
      variants++;
      if (Same(master, variant) && IndexFinds(master, variant)) found++;
      else ADD_FAILURE() << "seed " << seed << ": missed " << variant.author << " / " << variant.title;
      Work other = maker.Lookalike(work);
      if (other.edition == "2nd" && work.edition.empty()) continue;
      entry_fields lookalike = maker.Export(other, maker.Chance(0.5));
      lookalikes++;
      if (Same(master, lookalike)) {
        false_matches++;
        ADD_FAILURE() << "seed " << seed << ": took " << lookalike.title << " (" << lookalike.type << ", "
                      << lookalike.year << ") for " << master.title;
      }
    }
    // Recall and precision, both from the generator's truth.
    EXPECT_EQ(found, variants) << "seed " << seed;
    EXPECT_EQ(false_matches, 0) << "seed " << seed << " of " << lookalikes << " lookalikes";
  }
}

}  // namespace
