#include "scan/primitives.h"

#include <cstring>

// Index of the first c in line, stopping at a line feed or the NUL.
static std::size_t ScanTo(const char* line, std::size_t from, char c) {
  std::size_t i = from;
  while (line[i] != '\0' && line[i] != '\n' && line[i] != c) i++;
  return i;
}

// Length of the text from s up to the first c or line feed (or the NUL).
static std::size_t SpanTo(const char* s, char c) {
  const char stops[3] = {c, '\n', '\0'};
  return std::strcspn(s, c != '\0' ? stops : "\n");
}

int FindBibTag(const char* line, char* output, const char* opening, const char* closing,
               std::size_t output_size) {
  std::size_t out = 0;
  std::size_t p = SpanTo(line, opening[0]);
  if (opening[0] != '\0' && line[p] == opening[0]) {
    const char* value = line + p + 1;
    out = SpanTo(value, closing[0]);
    if (out > output_size - 1) out = output_size - 1;
    std::memcpy(output, value, out);
  }
  output[out] = '\0';
  return 1;
}

void CutToFirstPage(char* pages) {
  char* dash = std::strchr(pages, '-');
  if (dash != nullptr) *dash = '\0';
}

int entry_rest(const char* line, char* output, std::size_t output_size) {
  std::size_t out = 0;
  const char* p = std::strchr(line, '{');
  if (p != nullptr) {
    p++;
    if (*p == '{') p++;  // value in double braces
    while (*p != '\0' && *p != '}') {
      if (*p == '{') {
        // An inner group is copied whole, up to its first "}".
        while (*p != '\0' && *p != '}') {
          if (out + 1 < output_size) output[out++] = *p;
          p++;
        }
        if (*p == '\0') break;
      }
      if (out + 1 < output_size) output[out++] = *p;
      p++;
    }
  }
  output[out] = '\0';
  return 1;
}

int ReplaceStringInString(char* line, const char* replacement, const char* opening,
                          const char* closing, std::size_t line_size) {
  std::size_t a = ScanTo(line, 0, opening[0]);
  if (line[a] != opening[0] || line[a] == '\0' || line[a] == '\n') return 1;
  // From a itself: with equal delimiters the closing one is the opening one.
  std::size_t b = ScanTo(line, a, closing[0]);

  char tail[2 * LINE_SIZE];
  std::size_t tail_length = std::strlen(line + b);
  if (tail_length >= sizeof tail) tail_length = sizeof tail - 1;
  std::memcpy(tail, line + b, tail_length);
  tail[tail_length] = '\0';

  std::size_t at = a + 1;
  for (const char* r = replacement; *r != '\0' && at + 1 < line_size; r++) line[at++] = *r;
  for (std::size_t i = 0; i < tail_length && at + 1 < line_size; i++) line[at++] = tail[i];
  line[at] = '\0';
  return 1;
}
