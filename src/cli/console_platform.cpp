#include "cli/console_platform.h"

// Writes "CAPTION: TEXT" with the message's line breaks made blanks, and no
// line end.
static void WriteMessage(std::FILE* err, const char* text, const char* caption) {
  std::fprintf(err, "%s: ", caption);
  bool started = false;  // leading line feeds are dropped, not turned into blanks
  for (const char* p = text; *p != '\0'; p++) {
    if (*p == '\n') {
      while (p[1] == '\n' || p[1] == ' ') p++;
      if (started && p[1] != '\0') std::fputc(' ', err);
      continue;
    }
    started = true;
    std::fputc(*p, err);
  }
}

void ConsolePlatform::ShowMessage(const char* text, const char* caption) {
  WriteMessage(err_, text, caption);
  std::fputc('\n', err_);
}

void ConsolePlatform::ShowFileMessage(const char* text, const char* caption, const char* path,
                                      const char* reason) {
  WriteMessage(err_, text, caption);
  std::fprintf(err_, " (%s: %s)\n", path, reason);
}
