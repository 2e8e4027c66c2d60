#include "scan/author.h"

#include <cstring>


namespace {

// A bounded text of AUTHOR_BUFFER_SIZE bytes: appends beyond its room are
// dropped, so a very long list is cut rather than overflowing.
struct Text {
  char* data;
  std::size_t length;

  explicit Text(char* buffer) : data(buffer), length(0) { data[0] = '\0'; }
  void Append(char c) {
    if (length + 1 < AUTHOR_BUFFER_SIZE) {
      data[length++] = c;
      data[length] = '\0';
    }
  }
  void Append(const char* s, std::size_t n) {
    for (std::size_t i = 0; i < n; i++) Append(s[i]);
  }
  void Append(const char* s) { Append(s, std::strlen(s)); }
};

bool IsLetter(char c) { return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z'); }

// "A blank followed by and": the separator between two names.  The
// character after "and" is not looked at, so 'anderson' counts too.
bool IsAndAt(const char* s) { return s[0] == ' ' && s[1] == 'a' && s[2] == 'n' && s[3] == 'd'; }

// Replaces the last "," of the text by " and".
void JoinLastTwo(Text* text) {
  char* comma = std::strrchr(text->data, ',');
  if (comma == nullptr) return;
  char rest[AUTHOR_BUFFER_SIZE];
  std::snprintf(rest, sizeof rest, "%s", comma + 1);
  text->length = static_cast<std::size_t>(comma - text->data);
  text->data[text->length] = '\0';
  text->Append(" and");
  text->Append(rest);
}

}  // namespace

// Reads the braced value that starts on line, going on over the lines of
// input while it is not closed.
static void CollectAuthorValue(const char* line, LineReader* input, char* value_buffer) {
  Text value(value_buffer);
  const char* brace = std::strchr(line, '{');
  if (brace == nullptr) return;

  char current[LINE_SIZE];
  std::snprintf(current, sizeof current, "%s", brace + 1);
  std::size_t i = 0;
  for (;;) {
    char c = current[i];
    if (c == '}' || c == '\0') return;
    if (c == '\n') {
      // The list goes on: the next line joins with one blank, from its
      // first letter on (indentation and leading braces are dropped).
      if (ReadLine(input, current) == 0) return;
      i = 0;
      while (current[i] != '\0' && !IsLetter(current[i])) i++;
      value.Append(' ');
      if (current[i] == '\0') return;
      continue;
    }
    if (c == '{') {
      // An inner group is copied whole up to its first "}" or line feed;
      // a line feed there ends the whole value.
      value.Append(c);
      i++;
      while (current[i] != '\0' && current[i] != '}' && current[i] != '\n') value.Append(current[i++]);
      if (current[i] == '\0') return;
      value.Append(current[i]);
      if (current[i] == '\n') return;
      i++;
      continue;
    }
    value.Append(c);
    i++;
  }
}

// The rewriting of a collected list for each style.
static void RewriteAuthorsAps(const char* value, char* result_buffer) {
  Text result(result_buffer);
  std::size_t length = std::strlen(value);
  if (length == 0) return;
  bool multi = std::strstr(value, " and ") != nullptr;

  std::size_t pos = 0;
  while (pos < length) {
    const char* comma = std::strchr(value + pos, ',');
    if (comma == nullptr) {
      // A name without its comma ('{Some Collaboration}') is kept as it
      // stands rather than being split into surname and given names.
      result.Append(value + pos);
      result.Append(", ");
      break;
    }
    const char* surname = value + pos;
    std::size_t surname_length = static_cast<std::size_t>(comma - surname);
    pos += surname_length + 1;
    while (value[pos] == ' ') pos++;

    const char* given = value + pos;
    std::size_t given_length = length - pos;
    if (multi) {
      std::size_t k = pos;
      while (value[k] != '\0' && !IsAndAt(value + k)) k++;
      given_length = k - pos;
      pos = value[k] != '\0' ? k + 4 : length;
    } else {
      pos = length;
    }
    result.Append(given, given_length);
    if (given_length == 0 || given[given_length - 1] != ' ') result.Append(' ');
    result.Append(surname, surname_length);
    result.Append(", ");
  }
  // Drop the final ", ".
  result.length = result.length >= 2 ? result.length - 2 : 0;
  result.data[result.length] = '\0';
  if (multi) JoinLastTwo(&result);
}

static void RewriteAuthorsIop(const char* value, char* result_buffer) {
  Text result(result_buffer);
  std::size_t length = std::strlen(value);
  for (std::size_t i = 0; i < length; i++) {
    char c = value[i];
    if (c == '.' || c == ',') {
      char next = value[i + 1];
      if (next != ' ' && next != '-') result.Append(' ');
    } else if (IsAndAt(value + i)) {
      result.Append(',');
      i += 3;
    } else {
      result.Append(c);
    }
  }
  if (std::strstr(value, " and ") != nullptr) JoinLastTwo(&result);
}

static void RewriteAuthorsAcs(const char* value, char* result_buffer) {
  Text result(result_buffer);
  std::size_t length = std::strlen(value);
  for (std::size_t i = 0; i < length; i++) {
    if (IsAndAt(value + i)) {
      result.Append(';');
      i += 3;
    } else {
      result.Append(value[i]);
    }
  }
}

int entry_author(const char* line, char* output, LineReader* input, std::size_t output_size,
                 ClassicStyle style) {
  char value[AUTHOR_BUFFER_SIZE];
  char result[AUTHOR_BUFFER_SIZE];
  CollectAuthorValue(line, input, value);
  result[0] = '\0';
  if (style == CLASSIC_APS) RewriteAuthorsAps(value, result);
  if (style == CLASSIC_ACS) RewriteAuthorsAcs(value, result);
  if (style == CLASSIC_IOP) RewriteAuthorsIop(value, result);
  std::snprintf(output, output_size, "%s", result);
  return 1;
}
