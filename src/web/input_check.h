// What the page checks of a dropped file before an operation reads it.
// The command-line tool reads a binary file or a text without entries as
// an empty library and writes empty outputs; a person who dropped the
// wrong file on a page needs to be told instead.
#ifndef TAMREL_WEB_INPUT_CHECK_H
#define TAMREL_WEB_INPUT_CHECK_H

#include <cstddef>

enum InputVerdict {
  INPUT_FINE,
  INPUT_UNREADABLE,  // it cannot be opened; the operation's own message says so
  INPUT_NOT_TEXT,    // it holds NUL bytes: a program, an image, a PDF, UTF-16
  INPUT_NO_ENTRIES   // a library with no entry, readable or not
};

// Whether size bytes are text: no NUL byte among them.
int LooksLikeText(const char* data, std::size_t size);

// Checks a document or any other text input.
InputVerdict CheckTextInput(const char* path);

// Checks a BibTeX library: text holding at least one entry.  An entry that
// cannot be read counts, so that the run reports it with its line.
InputVerdict CheckLibraryInput(const char* path);

// The sentence the page shows for a verdict other than INPUT_FINE, after
// the file's name: "is not a text file ...".
const char* InputProblemText(InputVerdict verdict);

#endif
