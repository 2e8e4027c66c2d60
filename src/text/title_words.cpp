#include "text/title_words.h"

#include "text/ascii_case.h"

std::string TitleWords(std::string_view text) {
  std::string words;
  for (char c : text) {
    unsigned char byte = static_cast<unsigned char>(c);
    bool letter = (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z');
    if (letter || (c >= '0' && c <= '9') || byte >= 0x80) words.push_back(AsciiLower(c));
  }
  return words;
}
