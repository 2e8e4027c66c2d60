// The reader on the real libraries of the shared corpus (skipped when the
// corpus is absent): every file must read into a cover of its bytes with
// no malformed block, and the counts of entries and @string definitions
// must be those the corpus documents.  The counts come from the corpus's
// SOURCES.md and from the scorer's reader (bibparse.py), not from this
// reader; SOURCES.md gives 3327 entries for the openearth library, counting
// lines that begin with "@", but two of its entries begin after a blank or
// a byte-order mark inside the file, and BibTeX reads both (3328).
#include <gtest/gtest.h>

#include <cctype>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include <sys/stat.h>

#include "bibtex/bib_file.h"

namespace {

struct Library {
  const char* path;  // under the corpus folder
  int entries;
  int strings;
  int preambles;
  int comments;
};

const Library kLibraries[] = {
    {"anasrana-thesis/thesis-new.bib", 107, 0, 0, 0},
    {"anasrana-thesis/thesis.bib", 96, 0, 0, 0},
    {"bcntls-pccp/pccp_vol20_no14_pp9309-9320.bib", 1169, 37, 0, 0},
    {"christiaanb-haskell12/jabref.bib", 750, 6, 1, 0},
    {"dborrero-thesis/thesis.bib", 16, 0, 0, 0},
    {"esguerra-thesis/biblio.bib", 443, 2, 0, 2},
    {"jwheelsc-clay/igs2eguide.bib", 32, 3, 0, 0},
    {"jwheelsc-clay/refs.bib", 5, 0, 0, 0},
    {"landric-thesis/library.bib", 163, 0, 0, 0},
    {"other-ads-andreasen/thesis.bib", 258, 0, 0, 0},
    {"other-bibdesk-wittkuhn/bibliography.bib", 1731, 0, 0, 1},
    {"other-jabref5-openearth/references.bib", 3328, 0, 0, 1},
    {"other-paperpile-barker/paperfile.bib", 793, 0, 0, 0},
    {"other-zotero-rates/references.bib", 393, 0, 0, 0},
    {"ruiz-revarticle/refs.bib", 114, 20, 0, 0},
};

bool FolderExists(const std::string& path) {
  struct stat info;
  return stat(path.c_str(), &info) == 0 && (info.st_mode & S_IFDIR) != 0;
}

std::string ReadAll(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  std::ostringstream out;
  out << in.rdbuf();
  return out.str();
}

class CorpusLibrary : public ::testing::TestWithParam<Library> {};

TEST_P(CorpusLibrary, ReadsEveryEntry) {
  const std::string folder = TAMREL_CORPUS_DIR;
  if (!FolderExists(folder)) GTEST_SKIP() << "no corpus at " << folder;
  const Library& library = GetParam();
  std::string bytes = ReadAll(folder + "/" + library.path);
  ASSERT_FALSE(bytes.empty()) << library.path;

  BibFile file;
  ReadBibFile(bytes.data(), bytes.size(), &file);
  int counts[6] = {0, 0, 0, 0, 0, 0};
  std::string joined;
  joined.reserve(bytes.size());
  std::size_t at = 0;
  for (const BibBlock& block : file.blocks) {
    ASSERT_EQ(block.begin, at);
    ASSERT_LE(block.end, bytes.size());
    joined.append(bytes, block.begin, block.end - block.begin);
    at = block.end;
    counts[block.kind]++;
    if (block.kind == BIB_MALFORMED) {
      ADD_FAILURE() << library.path << " line " << block.line << ": " << block.problem;
    }
    if (block.kind == BIB_ENTRY) {
      EXPECT_EQ(bytes.substr(block.key_begin, block.key_end - block.key_begin), block.key);
    }
  }
  EXPECT_TRUE(joined == bytes) << library.path << ": the blocks do not cover the file";
  EXPECT_EQ(counts[BIB_ENTRY], library.entries) << library.path;
  EXPECT_EQ(counts[BIB_STRING], library.strings) << library.path;
  EXPECT_EQ(counts[BIB_PREAMBLE], library.preambles) << library.path;
  EXPECT_EQ(counts[BIB_COMMENT], library.comments) << library.path;
}

INSTANTIATE_TEST_SUITE_P(Real, CorpusLibrary, ::testing::ValuesIn(kLibraries),
                         [](const ::testing::TestParamInfo<Library>& info) {
                           std::string name;
                           for (const char* p = info.param.path; *p; p++) {
                             name += std::isalnum(static_cast<unsigned char>(*p)) ? *p : '_';
                           }
                           return name;
                         });

// A few entries of the corpus read field by field, as their text says.
TEST(CorpusLibrary, KnownEntries) {
  const std::string folder = TAMREL_CORPUS_DIR;
  if (!FolderExists(folder)) GTEST_SKIP() << "no corpus at " << folder;

  // ruiz-revarticle/refs.bib, lines 767-777: a journal macro, a title over
  // two lines with a tab.
  std::string refs = ReadAll(folder + "/ruiz-revarticle/refs.bib");
  BibFile file;
  ReadBibFile(refs.data(), refs.size(), &file);
  const BibBlock* jos = nullptr;
  for (const BibBlock& block : file.blocks) {
    if (block.kind == BIB_ENTRY && block.key == "jos99") jos = &block;
  }
  ASSERT_NE(jos, nullptr);
  EXPECT_EQ(jos->line, 767);
  EXPECT_EQ(jos->type, "ARTICLE");
  ASSERT_NE(FindField(*jos, "journal"), nullptr);
  EXPECT_EQ(FindField(*jos, "journal")->value, "Astrophys. J.");
  ASSERT_NE(FindField(*jos, "title"), nullptr);
  EXPECT_EQ(FindField(*jos, "title")->value,
            "{Nuclear Uncertainties in the NeNa-MgAl Cycles and Production of "
            "$^{22}$Na and $^{26}$Al during Nova Outbursts}");
  EXPECT_EQ(jos->macros, std::vector<std::string>{"apj"});
  EXPECT_EQ(refs.substr(jos->end - 3, 3), "}\n}");  // ends with its brace
  EXPECT_TRUE(file.problems.empty());

  // christiaanb-haskell12/jabref.bib, line 6042: "@Book{," is an entry with
  // an empty key, as BibTeX reads it.
  std::string jabref = ReadAll(folder + "/christiaanb-haskell12/jabref.bib");
  ReadBibFile(jabref.data(), jabref.size(), &file);
  int empty_keys = 0;
  for (const BibBlock& block : file.blocks) {
    if (block.kind != BIB_ENTRY || !block.key.empty()) continue;
    empty_keys++;
    EXPECT_EQ(block.line, 6042);
    EXPECT_EQ(block.type, "Book");
  }
  EXPECT_EQ(empty_keys, 1);
}

}  // namespace
