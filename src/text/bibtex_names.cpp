#include "text/bibtex_names.h"

#include <cctype>
#include <cstddef>
#include <cstdint>

#include "text/ascii_case.h"
#include "text/trim.h"

namespace {

bool IsAsciiLetter(char c) { return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z'); }

// 1 when an " and " separator starts at the blank at position i.
int AndSeparatorAt(std::string_view s, std::size_t i) {
  if (i + 4 >= s.size() || !IsAsciiBlank(s[i])) return 0;
  const char* word = "and";
  for (int k = 0; k < 3; k++) {
    if (AsciiLower(s[i + 1 + k]) != word[k]) return 0;
  }
  return IsAsciiBlank(s[i + 4]) ? 1 : 0;
}

// The next name of a list from *at: the text up to the next " and "
// outside braces (or to the end), trimmed; *at moves past it, to beyond
// the text's end after the last name.  A backslash and the sign after it
// (\{, \}) are never braces.
std::string_view NextNameText(std::string_view s, std::size_t* at) {
  std::size_t start = *at;
  int depth = 0;
  for (std::size_t i = start; i < s.size(); i++) {
    char c = s[i];
    if (c == '\\' && i + 1 < s.size()) {
      i++;
      continue;
    }
    if (c == '{') depth++;
    if (c == '}' && depth > 0) depth--;
    if (depth == 0 && AndSeparatorAt(s, i)) {
      *at = i + 5;
      return Trim(s.substr(start, i - start));
    }
  }
  *at = s.size() + 1;
  return Trim(s.substr(start));
}

// Whether a word starts in lower case, as BibTeX decides for "von" words:
// the first letter outside braces counts; a group opening with a command
// ({\"o}) counts by the letter after the command; other groups are
// passed over.  A word without any such letter is not lower case.
int StartsLowerCase(std::string_view word) {
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

using Views = std::vector<std::string_view>;

// One name read in a single pass: its words (parted by blanks and ties
// outside braces, as BibTeX parts them) and its comma-parted parts, each
// with its trimmed text and its range of words.  Every entry's first
// author is read this way when a library is indexed, so nothing is copied.
struct NamePart {
  std::string_view text;
  std::size_t first_word;
  std::size_t end_word;
};

struct NameText {
  Views words;
  std::vector<NamePart> parts;
};

void ReadName(std::string_view text, NameText* name) {
  name->words.clear();
  name->parts.clear();
  name->words.reserve(16);
  name->parts.reserve(4);
  std::size_t part_start = 0, word_start = 0, part_first_word = 0;
  auto end_word = [&](std::size_t at) {
    std::string_view word = Trim(text.substr(word_start, at - word_start));
    if (!word.empty()) name->words.push_back(word);
    word_start = at + 1;
  };
  auto end_part = [&](std::size_t at) {
    end_word(at);
    name->parts.push_back(
        NamePart{Trim(text.substr(part_start, at - part_start)), part_first_word, name->words.size()});
    part_start = at + 1;
    part_first_word = name->words.size();
  };
  int depth = 0;
  for (std::size_t i = 0; i < text.size(); i++) {
    char c = text[i];
    if (c == '\\' && i + 1 < text.size()) {
      i++;
      continue;
    }
    if (c == '{') depth++;
    if (c == '}' && depth > 0) depth--;
    if (depth != 0) continue;
    if (c == ',') end_part(i);
    else if (IsAsciiBlank(c) || c == '~') end_word(i);  // a tie ("M.~Braun") parts words as a blank does
  }
  end_part(text.size());
}

std::string JoinWords(const Views& words, std::size_t from, std::size_t to) {
  std::string text;
  for (std::size_t i = from; i < to; i++) {
    if (!text.empty()) text += ' ';
    text += words[i];
  }
  return text;
}

std::string PartWords(const Views& words, const NamePart& part) {
  return JoinWords(words, part.first_word, part.end_word);
}

// "von Last": the words [from, to) up to the last lower-case one are
// "von"; the last word always belongs to the surname.
void SplitVonLast(const Views& words, std::size_t from, std::size_t to, PersonName* name) {
  std::size_t last_lower = to;
  for (std::size_t i = from; i + 1 < to; i++) {
    if (StartsLowerCase(words[i])) last_lower = i;
  }
  std::size_t surname_from = last_lower == to ? from : last_lower + 1;
  name->von = JoinWords(words, from, surname_from);
  name->last = JoinWords(words, surname_from, to);
}

// A name from its comma-parted parts (at least one), whose first part's
// words end at head_end.
PersonName ParseParts(const Views& words, const std::vector<NamePart>& parts, std::size_t head_end) {
  PersonName name;
  std::size_t head = parts[0].first_word;
  if (parts.size() == 1) {
    // "First von Last": the given names end before the first lower-case
    // word that is not the last word.
    std::size_t first_end = head_end == head ? head : head_end - 1;
    for (std::size_t i = head; i + 1 < head_end; i++) {
      if (StartsLowerCase(words[i])) {
        first_end = i;
        break;
      }
    }
    name.first = JoinWords(words, head, first_end);
    SplitVonLast(words, first_end, head_end, &name);
    return name;
  }
  SplitVonLast(words, head, head_end, &name);
  if (parts.size() == 2) {
    name.first = PartWords(words, parts[1]);
    return name;
  }
  name.jr = PartWords(words, parts[1]);
  for (std::size_t i = 2; i < parts.size(); i++) {  // a stray third comma stays in the given names
    std::string more = PartWords(words, parts[i]);
    if (!name.first.empty() && !more.empty()) name.first += ", ";
    name.first += more;
  }
  return name;
}

bool IsGenerationSuffix(std::string_view word) {
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
  NameText name;
  std::size_t at = 0;
  while (at <= value.size()) {
    std::string_view text = NextNameText(value, &at);
    if (text.empty()) continue;
    if (text == "others") {
      list->others = 1;
      continue;
    }
    ReadName(text, &name);
    list->names.push_back(ParseParts(name.words, name.parts, name.parts[0].end_word));
  }
}

int NameCount(const NameList& list) {
  return static_cast<int>(list.names.size()) + list.others;
}

PersonName ParseFirstName(const std::string& value) {
  std::size_t at = 0;
  std::string_view text = NextNameText(value, &at);
  if (text.empty() || text == "others") return PersonName();
  NameText name;
  ReadName(text, &name);
  std::vector<NamePart>& parts = name.parts;
  std::string_view jr;
  for (std::size_t i = parts.size() - 1; i > 0; i--) {  // "Smith, Jr., John", "John Smith, Jr."
    if (IsGenerationSuffix(parts[i].text)) {
      jr = parts[i].text;
      parts.erase(parts.begin() + static_cast<std::ptrdiff_t>(i));
    }
  }
  std::size_t head_end = parts[0].end_word;
  if (jr.empty() && head_end - parts[0].first_word > 1 &&
      IsGenerationSuffix(name.words[head_end - 1])) {  // "John Smith Jr."
    jr = name.words[head_end - 1];
    head_end--;
  }
  PersonName person = ParseParts(name.words, parts, head_end);
  if (!jr.empty()) person.jr = std::string(jr);
  return person;
}

namespace {

// A character of a plain name: it neither groups, escapes nor parts words
// other than as a blank does, and it is no letter that could start a "von".
bool IsPlainNameChar(char c) {
  return (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') || c == '.' || c == '-' || c == '\'' ||
         (c >= 'a' && c <= 'z');
}

// The surname of a plain name, or false when the name needs the whole
// reading: "Last, ..." with one word before the comma gives that word;
// "First ... Last" with no word in lower case gives the last word, or the
// one before a generational suffix.
bool PlainLast(std::string_view text, std::string_view* last) {
  std::string_view words[2];  // the last two words seen
  std::size_t count = 0, start = 0;
  for (std::size_t i = 0; i <= text.size(); i++) {
    char c = i < text.size() ? text[i] : ' ';
    if (c == ',') {
      if (count != 0 || i == start) return false;
      *last = text.substr(start, i - start);
      return true;
    }
    if (!IsAsciiBlank(c)) {
      if (!IsPlainNameChar(c)) return false;
      continue;
    }
    if (i == start) {
      start = i + 1;
      continue;
    }
    std::string_view word = text.substr(start, i - start);
    if (count > 0 && StartsLowerCase(words[1])) return false;  // a "von" word, or lower-case given names
    words[0] = words[1];
    words[1] = word;
    count++;
    start = i + 1;
  }
  if (count == 0) return false;
  *last = count > 1 && IsGenerationSuffix(words[1]) ? words[0] : words[1];
  return true;
}

}  // namespace

std::string FirstNameLast(const std::string& value) {
  std::size_t at = 0;
  std::string_view text = NextNameText(value, &at);
  std::string_view last;
  if (text != "others" && PlainLast(text, &last)) return std::string(last);
  return ParseFirstName(value).last;
}
