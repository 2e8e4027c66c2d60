// The files a document pulls in: each small tree is written into a fresh
// folder, and the keys, the files read and the files missing are checked.
#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <utility>
#include <vector>

#include "latex/citations.h"
#include "support/test_support.h"

namespace {

typedef std::vector<std::string> Names;
typedef std::vector<std::pair<std::string, std::string>> Tree;  // file name, content

struct TreeCase {
  const char* name;
  Tree files;  // the first is the main document
  Names keys;
  Names files_read;  // relative to the folder
  Names files_missing;
};

class DocumentTreeTest : public ::testing::TestWithParam<TreeCase> {};

TEST_P(DocumentTreeTest, FollowsTheFiles) {
  const TreeCase& c = GetParam();
  ScratchDir dir;
  for (const auto& file : c.files) {
    std::size_t slash = file.first.rfind('/');
    if (slash != std::string::npos) std::filesystem::create_directories(dir.File(file.first.substr(0, slash)));
    WriteFile(dir.File(file.first), file.second);
  }
  DocumentCitations citations;
  SCOPED_TRACE(c.name);
  ASSERT_EQ(CollectDocumentCitations(dir.File(c.files[0].first).c_str(), &citations), 1);
  EXPECT_EQ(citations.keys, c.keys);
  Names read;
  for (const std::string& name : c.files_read) read.push_back(dir.File(name));
  EXPECT_EQ(citations.files_read, read);
  EXPECT_EQ(citations.files_missing, c.files_missing);
}

const TreeCase kTreeCases[] = {
    {"input with and without .tex",
     {{"main.tex", "\\cite{m1}\\input{ch1}\\cite{m2}\\input ch2.tex \\input{ch3}"},
      {"ch1.tex", "\\cite{c1}"}, {"ch2.tex", "\\cite{c2}"}, {"ch3", "\\cite{c3}"}},
     {"m1", "c1", "m2", "c2", "c3"}, {"main.tex", "ch1.tex", "ch2.tex", "ch3"}, {}},
    {"name.tex before name",
     {{"main.tex", "\\input{p}"}, {"p.tex", "\\cite{tex}"}, {"p", "\\cite{bare}"}},
     {"tex"}, {"main.tex", "p.tex"}, {}},
    {"include and subfile from the main folder",
     {{"main.tex", "\\include{chap/one}\\subfile{s}"},
      {"chap/one.tex", "\\cite{a}\\input{chap/two}"}, {"chap/two.tex", "\\cite{b}"}, {"s.tex", "\\cite{c}"}},
     {"a", "b", "c"}, {"main.tex", "chap/one.tex", "chap/two.tex", "s.tex"}, {}},
    // pdflatex: an \input{..} in an imported file looks in the import
    // folders (LaTeX's \input@path), innermost first, then in the main
    // folder; a bare \input in the main folder alone.
    {"import folders searched first, innermost first, subimport below them",
     {{"main.tex", "\\import{dir/}{a}\\input{b}"},
      {"dir/a.tex", "\\cite{a}\\input{b}\\input f \\subimport{sub/}{c}"}, {"dir/b.tex", "\\cite{dir-b}"},
      {"b.tex", "\\cite{top-b}"}, {"dir/f.tex", "\\cite{dir-f}"}, {"f.tex", "\\cite{top-f}"},
      {"dir/sub/c.tex", "\\cite{c}\\input{d}\\input{e}"},
      {"dir/d.tex", "\\cite{dir-d}"}, {"dir/sub/d.tex", "\\cite{sub-d}"}, {"dir/e.tex", "\\cite{dir-e}"}},
     {"a", "dir-b", "top-f", "c", "sub-d", "dir-e", "top-b"},
     {"main.tex", "dir/a.tex", "dir/b.tex", "f.tex", "dir/sub/c.tex", "dir/sub/d.tex", "dir/e.tex", "b.tex"}, {}},
    // pdflatex: an \\import empties the import package's folder before it
    // saves it, so a \\subimport after it starts from the main folder and
    // finds its file below the \\input@path folders.
    {"subimport after an import in an imported file",
     {{"main.tex", "\\import{imp/}{a}"}, {"imp/a.tex", "\\import{p/}{b}\\subimport{o/}{c}"},
      {"p/b.tex", "\\cite{b}"}, {"imp/o/c.tex", "\\cite{c}\\input{d}"}, {"imp/o/d.tex", "\\cite{imp-o-d}"},
      {"d.tex", "\\cite{top-d}"}},
     {"b", "c", "top-d"}, {"main.tex", "imp/a.tex", "p/b.tex", "imp/o/c.tex", "d.tex"}, {}},
    // pdflatex with the subfiles package: a subfile's preamble (up to the
    // \\begin{document} outside braces) is skipped, its \\end{document}
    // ends it once its line is read, and the main document reads on; a
    // file without \\documentclass is read as \\input reads it.
    {"subfile read from its body to its own end",
     {{"main.tex", "\\cite{m1}\\subfile{d/s.tex}\\cite{m2}\\subfile{frag}\\cite{m3}\n\\end{document}\n"},
      {"d/s.tex", "\\documentclass[../main]{subfiles}\n\\nocite{pre}\\newcommand{\\x}{\\begin{document}}\n"
                  "\\begin{itemize}\n\\begin{document}\n\\cite{s1}\\input{f}\n"
                  "\\end{document}\\cite{same-line}\n\\cite{after}\n"},
      {"d/f.tex", "\\cite{df}"}, {"f.tex", "\\cite{topf}"}, {"frag.tex", "\\cite{fr}\\end{document}\n"}},
     {"m1", "s1", "df", "same-line", "m2", "fr"}, {"main.tex", "d/s.tex", "d/f.tex", "frag.tex"}, {}},
    // pdflatex: the first \\end{document} after a subfile's body begins,
    // here in a file the subfile pulls in, ends that file; the subfile's
    // own one is then LaTeX's and ends the document at once.
    {"subfile's end taken by a file it inputs",
     {{"main.tex", "\\cite{m1}\\subfile{s}\\cite{m2}"},
      {"s.tex", "\\documentclass{subfiles}\n\\begin{document}\n\\cite{s1}\\input{e}\\cite{s2}\n"
                "\\end{document}\\cite{s3}\n\\cite{s4}\n"},
      {"e.tex", "\\cite{e1}\\end{document}\\cite{e2}\n\\cite{e3}\n"}},
     {"m1", "s1", "e1", "e2", "s2"}, {"main.tex", "s.tex", "e.tex"}, {}},
    {"included twice, read once",
     {{"main.tex", "\\input{x}\\cite{m}\\include{x}"}, {"x.tex", "\\cite{x}"}},
     {"x", "m"}, {"main.tex", "x.tex"}, {}},
    {"one file under two names, read once",
     {{"main.tex", "\\input{x}\\input{./sub/../x.tex}\\input{sub/y}"}, {"x.tex", "\\cite{x}"},
      {"sub/y.tex", "\\input{sub/../x}"}},
     {"x"}, {"main.tex", "x.tex", "sub/y.tex"}, {}},
    {"a missing file is listed",
     {{"main.tex", "\\cite{a}\\input{nothere}\\import{d}{gone}\\cite{b}"}},
     {"a", "b"}, {"main.tex"}, {"nothere", "gone"}},
    {"a folder is no file", {{"main.tex", "\\input{d}"}, {"d/x.tex", ""}}, {}, {"main.tex"}, {"d"}},
    {"a macro parameter is no file",
     {{"main.tex", "\\newcommand{\\chap}[1]{\\input{#1}}\\cite{a}"}}, {"a"}, {"main.tex"}, {}},
    {"a cycle ends", {{"a.tex", "\\cite{a}\\input{b}"}, {"b.tex", "\\cite{b}\\input{a}\\cite{c}"}},
     {"a", "b", "c"}, {"a.tex", "b.tex"}, {}},
    {"order of first citation across files",
     {{"main.tex", "\\cite{z}\\input{c}\\cite{a,w}"}, {"c.tex", "\\cite{a,y,z}"}},
     {"z", "a", "y", "w"}, {"main.tex", "c.tex"}, {}},
    {"endinput ends only its file",
     {{"main.tex", "\\input{c}\\cite{b}"}, {"c.tex", "\\cite{a}\\endinput\\cite{x}\n\\cite{y}"}},
     {"a", "x", "b"}, {"main.tex", "c.tex"}, {}},
    {"end of document in a chapter ends the document",
     {{"main.tex", "\\input{c}\\cite{x}\\input{d}"}, {"c.tex", "\\cite{a}\\end{document}"}, {"d.tex", ""}},
     {"a"}, {"main.tex", "c.tex"}, {}},
    {"aux files",
     {{"main.aux", "\\citation{a}\n\\@input{ch.aux}\n\\citation{c}\n\\@input{ch.aux}\n\\@input{no.aux}\n"},
      {"ch.aux", "\\citation{b,a}\n"}},
     {"a", "b", "c"}, {"main.aux", "ch.aux"}, {"no.aux"}},
    {"aux inputs relative to the main aux",
     {{"main.aux", "\\@input{chap/one.aux}"}, {"chap/one.aux", "\\@input{chap/two.aux}"},
      {"chap/two.aux", "\\citation{deep}"}},
     {"deep"}, {"main.aux", "chap/one.aux", "chap/two.aux"}, {}},
};
INSTANTIATE_TEST_SUITE_P(Trees, DocumentTreeTest, ::testing::ValuesIn(kTreeCases));

TEST(DocumentTest, UnreadableMainFileFails) {
  ScratchDir dir;
  DocumentCitations citations;
  EXPECT_EQ(CollectDocumentCitations(dir.File("absent.tex").c_str(), &citations), 0);
  EXPECT_EQ(CollectDocumentCitations(dir.path().c_str(), &citations), 0);
}

TEST(DocumentTest, BibdataOfTexAndAux) {
  ScratchDir dir;
  WriteFile(dir.File("main.tex"), "\\input{c}\\bibliography{refs,more}");
  WriteFile(dir.File("c.tex"), "\\addbibresource{extra.bib}");
  WriteFile(dir.File("main.aux"), "\\bibstyle{plain}\n\\bibdata{refs}\n");
  DocumentCitations citations;
  ASSERT_EQ(CollectDocumentCitations(dir.File("main.tex").c_str(), &citations), 1);
  EXPECT_EQ(citations.bibdata, (Names{"extra.bib", "refs", "more"}));
  ASSERT_EQ(CollectDocumentCitations(dir.File("main.aux").c_str(), &citations), 1);
  EXPECT_EQ(citations.bibdata, Names{"refs"});
}

}  // namespace
