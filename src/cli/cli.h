// The portable command-line front end over the same state and operations
// as the Windows program.
#ifndef TAMREL_CLI_CLI_H
#define TAMREL_CLI_CLI_H

#include <cstdio>

// Exit statuses.
constexpr int EXIT_DONE = 0;    // the operation wrote its files
constexpr int EXIT_FAILED = 1;  // the operation stopped; its message says why
constexpr int EXIT_USAGE = 2;   // the command line itself is wrong

// Runs one command line; messages and reports go to err, output paths and
// help to out.  Returns the exit status.
int RunCommandLine(int argc, char** argv, std::FILE* out, std::FILE* err);

#endif
