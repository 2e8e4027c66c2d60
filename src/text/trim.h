// Blanks at the ends of a value: the ASCII white space characters (blank,
// tab, line feed, carriage return, vertical tab, form feed), never the
// bytes of a UTF-8 or CP1252 character.
#ifndef TAMREL_TEXT_TRIM_H
#define TAMREL_TEXT_TRIM_H

#include <string_view>

bool IsAsciiBlank(char c);

// text without the blanks at either end (a view of text).
std::string_view Trim(std::string_view text);

#endif
