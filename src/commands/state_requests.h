// The operations as the menu runs them: each request built from the
// program's state (the file slots, the output folder and the option
// flags), the operation's messages shown through the current platform.
#ifndef TAMREL_COMMANDS_STATE_REQUESTS_H
#define TAMREL_COMMANDS_STATE_REQUESTS_H

#include "clean/clean.h"
#include "compare/compare.h"
#include "extract/extract.h"

// The reference options the flags choose: the style (none when no style
// flag is set) and the page mode.
ReferenceOptions ReferenceOptionsFromState();

// Extract on the first slot (the document) and the second (the library).
int Extract(RunReport* report = nullptr);
// Compare on the first slot (the master) and the second.
int Compare(RunReport* report = nullptr);
// Clean doubles on the first slot.
int Clean(RunReport* report = nullptr);

#endif
