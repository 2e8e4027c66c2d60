#include "typeset/names.h"

#include <cctype>
#include <cstddef>

namespace {

bool IsBlank(char c) { return std::isspace(static_cast<unsigned char>(c)) != 0; }
bool IsAsciiLetter(char c) { return std::isalpha(static_cast<unsigned char>(c)) != 0; }

// 1 when an " and " separator starts at the blank at position i.
int AndSeparatorAt(const std::string& s, std::size_t i) {
  if (i + 4 >= s.size() || !IsBlank(s[i])) return 0;
  const char* word = "and";
  for (int k = 0; k < 3; k++) {
    if (std::tolower(static_cast<unsigned char>(s[i + 1 + k])) != word[k]) return 0;
  }
  return IsBlank(s[i + 4]) ? 1 : 0;
}

std::string Trim(const std::string& s) {
  std::size_t b = 0;
  std::size_t e = s.size();
  while (b < e && IsBlank(s[b])) b++;
  while (e > b && IsBlank(s[e - 1])) e--;
  return s.substr(b, e - b);
}

// Splits s at each depth-0 position where separator_length(s, i) > 0.
template <typename Separator>
std::vector<std::string> SplitOutsideBraces(const std::string& s, Separator separator_length) {
  std::vector<std::string> parts;
  std::string current;
  int depth = 0;
  for (std::size_t i = 0; i < s.size(); i++) {
    char c = s[i];
    if (c == '\\' && i + 1 < s.size()) {  // \{ and \} are no braces
      current += c;
      current += s[++i];
      continue;
    }
    if (c == '{') depth++;
    if (c == '}' && depth > 0) depth--;
    std::size_t skip = depth == 0 ? separator_length(s, i) : 0;
    if (skip > 0) {
      parts.push_back(Trim(current));
      current.clear();
      i += skip - 1;
      continue;
    }
    current += c;
  }
  parts.push_back(Trim(current));
  return parts;
}

// Whether a word starts in lower case, as BibTeX decides for "von" words:
// the first letter outside braces counts; a group opening with a command
// ({\"o}) counts by the letter after the command; other groups are
// passed over.  A word without any such letter is not lower case.
int StartsLowerCase(const std::string& word) {
  std::size_t i = 0;
  while (i < word.size()) {
    char c = word[i];
    if (c == '{') {
      std::size_t close = i + 1;
      int depth = 1;
      while (close < word.size() && depth > 0) {
        if (word[close] == '{') depth++;
        if (word[close] == '}') depth--;
        close++;
      }
      if (i + 1 < word.size() && word[i + 1] == '\\') {
        std::size_t k = i + 2;
        while (k < close && IsAsciiLetter(word[k])) k++;  // the command's name
        for (; k < close; k++) {
          if (IsAsciiLetter(word[k])) return std::islower(static_cast<unsigned char>(word[k])) ? 1 : 0;
        }
        return 0;
      }
      i = close;
      continue;
    }
    if (IsAsciiLetter(c)) return std::islower(static_cast<unsigned char>(c)) ? 1 : 0;
    i++;
  }
  return 0;
}

std::string JoinWords(const std::vector<std::string>& words, std::size_t from, std::size_t to) {
  std::string text;
  for (std::size_t i = from; i < to; i++) {
    if (!text.empty()) text += ' ';
    text += words[i];
  }
  return text;
}

// A tie ("M.~Braun") parts words as a blank does, as BibTeX reads names.
std::size_t BlankLength(const std::string& s, std::size_t i) { return IsBlank(s[i]) || s[i] == '~' ? 1 : 0; }
std::size_t CommaLength(const std::string& s, std::size_t i) { return s[i] == ',' ? 1 : 0; }
std::size_t AndLength(const std::string& s, std::size_t i) { return AndSeparatorAt(s, i) ? 5 : 0; }

std::vector<std::string> Words(const std::string& s) {
  std::vector<std::string> words;
  for (const std::string& w : SplitOutsideBraces(s, BlankLength)) {
    if (!w.empty()) words.push_back(w);
  }
  return words;
}

// "von Last": the words up to the last lower-case one are "von"; the last
// word always belongs to the surname.
void SplitVonLast(const std::vector<std::string>& words, std::size_t from, PersonName* name) {
  std::size_t n = words.size();
  std::size_t last_lower = n;
  for (std::size_t i = from; i + 1 < n; i++) {
    if (StartsLowerCase(words[i])) last_lower = i;
  }
  std::size_t surname_from = last_lower == n ? from : last_lower + 1;
  name->von = JoinWords(words, from, surname_from);
  name->last = JoinWords(words, surname_from, n);
}

PersonName ParseName(const std::string& text) {
  PersonName name;
  std::vector<std::string> parts = SplitOutsideBraces(text, CommaLength);
  std::vector<std::string> words = Words(parts[0]);
  if (parts.size() == 1) {
    // "First von Last": the given names end before the first lower-case
    // word that is not the last word.
    std::size_t n = words.size();
    std::size_t first_end = n == 0 ? 0 : n - 1;
    for (std::size_t i = 0; i + 1 < n; i++) {
      if (StartsLowerCase(words[i])) {
        first_end = i;
        break;
      }
    }
    name.first = JoinWords(words, 0, first_end);
    SplitVonLast(words, first_end, &name);
    return name;
  }
  SplitVonLast(words, 0, &name);
  if (parts.size() == 2) {
    name.first = JoinWords(Words(parts[1]), 0, Words(parts[1]).size());
    return name;
  }
  name.jr = JoinWords(Words(parts[1]), 0, Words(parts[1]).size());
  for (std::size_t i = 2; i < parts.size(); i++) {  // a stray third comma stays in the given names
    std::vector<std::string> more = Words(parts[i]);
    if (!name.first.empty() && !more.empty()) name.first += ", ";
    name.first += JoinWords(more, 0, more.size());
  }
  return name;
}

void AppendWord(std::string* out, const char* separator, const std::string& word) {
  if (word.empty()) return;
  if (!out->empty()) *out += separator;
  *out += word;
}

// IOP names carry no full stops: "J.-P." gives "J-P", "J.A." gives "J A".
// Braced groups and commands (\.{I}) are kept as written.
std::string WithoutFullStops(const std::string& s) {
  std::string out;
  int depth = 0;
  for (std::size_t i = 0; i < s.size(); i++) {
    char c = s[i];
    if (c == '\\' && i + 1 < s.size()) {
      out += c;
      out += s[++i];
      continue;
    }
    if (c == '{') depth++;
    if (c == '}' && depth > 0) depth--;
    if (c == '.' && depth == 0) {
      char next = i + 1 < s.size() ? s[i + 1] : ' ';
      if (!IsBlank(next) && next != '-') out += ' ';
      continue;
    }
    out += c;
  }
  return Trim(out);
}

std::string FormatName(const PersonName& name, NameForm form) {
  std::string out;
  std::string surname = name.von;
  AppendWord(&surname, " ", name.last);
  switch (form) {
    case NAMES_GIVEN_FIRST:
      AppendWord(&out, " ", name.first);
      AppendWord(&out, " ", surname);
      AppendWord(&out, ", ", name.jr);
      break;
    case NAMES_SURNAME_FIRST:
      AppendWord(&out, "", surname);
      AppendWord(&out, ", ", name.first);
      AppendWord(&out, ", ", name.jr);
      break;
    case NAMES_SURNAME_INITIALS:
      AppendWord(&out, "", surname);
      AppendWord(&out, " ", WithoutFullStops(name.first));
      AppendWord(&out, " ", WithoutFullStops(name.jr));
      break;
  }
  return out;
}

// How the form ends a list cut short by "others".
const char* EtAl(NameForm form) {
  switch (form) {
    case NAMES_GIVEN_FIRST: return "\\textit{et al.}";
    case NAMES_SURNAME_FIRST: return "et al.";
    case NAMES_SURNAME_INITIALS: return "\\textit{et al}";
  }
  return "et al.";
}

}  // namespace

void ParseNameList(const std::string& value, NameList* list) {
  list->names.clear();
  list->others = 0;
  for (const std::string& text : SplitOutsideBraces(value, AndLength)) {
    if (text.empty()) continue;
    if (text == "others") {
      list->others = 1;
      continue;
    }
    list->names.push_back(ParseName(text));
  }
}

int NameCount(const NameList& list) {
  return static_cast<int>(list.names.size()) + list.others;
}

std::string FormatNameList(const NameList& list, NameForm form) {
  std::string out;
  std::size_t n = list.names.size();
  for (std::size_t i = 0; i < n; i++) {
    const char* separator = ", ";
    if (form == NAMES_SURNAME_FIRST) {
      separator = "; ";
    } else if (i + 1 == n && !list.others) {
      separator = " and ";
    }
    AppendWord(&out, separator, FormatName(list.names[i], form));
  }
  if (list.others) {
    // One name and "et al." read as one phrase; after a list, "et al."
    // is one more item of it.
    const char* separator = n > 1 ? ", " : " ";
    if (form == NAMES_SURNAME_FIRST) separator = "; ";
    AppendWord(&out, separator, EtAl(form));
  }
  return out;
}
