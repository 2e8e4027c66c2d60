#include "typeset/names.h"

#include <cctype>
#include <cstddef>

namespace {

void AppendWord(std::string* out, const char* separator, const std::string& word) {
  if (word.empty()) return;
  if (!out->empty()) *out += separator;
  *out += word;
}

// The end of the braced group that opens at i.
std::size_t GroupEnd(const std::string& s, std::size_t i) {
  int depth = 0;
  for (; i < s.size(); i++) {
    if (s[i] == '{') depth++;
    if (s[i] == '}' && --depth == 0) return i + 1;
  }
  return s.size();
}

// The first letter of a word as BibTeX abbreviates it: a braced group
// counts whole, an accent command with its letter.
std::string FirstLetter(const std::string& word) {
  if (word.empty()) return "";
  // An accent group is one letter; of any other group the first letter.
  if (word[0] == '{' && word.size() > 1 && word[1] == '\\') return word.substr(0, GroupEnd(word, 0));
  if (word[0] == '{') return FirstLetter(word.substr(1, GroupEnd(word, 0) - 2));
  if (word[0] == '\\') {
    std::size_t i = 1;
    while (i < word.size() && std::isalpha(static_cast<unsigned char>(word[i]))) i++;
    if (i == 1 && i < word.size()) i++;
    if (i < word.size() && word[i] == '{') return word.substr(0, GroupEnd(word, i));
    return word.substr(0, i + 1 <= word.size() ? i + 1 : word.size());
  }
  // A UTF-8 letter keeps all its bytes.
  std::size_t n = 1;
  while (n < word.size() && (static_cast<unsigned char>(word[n]) & 0xC0) == 0x80) n++;
  return word.substr(0, n);
}

// The journal's full stops dropped everywhere but in an accent command.
std::string WithoutFullStops(const std::string& s) {
  std::string out;
  for (std::size_t i = 0; i < s.size(); i++) {
    if (s[i] == '\\' && i + 1 < s.size()) {
      out += s[i];
      out += s[++i];
    } else if (s[i] != '.') {
      out += s[i];
    }
  }
  return out;
}

std::string FormatName(const PersonName& name, NameOrder order) {
  std::string surname = name.von;
  AppendWord(&surname, " ", name.last);
  std::string out;
  switch (order) {
    case GIVEN_FIRST:
      AppendWord(&out, " ", Initials(name.first, 1));
      AppendWord(&out, " ", surname);
      AppendWord(&out, ", ", name.jr);
      break;
    case SURNAME_COMMA:
      AppendWord(&out, "", surname);
      AppendWord(&out, ", ", Initials(name.first, 1));
      AppendWord(&out, ", ", name.jr);
      break;
    case SURNAME_SPACE:
      AppendWord(&out, "", surname);
      AppendWord(&out, " ", name.jr);
      AppendWord(&out, " ", Initials(name.first, 0));
      out = WithoutFullStops(out);
      break;
  }
  return out;
}

}  // namespace

std::string Initials(const std::string& given, int dotted) {
  std::string out;
  std::string word;
  const char* separator = "";
  auto flush = [&](const char* next) {
    std::string letter = FirstLetter(word);
    if (!letter.empty()) {
      if (!out.empty()) out += separator;
      out += letter;
      if (dotted) out += '.';
    }
    word.clear();
    separator = next;
  };
  for (std::size_t i = 0; i < given.size(); i++) {
    char c = given[i];
    if (c == '{' || c == '\\') {
      std::size_t end = c == '{' ? GroupEnd(given, i) : i + 2;
      word += given.substr(i, end - i);
      i = end - 1;
    } else if (c == ' ' || c == '~') {
      if (!word.empty()) flush(" ");
    } else if (c == '-') {
      flush(dotted ? "-" : " ");  // undotted initials are parted by blanks alone
    } else {
      word += c;
    }
  }
  flush("");
  return out;
}

std::string FormatNameList(const NameList& list, const NameStyle& style) {
  std::size_t n = list.names.size();
  int cut = list.others;
  if (style.cut_above > 0 && static_cast<int>(n) + list.others > style.cut_above && n > 1) {
    n = 1;
    cut = 1;
  }
  std::string out;
  for (std::size_t i = 0; i < n; i++) {
    const char* separator = style.between;
    if (i + 1 == n && !cut) separator = n > 2 ? style.before_last_of_many : style.before_last;
    AppendWord(&out, separator, FormatName(list.names[i], style.order));
  }
  if (cut && !out.empty()) out += n > 1 ? style.et_al_after_many : style.et_al;
  return out;
}
