// The extract operation end to end: citation collection, the item file
// and the reduced BibTeX file, output names, and every way a run can stop.
#include <gtest/gtest.h>

#include <fcntl.h>
#include <sys/ioctl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <filesystem>
#include <memory>
#include <set>
#include <string>
#include <vector>

#include "app/state.h"
#include "classic_format/citations.h"
#include "commands/state_requests.h"
#include "support/scan_modes.h"
#include "support/test_support.h"

#ifdef __linux__
#include <linux/fs.h>
#endif

namespace fs = std::filesystem;

namespace {

RunReport g_last_report;

// Runs extract and keeps its report for the test to read.
int RunExtract() { return Extract(&g_last_report); }
const RunReport& LastReport() { return g_last_report; }

// Makes a file or folder refuse writing for the length of a test: the
// permission bits stop an ordinary user, the immutable flag stops root.
class ReadOnly {
 public:
  explicit ReadOnly(const std::string& path) : path_(path) {
    struct stat status {};
    if (stat(path.c_str(), &status) != 0) return;
    mode_ = status.st_mode & 07777;
    chmod(path.c_str(), S_ISDIR(status.st_mode) ? 0555 : 0444);
    ok_ = geteuid() != 0 || SetImmutable(true);
  }
  ~ReadOnly() {
    if (geteuid() == 0) SetImmutable(false);
    chmod(path_.c_str(), mode_);
  }
  bool ok() const { return ok_; }

 private:
  bool SetImmutable(bool on) {
#ifndef FS_IMMUTABLE_FL
    (void)on;
    return false;
#else
    int fd = open(path_.c_str(), O_RDONLY | O_NONBLOCK);
    if (fd < 0) return false;
    int flags = 0;
    bool done = ioctl(fd, FS_IOC_GETFLAGS, &flags) == 0;
    if (done) {
      flags = on ? (flags | FS_IMMUTABLE_FL) : (flags & ~FS_IMMUTABLE_FL);
      done = ioctl(fd, FS_IOC_SETFLAGS, &flags) == 0;
    }
    close(fd);
    return done;
#endif
  }

  std::string path_;
  mode_t mode_ = 0644;
  bool ok_ = false;
};

const char kEntryA[] =
    "@ARTICLE{A,\n"
    "  author = {Ay, Anne},\n"
    "  journal = {J. Chem. Phys.},\n"
    "  year = {2001},\n"
    "  volume = {1},\n"
    "  pages = {10--12}\n"
    "}\n"
    "\n";
const char kEntryB[] =
    "@BOOK{B,\n"
    "  author = {Be, Bert},\n"
    "  title = {Bees},\n"
    "  publisher = {Hive},\n"
    "  year = {2002},\n"
    "  address = {Oxford}\n"
    "}\n"
    "\n";
const char kEntryC[] =
    "@PHDTHESIS{C,\n"
    "  author = {Ce, Cleo},\n"
    "  school = {MIT},\n"
    "  year = {2003}\n"
    "}\n"
    "\n";
const char kHeader[] = "% This file was created with JabRef 2.5.\n% Encoding: UTF8\n\n";
const char kMeta[] = "@comment{jabref-meta: selector_author:}\n\n";

std::string Library() { return std::string(kHeader) + kEntryA + kEntryB + kEntryC + kMeta; }

class ExtractTest : public ::testing::Test {
 protected:
  void SetUp() override {
    SetJournalStyle(STYLE_APS);
    FLAG_PAGEALL = 0;
  }

  // Writes the document and the library into the scratch folder and
  // chooses them.
  void Given(const std::string& document, const std::string& library,
             const std::string& library_name = "lib.bib") {
    document_ = dir_.File("paper.tex");
    library_ = dir_.File(library_name);
    WriteFile(document_, document);
    WriteFile(library_, library);
    SetFileSlot(file_address_01, document_.c_str());
    SetFileSlot(file_address_02, library_.c_str());
  }

  std::string ItemsPath() const { return dir_.File("lib_extract_items.txt"); }
  std::string ReducedPath() const { return dir_.File("lib_extract_modified.bib"); }
  std::string BibitemsPath() const { return dir_.File("lib_extract_bibitems.tex"); }
  std::string Items() const { return ReadFile(ItemsPath()); }
  std::string Reduced() const { return ReadFile(ReducedPath()); }
  std::string Bibitems() const { return ReadFile(BibitemsPath()); }
  const std::vector<std::string>& Messages() const { return state_.platform.messages; }

  OperationFixtureState state_;
  ScratchDir dir_;
  std::vector<std::unique_ptr<ReadOnly>> read_only_;  // undone before dir_ goes
  std::string document_;
  std::string library_;
};

std::vector<std::string> KeysOf(const std::string& line) {
  CitedKeys cited;
  CollectCitationsFromLine(line.c_str(), &cited);
  return cited.keys;
}

using Keys = std::vector<std::string>;

TEST(CitationsTest, KeysOfOneLine) {
  struct {
    const char* line;
    Keys keys;
  } cases[] = {
      {"as shown~\\cite{a}.\n", {"a"}},
      {"\\cite{a,b} and \\cite{c}\n", {"a", "b", "c"}},
      {"\\cite{b}\\cite{a}\\cite{b}\n", {"b", "a"}},
      {"\\cite{a, b}\n", {"a", " b"}},  // nothing is trimmed
      {"\\cite{a,}\n", {"a"}},          // a trailing comma adds nothing
      {"\\cite{,a}\n", {"", "a"}},      // a leading one adds the empty key
      {"\\cite{a,,b}\n", {"a", "", "b"}},
      {"\\cite{}\n", {}},
      {"\\cite{A}\\cite{a}\n", {"A", "a"}},  // keys differ by case
      {"% \\cite{commented}\n", {"commented"}},
      {"\\cite{a,b\n", {"a", "b"}},  // not closed on its line: ends at the line end
      {"\\cite{a", {"a"}},
      {"\\cite{a} \\cite{b,c\n", {"a", "b", "c"}},
      // The search goes on from the brace, so a "\cite{" inside a key list
      // is a citation of its own.
      {"\\cite{x\\cite{y}\n", {"x\\cite{y", "y"}},
      {"\\cite{a,\\cite{b,c} \\cite{d}\n", {"a", "\\cite{b", "c", "b", "d"}},
      {"\\Cite{a} \\citep{b} \\cite*{c} \\cite[p.~3]{d} \\nocite{e}\n", {}},
      {"\\cite {a}\n", {}},
      {"no citation here\n", {}},
  };
  for (const auto& c : cases) EXPECT_EQ(KeysOf(c.line), c.keys) << c.line;
}

TEST_F(ExtractTest, KeysInOrderOfFirstCitation) {
  Given("Text \\cite{k1,k2} more.\nLater \\cite{k2,k3}.\n",
        "@ARTICLE{k3,\n}\n@ARTICLE{k2,\n}\n@ARTICLE{k1,\n}\n");
  EXPECT_EQ(RunExtract(), RESULT_DONE);
  EXPECT_EQ(Items(), "k1\nk2\nk3\n");
  EXPECT_EQ(Reduced(), "@ARTICLE{k1,\n}\n@ARTICLE{k2,\n}\n@ARTICLE{k3,\n}\n");
  EXPECT_EQ(LastReport().cited_keys, Keys({"k1", "k2", "k3"}));
}

// The reduced file follows the citations, not the library, and holds a
// key cited several times once; keys the library lacks leave no trace.
TEST_F(ExtractTest, ReducedFileInCitationOrder) {
  Given("\\cite{C}\n\\cite{Missing,A}\n\\cite{C,A}\n", Library());
  ForBothScans([&] {
    EXPECT_EQ(RunExtract(), RESULT_DONE);
    EXPECT_EQ(Items(), "C\nA\n");
    EXPECT_EQ(Reduced(), std::string(kEntryC) + kEntryA);
    EXPECT_EQ(Bibitems(),
              "\\bibitem{C}\nCleo Ce, Ph.D. thesis, MIT, 2003).\n\n"
              "\\bibitem{A}\nAnne Ay,\n\\textit{J. Chem. Phys.} \\textbf{1}, 10 (2001).\n\n");
    EXPECT_TRUE(Messages().empty());
    EXPECT_EQ(LastReport().cited_keys, Keys({"C", "Missing", "A"}));
    EXPECT_EQ(LastReport().found, std::vector<bool>({true, false, true}));
  });
}

TEST_F(ExtractTest, StyleAndPageOptionsReachTheBibitemFile) {
  Given("\\cite{A}\n", Library());
  SetJournalStyle(STYLE_IOP);
  FLAG_PAGEALL = 1;
  EXPECT_EQ(RunExtract(), RESULT_DONE);
  EXPECT_EQ(Bibitems(), "\\bibitem{A}\nAy Anne\n2001 \\textit{J. Chem. Phys.} \\textbf{1} 10--12\n\n");
}

// The brace and the comma make the match exact at both ends, whatever the
// type; only the first line holding the search text counts.
TEST_F(ExtractTest, KeyMatchIsExact) {
  const std::string library =
      "@ARTICLE{Smith2001,\n  year = {2001}\n}\n"
      "@ARTICLE{XSmith,\n  year = {2002}\n}\n"
      "@INPROCEEDINGS{Smith,\n  year = {2003}\n}\n"
      "@BOOK{Smith,\n  year = {2004}\n}\n";
  Given("\\cite{Smith}\n", library);
  ForBothScans([&] {
    EXPECT_EQ(RunExtract(), RESULT_DONE);
    EXPECT_EQ(Items(), "Smith\n");
    EXPECT_EQ(Reduced(), "@INPROCEEDINGS{Smith,\n  year = {2003}\n}\n");
  });
}

// The search text is looked for in every line: a field value that holds
// it earlier in the library starts the copy there.
TEST_F(ExtractTest, SearchTextInsideAFieldValue) {
  const std::string library =
      "@ARTICLE{X,\n  note = {Erratum to {B, see there}},\n  year = {1999}\n}\n" + std::string(kEntryB);
  Given("\\cite{B}\n", library);
  ForBothScans([&] {
    EXPECT_EQ(RunExtract(), RESULT_DONE);
    EXPECT_EQ(Reduced(), "  note = {Erratum to {B, see there}},\n  year = {1999}\n}\n");
  });
}

// An entry ends before the next line holding one of the six markers,
// found as case-sensitive substrings; anything else goes along with it.
TEST_F(ExtractTest, WhereACopiedEntryEnds) {
  const std::string entry = "@ARTICLE{K,\n  year = {2001}\n}\n\n";
  struct {
    const char* next;
    bool copied_along;
  } cases[] = {
      {"@ARTICLE{N,\n}\n", false},
      {"@BOOKLET{N,\n}\n", false},  // holds "@BOOK"
      {"@PHDTHESIS{N,\n}\n", false},
      {"@INCOLLECTION{N,\n}\n", false},
      {"@INPROCEEDINGS{N,\n}\n", false},
      {"@comment{jabref-meta: groupsversion:3;}\n", false},
      {"@article{N,\n}\n", true},  // lower case holds no marker
      {"@MISC{N,\n}\n", true},
      {"@TECHREPORT{N,\n}\n", true},
      {"@InProceedings{N,\n}\n", true},
      {"@STRING{jcp = {J. Chem. Phys.}}\n", true},
  };
  ForBothScans([&] {
    for (const auto& c : cases) {
      Given("\\cite{K}\n", entry + c.next);
      EXPECT_EQ(RunExtract(), RESULT_DONE);
      EXPECT_EQ(Reduced(), c.copied_along ? entry + c.next : entry) << c.next;
    }
  });
}

TEST_F(ExtractTest, EntryAtTheLibraryEnd) {
  Given("\\cite{B}\n", std::string(kEntryA) + "@BOOK{B,\n  year = {2002}\n}");
  EXPECT_EQ(RunExtract(), RESULT_DONE);
  EXPECT_EQ(Reduced(), "@BOOK{B,\n  year = {2002}\n}");
  EXPECT_EQ(Bibitems(), "\\bibitem{B}\n\\textit{}, edited by  (, , 2002).\n\n");
}

// A cited entry of an unlisted type has no \bibitem, and an entry of such
// a type after a cited entry goes along with it into the reduced file.
TEST_F(ExtractTest, EntriesOfUnlistedTypes) {
  const std::string misc = "@MISC{M,\n  year = {2020}\n}\n\n";
  Given("\\cite{M,A}\n", std::string(kEntryA) + misc + kEntryB);
  SetJournalStyle(STYLE_IOP);
  ForBothScans([&] {
    EXPECT_EQ(RunExtract(), RESULT_DONE);
    EXPECT_EQ(Items(), "M\nA\n");
    EXPECT_EQ(Reduced(), misc + kEntryA + misc);
    // The MISC entry's year is read as part of A, the entry before it.
    EXPECT_EQ(Bibitems(), "\\bibitem{A}\nAy Anne\n2020 \\textit{J. Chem. Phys.} \\textbf{1} 10\n\n");
  });
}

// A blank after the comma is part of the next key, which the library then
// lacks.
TEST_F(ExtractTest, BlankAfterCommaIsPartOfTheKey) {
  Given("\\cite{A, B}\n", Library());
  EXPECT_EQ(RunExtract(), RESULT_DONE);
  EXPECT_EQ(Items(), "A\n");
  EXPECT_EQ(LastReport().cited_keys, Keys({"A", " B"}));
}

TEST_F(ExtractTest, DocumentWithoutCitations) {
  Given("\\documentclass{article}\n\\begin{document}\nNo references.\n\\end{document}\n", Library());
  EXPECT_EQ(RunExtract(), RESULT_DONE);
  for (const std::string& path : {ItemsPath(), ReducedPath(), BibitemsPath()}) {
    EXPECT_TRUE(FileExists(path)) << path;
    EXPECT_EQ(ReadFile(path), "") << path;
  }
  EXPECT_TRUE(LastReport().cited_keys.empty());
}

// A thesis may cite far more keys than any fixed table would hold.
TEST_F(ExtractTest, FifteenHundredDistinctKeys) {
  std::string document;
  std::string library;
  std::string items;
  for (int i = 0; i < 1500; i++) {
    const std::string key = "key" + std::to_string(i);
    document += "See \\cite{" + key + ",key0}.\n";
    library += "@ARTICLE{" + key + ",\n  year = {2000}\n}\n";
    items += key + "\n";
  }
  Given(document, library);
  EXPECT_EQ(RunExtract(), RESULT_DONE);
  EXPECT_EQ(LastReport().cited_keys.size(), 1500u);
  EXPECT_EQ(LastReport().cited_keys.back(), "key1499");
  EXPECT_EQ(Items(), items);
  const std::string bibitems = Bibitems();
  EXPECT_EQ(std::count(bibitems.begin(), bibitems.end(), '\n'), 1500 * 4);
}

// A citation not closed on its line ends there: the next line's text is
// not part of it, and the line feed is part of no key.
TEST_F(ExtractTest, UnterminatedCitation) {
  Given("\\cite{A,B\nC} more text\n", Library());
  EXPECT_EQ(RunExtract(), RESULT_DONE);
  EXPECT_EQ(LastReport().cited_keys, Keys({"A", "B"}));
  EXPECT_EQ(Items(), "A\nB\n");
}

// Lines longer than a line buffer arrive in pieces: a citation in a later
// piece is still collected, and a long library line is copied whole.
TEST_F(ExtractTest, LongLines) {
  const std::string long_value(600, 'v');
  const std::string entry = "@ARTICLE{A,\n  abstract = {" + long_value + "},\n  year = {2001}\n}\n";
  Given(std::string(560, 'p') + " \\cite{A}\n", entry + kEntryB);
  EXPECT_EQ(RunExtract(), RESULT_DONE);
  EXPECT_EQ(Items(), "A\n");
  EXPECT_EQ(Reduced(), entry);
}

TEST_F(ExtractTest, BytesAreCopiedExactly) {
  const char raw[] = "@ARTICLE{A,\n  note = {nul\0byte and \xe9t\xe9},\n}\n";
  const std::string entry(raw, sizeof raw - 1);
  Given("\\cite{A}\n", entry);
  EXPECT_EQ(RunExtract(), RESULT_DONE);
  EXPECT_EQ(Reduced(), entry);
}

// A document and a library written with CR LF give the same outputs as
// with LF.
TEST_F(ExtractTest, CarriageReturnLineFeedInputs) {
  const std::string document = "Intro \\cite{C,A}.\nMore \\cite{B}\n";
  auto crlf = [](const std::string& text) {
    std::string out;
    for (char c : text) out += c == '\n' ? std::string("\r\n") : std::string(1, c);
    return out;
  };
  Given(document, Library());
  ASSERT_EQ(RunExtract(), RESULT_DONE);
  const std::string items = Items();
  const std::string reduced = Reduced();
  const std::string bibitems = Bibitems();
  Given(crlf(document), crlf(Library()));
  ASSERT_EQ(RunExtract(), RESULT_DONE);
  EXPECT_EQ(Items(), items);
  EXPECT_EQ(Reduced(), reduced);
  EXPECT_EQ(Bibitems(), bibitems);
  EXPECT_EQ(LastReport().cited_keys, Keys({"C", "A", "B"}));
}

// Outputs are named after the library, cut before the first "." of its
// whole path.
TEST_F(ExtractTest, OutputNames) {
  struct {
    const char* library;  // inside the scratch folder
    const char* base;
  } cases[] = {
      {"refs.bib", "refs"},
      {"library", "library"},  // no "." at all: the whole path
      {"my.papers/all.bib", "my.papers/all"},
      {"lib.v2.bib", "lib.v2"},
  };
  for (const auto& c : cases) {
    fs::create_directories(fs::path(dir_.File(c.library)).parent_path());
    Given("\\cite{A}\n", Library(), c.library);
    EXPECT_EQ(RunExtract(), RESULT_DONE) << c.library;
    const std::string base = dir_.File(c.base);
    EXPECT_EQ(ReadFile(base + "_extract_items.txt"), "A\n") << c.library;
    EXPECT_EQ(ReadFile(base + "_extract_modified.bib"), kEntryA) << c.library;
    EXPECT_TRUE(FileExists(base + "_extract_bibitems.tex")) << c.library;
  }
}

TEST_F(ExtractTest, OutputsNeverOverwriteAnInput) {
  document_ = dir_.File("lib_extract_bibitems.tex");
  library_ = dir_.File("lib.bib");
  WriteFile(document_, "\\cite{A}\n");
  WriteFile(library_, Library());
  SetFileSlot(file_address_01, document_.c_str());
  SetFileSlot(file_address_02, library_.c_str());
  EXPECT_EQ(RunExtract(), RESULT_STOPPED);
  ASSERT_EQ(Messages().size(), 1u);
  EXPECT_EQ(Messages()[0].rfind("File?: ", 0), 0u);
  EXPECT_EQ(ReadFile(document_), "\\cite{A}\n");
  EXPECT_FALSE(FileExists(ItemsPath()));
}

TEST_F(ExtractTest, EachRunStartsAFreshReport) {
  Given("\\cite{A}\n", Library());
  ASSERT_EQ(RunExtract(), RESULT_DONE);
  ASSERT_EQ(LastReport().cited_keys.size(), 1u);
  file_address_02[0] = '\0';
  EXPECT_EQ(RunExtract(), RESULT_NEED_BIBTEX);
  EXPECT_TRUE(LastReport().cited_keys.empty());
  EXPECT_TRUE(LastReport().found.empty());
}

enum OutputState { ABSENT, EMPTY, COMPLETE, ANY };

class ExtractFailureTest;

struct FailureCase {
  const char* name;
  // Prepares the failure; returns false when this machine cannot.
  bool (*arrange)(ExtractFailureTest*);
  int result;
  const char* message;  // "" for none
  OutputState items, reduced, bibitems;
};

void PrintTo(const FailureCase& c, std::ostream* os) { *os << c.name; }

// Points an output at a device that refuses every write.
class ExtractFailureTest : public ExtractTest, public ::testing::WithParamInterface<FailureCase> {
 public:
  // The fixture's members, for the arrange functions.
  ScratchDir& dir() { return dir_; }
  std::string& document() { return document_; }
  std::string& library() { return library_; }
  bool MakeReadOnly(const std::string& path) {
    read_only_.push_back(std::make_unique<ReadOnly>(path));
    return read_only_.back()->ok();
  }
  using ExtractTest::BibitemsPath;
  using ExtractTest::ItemsPath;
  using ExtractTest::ReducedPath;
};

void ExpectOutput(const std::string& path, OutputState state, const std::string& complete) {
  switch (state) {
    case ABSENT: EXPECT_FALSE(FileExists(path)) << path; break;
    case EMPTY: EXPECT_TRUE(FileExists(path) && ReadFile(path).empty()) << path; break;
    case COMPLETE: EXPECT_EQ(ReadFile(path), complete) << path; break;
    case ANY: break;
  }
}

TEST_P(ExtractFailureTest, StopsWithItsMessage) {
  const FailureCase& c = GetParam();
  Given("\\cite{B,A}\n", Library());
  if (!c.arrange(this)) GTEST_SKIP() << "this machine cannot arrange: " << c.name;
  EXPECT_EQ(RunExtract(), c.result);
  if (c.message[0] == '\0') {
    EXPECT_TRUE(Messages().empty());
  } else {
    EXPECT_EQ(Messages(), std::vector<std::string>({c.message}));
  }
  ExpectOutput(ItemsPath(), c.items, "B\nA\n");
  ExpectOutput(ReducedPath(), c.reduced, std::string(kEntryB) + kEntryA);
  ExpectOutput(BibitemsPath(), c.bibitems, "");
}

using T = ExtractFailureTest;
const FailureCase kFailures[] = {
    {"FirstSlotEmpty", [](T*) { file_address_01[0] = '\0'; return true; }, RESULT_NEED_FIRST, "",
     ABSENT, ABSENT, ABSENT},
    {"SecondSlotEmpty", [](T*) { file_address_02[0] = '\0'; return true; }, RESULT_NEED_BIBTEX, "",
     ABSENT, ABSENT, ABSENT},
    {"DocumentMissing", [](T* t) { return fs::remove(t->document()); }, RESULT_NEED_FIRST,
     "LaTeX file?: Could not open the LaTeX file!", ABSENT, ABSENT, ABSENT},
    {"DocumentIsAFolder",
     [](T* t) { return SetFileSlot(file_address_01, t->dir().path().c_str()) == 1; },
     RESULT_NEED_FIRST, "LaTeX file?: Could not open the LaTeX file!", ABSENT, ABSENT, ABSENT},
    {"DocumentReadOnly", [](T* t) { return t->MakeReadOnly(t->document()); }, RESULT_NEED_FIRST,
     "LaTeX file?: Could not open the LaTeX file!", ABSENT, ABSENT, ABSENT},
    {"LibraryMissing", [](T* t) { return fs::remove(t->library()); }, RESULT_NEED_BIBTEX,
     "BibTeX file?: Could not open the BibTeX file!", EMPTY, ABSENT, ABSENT},
    {"LibraryIsAFolder",
     [](T* t) {
       std::string folder = t->dir().File("folder.bib");
       fs::create_directory(folder);
       return SetFileSlot(file_address_02, folder.c_str()) == 1;
     },
     RESULT_NEED_BIBTEX, "BibTeX file?: Could not open the BibTeX file!", ANY, ANY, ANY},
    {"LibraryReadOnly", [](T* t) { return t->MakeReadOnly(t->library()); }, RESULT_NEED_BIBTEX,
     "BibTeX file?: Could not open the BibTeX file!", EMPTY, ABSENT, ABSENT},
    {"OutputFolderNotWritable",
     [](T* t) {
       // The document elsewhere, the library in a folder that takes no new files.
       std::string folder = t->dir().File("shelf");
       fs::create_directory(folder);
       fs::rename(t->library(), folder + "/lib.bib");
       SetFileSlot(file_address_02, (folder + "/lib.bib").c_str());
       return t->MakeReadOnly(folder);
     },
     RESULT_STOPPED, "Itemfile?: Could not open the item file!", ANY, ANY, ANY},
    {"ItemFileBlocked", [](T* t) { return fs::create_directory(t->ItemsPath()); }, RESULT_STOPPED,
     "Itemfile?: Could not open the item file!", ANY, ABSENT, ABSENT},
    {"ReducedFileBlocked", [](T* t) { return fs::create_directory(t->ReducedPath()); },
     RESULT_STOPPED, "New BibTeX file?: Could not create a new BibTeX file!", EMPTY, ANY, ABSENT},
    {"BibitemFileBlocked", [](T* t) { return fs::create_directory(t->BibitemsPath()); },
     RESULT_STOPPED, "Bibitem file?: Could not open the bibitem file!", COMPLETE, COMPLETE, ANY},
    {"ItemFileWriteFails", [](T* t) { return MakeWritesFail(t->ItemsPath()); }, RESULT_STOPPED,
     "Itemfile?: Could not write the item file!", ANY, COMPLETE, ANY},
    {"ReducedFileWriteFails", [](T* t) { return MakeWritesFail(t->ReducedPath()); }, RESULT_STOPPED,
     "New BibTeX file?: Could not write the new BibTeX file!", COMPLETE, ANY, ABSENT},
    {"BibitemFileWriteFails", [](T* t) { return MakeWritesFail(t->BibitemsPath()); }, RESULT_STOPPED,
     "Bibitem file?: Could not write the bibitem file!", COMPLETE, COMPLETE, ANY},
};

INSTANTIATE_TEST_SUITE_P(Failures, ExtractFailureTest, ::testing::ValuesIn(kFailures),
                         [](const ::testing::TestParamInfo<FailureCase>& info) {
                           return std::string(info.param.name);
                         });

// The lines of text that begin with prefix, each with its line feed.
std::string LinesBeginningWith(const std::string& text, const std::string& prefix) {
  std::string lines;
  for (std::size_t at = 0; at < text.size();) {
    std::size_t feed = text.find('\n', at);
    std::size_t next = feed == std::string::npos ? text.size() : feed + 1;
    if (text.compare(at, prefix.size(), prefix) == 0) lines += text.substr(at, next - at);
    at = next;
  }
  return lines;
}

// The bundled example: every cited key but Dion2004, which the library
// lacks, is listed, copied and typeset once, in order of first citation.
// The list was read off examples/paper.tex and examples/library.bib.
TEST_F(ExtractTest, BundledExample) {
  const struct {
    const char* type;
    const char* key;
  } cited[] = {
      {"ARTICLE", "Novoselov2004"},  {"ARTICLE", "Kroto1985"},     {"ARTICLE", "Iijima1991"},
      {"ARTICLE", "Hohenberg1964"},  {"ARTICLE", "Kohn1965"},      {"BOOK", "Parr1989"},
      {"ARTICLE", "Perdew1996"},     {"ARTICLE", "Becke1993"},     {"ARTICLE", "Lee1988"},
      {"INCOLLECTION", "Becke1995"}, {"ARTICLE", "Grimme2010"},    {"ARTICLE", "Moller1934"},
      {"BOOK", "Szabo1996"},         {"ARTICLE", "Boys1970"},      {"INCOLLECTION", "Pulay1987"},
      {"ARTICLE", "Car1985"},        {"ARTICLE", "Nose1984"},      {"ARTICLE", "Hoover1985"},
      {"ARTICLE", "Metropolis1953"}, {"BOOK", "Allen1987"},        {"INPROCEEDINGS", "Okafor2011"},
      {"BOOK", "Frenkel2002"},       {"PHDTHESIS", "Feynman1942"}, {"BOOK", "Ashcroft1976"},
  };
  // The entries of the other types the paper cites after those: the line
  // rules find each by "{KEY," but know no marker of their type, so each is
  // copied on to the next entry that has one, and only the booklet (whose
  // "@BOOKLET{" holds "@BOOK") gets a \bibitem line, alone.
  const char* const other_types[] = {"Sample2016", "WaterSim2020", "Okafor2017", "Lindqvist2014",
                                     "Lindqvist2015", "Ahmed2012", "Nyberg2011", "CCCBDB2022",
                                     "Sample2018", "Geim2007arXiv", "Example2019", "Example2022"};
  std::string items;
  std::string first_lines;
  std::string bibitem_lines;
  for (const auto& c : cited) {
    items += std::string(c.key) + "\n";
    first_lines += "@" + std::string(c.type) + "{" + c.key + ",\n";
    bibitem_lines += "\\bibitem{" + std::string(c.key) + "}\n";
  }
  for (const char* key : other_types) items += std::string(key) + "\n";
  bibitem_lines += "\\bibitem{Sample2016}\n";
  const std::string examples = std::string(TAMREL_SOURCE_DIR) + "/examples/";
  Given(ReadFile(examples + "paper.tex"), ReadFile(examples + "library.bib"), "library.bib");
  ForBothScans([&] {
    ASSERT_EQ(RunExtract(), RESULT_DONE);
    EXPECT_EQ(ReadFile(dir_.File("library_extract_items.txt")), items);
    std::string reduced_first_lines =
        LinesBeginningWith(ReadFile(dir_.File("library_extract_modified.bib")), "@");
    EXPECT_EQ(reduced_first_lines.substr(0, first_lines.size()), first_lines);
    EXPECT_EQ(0u, reduced_first_lines.find("@BOOKLET{Sample2016,\n", first_lines.size()) - first_lines.size());
    EXPECT_EQ(LinesBeginningWith(ReadFile(dir_.File("library_extract_bibitems.tex")), "\\bibitem{"),
              bibitem_lines);
    EXPECT_TRUE(Messages().empty());
  });
}

// The lines of text as the operations read them: a carriage return before
// a line feed dropped, and a line of more than 511 characters in pieces.
std::vector<std::string> LinesAsRead(const std::string& text) {
  std::vector<std::string> lines;
  for (std::size_t at = 0; at < text.size();) {
    std::size_t feed = text.find('\n', at);
    std::size_t next = feed == std::string::npos ? text.size() : feed + 1;
    std::string line = text.substr(at, next - at);
    if (line.size() >= 2 && line.compare(line.size() - 2, 2, "\r\n") == 0) line.erase(line.size() - 2, 1);
    for (std::size_t piece = 0; piece < line.size(); piece += 511) lines.push_back(line.substr(piece, 511));
    at = next;
  }
  return lines;
}

// The keys a document cites, each once in order of first citation: every
// "\cite{" of a line opens a key list that runs to the next "}" or the end
// of the line, split at commas.  The next citation is looked for from the
// brace on, so one inside a key list counts as well.
std::vector<std::string> CitedKeysOf(const std::string& document) {
  std::vector<std::string> keys;
  std::set<std::string> seen;
  for (const std::string& line : LinesAsRead(document)) {
    const std::string text = line.substr(0, line.find('\0'));
    for (std::size_t cite = text.find("\\cite{"); cite != std::string::npos;
         cite = text.find("\\cite{", cite + 5)) {
      const std::size_t from = cite + 6;
      const std::string list = text.substr(from, text.find_first_of("}\n", from) - from);
      for (std::size_t at = 0; at < list.size();) {
        std::size_t comma = std::min(list.find(',', at), list.size());
        if (seen.insert(list.substr(at, comma - at)).second) keys.push_back(list.substr(at, comma - at));
        at = comma + 1;
      }
    }
  }
  return keys;
}

// A library holds a key when one of its lines holds "{KEY,".
bool LibraryHolds(const std::vector<std::string>& library_lines, const std::string& key) {
  const std::string search = "{" + key + ",";
  for (const std::string& line : library_lines) {
    if (line.substr(0, line.find('\0')).find(search) != std::string::npos) return true;
  }
  return false;
}

// Real documents and libraries: every run completes, the item file lists
// exactly the cited keys the library holds, and the reduced file holds an
// entry for each.
TEST_F(ExtractTest, RealCorpus) {
  const fs::path corpus = fs::path(TAMREL_SOURCE_DIR) / ".." / "shared" / "corpus" / "real";
  if (!fs::is_directory(corpus)) GTEST_SKIP() << "no corpus at " << corpus;
  int runs = 0;
  int held_keys = 0;
  for (const auto& folder : fs::directory_iterator(corpus)) {
    if (!folder.is_directory()) continue;
    std::vector<fs::path> documents;
    std::vector<fs::path> libraries;
    for (const auto& file : fs::directory_iterator(folder.path())) {
      if (file.path().extension() == ".tex") documents.push_back(file.path());
      if (file.path().extension() == ".bib") libraries.push_back(file.path());
    }
    for (const fs::path& document : documents) {
      for (const fs::path& library : libraries) {
        SCOPED_TRACE(document.string() + " with " + library.string());
        const std::string document_text = ReadFile(document.string());
        const std::string library_text = ReadFile(library.string());
        const std::vector<std::string> library_lines = LinesAsRead(library_text);
        std::string items;
        std::vector<std::string> held;
        for (const std::string& key : CitedKeysOf(document_text)) {
          if (!LibraryHolds(library_lines, key)) continue;
          items += key + "\n";
          held.push_back(key);
        }
        Given(document_text, library_text);
        ASSERT_EQ(RunExtract(), RESULT_DONE);
        runs++;
        held_keys += static_cast<int>(held.size());
        EXPECT_EQ(Items(), items);
        const std::string reduced = Reduced();
        for (const std::string& key : held) {
          EXPECT_NE(reduced.find("{" + key + ","), std::string::npos) << key;
        }
        EXPECT_TRUE(Messages().empty());
      }
    }
  }
  EXPECT_GT(runs, 0);
  EXPECT_GT(held_keys, 0);
}

}  // namespace
