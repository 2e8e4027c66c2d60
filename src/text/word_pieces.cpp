#include "text/word_pieces.h"

namespace {

bool PartsWords(char c) {
  unsigned char byte = static_cast<unsigned char>(c);
  if (byte >= 0x80 || c == '\\' || c == '{' || c == '}') return false;
  return !((c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9'));
}

}  // namespace

std::vector<std::string_view> WordPieces(std::string_view text) {
  std::vector<std::string_view> pieces;
  std::size_t start = 0;
  for (std::size_t at = 0; at <= text.size(); at++) {
    if (at + 1 < text.size() && text[at] == '\\') {
      at++;  // the command's sign (\' \& \"), never a parting
      continue;
    }
    if (at < text.size() && !PartsWords(text[at])) continue;
    if (at > start) pieces.push_back(text.substr(start, at - start));
    start = at + 1;
  }
  return pieces;
}
