#include "text/trim.h"

bool IsAsciiBlank(char c) {
  return c == ' ' || c == '\t' || c == '\n' || c == '\r' || c == '\v' || c == '\f';
}

std::string_view Trim(std::string_view text) {
  std::size_t begin = 0;
  std::size_t end = text.size();
  while (begin < end && IsAsciiBlank(text[begin])) begin++;
  while (end > begin && IsAsciiBlank(text[end - 1])) end--;
  return text.substr(begin, end - begin);
}
