// Files no JabRef wrote: every operation, with either reader, must still
// finish with a result,
// write nothing outside its buffers (this suite also runs under
// AddressSanitizer and UndefinedBehaviorSanitizer) and leave its inputs as
// they were.
#include <gtest/gtest.h>

#include <functional>
#include <ostream>
#include <string>

#include "app/state.h"
#include "commands/state_requests.h"
#include "support/test_support.h"

namespace {

const char kNormalLibrary[] =
    "@ARTICLE{Smith2001,\n  author = {Smith, John and Doe, Jane},\n  title = {A study},\n"
    "  journal = {Phys. Rev.},\n  year = {2001},\n  volume = {12},\n  pages = {123--130}\n}\n\n"
    "@BOOK{Doe1999,\n  author = {Doe, Jane},\n  title = {A book},\n  year = {1999}\n}\n";
const char kNormalDocument[] = "As shown \\cite{Smith2001,Doe1999,k,a} and \\cite{k0,k1}.\n";

std::string Repeat(const std::string& piece, std::size_t times) {
  std::string out;
  out.reserve(piece.size() * times);
  for (std::size_t i = 0; i < times; i++) out += piece;
  return out;
}

std::string OneMegabyteLine() {
  std::string line = Repeat("@ARTICLE{k, year = {1}, \\cite{k,a} } {{ ", (1 << 20) / 40);
  line.resize(1 << 20, 'x');
  return line;
}

std::string InvalidUtf8() {
  std::string text = "@ARTICLE{k\xC3,\n  author = {M\xFF\xFEller, H\x80ns and \xC0\xAF},\n"
                     "  journal = {\xED\xA0\x80},\n  year = {\xF8\x88\x80\x80\x80}\n}\n"
                     "\\cite{k\xC3} \\cite{\xFF}\n";
  return Repeat(text, 50);
}

std::string CitingManyKeys() {
  std::string text;
  for (int i = 0; i < 5000; i++) text += "See \\cite{key" + std::to_string(i) + ",k}.\n";
  return text;
}

struct HostileFile {
  const char* name;
  std::function<std::string()> make;
  // The BibTeX reader finds no entry in it, only blocks it cannot read:
  // as a library it is refused like a file that cannot be opened.  (Once
  // bibtex has read a key, the entry is one, however broken the rest.)
  bool nothing_for_bibtex;
};

const HostileFile kHostileFiles[] = {
    {"empty", [] { return std::string(); }, false},
    {"nul_bytes", [] { static const char k[] = "@ARTICLE{a\0b,\n  year = {20\0" "01}\n}\n\\cite{a\0b}\n\0\0\0";
                       return std::string(k, sizeof k - 1); }, false},
    {"one_megabyte_line", OneMegabyteLine, false},
    {"nested_braces", [] { return "@ARTICLE{k,\n  title = " + std::string(100000, '{') + std::string(100000, '}') + ",\n  author = " + std::string(100000, '{') + "\n}\n"; }, false},
    {"only_article_lines", [] { return Repeat("@ARTICLE{\n", 20000); }, false},
    {"invalid_utf8", InvalidUtf8, false},
    {"cr_only_line_ends", [] { std::string s = kNormalLibrary; for (char& c : s) if (c == '\n') c = '\r'; return Repeat(s, 200); }, false},
    {"identical_entries", [] { return Repeat(kNormalLibrary, 25000); }, false},  // 50,000 entries
    {"citing_5000_keys", CitingManyKeys, false},
    {"cut_after_the_brace", [] { return std::string("% exported\n@ARTICLE{\n  "); }, true},
    {"unclosed_everything", [] { return std::string("\\cite{k\n@BOOK{k,\n  author = {A, B and\n  title = {{x"); }, false},
};

void PrintTo(const HostileFile& file, std::ostream* os) { *os << file.name; }

class HostileFiles : public ::testing::TestWithParam<HostileFile> {
 protected:
  // Writes the hostile file and a well-formed partner, runs the operation
  // with each reader, and checks the result and that both inputs are
  // unchanged.
  void RunWith(const std::string& hostile_name, const std::string& partner_name,
               const std::string& partner, bool hostile_first, const std::function<int()>& op,
               bool hostile_is_bibtex = true) {
    std::string hostile = GetParam().make();
    std::string hostile_path = dir_.File(hostile_name);
    std::string partner_path = dir_.File(partner_name);
    WriteFile(hostile_path, hostile);
    WriteFile(partner_path, partner);
    for (int classic = 1; classic >= 0; classic--) {
      SCOPED_TRACE(classic ? "line rules" : "BibTeX reader");
      ResetApplicationState();
      FLAG_CLASSIC = classic;
      SetFileSlot(file_address_01, (hostile_first ? hostile_path : partner_path).c_str());
      SetFileSlot(file_address_02, (hostile_first ? partner_path : hostile_path).c_str());
      state_.platform.messages.clear();
      int result = op();
      EXPECT_TRUE(ReadFile(hostile_path) == hostile) << "the hostile input changed";
      EXPECT_EQ(ReadFile(partner_path), partner);
      if (!classic && hostile_is_bibtex && GetParam().nothing_for_bibtex) {
        EXPECT_EQ(result, RESULT_NEED_BIBTEX);
        ASSERT_EQ(state_.platform.messages.size(), 1u);
        EXPECT_NE(state_.platform.messages[0].find("No BibTeX entry could be read from the file\n    '" +
                                                   hostile_path + "'.\nLine "),
                  std::string::npos)
            << state_.platform.messages[0];
        continue;
      }
      EXPECT_EQ(result, RESULT_DONE);
      EXPECT_TRUE(state_.platform.messages.empty()) << state_.platform.messages[0];
    }
  }

  ScratchDir dir_;
  OperationFixtureState state_;
};

TEST_P(HostileFiles, ExtractAsDocument) {
  RunWith("paper.tex", "library.bib", kNormalLibrary, true, [] { return Extract(); }, false);
}

TEST_P(HostileFiles, ExtractAsLibrary) {
  RunWith("library.bib", "paper.tex", kNormalDocument, false, [] { return Extract(); });
}

TEST_P(HostileFiles, CompareAsMaster) {
  RunWith("master.bib", "second.bib", kNormalLibrary, true, [] { return Compare(); });
}

TEST_P(HostileFiles, CompareAsSecondFile) {
  RunWith("second.bib", "master.bib", kNormalLibrary, false, [] { return Compare(); });
}

TEST_P(HostileFiles, CleanDoubles) {
  RunWith("library.bib", "unused.bib", "", true, [] { return Clean(); });
}

INSTANTIATE_TEST_SUITE_P(All, HostileFiles, ::testing::ValuesIn(kHostileFiles),
                         [](const ::testing::TestParamInfo<HostileFile>& info) {
                           return std::string(info.param.name);
                         });

}  // namespace
