// The line primitives, case by case.
#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "scan/markers.h"
#include "files/output_path.h"
#include "scan/primitives.h"

namespace {

struct TagCase {
  const char* line;
  const char* opening;
  const char* closing;
  const char* expected;
};

TEST(FindBibTag, CutsTheTextBetweenTheDelimiters) {
  const TagCase cases[] = {
      {"  year = {2009},\n", "{", "}", "2009"},
      {"  year = 2009,\n", "{", "}", ""},                 // no opening brace
      {"@ARTICLE{Smith2009,\n", "{", ",", "Smith2009"},   // the key
      {"@ARTICLE{Smith2009,\n", "@", "{", "ARTICLE"},     // the type
      {"@ARTICLE{Smith2009\n", "{", ",", "Smith2009"},    // line feed ends the key
      {"@ARTICLE{Smith2009", "{", ",", "Smith2009"},      // NUL ends it too
      {"  title = {A {B} C},\n", "{", "}", "A {B"},        // no nesting
      {"{}", "{", "}", ""},
      {"a|b|c", "|", "|", "b"},                           // equal delimiters
      {"no brace here\n{later}", "{", "}", ""},            // the scan stops at the line feed
      {"", "{", "}", ""},
      {"@ARTICLE {x,\n", "@", "{", "ARTICLE "},           // the blank stays
  };
  for (const TagCase& c : cases) {
    char out[LINE_SIZE];
    EXPECT_EQ(FindBibTag(c.line, out, c.opening, c.closing), 1);
    EXPECT_STREQ(out, c.expected) << "line: " << c.line;
  }
}

TEST(FindBibTag, NeverWritesBeyondTheGivenSize) {
  char out[8];
  std::memset(out, 'x', sizeof out);
  FindBibTag("{abcdefghijkl}", out, "{", "}", 5);
  EXPECT_STREQ(out, "abcd");
  EXPECT_EQ(out[5], 'x');
}

TEST(EntryRest, TakesTheBracedValue) {
  const struct {
    const char* line;
    const char* expected;
  } cases[] = {
      {"  title = {The {DNA} helix},\n", "The {DNA} helix"},
      {"  title = {{The DNA helix}},\n", "The DNA helix"},   // double braces dropped
      {"  title = {{DNA} and more},\n", "DNA"},              // first "}" after them ends it
      {"  title = {x {y {z} w} v},\n", "x {y {z} w"},        // one level of groups
      {"  pages = {},\n", ""},
      {"  title = {A long title\n", "A long title\n"},       // goes on: line feed kept
      {"  year = 2009,\n", ""},                              // no brace: empty value
      {"  journal = \"Phys. Rev.\",\n", ""},                 // quoted: empty value
      {"  title = {open {group\n", "open {group\n"},         // the string end ends a group
      {"{", ""},
  };
  for (const auto& c : cases) {
    char out[LINE_SIZE];
    EXPECT_EQ(entry_rest(c.line, out), 1);
    EXPECT_STREQ(out, c.expected) << "line: " << c.line;
  }
}

TEST(EntryRest, IsBoundedByTheOutputSize) {
  char out[6];
  entry_rest("x = {abcdefgh {ij}}", out, sizeof out);
  EXPECT_STREQ(out, "abcde");
}

TEST(ReplaceStringInString, PutsANewKeyBetweenTheDelimiters) {
  const struct {
    const char* line;
    const char* replacement;
    const char* expected;
  } cases[] = {
      {"@BOOK{Doe2001,\n", "Doe2001_b", "@BOOK{Doe2001_b,\n"},
      {"@ARTICLE{Smith2009,\n", "Smith2009_a", "@ARTICLE{Smith2009_a,\n"},
      {"@BOOK{Doe2001}\n", "Doe2001_b", "@BOOK{Doe2001_b\n"},       // no comma: up to the line feed
      {"@ARTICLE{Smith2009\n", "Smith2009_a", "@ARTICLE{Smith2009_a\n"},
      {"@ARTICLE{Smith2009,\n", "", "@ARTICLE{,\n"},                 // empty replacement
      {"@ARTICLE{Smith2009", "S_a", "@ARTICLE{S_a"},                  // no line feed at all
      {"@ARTICLE Smith2009,\n", "S_a", "@ARTICLE Smith2009,\n"},      // no "{": unchanged
  };
  for (const auto& c : cases) {
    char line[LINE_SIZE + 8];
    std::snprintf(line, sizeof line, "%s", c.line);
    EXPECT_EQ(ReplaceStringInString(line, c.replacement, "{", ",", sizeof line), 1);
    EXPECT_STREQ(line, c.expected) << "line: " << c.line;
  }
}

TEST(ReplaceStringInString, ALongKeyIsCutToTheBufferNotBeyondIt) {
  std::string key(505, 'k');
  char line[LINE_SIZE + 8];
  std::snprintf(line, sizeof line, "@BOOK{%s,\n", key.c_str());
  std::string renamed = key + "_aa";
  ReplaceStringInString(line, renamed.c_str(), "{", ",", sizeof line);
  EXPECT_EQ(std::string(line), "@BOOK{" + renamed + ",\n");  // 517 characters fit 520 bytes

  char small[16] = "@BOOK{ab,\n";
  ReplaceStringInString(small, "abcdefghijklmnop", "{", ",", sizeof small);
  EXPECT_EQ(std::strlen(small), sizeof small - 1);
}

TEST(EntryMarkers, AreCaseSensitiveSubstringsAnywhere) {
  const struct {
    const char* line;
    int six;
    int with_misc;
    int typeset;
  } cases[] = {
      {"@ARTICLE{x,\n", 1, 1, 1},
      {"@InProceedings{x,\n", 0, 0, 0},
      {"@INPROCEEDINGS{x,\n", 1, 1, 1},
      {"@BOOKLET{x,\n", 1, 1, 1},           // holds "@BOOK"
      {"@article{x,\n", 0, 0, 0},
      {"@MISC{x,\n", 0, 1, 0},               // compare only
      {"@comment{jabref-meta: x}\n", 1, 1, 0},
      {"  note = {see @PHDTHESIS{y}},\n", 1, 1, 1},  // anywhere in the line
      {"@TECHREPORT{x,\n", 0, 0, 0},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(HoldsEntryMarker(c.line, MARKERS_SIX), c.six) << c.line;
    EXPECT_EQ(HoldsEntryMarker(c.line, MARKERS_WITH_MISC), c.with_misc) << c.line;
    EXPECT_EQ(HoldsEntryMarker(c.line, MARKERS_TYPESET), c.typeset) << c.line;
  }
}

// An output is named after its input file's name without the extension:
// never cut in a folder, whichever separator the path uses, and placed in
// the output folder when one is given.
TEST(DeriveOutputPath, NamesAfterTheFileNameWithoutItsExtension) {
  const struct {
    const char* input;
    const char* folder;
    const char* suffix;
    const char* expected;
  } cases[] = {
      {"D:\\data.old\\refs.bib", "", "_compare.log", "D:\\data.old\\refs_compare.log"},
      {"C:\\Users\\john.smith\\Documents\\lib.bib", "", "_compare.log",
       "C:\\Users\\john.smith\\Documents\\lib_compare.log"},
      {"C:/Users/john.smith/lib.bib", "", "_compare.log", "C:/Users/john.smith/lib_compare.log"},
      {"C:\\refs\\lib.bib", "", "_clean_of_doubles.bib", "C:\\refs\\lib_clean_of_doubles.bib"},
      {"refs/library.bib", "", "_extract_items.txt", "refs/library_extract_items.txt"},
      {"my.refs/lib.bib", "", "_clean_of_doubles.bib", "my.refs/lib_clean_of_doubles.bib"},
      {"../lib.bib", "", "_clean_of_doubles.bib", "../lib_clean_of_doubles.bib"},
      {"./lib.bib", "", "_clean_of_doubles.bib", "./lib_clean_of_doubles.bib"},
      {"lib.v2.bib", "", "_compare.log", "lib.v2_compare.log"},
      {"library.tar.bib", "", "_compare.log", "library.tar_compare.log"},
      {".bib", "", "_compare.log", ".bib_compare.log"},                // all extension: kept
      {"/home/u/refs", "", "_compare.log", "/home/u/refs_compare.log"},  // no dot: appended
      {"/home/u.v/refs", "", "_compare.log", "/home/u.v/refs_compare.log"},
      {"refs/lib.bib", "out", "_compare.log", "out/lib_compare.log"},
      {"refs/lib.bib", "out/", "_compare.log", "out/lib_compare.log"},
      {"C:\\refs\\lib.bib", "D:\\out", "_compare.log", "D:\\out\\lib_compare.log"},
      {"lib.bib", "/tmp/a.b", "_compare.log", "/tmp/a.b/lib_compare.log"},
  };
  for (const auto& c : cases) {
    char out[OUTPUT_PATH_SIZE];
    DeriveOutputPath(c.input, c.suffix, out, c.folder);
    EXPECT_STREQ(out, c.expected) << c.input << " in " << c.folder;
  }
}

TEST(DeriveOutputPath, TheLongestSlotPathWithTheLongestSuffixFits) {
  std::string path(255, 'p');
  char out[OUTPUT_PATH_SIZE];
  DeriveOutputPath(path.c_str(), "_extract_bibitems.tex", out);
  EXPECT_EQ(std::string(out), path + "_extract_bibitems.tex");
  // The longest folder and the longest file name together still fit.
  std::string folder(255, 'f');
  DeriveOutputPath(path.c_str(), "_extract_bibitems.tex", out, folder.c_str());
  EXPECT_EQ(std::string(out), folder + "/" + path + "_extract_bibitems.tex");
}

}  // namespace
