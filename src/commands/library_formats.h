// The registry of library formats: the one place that names them.
#ifndef TAMREL_COMMANDS_LIBRARY_FORMATS_H
#define TAMREL_COMMANDS_LIBRARY_FORMATS_H

#include "library/library_format.h"

// The format called name ("bibtex", "classic"), or nullptr.
const LibraryFormat* FormatNamed(const char* name);

#endif
