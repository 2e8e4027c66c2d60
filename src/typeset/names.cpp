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

// The first letter of a word as BibTeX abbreviates it: a group that opens
// with a command ("{\'E}") counts whole; anything else that is no letter
// is passed over, so that an unbraced "\\O" gives "O", as the journals'
// styles print it.
std::string FirstLetter(const std::string& word) {
  for (std::size_t i = 0; i < word.size(); i++) {
    unsigned char c = static_cast<unsigned char>(word[i]);
    if (c == '{' && i + 1 < word.size() && word[i + 1] == '\\') return word.substr(i, GroupEnd(word, i) - i);
    if (c >= 0x80) {  // a UTF-8 letter keeps all its bytes
      std::size_t n = i + 1;
      while (n < word.size() && (static_cast<unsigned char>(word[n]) & 0xC0) == 0x80) n++;
      return word.substr(i, n - i);
    }
    if (std::isalpha(c)) return word.substr(i, 1);
  }
  return "";
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
