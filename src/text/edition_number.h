// An edition as a number, however the library writes it: "2", "2nd",
// "Second", "second edition" are all 2.
#ifndef TAMREL_TEXT_EDITION_NUMBER_H
#define TAMREL_TEXT_EDITION_NUMBER_H

#include <string>
#include <string_view>

// The edition's number as digits: the first run of digits, or the
// English ordinal word (first to tenth) the value begins with; otherwise
// the value's plain letters, so other forms still compare.
std::string EditionNumber(std::string_view edition);

#endif
