// A title as its words, for telling whether two entries name the same
// title in two layouts: "The {DNA} Helix." and "The DNA helix" agree.
#ifndef TAMREL_TEXT_TITLE_WORDS_H
#define TAMREL_TEXT_TITLE_WORDS_H

#include <string>
#include <string_view>

// The letters and digits of text, A-Z as a-z; braces, commands' backslashes,
// punctuation and blanks left out.  Bytes of 0x80 and above (UTF-8 or
// CP1252 letters) are kept as they are, so titles in other scripts still
// tell apart.
std::string TitleWords(std::string_view text);

#endif
