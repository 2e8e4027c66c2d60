#include "compare/compare.h"

int Compare() { return 0; }
