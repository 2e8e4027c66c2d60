#include "cli/console_platform.h"

void ConsolePlatform::ShowMessage(const char* text, const char* caption) {
  std::fprintf(err_, "%s: ", caption);
  bool started = false;  // leading line feeds are dropped, not turned into blanks
  for (const char* p = text; *p != '\0'; p++) {
    if (*p == '\n') {
      while (p[1] == '\n' || p[1] == ' ') p++;
      if (started && p[1] != '\0') std::fputc(' ', err_);
      continue;
    }
    started = true;
    std::fputc(*p, err_);
  }
  std::fputc('\n', err_);
}
