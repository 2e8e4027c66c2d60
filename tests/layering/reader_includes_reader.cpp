// The control for the probe beside it: a reader including what lies at or
// below its own layer builds, so the probe fails for its upward include
// alone.
#include "app/state.h"
#include "scan/line_reader.h"

int LayeringControl() { return FILE_SLOT_SIZE > 0 && LINE_SIZE > 0; }
