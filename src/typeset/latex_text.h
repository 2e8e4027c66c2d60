// Field values made safe to print inside thebibliography with pdflatex,
// and page ranges written the one way LaTeX typesets as a range.
#ifndef TAMREL_TYPESET_LATEX_TEXT_H
#define TAMREL_TYPESET_LATEX_TEXT_H

#include <string>

// The value as LaTeX text.  What the value already writes as LaTeX stays
// (commands, \&, math, inner braces); what would stop pdflatex is made
// harmless: a bare & % # becomes \& \% \#, a bare _ or ^ outside math
// becomes \_ or \textasciicircum{}, a lone } is dropped, and groups, math
// and a trailing backslash left open are closed.  What would need a
// package or stop pdflatex in a library's own LaTeX is written plainly:
// \url{X} and \path{X} become \texttt{X} with every character shown,
// \href{X}{TEXT} its text; a math accent outside math (\check{z}) its text
// accent (\v{z}); "\'\ia" the dotless i and "a"; a backslash before a
// UTF-8 character is dropped; Greek letters and math signs that the utf8
// input does not know become math ($\alpha$), a combining accent goes
// around its letter, and U+FFFD becomes "?".
std::string LatexText(const std::string& value);

// A journal value as LaTeX text; a journal named by one of the macros
// that ADS exports use (\apj, \mnras, \aap, ...) is written out as those
// macros print it, so that the reference needs no journal class.
std::string JournalText(const std::string& value);

// The name of the macro a journal is written as ("apj" for "{\apj}"), or
// "" when it is written out.
std::string JournalMacroName(const std::string& value);

// A value that is not text but characters to show as they are (a URL, a
// DOI): every character that LaTeX would read as markup is escaped, and
// the whole is set in \texttt{}.  "" for an empty value.
std::string VerbatimText(const std::string& value);

// Pages with every range dash (text/page_range.h: hyphens, en and em
// dashes, the minus sign, CP1252's dashes) written "--", blanks around it
// dropped: "81 - 107", "81-107", "81--107" and "81" EN DASH "107" all give
// "81--107".  With whole_range 0 only the text before the first dash.
std::string PagesText(const std::string& value, int whole_range);

// 1 when printed pages name more than one page ("81--107", "3, 7").
int PagesArePlural(const std::string& pages);

#endif
