// The classic line rules as a library format: libraries in JabRef's
// classic layout, read line by line, exactly as earlier versions did.
#ifndef TAMREL_CLASSIC_FORMAT_CLASSIC_FORMAT_H
#define TAMREL_CLASSIC_FORMAT_CLASSIC_FORMAT_H

#include "library/library_format.h"

const LibraryFormat* ClassicLibraryFormat();

#endif
