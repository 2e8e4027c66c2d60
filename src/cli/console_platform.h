// Message boxes of the operations, shown on a terminal.
#ifndef TAMREL_CLI_CONSOLE_PLATFORM_H
#define TAMREL_CLI_CONSOLE_PLATFORM_H

#include <cstdio>

#include "app/platform.h"

// Writes each message as one line "CAPTION: TEXT"; the line breaks inside
// a message, with the indentation after them, become single blanks.
class ConsolePlatform : public Platform {
 public:
  explicit ConsolePlatform(std::FILE* err) : err_(err) {}
  void ShowMessage(const char* text, const char* caption) override;
  // The message, then " (PATH: REASON)" on the same line.
  void ShowFileMessage(const char* text, const char* caption, const char* path,
                       const char* reason) override;

 private:
  std::FILE* err_;
};

#endif
