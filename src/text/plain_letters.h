// A name as its plain letters, for telling whether two entries name the
// same person however the library writes the accents: "M{\"u}ller",
// "M\"{u}ller", "M\"uller" and "Müller" (UTF-8) are all "muller".
#ifndef TAMREL_TEXT_PLAIN_LETTERS_H
#define TAMREL_TEXT_PLAIN_LETTERS_H

#include <string>
#include <string_view>

// The letters and digits of text in lower case, everything else left out,
// with accented letters read as their base letters: a TeX accent command
// (\" \' \^ \~ \c \v ...) is dropped and its letter kept, the letter
// commands \o \l \i \j \aa \ae \oe \ss give o l i j a ae oe ss, and the
// UTF-8 letters of Latin-1 and Latin Extended-A (U+00C0 to U+017F) give
// theirs ("ø" o, "ł" l, "ß" ss, "æ" ae).  Other bytes of 0x80 and above
// (other scripts, CP1252 bytes) are kept as they are.
std::string PlainLetters(std::string_view text);

// 1 when text holds ASCII letters and digits only, as most words do: its
// plain letters are then itself in lower case, and a caller that only
// compares them need not build them.
int IsPlainWord(std::string_view text);

#endif
