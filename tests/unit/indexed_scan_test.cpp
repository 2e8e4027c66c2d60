// The indexes only say where an in-order scan may begin; they must never
// change a byte of any output.  Random small files full of the cases that
// make the line rules subtle (repeated keys and values, one-line entries,
// braces closing on field lines, entries without closing line, long lines,
// CR LF, a missing final line feed) are run through every operation with
// and without the indexes, and the outputs compared.
#include <gtest/gtest.h>

#include <random>
#include <string>
#include <vector>

#include "app/state.h"
#include "commands/state_requests.h"
#include "app/state.h"
#include "support/test_support.h"

namespace {

class RandomBib {
 public:
  explicit RandomBib(unsigned seed) : rng_(seed) {}

  std::string Pick(const std::vector<std::string>& from) { return from[Below(from.size())]; }
  std::size_t Below(std::size_t n) { return std::uniform_int_distribution<std::size_t>(0, n - 1)(rng_); }
  bool Chance(int percent) { return static_cast<int>(Below(100)) < percent; }

  std::string Key() { return Pick({"Smith2001", "Doe1999", "Lee", "Kim2010", "Smith", "Roe_a", "X y"}); }

  std::string Field(const std::string& name) {
    static const std::vector<std::string> values = {"", "2001", "12", "123--130", "123-9", "Smith, J. and Doe, K.",
                                                    "Phys. {R}ev.", "A {DNA} study", "Ten year plan"};
    std::string value = Pick(values);
    if (Chance(5)) return "  " + name + " = " + value + ",\n";           // no braces
    if (Chance(5)) return "  " + name + " = {" + value + "\n  more},\n";  // goes on
    return "  " + name + " = {" + value + "},\n";
  }

  std::string Entry() {
    static const std::vector<std::string> types = {"ARTICLE", "ARTICLE", "BOOK", "INPROCEEDINGS", "PHDTHESIS",
                                                   "INCOLLECTION", "MISC", "article", "BOOKLET", "ARTICLE ",
                                                   "TECHREPORT"};
    static const std::vector<std::string> fields = {"author", "title", "journal", "year", "volume",
                                                    "pages", "note", "booktitle", "editor", "publisher"};
    if (Chance(5)) return "@comment{jabref-meta: groups;}\n";
    std::string type = Pick(types);
    std::string key = Key();
    if (Chance(8)) return "@" + type + "{" + key + ", year = {2001}, title = {x}}\n";  // one line
    std::string text = "@" + type + "{" + key + ",\n";
    for (std::size_t i = 0, n = 1 + Below(6); i < n; i++) text += Field(Pick(fields));
    if (Chance(5)) text += "  abstract = {" + std::string(600 + Below(500), 'w') + "},\n";
    if (Chance(6)) return text + "  year = {2001}}\n";  // closes on the field line
    if (Chance(4)) return text + "} note = {x}\n";       // brace, but a field word (compare)
    if (Chance(4)) return text + "} year = {2002}\n";    // brace, but a field word (both)
    return text + "}\n";
  }

  std::string Library() {
    std::string text = Chance(50) ? "% This file was created with JabRef 2.10.\n\n" : "";
    for (std::size_t i = 0, n = Below(14); i < n; i++) {
      text += Entry();
      if (Chance(60)) text += "\n";
      if (Chance(5)) text += "loose text {Lee, between entries\n";
    }
    return Finish(text);
  }

  std::string Document() {
    std::string text;
    for (std::size_t i = 0, n = Below(8); i < n; i++) {
      text += "Text \\cite{" + Key();
      for (std::size_t k = Below(3); k > 0; k--) text += (Chance(20) ? ", " : ",") + Key();
      text += Chance(10) ? "\n" : "} more \\cite{" + Key() + "}.\n";
    }
    return Finish(text);
  }

 private:
  std::string Finish(std::string text) {
    if (Chance(15) && !text.empty() && text.back() == '\n') text.pop_back();
    return Chance(15) ? WithCrLf(text) : text;
  }

  std::mt19937 rng_;
};

// Runs the operation over fresh copies of the inputs and returns all the
// files it wrote, concatenated in a fixed order.
std::string Outputs(const std::string& first, const std::string& second,
                    const std::vector<std::string>& output_names, int (*operation)(RunReport*),
                    int indexed, int classic = 1) {
  ScratchDir dir;
  WriteFile(dir.File("first.bib"), first);
  WriteFile(dir.File("second.bib"), second);
  ResetApplicationState();
  FLAG_CLASSIC = classic;
  SetFileSlot(file_address_01, dir.File("first.bib").c_str());
  SetFileSlot(file_address_02, dir.File("second.bib").c_str());
  SetIndexedScans(indexed);
  int result = operation(nullptr);
  SetIndexedScans(1);
  std::string all = std::to_string(result);
  for (const std::string& name : output_names) {
    // The clean log names the input's folder, which differs between runs.
    std::string text = ReadFile(dir.File(name));
    for (std::size_t at; (at = text.find(dir.path())) != std::string::npos;) text.replace(at, dir.path().size(), "");
    all += "\n==== " + name + "\n" + text;
  }
  return all;
}

class IndexedScans : public ::testing::Test {
 protected:
  OperationFixtureState state_;
};

TEST_F(IndexedScans, CompareGivesTheSameBytesAsThePlainScan) {
  for (unsigned seed = 1; seed <= 400; seed++) {
    RandomBib random(seed);
    std::string master = random.Library();
    std::string second = random.Library();
    std::vector<std::string> names = {"first_compare.log", "first_compare_missing.bib", "first_compare_equal.bib"};
    ASSERT_EQ(Outputs(master, second, names, Compare, 1), Outputs(master, second, names, Compare, 0))
        << "seed " << seed;
  }
}

TEST_F(IndexedScans, CleanGivesTheSameBytesAsThePlainScan) {
  for (unsigned seed = 1; seed <= 400; seed++) {
    RandomBib random(seed);
    std::string input = random.Library() + random.Library();
    std::vector<std::string> names = {"first_clean_of_doubles.log", "first_clean_of_doubles.bib"};
    ASSERT_EQ(Outputs(input, "", names, Clean, 1), Outputs(input, "", names, Clean, 0)) << "seed " << seed;
  }
}

TEST_F(IndexedScans, ExtractGivesTheSameBytesAsThePlainScan) {
  for (unsigned seed = 1; seed <= 300; seed++) {
    RandomBib random(seed);
    std::string document = random.Document();
    std::string library = random.Library() + random.Library();
    std::vector<std::string> names = {"second_extract_items.txt", "second_extract_modified.bib",
                                      "second_extract_bibitems.tex"};
    ASSERT_EQ(Outputs(document, library, names, Extract, 1), Outputs(document, library, names, Extract, 0))
        << "seed " << seed;
  }
}

}  // namespace
