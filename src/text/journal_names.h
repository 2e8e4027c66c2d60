// Journal names as two exports write one journal: in full ("Physical
// Review B", "The Journal of Chemical Physics") or abbreviated word by word
// as ISO 4 does ("Phys. Rev. B", "J. Chem. Phys.", with or without dots).
#ifndef TAMREL_TEXT_JOURNAL_NAMES_H
#define TAMREL_TEXT_JOURNAL_NAMES_H

#include <string>
#include <string_view>
#include <vector>

// The words of a journal name as plain lower-case letters and digits
// (text/plain_letters.h), parted as text/word_pieces.h parts them (at
// blanks, ties, dots and other punctuation), without the small words ISO 4 drops ("the", "of", "and",
// "in", "for", "on") and without "&".
std::vector<std::string> JournalWords(std::string_view journal);

// 1 when the two names can stand for one journal: word for word, each
// word equal to the other or an abbreviation of it (its first letter, then
// some of the other's letters in order: "phys" of "physical", "natl" of
// "national").  A word holding a digit must be equal ("7" is no
// abbreviation of "71").  Two empty names agree.
int JournalsAgree(std::string_view a, std::string_view b);

// The first letters of the journal's words: two names that agree have
// the same initials, so an index may note a journal by them.
std::string JournalInitials(std::string_view journal);

#endif
