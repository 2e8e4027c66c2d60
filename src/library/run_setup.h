// What every operation's request holds beside its inputs.
#ifndef TAMREL_LIBRARY_RUN_SETUP_H
#define TAMREL_LIBRARY_RUN_SETUP_H

#include "app/platform.h"
#include "library/library_format.h"

struct RunSetup {
  const LibraryFormat* format = nullptr;  // how the libraries are read
  const char* output_folder = "";  // "" puts each output beside its input
  Platform* messages = nullptr;    // where failures are shown; none when null
  // 1 (always, but for the tests that compare them) where the indexes
  // stand in for the plain in-order scans.
  int indexed = 1;
};

#endif
