// What TeX reads of a LaTeX file: the text without its comments and
// without the verbatim-like parts, whose contents are never commands.
#include <cstring>

#include "latex/citations.h"

// Environments whose body TeX does not read as commands: a \cite shown in
// a listing or kept in a comment environment cites nothing.
static const char* const kVerbatimEnvironments[] = {
    "comment",   "verbatim",   "verbatim*", "Verbatim", "Verbatim*",    "BVerbatim",
    "LVerbatim", "lstlisting", "minted",    "filecontents", "filecontents*"};

int TextStartsWith(const char* text, std::size_t size, std::size_t at, const char* word) {
  std::size_t length = std::strlen(word);
  return at <= size && size - at >= length && std::memcmp(text + at, word, length) == 0;
}

static int IsLetter(char c) { return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z'); }

// Offset after a % comment that starts at `at`: TeX drops the rest of the
// line with its line end, and then skips the next line's leading blanks,
// so "a%\n  b" reads as "ab".
static std::size_t CommentEnd(const char* text, std::size_t size, std::size_t at) {
  const void* line_end = std::memchr(text + at, '\n', size - at);
  if (line_end == nullptr) return size;
  std::size_t end = static_cast<std::size_t>(static_cast<const char*>(line_end) - text) + 1;
  while (end < size && (text[end] == ' ' || text[end] == '\t')) end++;
  return end;
}

// Offset of the first occurrence of needle in text[from..size), or size.
static std::size_t FindText(const char* text, std::size_t size, std::size_t from, const std::string& needle) {
  for (std::size_t at = from; at < size; at++) {
    const void* hit = std::memchr(text + at, needle[0], size - at);
    if (hit == nullptr) return size;
    at = static_cast<std::size_t>(static_cast<const char*>(hit) - text);
    if (TextStartsWith(text, size, at, needle.c_str())) return at;
  }
  return size;
}

// When a verbatim-like environment begins at the backslash text[at], sets
// *end past its \end{name} (the whole rest of the file when it never
// ends, as TeX would read it) and returns 1.
static int VerbatimEnvironmentEnd(const char* text, std::size_t size, std::size_t at, std::size_t* end) {
  if (!TextStartsWith(text, size, at, "\\begin")) return 0;
  std::size_t name = at + 6;
  while (name < size && (text[name] == ' ' || text[name] == '\t')) name++;
  if (name >= size || text[name] != '{') return 0;
  name++;
  for (const char* environment : kVerbatimEnvironments) {
    std::size_t length = std::strlen(environment);
    if (!TextStartsWith(text, size, name, environment) || !TextStartsWith(text, size, name + length, "}")) continue;
    std::string closing = std::string("\\end{") + environment + "}";
    std::size_t found = FindText(text, size, name + length + 1, closing);
    *end = found == size ? size : found + closing.size();
    return 1;
  }
  return 0;
}

// When \verb (or \verb*) begins at the backslash text[at] and its
// delimiter closes on the same line, sets *end past it and returns 1.  An
// unclosed \verb is a LaTeX error; its line is then read as ordinary text.
static int VerbEnd(const char* text, std::size_t size, std::size_t at, std::size_t* end) {
  if (!TextStartsWith(text, size, at, "\\verb")) return 0;
  std::size_t delimiter = at + 5;
  if (delimiter < size && text[delimiter] == '*') delimiter++;
  if (delimiter >= size || IsLetter(text[delimiter]) || text[delimiter] == '\n' || text[delimiter] == '\r') return 0;
  for (std::size_t k = delimiter + 1; k < size && text[k] != '\n'; k++) {
    if (text[k] == text[delimiter]) {
      *end = k + 1;
      return 1;
    }
  }
  return 0;
}

void ReadableTexText(const char* text, std::size_t size, std::string* readable,
                     std::vector<std::size_t>* line_starts) {
  readable->clear();
  readable->reserve(size);
  if (line_starts != nullptr) line_starts->clear();
  std::size_t at = 0;
  while (at < size) {
    char c = text[at];
    std::size_t end = 0;
    if (c == '%') {
      at = CommentEnd(text, size, at);
      if (line_starts != nullptr && at < size) line_starts->push_back(readable->size());
    } else if (c != '\\') {
      readable->push_back(c);
      at++;
      if (c == '\n' && line_starts != nullptr) line_starts->push_back(readable->size());
    } else if (VerbatimEnvironmentEnd(text, size, at, &end) || VerbEnd(text, size, at, &end)) {
      readable->push_back(' ');
      at = end;
    } else {
      // A backslash and the character it escapes stay together, so that
      // \% and \\ are never taken for a comment or a line break's start.
      std::size_t pair = size - at >= 2 ? 2 : 1;
      readable->append(text + at, pair);
      at += pair;
      if (pair == 2 && text[at - 1] == '\n' && line_starts != nullptr) line_starts->push_back(readable->size());
    }
  }
}
