#include <cstdio>

#include "cli/cli.h"

int main(int argc, char** argv) { return RunCommandLine(argc, argv, stdout, stderr); }
