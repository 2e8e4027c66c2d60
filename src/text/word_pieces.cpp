#include "text/word_pieces.h"

std::vector<std::string_view> WordPieces(std::string_view text) {
  std::vector<std::string_view> pieces;
  pieces.reserve(text.size() / 2 + 1);  // pieces and partings alternate: one allocation
  ForEachWordPiece(text, [&](std::string_view piece) { pieces.push_back(piece); });
  return pieces;
}
