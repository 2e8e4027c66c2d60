// Letter case as BibTeX folds it: only A-Z and a-z have a case; every other
// byte (digits, punctuation, the bytes of UTF-8 or CP1252 letters) stays as
// it is, so a fold never depends on the locale or the file's encoding.
#ifndef TAMREL_TEXT_ASCII_CASE_H
#define TAMREL_TEXT_ASCII_CASE_H

#include <string>
#include <string_view>

// A-Z as a-z.  Inline, since the hashes fold every key through it.
inline char AsciiLower(char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; }

// text with A-Z made a-z, as BibTeX compares types, field names, macro
// names and keys.
std::string LowerCase(std::string_view text);

// true when a and b are equal with A-Z read as a-z.
bool SameIgnoringCase(std::string_view a, std::string_view b);

#endif
