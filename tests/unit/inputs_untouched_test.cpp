// Users point Tamrel at their only copy of a library and at their paper:
// every operation, on every real library and document of the shared
// corpus, must leave its inputs' bytes and modification times as they were.
#include <gtest/gtest.h>

#include <fcntl.h>
#include <sys/stat.h>

#include <algorithm>
#include <filesystem>
#include <string>
#include <vector>

#include "app/state.h"
#include "commands/state_requests.h"
#include "support/test_support.h"

namespace fs = std::filesystem;

namespace {

const std::string kCorpus = std::string(TAMREL_SOURCE_DIR) + "/../shared/corpus/real";

struct Snapshot {
  std::string bytes;
  struct timespec modified;
};

Snapshot Take(const std::string& path) {
  struct stat status {};
  stat(path.c_str(), &status);
  return Snapshot{ReadFile(path), status.st_mtim};
}

void ExpectUnchanged(const std::string& path, const Snapshot& before) {
  Snapshot after = Take(path);
  EXPECT_TRUE(after.bytes == before.bytes) << path << " changed";
  EXPECT_EQ(after.modified.tv_sec, before.modified.tv_sec) << path;
  EXPECT_EQ(after.modified.tv_nsec, before.modified.tv_nsec) << path;
}

std::vector<fs::path> CorpusFiles(const std::string& extension) {
  std::vector<fs::path> files;
  std::error_code error;
  for (const auto& entry : fs::recursive_directory_iterator(kCorpus, error)) {
    if (entry.is_regular_file() && entry.path().extension() == extension) files.push_back(entry.path());
  }
  std::sort(files.begin(), files.end());
  return files;
}

// Copies a corpus file into the scratch folder under a plain name (the
// shared corpus is read-only, and outputs are written beside the input).
std::string Place(const ScratchDir& dir, const fs::path& source, const std::string& name) {
  std::string target = dir.File(name);
  WriteFile(target, ReadFile(source.string()));
  // An old modification time, so a rewrite within the same second shows.
  struct timespec times[2] = {{1000000000, 0}, {1000000000, 0}};
  utimensat(AT_FDCWD, target.c_str(), times, 0);
  return target;
}

// Run once with the line rules (1) and once with the BibTeX reader (0).
class InputsUntouched : public ::testing::TestWithParam<int> {
 protected:
  void SetUp() override {
    if (!fs::is_directory(kCorpus)) GTEST_SKIP() << "no corpus at " << kCorpus;
    FLAG_CLASSIC = GetParam();
  }
  OperationFixtureState state_;
};

TEST_P(InputsUntouched, ExtractOnEveryDocumentAndItsLibrary) {
  for (const fs::path& document : CorpusFiles(".tex")) {
    std::vector<fs::path> libraries;
    for (const auto& entry : fs::directory_iterator(document.parent_path())) {
      if (entry.path().extension() == ".bib") libraries.push_back(entry.path());
    }
    for (const fs::path& library : libraries) {
      ScratchDir dir;
      std::string tex = Place(dir, document, "paper.tex");
      std::string bib = Place(dir, library, "library.bib");
      Snapshot tex_before = Take(tex);
      Snapshot bib_before = Take(bib);
      SetFileSlot(file_address_01, tex.c_str());
      SetFileSlot(file_address_02, bib.c_str());
      for (JournalStyle style : {STYLE_APS, STYLE_ACS, STYLE_IOP}) {
        SetJournalStyle(style);
        FLAG_CLASSIC = GetParam();
        EXPECT_EQ(Extract(), RESULT_DONE) << document << " " << library;
      }
      ExpectUnchanged(tex, tex_before);
      ExpectUnchanged(bib, bib_before);
    }
  }
}

TEST_P(InputsUntouched, CleanOnEveryLibrary) {
  for (const fs::path& library : CorpusFiles(".bib")) {
    ScratchDir dir;
    std::string bib = Place(dir, library, "library.bib");
    Snapshot before = Take(bib);
    SetFileSlot(file_address_01, bib.c_str());
    EXPECT_EQ(Clean(), RESULT_DONE) << library;
    ExpectUnchanged(bib, before);
  }
}

TEST_P(InputsUntouched, CompareEveryLibraryWithItsNeighbourAndItself) {
  std::vector<fs::path> libraries = CorpusFiles(".bib");
  for (std::size_t i = 0; i < libraries.size(); i++) {
    const fs::path* neighbour = &libraries[(i + 1) % libraries.size()];
    const fs::path* itself = &libraries[i];
    for (const fs::path* second : {neighbour, itself}) {
      ScratchDir dir;
      std::string master = Place(dir, libraries[i], "master.bib");
      std::string other = Place(dir, *second, "second.bib");
      Snapshot master_before = Take(master);
      Snapshot other_before = Take(other);
      SetFileSlot(file_address_01, master.c_str());
      SetFileSlot(file_address_02, other.c_str());
      EXPECT_EQ(Compare(), RESULT_DONE) << libraries[i] << " " << *second;
      ExpectUnchanged(master, master_before);
      ExpectUnchanged(other, other_before);
    }
  }
}

INSTANTIATE_TEST_SUITE_P(Readers, InputsUntouched, ::testing::Values(1, 0));

}  // namespace
