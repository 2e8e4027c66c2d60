// What the front ends check of an input before an operation reads it.  A
// person who gave a program, a PDF or a UTF-16 file instead of a BibTeX or
// LaTeX file is told so rather than handed empty outputs: the command-line
// tool looks at the start of each file, the page at every byte it was
// given, and the page also refuses a library without any entry (the
// command-line tool reads one as it stands and reports its 0 entries).
#ifndef TAMREL_COMMANDS_INPUT_CHECK_H
#define TAMREL_COMMANDS_INPUT_CHECK_H

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

// Checks the first bytes of any input as git tells binary files from text
// (a NUL among the first 8000 bytes), without reading a large library
// whole: a program, an image, a PDF or UTF-16 text shows one that soon.
InputVerdict CheckTextStart(const char* path);

// Checks a BibTeX library: text holding at least one entry.  An entry that
// cannot be read counts, so that the run reports it with its line.
InputVerdict CheckLibraryInput(const char* path);

// The sentence the page shows for a verdict other than INPUT_FINE, after
// the file's name: "is not a text file ...".
const char* InputProblemText(InputVerdict verdict);

#endif
