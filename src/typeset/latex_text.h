// Field values made safe to print inside thebibliography with pdflatex,
// and page ranges written the one way LaTeX typesets as a range.
#ifndef TAMREL_TYPESET_LATEX_TEXT_H
#define TAMREL_TYPESET_LATEX_TEXT_H

#include <string>

// The value as LaTeX text.  What the value already writes as LaTeX stays
// (commands, \&, math, inner braces); what would stop pdflatex is made
// harmless: a bare & % # becomes \& \% \#, a bare _ or ^ outside math
// becomes \_ or \textasciicircum{}, a lone } is dropped, and groups, math
// and a trailing backslash left open are closed.  The argument of \url,
// \href and \path is copied untouched, since those read it verbatim.
std::string LatexText(const std::string& value);

// A value that is not text but characters to show as they are (a URL, a
// DOI): every character that LaTeX would read as markup is escaped, and
// the whole is set in \texttt{}.  "" for an empty value.
std::string VerbatimText(const std::string& value);

// Pages with every dash between two numbers written "--" (blanks around
// it dropped): "81 - 107", "81-107", "81--107" and "81" EN DASH "107" all
// give "81--107".  With whole_range 0 only the text before the first dash.
std::string PagesText(const std::string& value, int whole_range);

// 1 when printed pages name more than one page ("81--107", "3, 7").
int PagesArePlural(const std::string& pages);

#endif
