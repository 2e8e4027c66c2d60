// Where a journal name or a title parts into words: at blanks, ties and
// ASCII punctuation.  A backslash starts a command and braces group letters
// ("M{\"u}ller", "{DNA}", "\emph{word}", "\&"), so they stay within their
// word for text/plain_letters.h to read; the sign after a backslash never
// parts.
#ifndef TAMREL_TEXT_WORD_PIECES_H
#define TAMREL_TEXT_WORD_PIECES_H

#include <string_view>
#include <vector>

// Which bytes part two pieces: ASCII punctuation and blanks, but for the
// backslash and the braces.  A table, as every title of a library is
// parted byte by byte.
struct WordPartings {
  unsigned char parts[256] = {};
  constexpr WordPartings() {
    for (int c = 0; c < 0x80; c++) {
      bool alnum = (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9');
      parts[c] = !(alnum || c == '\\' || c == '{' || c == '}');
    }
  }
};
inline constexpr WordPartings kWordPartings{};

inline int PartsWordPieces(char c) { return kWordPartings.parts[static_cast<unsigned char>(c)]; }

// Calls visit(piece) for each non-empty piece of text between partings,
// in order (views of text), without collecting them: every library entry's
// journal and title are parted when a library is indexed.
template <typename Visit>
void ForEachWordPiece(std::string_view text, Visit visit) {
  std::size_t start = 0, at = 0, size = text.size();
  while (at < size) {
    char c = text[at];
    if (c == '\\' && at + 1 < size) {
      at += 2;  // the command's sign (\' \& \"), never a parting
      continue;
    }
    if (PartsWordPieces(c)) {
      if (at > start) visit(text.substr(start, at - start));
      start = at + 1;
    }
    at++;
  }
  if (size > start) visit(text.substr(start));
}

// The non-empty pieces of text between partings, in order (views of text).
std::vector<std::string_view> WordPieces(std::string_view text);

#endif
