#include "typeset/sentence_case.h"

#include <cctype>
#include <cstddef>

namespace {

char Lower(char c) { return static_cast<char>(std::tolower(static_cast<unsigned char>(c))); }
int IsLetter(char c) { return std::isalpha(static_cast<unsigned char>(c)); }
int IsBlank(char c) { return c == ' ' || c == '\t' || c == '\n' || c == '~'; }

// Copies the group that opens at title[i] to out, lowering the letters of
// an accent group outside its command names; returns the index after it.
std::size_t CopyGroup(const std::string& title, std::size_t i, int lower, std::string* out) {
  const int accent = i + 1 < title.size() && title[i + 1] == '\\';
  int depth = 0;
  int in_command = 0;
  for (; i < title.size(); i++) {
    char c = title[i];
    if (c == '{') depth++;
    if (c == '}') depth--;
    if (c == '\\') {
      in_command = 1;
    } else if (!IsLetter(c)) {
      in_command = 0;
    }
    *out += accent && lower && !in_command ? Lower(c) : c;
    if (depth == 0) return i + 1;
  }
  return i;
}

}  // namespace

std::string SentenceCase(const std::string& title) {
  std::string out;
  int after_colon = 0;
  for (std::size_t i = 0; i < title.size();) {
    char c = title[i];
    const int keep = i == 0 || (after_colon && IsBlank(title[i - 1]));
    if (c == ':') {
      after_colon = 1;
    } else if (!IsBlank(c)) {
      after_colon = 0;
    }
    if (c == '{') {
      i = CopyGroup(title, i, !keep, &out);
      continue;
    }
    // BibTeX lowers a command's name too, which names another command or
    // none ("\LaTeX"): a command is kept as written.
    if (c == '\\') {
      std::size_t end = i + 1;
      while (end < title.size() && IsLetter(title[end])) end++;
      if (end == i + 1 && end < title.size()) end++;
      out.append(title, i, end - i);
      i = end;
      continue;
    }
    out += keep ? c : Lower(c);
    i++;
  }
  return out;
}
