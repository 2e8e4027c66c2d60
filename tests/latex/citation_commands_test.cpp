// The keys one text cites, command by command: each case is a piece of
// LaTeX (or of an .aux file) and the keys a reader of it would list.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "latex/citations.h"

namespace {

typedef std::vector<std::string> Keys;

struct TextCase {
  const char* name;
  std::string text;
  Keys keys;
};

Keys KeysOf(const std::string& text, int is_aux) {
  DocumentCitations citations;
  CollectTextCitations(text.data(), text.size(), is_aux, &citations);
  return citations.keys;
}

class TexKeysTest : public ::testing::TestWithParam<TextCase> {};

TEST_P(TexKeysTest, ListsTheCitedKeys) { EXPECT_EQ(KeysOf(GetParam().text, 0), GetParam().keys) << GetParam().name; }

const TextCase kCommandCases[] = {
    {"cite", "\\cite{a}", {"a"}},
    {"natbib", "\\citep{a,b} \\citet{c}\\citealp{d}\\citealt{e}\\citeauthor{f}\\citeyear{g}\\citeyearpar{h}"
               "\\citenum{i}\\citetitle{j}", {"a", "b", "c", "d", "e", "f", "g", "h", "i", "j"}},
    {"capitalised", "\\Citet{a} \\Citep{b} \\Cite{c} \\Citeauthor{d} \\Parencite{e} \\Textcite{f} \\Autocite{g}",
     {"a", "b", "c", "d", "e", "f", "g"}},
    {"biblatex", "\\parencite{a}\\textcite{b}\\autocite{c}\\footcite{d}\\footcitetext{e}\\smartcite{f}"
                 "\\supercite{g}\\fullcite{h}\\citeurl{i}", {"a", "b", "c", "d", "e", "f", "g", "h", "i"}},
    {"starred", "\\citet*{a} \\citep*[p.~2]{b} \\Citeauthor*{c} \\parencite*{d}", {"a", "b", "c", "d"}},
    {"nocite", "\\nocite{a,b}", {"a", "b"}},
    {"nocite star where it first stands", "\\cite{a}\\nocite{*}\\cite{b,a}\\nocite{*}", {"a", "*", "b"}},
    {"commands that cite nothing",
     "\\citestyle{x}\\setcitestyle{y}\\defcitealias{z}{Z}\\citetext{w}\\bibliographystyle{plain}\\cite{a}", {"a"}},
    {"a document's own citing command", "\\newcommand{\\mycite}[1]{\\cite{#1}}\\mycite{a}", {"a"}},
    {"case kept", "\\cite{Key}\\cite{key}\\cite{Key}", {"Key", "key"}},
    {"distinct in order of first citation", "\\cite{b,a}\\cite{c,b}", {"b", "a", "c"}},
};
INSTANTIATE_TEST_SUITE_P(Commands, TexKeysTest, ::testing::ValuesIn(kCommandCases));

const TextCase kArgumentCases[] = {
    {"page note", "\\cite[p.~3]{a}", {"a"}},
    {"two notes", "\\citep[see][p.~4]{a}", {"a"}},
    {"bracket inside braces", "\\cite[{a]}]{b}", {"b"}},
    {"nested braces in a note", "\\parencite[{see \\emph{x}}][12]{a}", {"a"}},
    {"multi-cite groups", "\\cites{a}{b,c}\\Cites(G)(){d}[x]{e}", {"a", "b", "c", "d", "e"}},
    {"multi-cite notes", "\\parencites(see)(p. 3)[x][y]{a}[z]{b}. {c}", {"a", "b"}},
    // pdflatex with biblatex: a volume stands before each key group.
    {"volume citations", "\\volcite{3}{a}\\pvolcite[see]{2}[p.~4]{b}\\volcites(G){1}{c}[x]{2}[y]{d}\\ftvolcite{5}{e}\\Volcite{6}{f}",
     {"a", "b", "c", "d", "e", "f"}},
    {"global notes only before the first group", "\\autocites(G)(P){a}(x){b}", {"a"}},
    {"apacite notes", "\\cite<e.g.,>[p.~11]{a}\\citeA<{a>b}>{b}\\cite{c} < 1", {"a", "b", "c"}},
    {"a single cite takes one group", "\\cite{a}{b}", {"a"}},
    {"line end before an argument", "\\cite\n{a}\\cite[x]\n  [y]\n\t{b}", {"a", "b"}},
    {"blank line before an argument", "\\cite\n\n{a}", {}},
    {"blank line in a note", "\\cite[x\n\ny]{a}", {"a"}},
    {"keys over lines, blanks trimmed", "\\cite{a,\n b ,\n\tc}", {"a", "b", "c"}},
    {"empty keys dropped", "\\cite{ a , , b,}\\cite{}", {"a", "b"}},
    {"macro parameter dropped", "\\def\\x#1{\\cite{#1,a}}", {"a"}},
    {"unclosed key list", "\\cite{a", {}},
    {"unclosed note", "\\cite[x{a}", {}},
    {"unclosed note then a citation", "\\cite[x \\cite{a}", {"a"}},
};
INSTANTIATE_TEST_SUITE_P(Arguments, TexKeysTest, ::testing::ValuesIn(kArgumentCases));

const TextCase kUnreadCases[] = {
    {"comment", "% \\cite{a}\n\\cite{b}", {"b"}},
    {"escaped percent", "50\\% \\cite{a}", {"a"}},
    {"line break then comment", "\\\\% \\cite{a}\n", {}},
    {"comment inside a key list", "\\cite{a,% first\n  b}", {"a", "b"}},
    {"comment joins lines", "\\cite{a%\n  b}", {"ab"}},
    {"verbatim", "\\begin{verbatim}\\cite{a}\\end{verbatim}\\cite{b}", {"b"}},
    {"percent inside verbatim is no comment", "\\begin{verbatim}%\\end{verbatim}\n\\cite{a}", {"a"}},
    {"verbatim never ended", "\\begin{verbatim}\\cite{a}", {}},
    {"blank before the environment name", "\\begin {lstlisting}\\cite{a}\\end{lstlisting}", {}},
    {"other environments read", "\\begin{figure}\\cite{a}\\end{figure}", {"a"}},
    {"verb", "\\verb|\\cite{a}| \\verb+\\cite{b}+ \\verb*|\\cite{c}|\\cite{d}", {"d"}},
    {"verb unclosed on its line", "\\verb|\\cite{a}\n\\cite{b}", {"a", "b"}},
    {"verbatiminput is no verb", "\\verbatiminput{x}\\cite{a}", {"a"}},
    {"end of document", "\\cite{a}\\end{document}\\cite{b}", {"a"}},
    {"end of document after a blank", "\\cite{a}\\end {document}\\cite{b}", {"a"}},
    {"end of document in a definition", "\\newcommand{\\x}{\\end{document}}\\cite{a}", {"a"}},
    {"end of another environment", "\\end{itemize}\\cite{a}", {"a"}},
    // pdflatex: \endinput ends the file once the rest of its line is read.
    {"endinput", "\\cite{a}\\endinput\\cite{b}\n\\cite{c}", {"a", "b"}},
    {"endinput after a comment's line", "\\endinput\\cite{a}%\n\\cite{b}", {"a"}},
    // pdflatex: \iffalse skips to its \else or \fi, nested conditionals counted.
    {"iffalse", "\\iffalse\\cite{x}\\ifx\\a\\b\\cite{y}\\else\\cite{z}\\fi\\cite{w}\\else\\cite{a}\\fi\\cite{b}"
                "\\iffalse\\iff\\ifthenelse{}{}{}\\cite{v}\\fi\\cite{c}", {"a", "b", "c"}},
    {"iffalse never closed, or in a definition", "\\def\\x{\\iffalse}\\cite{a}\\iffalse\\cite{b}", {"a", "b"}},
    {"endinput in a definition", "\\def\\x{\\endinput}\\cite{a}", {"a"}},
};
INSTANTIATE_TEST_SUITE_P(Unread, TexKeysTest, ::testing::ValuesIn(kUnreadCases));

// Every environment whose body is not read as commands.
TEST(VerbatimEnvironmentsTest, HideTheirCitations) {
  const char* const names[] = {"comment",   "verbatim",   "verbatim*", "Verbatim",     "Verbatim*",    "BVerbatim",
                               "LVerbatim", "lstlisting", "minted",    "filecontents", "filecontents*"};
  for (const char* name : names) {
    std::string text = std::string("\\begin{") + name + "}\\cite{a}\\end{" + name + "}\\cite{b}";
    EXPECT_EQ(KeysOf(text, 0), Keys{"b"}) << name;
  }
}

// Many unclosed \iffalse (TeX would skip all after the first): the text is
// read on, and in linear time, not searched to its end once per \iffalse.
TEST(IffalseTest, ManyUnclosedAreReadOnQuickly) {
  std::string text;
  for (int i = 0; i < 200000; i++) text += "\\iffalse";
  text += "\\cite{a}";
  EXPECT_EQ(KeysOf(text, 0), Keys{"a"});
}

class AuxKeysTest : public ::testing::TestWithParam<TextCase> {};

TEST_P(AuxKeysTest, ListsTheCitedKeys) { EXPECT_EQ(KeysOf(GetParam().text, 1), GetParam().keys) << GetParam().name; }

const TextCase kAuxCases[] = {
    {"citation lines", "\\relax\n\\citation{a}\n\\citation{b,c}\n\\citation{a}\n", {"a", "b", "c"}},
    {"every entry", "\\citation{x}\n\\citation{*}\n\\citation{y}\n", {"x", "*", "y"}},
    {"blanks trimmed", "\\citation{ a , b }", {"a", "b"}},
    {"unclosed", "\\citation{a\n", {}},
    {"input not followed in a text", "\\@input{sub.aux}\n\\citation{a}", {"a"}},
    {"cite commands are no aux lines", "\\cite{a}\n\\citation{b}", {"b"}},
};
INSTANTIATE_TEST_SUITE_P(Aux, AuxKeysTest, ::testing::ValuesIn(kAuxCases));

TEST(BibdataTest, NamesTheDatabasesAsWritten) {
  DocumentCitations citations;
  std::string tex = "\\bibliographystyle{plain}\\bibliography{refs, other}\\addbibresource[location=local]{x.bib}"
                    "\\bibliography{refs}";
  CollectTextCitations(tex.data(), tex.size(), 0, &citations);
  EXPECT_EQ(citations.bibdata, (Keys{"refs", "other", "x.bib"}));
  EXPECT_TRUE(citations.keys.empty());
  std::string aux = "\\bibstyle{unsrt}\n\\bibdata{refs,more}\n";
  CollectTextCitations(aux.data(), aux.size(), 1, &citations);
  EXPECT_EQ(citations.bibdata, (Keys{"refs", "more"}));
}

// A second call starts afresh: nothing of an earlier text is left over.
TEST(CollectTextTest, StartsEmpty) {
  DocumentCitations citations;
  CollectTextCitations("\\cite{a}", 8, 0, &citations);
  CollectTextCitations("\\cite{b}", 8, 0, &citations);
  EXPECT_EQ(citations.keys, Keys{"b"});
}

}  // namespace
