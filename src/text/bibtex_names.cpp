#include "text/bibtex_names.h"

#include <cctype>
#include <cstddef>
#include <cstdint>

#include "text/ascii_case.h"
#include "text/trim.h"

namespace {

bool IsAsciiLetter(char c) { return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z'); }

// 1 when an " and " separator starts at the blank at position i.
int AndSeparatorAt(const std::string& s, std::size_t i) {
  if (i + 4 >= s.size() || !IsAsciiBlank(s[i])) return 0;
  const char* word = "and";
  for (int k = 0; k < 3; k++) {
    if (AsciiLower(s[i + 1 + k]) != word[k]) return 0;
  }
  return IsAsciiBlank(s[i + 4]) ? 1 : 0;
}

// Splits s at each depth-0 position where separator_length(s, i) > 0,
// into max_parts parts at the most (the text after the last is dropped).
template <typename Separator>
std::vector<std::string> SplitOutsideBraces(const std::string& s, Separator separator_length,
                                            std::size_t max_parts = SIZE_MAX) {
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
      parts.emplace_back(Trim(current));
      if (parts.size() == max_parts) return parts;
      current.clear();
      i += skip - 1;
      continue;
    }
    current += c;
  }
  parts.emplace_back(Trim(current));
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
std::size_t BlankLength(const std::string& s, std::size_t i) { return IsAsciiBlank(s[i]) || s[i] == '~' ? 1 : 0; }
std::size_t CommaLength(const std::string& s, std::size_t i) { return s[i] == ',' ? 1 : 0; }
std::size_t AndLength(const std::string& s, std::size_t i) { return AndSeparatorAt(s, i) ? 5 : 0; }

std::vector<std::string> Words(const std::string& s) {
  std::vector<std::string> words;
  for (const std::string& w : SplitOutsideBraces(s, BlankLength)) {
    if (!w.empty()) words.push_back(w);
  }
  return words;
}

std::string AllWords(const std::string& s) {
  std::vector<std::string> words = Words(s);
  return JoinWords(words, 0, words.size());
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

// A name from its comma-parted text (at least one part).
PersonName ParseParts(const std::vector<std::string>& parts) {
  PersonName name;
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
    name.first = AllWords(parts[1]);
    return name;
  }
  name.jr = AllWords(parts[1]);
  for (std::size_t i = 2; i < parts.size(); i++) {  // a stray third comma stays in the given names
    std::vector<std::string> more = Words(parts[i]);
    if (!name.first.empty() && !more.empty()) name.first += ", ";
    name.first += JoinWords(more, 0, more.size());
  }
  return name;
}

bool IsGenerationSuffix(const std::string& word) {
  static const char* const kSuffixes[] = {"jr", "jr.", "sr", "sr.", "ii", "iii", "iv"};
  for (const char* suffix : kSuffixes) {
    if (SameIgnoringCase(word, suffix)) return true;
  }
  return false;
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
    list->names.push_back(ParseParts(SplitOutsideBraces(text, CommaLength)));
  }
}

int NameCount(const NameList& list) {
  return static_cast<int>(list.names.size()) + list.others;
}

PersonName ParseFirstName(const std::string& value) {
  std::string text = SplitOutsideBraces(value, AndLength, 1).front();
  if (text.empty() || text == "others") return PersonName();
  std::vector<std::string> parts = SplitOutsideBraces(text, CommaLength);
  std::string jr;
  for (std::size_t i = parts.size() - 1; i > 0; i--) {  // "Smith, Jr., John", "John Smith, Jr."
    if (IsGenerationSuffix(parts[i])) {
      jr = parts[i];
      parts.erase(parts.begin() + static_cast<std::ptrdiff_t>(i));
    }
  }
  std::vector<std::string> words = Words(parts[0]);
  if (jr.empty() && words.size() > 1 && IsGenerationSuffix(words.back())) {  // "John Smith Jr."
    jr = words.back();
    parts[0] = JoinWords(words, 0, words.size() - 1);
  }
  PersonName name = ParseParts(parts);
  if (!jr.empty()) name.jr = jr;
  return name;
}
