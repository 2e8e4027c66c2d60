// The three operations with the BibTeX reader: the libraries people really
// have (any case, any layout, quoted values, macros), byte for byte.  Each
// case runs with the indexes on and off, and with LF and CR LF input.
#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "app/state.h"
#include "commands/state_requests.h"
#include "files/run_report.h"
#include "app/state.h"
#include "support/test_support.h"

namespace {

// Runs body once per combination of indexes and line ends; body gets the
// text converter for the inputs.
template <typename Body>
void EveryWay(Body body) {
  for (int indexed = 1; indexed >= 0; indexed--) {
    for (int crlf = 0; crlf <= 1; crlf++) {
      SCOPED_TRACE(std::string(indexed ? "indexed" : "plain") + (crlf ? ", CR LF" : ", LF"));
      SetIndexedScans(indexed);
      body([crlf](const std::string& text) { return crlf ? WithCrLf(text) : text; });
      SetIndexedScans(1);
    }
  }
}

// A Zotero export with a commented-out field: bibtex keeps the entry and
// the fields before that line (checked with bibtex 0.99d).
const char kZoteroEntry[] =
    "@article{Zot2020,\n  title = {A paper},\n  author = {Doe, Jane},\n  journal = {J},\n"
    "  volume = {3},\n  %isbn = {978-3},\n  year = {2020},\n}\n";

class ParsedCompare : public ::testing::Test {
 protected:
  void Run(const std::string& master, const std::string& second) {
    WriteFile(dir.File("master.bib"), master);
    WriteFile(dir.File("second.bib"), second);
    SetFileSlot(file_address_01, dir.File("master.bib").c_str());
    SetFileSlot(file_address_02, dir.File("second.bib").c_str());
    report = RunReport();
    ASSERT_EQ(RESULT_DONE, Compare(&report));
    log = ReadFile(dir.File("master_compare.log"));
    missing = ReadFile(dir.File("master_compare_missing.bib"));
    equal = ReadFile(dir.File("master_compare_equal.bib"));
  }

  OperationFixtureState state{0};
  ScratchDir dir;
  RunReport report;
  std::string log, missing, equal;
};

TEST_F(ParsedCompare, VerdictsOnParsedValues) {
  const struct {
    const char* name;
    const char* master;
    const char* second;
    const char* log;
  } cases[] = {
      {"any case, any layout, a macro, quotes and a bare number",
       "@string{pra = \"Phys. Rev. A\"}\n"
       "@Article{V96, journal = pra, volume = 54, pages = \"R37--R40\", year = 1996}\n",
       "@ARTICLE{V96,\n  journal = {Phys.   Rev. A},\n  volume = {54},\n  pages = {R37},\n"
       "  year = {1996}\n}\n",
       "ARTICLE - Exactly the same : V96\n"},
      {"another key, the same values",
       "@book{B1, author = {Doe, Jane}, title = {Bees}}\n",
       "@Book{B2,\n  title = {Bees},\n  author = {Doe, Jane}\n}\n",
       "BOOK    - Probably the same : B1, B2\n          decided by: type and fields\n"},
      {"an empty value proves nothing",
       "@article{A1, title = {One}}\n",
       "@article{A2, title = {Two}}\n",
       "\n----    - Missing : A2\n\n"},
      {"equal DOIs decide alone",
       "@article{D1, doi = {10.1000/XYZ}, journal = {J}, volume = {1}, pages = {1}, year = {2000}}\n",
       "@article{D2, doi = {https://doi.org/10.1000/xyz}, title = {Other words}}\n",
       "ARTICLE - Probably the same : D1, D2\n          decided by: DOI\n"},
      {"different DOIs are different works",
       "@article{E1, doi = {10.1/a}, journal = {J}, volume = {1}, pages = {1}, year = {2000}}\n",
       "@article{E2, doi = {10.1/b}, journal = {J}, volume = {1}, pages = {1}, year = {2000}}\n",
       "\n----    - Missing : E2\n\n"},
      {"the rule's values, but another year",
       "@book{Y1, author = {Doe, J.}, title = {Bees}, year = {1980}}\n",
       "@book{Y2, author = {Doe, J.}, title = {Bees}, year = {1981}}\n",
       "\n----    - Missing : Y2\n\n"},
      {"a type without a rule: same key and fields",
       "@techreport{T1, institution = {Lab}, number = {7}}\n",
       "@TechReport{T1,\n  number = 7,\n  institution = \"Lab\"\n}\n",
       "OTHER   - Exactly the same : T1\n"},
      {"a type without a rule: other fields",
       "@techreport{T1, institution = {Lab}, number = {7}}\n",
       "@techreport{T1, institution = {Lab}, number = {8}}\n",
       "\n----    - Missing : T1\n\n"},
      {"the master's entry with the same key is asked first",
       "@article{First, journal = {J}, volume = {1}, pages = {1}, year = {2000}}\n"
       "@article{Second, journal = {J}, volume = {1}, pages = {1}, year = {2000}}\n",
       "@article{Second, journal = {J}, volume = {1}, pages = {1}, year = {2000}}\n",
       "ARTICLE - Exactly the same : Second\n"},
      {"a key in another letter case is one key to bibtex",
       "@article{Smith2000, journal = {J}, volume = {1}, pages = {1}, year = {2000}}\n",
       "@article{smith2000, journal = {J}, volume = {1}, pages = {1}, year = {2000}}\n",
       "ARTICLE - Exactly the same : smith2000\n"
       "          key in another letter case: Smith2000 in the master\n"},
      {"journaltitle and date, a journal macro and its abbreviation",
       "@string{prb = {Physical Review B}}\n"
       "@article{M, author = {Braun, M.}, journal = prb, volume = 64, pages = {123--130}, year = 2001}\n",
       "@article{S, author = {M. Braun}, journaltitle = {Phys. Rev. B}, volume = {64}, pages = {123},"
       " date = {2001-05-01}}\n",
       "ARTICLE - Probably the same : M, S\n          decided by: journal/volume/page/year\n"},
      {"a book by its author, title and year",
       "@book{B1, author = {van Beethoven, L.}, title = {The Nine Symphonies}, year = {1824}}\n",
       "@book{B2, author = {Ludwig van Beethoven}, title = {The nine symphonies.}, year = {1824}}\n",
       "BOOK    - Probably the same : B1, B2\n          decided by: author/title/year\n"},
      {"a conference paper is not its journal version",
       "@inproceedings{C, author = {Doe, J.}, title = {Fast sorting}, year = {2010}}\n",
       "@article{A, author = {Doe, J.}, title = {Fast sorting}, journal = {J}, volume = {1}, pages = {1},"
       " year = {2010}}\n",
       "\n----    - Missing : A\n\n"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    EveryWay([&](auto text) {
      Run(text(c.master), text(c.second));
      EXPECT_EQ(c.log, log);
    });
  }
}

// One article written by two libraries: the first author, the page
// range's dash and the DOI in the forms each writes.
TEST_F(ParsedCompare, OneArticleInEachLibrarysForms) {
  const struct {
    const char* name;
    const char* master_fields;
    const char* second_fields;
    const char* log;
  } cases[] = {
      {"a tie, initials, an en dash in UTF-8",
       "author = {Braun, Michael}, pages = {123--130}",
       "author = {M.~Braun and H.~Saurer}, pages = {123\xE2\x80\x93" "130}",
       "ARTICLE - Probably the same : M1, S1\n          decided by: journal/volume/page/year\n"},
      {"von and Jr, a CP1252 en dash",
       "author = {van Beethoven, Jr., L.}, pages = {123-130}",
       "author = {Ludwig van Beethoven}, pages = {123\x96" "130}",
       "ARTICLE - Probably the same : M1, S1\n          decided by: journal/volume/page/year\n"},
      {"accents as commands and in UTF-8, a minus sign",
       "author = {M{\\\"u}ller, K.}, pages = {123}",
       "author = {Karl M\xC3\xBCller}, pages = {123\xE2\x88\x92" "125}",
       "ARTICLE - Probably the same : M1, S1\n          decided by: journal/volume/page/year\n"},
      {"another first author",
       "author = {Braun, M.}, pages = {123}",
       "author = {Brown, M.}, pages = {123}",
       "\n----    - Missing : S1\n\n"},
      {"one DOI, written two ways",
       "doi = {10.1/X}, pages = {1}",
       "doi = {https://doi.org/10.1/x}, pages = {2}",
       "ARTICLE - Probably the same : M1, S1\n          decided by: DOI\n"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    const std::string common = ", journal = {J}, volume = {5}, year = {2001}}\n";
    Run(std::string("@article{M1, ") + c.master_fields + common,
        std::string("@article{S1, ") + c.second_fields + common);
    EXPECT_EQ(c.log, log);
  }
}

// A library whose every entry shares one key: each entry of its copy is
// found as itself, not as the first master entry of its work.
TEST_F(ParsedCompare, OneKeyForAWholeLibrary) {
  std::string library;
  for (int i = 0; i < 50; i++) {
    library += "@article{k, journal = {J}, volume = {" + std::to_string(i) + "}, pages = {1}, year = {2000}";
    library += i % 2 ? ", note = {copy}}\n" : "}\n";
  }
  std::string expected;
  for (int i = 0; i < 50; i++) expected += "ARTICLE - Exactly the same : k\n";
  EveryWay([&](auto text) {
    Run(text(library), text(library));
    EXPECT_EQ(expected, log);
    EXPECT_EQ(text(library), equal);  // each master entry once, with its line ends
  });
}

TEST_F(ParsedCompare, OutputsHoldTheSourceTextWithTheStringsItUses) {
  const std::string master =
      "% a library\n"
      "@String{jcp = {J. Chem. Phys.}}\n"
      "@string(unused = \"x\")\n"
      "@Article{Held,\n  journal = jcp, volume = 1, pages = {5--9}, year = 2001}\n";
  const std::string second =
      "@STRING{prl = {Phys. Rev. Lett.}}\n"
      "@article{Held, journal = {J. Chem. Phys.}, volume = {1}, pages = {5}, year = {2001}}\n"
      "@article{New, journal = prl # { Suppl.}, volume = {2}, pages = {7}, year = {2002}}\n";
  EveryWay([&](auto text) {
    Run(text(master), text(second));
    EXPECT_EQ("ARTICLE - Exactly the same : Held\n\n----    - Missing : New\n\n", log);
    // The copies keep their input's line ends, CR LF or LF.
    EXPECT_EQ(text("@String{jcp = {J. Chem. Phys.}}\n"
                   "@Article{Held,\n  journal = jcp, volume = 1, pages = {5--9}, year = 2001}\n"),
              equal);
    EXPECT_EQ(text("@STRING{prl = {Phys. Rev. Lett.}}\n"
                   "@article{New, journal = prl # { Suppl.}, volume = {2}, pages = {7}, year = {2002}}\n"),
              missing);
  });
  EXPECT_EQ(std::vector<std::string>{"2 entries of the second file compared: 1 exactly the same, "
                                     "0 probably the same, 1 missing from the master."},
            report.lines);
}

TEST_F(ParsedCompare, AnEntryBibtexReadsPastAnErrorGetsAVerdict) {
  Run(std::string(kZoteroEntry) + "\n", std::string(kZoteroEntry) + "\n");
  EXPECT_EQ("ARTICLE - Exactly the same : Zot2020\n", log);
}

class ParsedClean : public ::testing::Test {
 protected:
  void Run(const std::string& input) {
    WriteFile(dir.File("lib.bib"), input);
    SetFileSlot(file_address_01, dir.File("lib.bib").c_str());
    report = RunReport();
    ASSERT_EQ(RESULT_DONE, Clean(&report));
    cleaned = ReadFile(dir.File("lib_clean_of_doubles.bib"));
    log = ReadFile(dir.File("lib_clean_of_doubles.log"));
    // The closing count names the folder, which differs between runs.
    std::size_t at = log.rfind("\n\n\n");
    if (at != std::string::npos) log.resize(at);
  }

  OperationFixtureState state{0};
  ScratchDir dir;
  RunReport report;
  std::string cleaned, log;
};

TEST_F(ParsedClean, EveryOtherByteStaysAsItWas) {
  const std::string input =
      "% JabRef 5\n"
      "@String{jcp = {J. Chem. Phys.}}\n"
      "@Preamble{\"\\newcommand{\\noop}[1]{}\"}\n"
      "\n"
      "@Article{A, author = {Ay, Anne}, journal = jcp, volume = {1}, pages = {1--2}, year = {2001}}\n"
      "@misc{M, howpublished = {web}}\n"
      "@article{A2,\n  author  = \"Ay, Anne\",\n  journal = {J. Chem. Phys.},\n  volume  = 1,\n"
      "  pages   = {1},\n  year    = 2001,\n}\n"
      "text between entries\n"
      "@comment{jabref-meta: databaseType:bibtex;}\n";
  EveryWay([&](auto text) {
    Run(text(input));
    // A2 repeats A (the same four values) and goes, with its own line end.
    EXPECT_EQ(text("% JabRef 5\n"
                   "@String{jcp = {J. Chem. Phys.}}\n"
                   "@Preamble{\"\\newcommand{\\noop}[1]{}\"}\n"
                   "\n"
                   "@Article{A, author = {Ay, Anne}, journal = jcp, volume = {1}, pages = {1--2}, year = {2001}}\n"
                   "@misc{M, howpublished = {web}}\n"
                   "text between entries\n"
                   "@comment{jabref-meta: databaseType:bibtex;}\n"),
              cleaned);
    EXPECT_EQ("Probably the same: A2 A\n"
              "     1.: Journal: J. Chem. Phys. Volume: 1 Year: 2001 Pages: 1\n"
              "     2.: Journal: J. Chem. Phys. Volume: 1 Year: 2001 Pages: 1\n"
              "     Decided by: journal/volume/page/year\n"
              "     Bibitem A stays, item A2 out\n\n",
              log);
  });
  EXPECT_EQ(std::vector<std::string>{"3 entries read: 2 written (0 under a new key), 1 left out as doubles."},
            report.lines);
}

// Every byte but a left-out entry stays: the byte-order mark, CR LF line
// ends, text after the last entry with no line end, a new key in place.
TEST_F(ParsedClean, TheMarkLineEndsAndTrailingTextStay) {
  Run("\xEF\xBB\xBF@article{A, title={T}, year=2000}\r\n"
      "@article{A, title={T}, year=2000}\r\n"
      "@article{A, title={U}, year=2001}\r\n"
      "trailing text");
  EXPECT_EQ("\xEF\xBB\xBF@article{A, title={T}, year=2000}\r\n"
            "@article{A_a, title={U}, year=2001}\r\n"
            "trailing text",
            cleaned);
}

TEST_F(ParsedClean, ReusedKeysAreRenamedAndTrueCopiesLeftOut) {
  const std::string input =
      "@book{W, author = {Doe, J.}, title = {Bees}, year = {1980}}\n"
      "@article{X, journal = {J}, volume = {1}, pages = {1}, year = {1999}}\n"
      "@book{X, author = {Doe, J.}, title = {Bees}, year = {1980}}\n"
      "@BOOK{W,\n  author = {Doe, J.},\n  title = {Bees},\n  year = {1980}\n}\n"
      "@book{W, author = {Doe, J.}, title = {Bees}, year = {1981}}\n"
      "@book{w, author = {Doe, J.}, title = {Bees!}, year = {1981}}\n";
  EveryWay([&](auto text) {
    Run(text(input));
    // The book X reuses the article's key, but W holds its work: it goes,
    // rather than stay under a new key that a second clean would find to
    // be W's double.  The BOOK W is W again, field for field: it goes.
    // The next W is another year's book under a reused key: renamed.  The
    // last, w, is W's key to bibtex, and W_a's work: it goes.
    EXPECT_EQ(text("@book{W, author = {Doe, J.}, title = {Bees}, year = {1980}}\n"
                   "@article{X, journal = {J}, volume = {1}, pages = {1}, year = {1999}}\n"
                   "@book{W_a, author = {Doe, J.}, title = {Bees}, year = {1981}}\n"),
              cleaned);
    EXPECT_EQ(0u, log.find("Probably the same: X W\n")) << log;
    EXPECT_NE(std::string::npos, log.find("Exactly the same : W and W\n")) << log;
    EXPECT_NE(std::string::npos, log.find("............. 1-DOUBLE-FLAG set: W and W\n")) << log;
    EXPECT_NE(std::string::npos, log.find("New name for bibitem No.1: from W to W_a\n")) << log;
    EXPECT_NE(std::string::npos, log.find("Probably the same: w W_a\n")) << log;
  });
}

// Cleaning the cleaned file again changes nothing: a copy of one work
// under one key (two tools' exports) is left out the first time, not
// renamed and then left out.
TEST_F(ParsedClean, OnePassSettles) {
  const char* const kLibraries[] = {
      "@article{X, title = {{The DNA}}, journal = {J}, volume = {1}, pages = {1}, year = {2000}}\n"
      "@article{X, title = {The DNA}, journal = {J}, volume = {1}, pages = {1--5}, year = {2000}}\n",
      "@book{K, author = {Doe, J.}, title = {Bees}, year = {1980}}\n"
      "@book{K, author = {Doe, J.}, title = {Bees}, year = {1981}}\n"
      "@book{K, author = {J. Doe}, title = {Bees.}, year = {1981}}\n"
      "@book{k, author = {Doe, Jane}, title = {BEES}, year = {1981}}\n",
      "@book{K_a, author = {Roe, R.}, title = {Wasps}}\n"
      "@book{K, author = {Doe, J.}, title = {Bees}}\n"
      "@book{K, author = {Doe, J.}, title = {Ants}}\n",
  };
  for (const char* library : kLibraries) {
    SCOPED_TRACE(library);
    EveryWay([&](auto text) {
      Run(text(library));
      std::string once = cleaned;
      Run(once);
      EXPECT_EQ(once, cleaned);
      EXPECT_EQ(std::string::npos, log.find("the same")) << log;
    });
  }
}

TEST_F(ParsedClean, ANewKeyTakesNoKeyAlreadyWritten) {
  EveryWay([&](auto text) {
    Run(text("@book{K_a, author = {Roe, R.}, title = {Wasps}}\n"
             "@book{K, author = {Doe, J.}, title = {Bees}}\n"
             "@book{K, author = {Doe, J.}, title = {Ants}}\n"));
    EXPECT_EQ(text("@book{K_a, author = {Roe, R.}, title = {Wasps}}\n"
                   "@book{K, author = {Doe, J.}, title = {Bees}}\n"
                   "@book{K_b, author = {Doe, J.}, title = {Ants}}\n"),
              cleaned);
  });
}

TEST_F(ParsedClean, AMalformedEntryIsKeptAsTextAndReported) {
  // bibtex cannot read this entry's key: the file ends first.
  const std::string input =
      "@article{Good, title = {One}}\n"
      "@article{After, title = {Two}}\n"
      "@article{ \n";
  Run(input);
  EXPECT_EQ(input, cleaned);
  ASSERT_EQ(2u, report.lines.size());
  EXPECT_NE(std::string::npos, report.lines[0].find("lib.bib: line 3: no key")) << report.lines[0];
  EXPECT_EQ("2 entries read: 2 written (0 under a new key), 0 left out as doubles.", report.lines[1]);
}

TEST_F(ParsedClean, AnEntryBibtexReadsPastAnErrorIsKeptAndReported) {
  // The closing brace is missing: bibtex reads Bad with its title and
  // goes on at the next "@", so After is read too.
  const std::string input =
      "@article{Good, title = {One}}\n"
      "@article{Bad, title = {unclosed}\n"
      "@article{After, title = {Two}}\n"
      "@misc{Last}\n";
  Run(input);
  EXPECT_EQ(input, cleaned);
  ASSERT_EQ(2u, report.lines.size()) << report.lines.back();
  EXPECT_NE(std::string::npos,
            report.lines[0].find("lib.bib: line 3: missing ',' between fields; the entry 'Bad' "
                                 "(line 2) is read up to there"))
      << report.lines[0];
  EXPECT_EQ("4 entries read: 4 written (0 under a new key), 0 left out as doubles.", report.lines[1]);
}

class ParsedExtract : public ::testing::Test {
 protected:
  int Run(const std::string& document_name, const std::string& library_name) {
    SetFileSlot(file_address_01, dir.File(document_name).c_str());
    if (!library_name.empty()) SetFileSlot(file_address_02, dir.File(library_name).c_str());
    report = RunReport();
    return Extract(&report);
  }

  OperationFixtureState state{0};
  ScratchDir dir;
  RunReport report;
};

const char kModernLibrary[] =
    "@preamble{\"\\providecommand{\\noop}[1]{}\"}\n"
    "@string{jcp = \"J. Chem. Phys.\"}\n"
    "@string{pra = {Phys. Rev. A}}\n"
    "@Article{Smith2001, author = {Smith, John}, journal = jcp, volume = 1, pages = {10--12},\n"
    "  year = 2001}\n"
    "@InCollection{Chapter, author = {Doe, Jane}, title = {A chapter}, crossref = {Proc}, pages = {3--4}}\n"
    "@Article{Unused, journal = pra, volume = 2, pages = 1, year = 2002}\n"
    "@Book{Proc, editor = {Roe, Ray}, title = {The volume}, booktitle = {The volume},\n"
    "  publisher = {Pub}, year = 2005}\n"
    "@article{lower2003, author = {Low, Lee}, journal = {J}, volume = 3, pages = 5, year = 2003}\n";

TEST_F(ParsedExtract, ACitedEntryBringsItsStringsPreambleAndCrossref) {
  WriteFile(dir.File("lib.bib"), kModernLibrary);
  WriteFile(dir.File("paper.tex"),
            "\\documentclass{article}\n\\usepackage{natbib}\n\\begin{document}\n"
            "As \\citet{Chapter} and \\citep[see][p.~2]{ Smith2001,\n  Lower2003 , Absent} show.\n"
            "% \\cite{Unused} is commented out\n"
            "\\bibliography{lib}\n\\end{document}\n");
  ASSERT_EQ(RESULT_DONE, Run("paper.tex", "lib.bib"));
  EXPECT_EQ("Chapter\nSmith2001\nLower2003\n", ReadFile(dir.File("lib_extract_items.txt")));
  // The preamble, the one string the cited entries use, the entries in
  // order of citation (Lower2003 under the cited spelling), then the
  // crossref parent.
  EXPECT_EQ("@preamble{\"\\providecommand{\\noop}[1]{}\"}\n"
            "@string{jcp = \"J. Chem. Phys.\"}\n"
            "@InCollection{Chapter, author = {Doe, Jane}, title = {A chapter}, crossref = {Proc}, pages = {3--4}}\n"
            "@Article{Smith2001, author = {Smith, John}, journal = jcp, volume = 1, pages = {10--12},\n"
            "  year = 2001}\n"
            "@article{Lower2003, author = {Low, Lee}, journal = {J}, volume = 3, pages = 5, year = 2003}\n"
            "@Book{Proc, editor = {Roe, Ray}, title = {The volume}, booktitle = {The volume},\n"
            "  publisher = {Pub}, year = 2005}\n",
            ReadFile(dir.File("lib_extract_modified.bib")));
  EXPECT_EQ((std::vector<std::string>{"Chapter", "Smith2001", "Lower2003", "Absent"}), report.cited_keys);
  EXPECT_EQ((std::vector<bool>{true, true, true, false}), report.found);
  std::string bibitems = ReadFile(dir.File("lib_extract_bibitems.tex"));
  EXPECT_EQ(0u, bibitems.find("\\bibitem{Chapter}\n"));
  EXPECT_NE(std::string::npos, bibitems.find("\\bibitem{Smith2001}\nJ. Smith, \\textit{J. Chem. Phys.} \\textbf{1}, 10 (2001)\n"))
      << bibitems;
  EXPECT_NE(std::string::npos, bibitems.find("\\bibitem{Lower2003}\n"));
  EXPECT_EQ(std::string::npos, bibitems.find("Unused"));
}

TEST_F(ParsedExtract, AnEntryBibtexReadsPastAnErrorIsCopiedAsItStands) {
  WriteFile(dir.File("lib.bib"), std::string(kZoteroEntry) + "\n");
  WriteFile(dir.File("paper.tex"), "\\cite{Zot2020}\n");
  ASSERT_EQ(RESULT_DONE, Run("paper.tex", "lib.bib"));
  EXPECT_EQ((std::vector<bool>{true}), report.found);
  EXPECT_EQ(std::string(kZoteroEntry), ReadFile(dir.File("lib_extract_modified.bib")));
  bool names_the_line = false;
  for (const std::string& line : report.lines) {
    names_the_line = names_the_line || line.find("lib.bib: line 6: missing field name") != std::string::npos;
  }
  EXPECT_TRUE(names_the_line);
}

TEST_F(ParsedExtract, AnAuxFileNamesItsOwnLibrary) {
  WriteFile(dir.File("lib.bib"), kModernLibrary);
  WriteFile(dir.File("paper.aux"),
            "\\relax\n\\citation{Smith2001}\n\\@input{chapter.aux}\n\\bibdata{lib}\n");
  WriteFile(dir.File("chapter.aux"), "\\citation{Smith2001,Chapter}\n");
  ASSERT_EQ(RESULT_DONE, Run("paper.aux", ""));
  EXPECT_EQ(dir.File("lib.bib"), std::string(file_address_02));
  EXPECT_EQ("Smith2001\nChapter\n", ReadFile(dir.File("lib_extract_items.txt")));
}

TEST_F(ParsedExtract, AThesisInSeveralFilesExtractsInOneRun) {
  WriteFile(dir.File("lib.bib"), kModernLibrary);
  WriteFile(dir.File("thesis.tex"),
            "\\documentclass{book}\n\\begin{document}\n\\include{chapters/one}\n"
            "\\input{chapters/two.tex}\n\\input{chapters/missing}\n\\end{document}\n");
  std::filesystem::create_directories(dir.File("chapters"));
  WriteFile(dir.File("chapters/one.tex"), "\\citep{Smith2001}\n");
  WriteFile(dir.File("chapters/two.tex"), "\\citeauthor{Chapter} \\nocite{Smith2001}\n");
  ASSERT_EQ(RESULT_DONE, Run("thesis.tex", "lib.bib"));
  EXPECT_EQ("Smith2001\nChapter\n", ReadFile(dir.File("lib_extract_items.txt")));
  ASSERT_FALSE(report.lines.empty());
  bool missing_named = false;
  for (const std::string& line : report.lines) {
    missing_named = missing_named || line.find("chapters/missing") != std::string::npos;
  }
  EXPECT_TRUE(missing_named);
}

// One entry cited under two spellings: written once, under the first; the
// second spelling is held by the library and named in one note only.
TEST_F(ParsedExtract, AKeyCitedInTwoSpellingsIsWrittenOnce) {
  WriteFile(dir.File("lib.bib"), kModernLibrary);
  WriteFile(dir.File("paper.tex"), "\\cite{smith2001} \\cite{Smith2001} \\cite{SMITH2001}\n");
  ASSERT_EQ(RESULT_DONE, Run("paper.tex", "lib.bib"));
  EXPECT_EQ("smith2001\n", ReadFile(dir.File("lib_extract_items.txt")));
  EXPECT_EQ((std::vector<bool>{true, true, true}), report.found);
  std::vector<std::string> expected = {
      "The document cites 3 distinct keys; the library holds 3 of them.",
      "Cited as 'smith2001', the library's key is 'Smith2001' (line 4): copied under the cited key.",
      "'Smith2001' names an entry cited already under another spelling.",
      "'SMITH2001' names an entry cited already under another spelling.",
  };
  EXPECT_EQ(expected, report.lines);
}

// The Windows program has one library slot.  A library the document names
// among others brings them from its folder, as bibtex would read them; a
// library it does not name is read alone; an empty slot is filled from a
// compiled .aux file only.
TEST_F(ParsedExtract, TheChosenLibraryBringsTheOthersTheDocumentNames) {
  WriteFile(dir.File("journals.bib"), "@string{prl = {Phys. Rev. Lett.}}\n");
  WriteFile(dir.File("refs.bib"),
            "@article{A1, author = {Ay, A.}, journal = prl, volume = 1, pages = 2, year = 2001}\n");
  WriteFile(dir.File("paper.tex"), "\\cite{A1}\n\\bibliography{journals,refs}\n");
  ASSERT_EQ(RESULT_DONE, Run("paper.tex", "refs.bib"));
  EXPECT_EQ("@string{prl = {Phys. Rev. Lett.}}\n"
            "@article{A1, author = {Ay, A.}, journal = prl, volume = 1, pages = 2, year = 2001}\n",
            ReadFile(dir.File("refs_extract_modified.bib")));
  ASSERT_FALSE(report.lines.empty());
  EXPECT_EQ("Libraries read, in order: journals.bib, refs.bib.", report.lines[0]);
  EXPECT_EQ("The document names 2 libraries; all were read, in its order, from the library's "
            "folder: journals.bib, refs.bib.",
            report.lines[1]);

  WriteFile(dir.File("other.bib"), "@article{A1, author = {Oh, O.}, year = 2001}\n");
  ASSERT_EQ(RESULT_DONE, Run("paper.tex", "other.bib"));
  EXPECT_EQ("@article{A1, author = {Oh, O.}, year = 2001}\n",
            ReadFile(dir.File("other_extract_modified.bib")));

  SetFileSlot(file_address_02, "");
  EXPECT_EQ(RESULT_NEED_BIBTEX, Run("paper.tex", ""));
}

// Crossref parents that are not cited follow every entry that names them,
// whatever the depth (bibtex reads an uncited parent only after its
// children); a crossref loop still writes each entry once.
TEST_F(ParsedExtract, EveryGenerationOfParentsFollowsItsChildren) {
  const struct {
    const char* name;
    const char* library;
    const char* cited;
    const char* order;  // the keys of the reduced file, in order
  } cases[] = {
      {"a chain of three",
       "@book{T, title={t}}\n@book{S, title={s}, crossref={T}}\n"
       "@proceedings{P, title={p}, crossref={s}}\n@inproceedings{A, title={a}, crossref={P}}\n",
       "\\cite{A}", "A P S T "},
      {"a parent named by a child and a grandchild",
       "@book{S, title={s}}\n@proceedings{P, title={p}, crossref={S}}\n"
       "@inproceedings{A, title={a}, crossref={P}}\n@inbook{B, title={b}, crossref={S}}\n",
       "\\cite{B}\\cite{A}", "B A P S "},
      {"a cited parent stays where it is cited",
       "@book{S, title={s}}\n@proceedings{P, title={p}, crossref={S}}\n"
       "@inproceedings{A, title={a}, crossref={P}}\n",
       "\\cite{P}\\cite{A}", "P A S "},
      {"a loop", "@book{X, crossref={Y}}\n@book{Y, crossref={X}}\n@misc{C, crossref={X}}\n",
       "\\cite{C}", "C X Y "},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    WriteFile(dir.File("lib.bib"), c.library);
    WriteFile(dir.File("paper.tex"), c.cited);
    ASSERT_EQ(RESULT_DONE, Run("paper.tex", "lib.bib"));
    std::string reduced = ReadFile(dir.File("lib_extract_modified.bib"));
    std::string order;
    for (std::size_t at = reduced.find('{'); at != std::string::npos; at = reduced.find('{', at)) {
      std::size_t end = reduced.find(',', at);
      order += reduced.substr(at + 1, end - at - 1) + " ";
      at = reduced.find('\n', end);
    }
    EXPECT_EQ(c.order, order);
  }
}

}  // namespace
