#include <cstdio>

#include "cli/cli.h"
#include "cli/heap_pages.h"

int main(int argc, char** argv) {
  UseLargeHeapPages(argv);
  return RunCommandLine(argc, argv, stdout, stderr);
}
