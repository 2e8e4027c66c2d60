// The fixed information texts of the Help menu: three quick manuals, the
// problem text and the About text.  Each is shown with Version_string as
// its caption.
#ifndef TAMREL_COMMANDS_HELP_TEXTS_H
#define TAMREL_COMMANDS_HELP_TEXTS_H

#include <cstddef>

extern const char* const MANUAL_EXTRACT;  // 24 lines, ends in a line feed
extern const char* const MANUAL_COMPARE;  // 23 lines, no final line feed
extern const char* const MANUAL_CLEAN;    // 17 lines, ends in a line feed
extern const char* const PROBLEM_TEXT;

// Room for any information text; the window layer assembles its messages
// in a buffer of this size.
constexpr std::size_t MESSAGE_BUFFER_SIZE = 2000;

// The About text: Version_string, two line feeds, the web address and two
// line feeds.  Writes at most size bytes with the NUL; returns 1.
int FormatAboutText(char* out, std::size_t size);

#endif
