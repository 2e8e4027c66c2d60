#include "text/plain_letters.h"

#include <cstring>

#include "text/ascii_case.h"

namespace {

bool IsAsciiLetter(char c) { return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z'); }

// The plain letters of the letter command name ("o" for \o), or nullptr
// for another command (an accent, or markup such as \textit).
const char* LetterOfCommand(std::string_view name) {
  static const char* const kLetters[][2] = {{"o", "o"},   {"O", "o"},   {"l", "l"},   {"L", "l"},   {"i", "i"},
                                            {"j", "j"},   {"aa", "a"},  {"AA", "a"},  {"ae", "ae"}, {"AE", "ae"},
                                            {"oe", "oe"}, {"OE", "oe"}, {"ss", "ss"}, {"SS", "ss"}};
  for (const auto& letter : kLetters) {
    if (name == letter[0]) return letter[1];
  }
  return nullptr;
}

// The base letters of U+00C0 to U+00DF; U+00E0 to U+00FE are their lower
// case forms, 0x20 above.  nullptr for the multiplication sign.
const char* const kLatin1[32] = {"a", "a", "a", "a", "a", "a", "ae", "c", "e", "e", "e", "e", "i", "i", "i", "i",
                                 "d", "n", "o", "o", "o", "o", "o",  nullptr, "o", "u", "u", "u", "u", "y", "th", "ss"};

// The base letter of each of U+0100 to U+017F (Latin Extended-A), in
// order; U+0132/3 (ij) and U+0152/3 (oe) are two letters each.
const char kExtendedA[] =
    "aaaaaa" "cccccccc" "dddd" "eeeeeeeeee" "gggggggg" "hhhh" "iiiiiiiiii" "ii" "jj" "kkk" "llllllllll"
    "nnnnnnnnn" "oooooo" "oo" "rrrrrr" "ssssssss" "tttttt" "uuuuuuuuuuuu" "ww" "yyy" "zzzzzz" "s";
static_assert(sizeof kExtendedA == 0x80 + 1, "one letter for each of U+0100 to U+017F");

// The plain letters of the code point, or nullptr when it has none here.
const char* LetterOfCodePoint(unsigned code, char* one) {
  if (code >= 0xC0 && code <= 0xFF) {
    if (code == 0xDF || code == 0xFF) return code == 0xDF ? "ss" : "y";
    return kLatin1[(code - 0xC0) & 0x1F];
  }
  if (code < 0x100 || code > 0x17F) return nullptr;
  if (code == 0x132 || code == 0x133) return "ij";
  if (code == 0x152 || code == 0x153) return "oe";
  one[0] = kExtendedA[code - 0x100];
  one[1] = '\0';
  return one;
}

// Reads the command at text[at] (a backslash) into letters; returns where
// the text goes on.
std::size_t ReadCommand(std::string_view text, std::size_t at, std::string* letters) {
  std::size_t end = at + 1;
  if (end >= text.size()) return end;
  if (!IsAsciiLetter(text[end])) return end + 1;  // \" \' \~ ...: the letter follows
  while (end < text.size() && IsAsciiLetter(text[end])) end++;
  const char* letter = LetterOfCommand(text.substr(at + 1, end - at - 1));
  if (letter != nullptr) *letters += letter;
  return end;
}

// Reads the UTF-8 character or other byte at text[at] (0x80 or above) into
// letters; returns where the text goes on.
std::size_t ReadHighByte(std::string_view text, std::size_t at, std::string* letters) {
  unsigned char lead = static_cast<unsigned char>(text[at]);
  if (lead >= 0xC3 && lead <= 0xC5 && at + 1 < text.size()) {
    unsigned char tail = static_cast<unsigned char>(text[at + 1]);
    char one[2];
    const char* letter = (tail & 0xC0) == 0x80 ? LetterOfCodePoint(((lead & 0x1Fu) << 6) | (tail & 0x3Fu), one)
                                               : nullptr;
    if (letter != nullptr) {
      *letters += letter;
      return at + 2;
    }
  }
  letters->push_back(text[at]);
  return at + 1;
}

}  // namespace

std::string PlainLetters(std::string_view text) {
  std::string letters;
  std::size_t at = 0;
  while (at < text.size()) {
    char c = text[at];
    if (c == '\\') {
      at = ReadCommand(text, at, &letters);
    } else if (static_cast<unsigned char>(c) >= 0x80) {
      at = ReadHighByte(text, at, &letters);
    } else {
      if (IsAsciiLetter(c) || (c >= '0' && c <= '9')) letters.push_back(AsciiLower(c));
      at++;
    }
  }
  return letters;
}

int IsPlainWord(std::string_view text) {
  for (char c : text) {
    if (!(IsAsciiLetter(c) || (c >= '0' && c <= '9'))) return 0;
  }
  return 1;
}
