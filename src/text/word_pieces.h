// Where a journal name or a title parts into words: at blanks, ties and
// ASCII punctuation.  A backslash starts a command and braces group letters
// ("M{\"u}ller", "{DNA}", "\emph{word}", "\&"), so they stay within their
// word for text/plain_letters.h to read; the sign after a backslash never
// parts.
#ifndef TAMREL_TEXT_WORD_PIECES_H
#define TAMREL_TEXT_WORD_PIECES_H

#include <string_view>
#include <vector>

// 1 when c parts two pieces: ASCII punctuation and blanks, but for the
// backslash and the braces.
inline int PartsWordPieces(char c) {
  unsigned char byte = static_cast<unsigned char>(c);
  if (byte >= 0x80 || c == '\\' || c == '{' || c == '}') return 0;
  return !((c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9'));
}

// Calls visit(piece) for each non-empty piece of text between partings,
// in order (views of text), without collecting them: every library entry's
// journal and title are parted when a library is indexed.
template <typename Visit>
void ForEachWordPiece(std::string_view text, Visit visit) {
  std::size_t start = 0;
  for (std::size_t at = 0; at <= text.size(); at++) {
    if (at + 1 < text.size() && text[at] == '\\') {
      at++;  // the command's sign (\' \& \"), never a parting
      continue;
    }
    if (at < text.size() && !PartsWordPieces(text[at])) continue;
    if (at > start) visit(text.substr(start, at - start));
    start = at + 1;
  }
}

// The non-empty pieces of text between partings, in order (views of text).
std::vector<std::string_view> WordPieces(std::string_view text);

#endif
