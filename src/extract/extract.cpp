#include "extract/extract.h"

int Extract() { return 0; }
