// A reader (layer 1) reaching up to an operation (layer 2): the build must
// refuse this file, since extract/extract.h is not on a reader's include
// path.
#include "extract/extract.h"

int LayeringProbe() { return Extract(); }
