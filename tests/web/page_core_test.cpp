// The page's core: JSON that stays valid whatever the libraries' bytes, the
// checks that refuse a wrong file before a run, and the entry point the
// page's worker calls.
#include <gtest/gtest.h>

#include <cstdio>
#include <string>

#include "support/test_support.h"
#include "commands/input_check.h"
#include "web/outcome_json.h"
#include "web/page_exports.h"

namespace {

std::string Json(const std::string& text) {
  std::string out;
  AppendJsonString(text, &out);
  return out;
}

TEST(PageJson, EscapesWhatJsonForbidsAndKeepsEveryByteVisible) {
  struct Case {
    const char* name;
    std::string in;
    std::string out;
  } cases[] = {
      {"plain", "Smith2001", "\"Smith2001\""},
      {"quote and backslash", "a\"b\\c", "\"a\\\"b\\\\c\""},
      {"line ends and tab", "a\nb\r\tc", "\"a\\nb\\r\\tc\""},
      {"other control", std::string("a\x01" "b", 3), "\"a\\u0001b\""},
      {"UTF-8 two bytes", "Schr\xC3\xB6" "dinger", "\"Schr\xC3\xB6" "dinger\""},
      {"UTF-8 three bytes", "\xE2\x80\x93", "\"\xE2\x80\x93\""},
      {"UTF-8 four bytes", "\xF0\x9F\x98\x80", "\"\xF0\x9F\x98\x80\""},
      {"Latin-1 byte", "Schr\xF6" "dinger", "\"Schr\\u00f6dinger\""},
      {"CP1252 dash", "1\x96" "2", "\"1\\u00962\""},
      {"sequence cut at the end", "a\xC3", "\"a\\u00c3\""},
      {"overlong slash", "\xC0\xAF", "\"\\u00c0\\u00af\""},
      {"surrogate", "\xED\xA0\x80", "\"\\u00ed\\u00a0\\u0080\""},
      {"beyond Unicode", "\xF4\x90\x80\x80", "\"\\u00f4\\u0090\\u0080\\u0080\""},
  };
  for (const Case& c : cases) EXPECT_EQ(Json(c.in), c.out) << c.name;
}

TEST(PageInputCheck, RefusesBinaryAndEntrylessFilesButKeepsBrokenEntries) {
  ScratchDir dir;
  struct Case {
    const char* name;
    std::string bytes;
    InputVerdict library;
    InputVerdict text;
  } cases[] = {
      {"entry", "@article{k, title = {T}}\n", INPUT_FINE, INPUT_FINE},
      {"upper-case entry in parentheses", "@BOOK(k, title = \"T\")", INPUT_FINE, INPUT_FINE},
      {"NUL byte", std::string("@article{k,\0 title={T}}", 23), INPUT_NOT_TEXT, INPUT_NOT_TEXT},
      {"UTF-16", std::string("\xFF\xFE@\0a\0", 6), INPUT_NOT_TEXT, INPUT_NOT_TEXT},
      {"empty", "", INPUT_NO_ENTRIES, INPUT_FINE},
      {"prose", "Dear editor, please find attached\n", INPUT_NO_ENTRIES, INPUT_FINE},
      {"strings and comments only", "@string{j = {J}}\n@comment{x}\n@preamble{\"p\"}\n",
       INPUT_NO_ENTRIES, INPUT_FINE},
      {"entry without key", "@article{title = {T}}\n", INPUT_FINE, INPUT_FINE},
      {"unbalanced entry", "@article{k, title = {T}\n", INPUT_FINE, INPUT_FINE},
  };
  for (const Case& c : cases) {
    std::string path = dir.File(std::string(c.name) + ".bib");
    WriteFile(path, c.bytes);
    EXPECT_EQ(CheckLibraryInput(path.c_str()), c.library) << c.name;
    EXPECT_EQ(CheckTextInput(path.c_str()), c.text) << c.name;
  }
  EXPECT_EQ(CheckLibraryInput(dir.File("absent.bib").c_str()), INPUT_UNREADABLE);
}

// The command-line tool looks at the first 8000 bytes only, as git does,
// so that a large library is not read twice.
TEST(PageInputCheck, TheStartOfAFileTellsBinaryFromText) {
  ScratchDir dir;
  struct Case {
    const char* name;
    std::string bytes;
    InputVerdict verdict;
  } cases[] = {
      {"entry", "@article{k, title = {T}}\n", INPUT_FINE},
      {"empty", "", INPUT_FINE},
      {"UTF-16", std::string("\xFF\xFE@\0a\0", 6), INPUT_NOT_TEXT},
      {"NUL at the last byte looked at", std::string(7999, 'a') + std::string(1, '\0'), INPUT_NOT_TEXT},
      {"NUL just after", std::string(8000, 'a') + std::string(1, '\0'), INPUT_FINE},
  };
  for (const Case& c : cases) {
    std::string path = dir.File(std::string(c.name) + ".bib");
    WriteFile(path, c.bytes);
    EXPECT_EQ(CheckTextStart(path.c_str()), c.verdict) << c.name;
  }
  EXPECT_EQ(CheckTextStart(dir.File("absent.bib").c_str()), INPUT_UNREADABLE);
}

// Runs tamrel_run, as the page does, and gives its JSON.
std::string RunOnPage(const char* operation, const std::string& first, const std::string& second,
                const std::string& out_dir, int page_range = 0) {
  char* json = tamrel_run(operation, first.c_str(), second.c_str(), "iop", page_range, out_dir.c_str());
  std::string text = json != nullptr ? json : "";
  tamrel_free(json);
  return text;
}

bool Has(const std::string& text, const std::string& part) {
  return text.find(part) != std::string::npos;
}

TEST(PageRun, ExtractsTheExampleIntoTheOutputFolder) {
  ScratchDir dir;
  std::string examples = std::string(TAMREL_SOURCE_DIR) + "/examples/";
  std::string json = RunOnPage("extract", examples + "paper.tex", examples + "library.bib", dir.path(), 1);
  EXPECT_TRUE(Has(json, "\"done\":true")) << json;
  EXPECT_TRUE(Has(json, "\"outputs\":[\"" + dir.File("library_extract_items.txt") + "\",\"" +
                            dir.File("library_extract_modified.bib") + "\",\"" +
                            dir.File("library_extract_bibitems.tex") + "\"]"))
      << json;
  EXPECT_TRUE(Has(json, "{\"key\":\"Novoselov2004\",\"found\":true}")) << json;
  // The style and page mode reach the typesetter: IOP with the whole range.
  std::string bibitems = ReadFile(dir.File("library_extract_bibitems.tex"));
  EXPECT_TRUE(Has(bibitems, "\\bibitem{Novoselov2004}")) << bibitems;
  EXPECT_TRUE(Has(bibitems, "2004 \\textit{Science} \\textbf{306} 666--")) << bibitems;
}

TEST(PageRun, RefusesAWrongFileBeforeWritingAnything) {
  ScratchDir dir;
  std::string binary = dir.File("thesis.pdf");
  WriteFile(binary, std::string("%PDF-1.5\n\0\x01\x02", 12));
  std::string prose = dir.File("notes.bib");
  WriteFile(prose, "nothing here\n");
  std::string good = dir.File("good.bib");
  WriteFile(good, "@misc{a, note = {n}}\n");
  std::string out = dir.File("out");
  struct Case {
    const char* operation;
    std::string first, second, problem;
  } cases[] = {
      {"clean", binary, "", "thesis.pdf is not a text file"},
      {"clean", prose, "", "notes.bib holds no BibTeX entry"},
      {"compare", good, prose, "notes.bib holds no BibTeX entry"},
      {"compare", binary, good, "thesis.pdf is not a text file"},
      {"extract", binary, good, "thesis.pdf is not a text file"},
      {"extract", good, prose, "notes.bib holds no BibTeX entry"},
      {"sort", good, "", "unknown operation: sort"},
  };
  for (const Case& c : cases) {
    std::string json = RunOnPage(c.operation, c.first, c.second, out);
    EXPECT_TRUE(Has(json, "\"done\":false")) << c.problem << ": " << json;
    EXPECT_TRUE(Has(json, c.problem)) << json;
    EXPECT_TRUE(Has(json, "\"outputs\":[]")) << json;
  }
  EXPECT_FALSE(FileExists(out));
}

TEST(PageRun, ExtractReadsEveryLibraryGivenOrThoseTheDocumentNames) {
  ScratchDir dir;
  WriteFile(dir.File("a.bib"), "@article{a1, author = {Roe, R.}, title = {T}, journal = {J}, year = 2001}\n");
  WriteFile(dir.File("b.bib"), "@book{b1, author = {Doe, J.}, title = {B}, publisher = {P}, year = 1999}\n");
  WriteFile(dir.File("paper.tex"), "\\cite{a1,b1}\n\\bibliography{a,b}\n");
  struct Case {
    const char* name;
    std::string libraries;
  } cases[] = {
      {"both chosen", dir.File("a.bib") + "\n" + dir.File("b.bib")},
      {"none chosen: the document's", ""},
  };
  for (const Case& c : cases) {
    std::string items = dir.File("a_extract_items.txt");
    std::remove(items.c_str());
    std::string json = RunOnPage("extract", dir.File("paper.tex"), c.libraries, "");
    EXPECT_TRUE(Has(json, "\"done\":true")) << c.name << ": " << json;
    EXPECT_TRUE(Has(json, "{\"key\":\"a1\",\"found\":true},{\"key\":\"b1\",\"found\":true}")) << json;
    EXPECT_EQ(ReadFile(items), "a1\nb1\n") << c.name;
  }
  WriteFile(dir.File("bare.tex"), "\\cite{a1}\n");
  std::string json = RunOnPage("extract", dir.File("bare.tex"), "", "");
  EXPECT_TRUE(Has(json, "bare.tex names no library")) << json;
}

TEST(PageRun, PassesTheOperationsMessagesOnWithTheirFile) {
  ScratchDir dir;
  std::string json = RunOnPage("compare", dir.File("absent.bib"), dir.File("also_absent.bib"), dir.path());
  EXPECT_TRUE(Has(json, "\"done\":false")) << json;
  EXPECT_TRUE(Has(json, "\"path\":\"" + dir.File("absent.bib") + "\"")) << json;
  EXPECT_TRUE(Has(json, "\"reason\":\"No such file or directory\"")) << json;
}

}  // namespace
