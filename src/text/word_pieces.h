// Where a journal name or a title parts into words: at blanks, ties and
// ASCII punctuation.  A backslash starts a command and braces group letters
// ("M{\"u}ller", "{DNA}", "\emph{word}", "\&"), so they stay within their
// word for text/plain_letters.h to read; the sign after a backslash never
// parts.
#ifndef TAMREL_TEXT_WORD_PIECES_H
#define TAMREL_TEXT_WORD_PIECES_H

#include <string_view>
#include <vector>

// The non-empty pieces of text between partings, in order (views of text).
std::vector<std::string_view> WordPieces(std::string_view text);

#endif
