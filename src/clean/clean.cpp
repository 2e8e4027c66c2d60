#include "clean/clean.h"

int FLAG_DOUBLE_BIBITEM = 0;

int Clean() { return 0; }
