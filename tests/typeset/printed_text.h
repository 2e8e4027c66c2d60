// A reference's LaTeX reduced to the text it prints, the way the journal
// styles' output is compared: font commands and braces dropped, ties and
// runs of blanks one blank, "\&" an ampersand, every dash one hyphen.
#ifndef TAMREL_TESTS_TYPESET_PRINTED_TEXT_H
#define TAMREL_TESTS_TYPESET_PRINTED_TEXT_H

#include <string>

inline std::string PrintedText(const std::string& latex) {
  std::string text;
  for (std::size_t i = 0; i < latex.size(); i++) {
    if (latex.compare(i, 8, "\\textit{") == 0 || latex.compare(i, 8, "\\textbf{") == 0 ||
        latex.compare(i, 8, "\\texttt{") == 0) {
      i += 7;
    } else if (latex.compare(i, 2, "\\&") == 0) {
      text += '&';
      i++;
    } else if (latex[i] == '~' || latex[i] == '\n') {
      text += ' ';
    } else if (latex[i] == '-') {
      if (text.empty() || text.back() != '-') text += '-';
    } else if (latex[i] != '{' && latex[i] != '}') {
      text += latex[i];
    }
  }
  std::string out;
  for (char c : text) {
    if (c == ' ' && (out.empty() || out.back() == ' ')) continue;
    out += c;
  }
  while (!out.empty() && out.back() == ' ') out.pop_back();
  return out;
}

#endif
