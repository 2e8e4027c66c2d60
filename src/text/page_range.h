// The dashes that part the pages of a range, whatever wrote the library:
// "-" and "--", the en dash, the em dash and the minus sign in UTF-8, and
// the en and em dashes of CP1252 (Windows libraries).
#ifndef TAMREL_TEXT_PAGE_RANGE_H
#define TAMREL_TEXT_PAGE_RANGE_H

#include <cstddef>
#include <string_view>

// Which dashes part a range.  References keep a Windows library's byte
// dashes as they stand: bibtex's styles do not cut there either, and the
// document's inputenc prints them as dashes.
enum RangeDashes { DASHES_OF_ANY_ENCODING, DASHES_OF_UTF8_ONLY };

// The length in bytes of the range dash that starts at text[at], or 0.
// A CP1252 dash byte (0x96, 0x97) counts only after an ASCII byte or at
// the start: after a byte of 0x80 or above it is the tail of a UTF-8
// character ("Ж" is D0 96), which a cut would break.
std::size_t RangeDashLength(std::string_view text, std::size_t at,
                            RangeDashes dashes = DASHES_OF_ANY_ENCODING);

// The first page of a range: the text before the first range dash,
// without blanks at either end ("81 -- 107" gives "81"); a view of pages.
std::string_view FirstPage(std::string_view pages);

#endif
