#include "text/path_parts.h"

bool IsPathSeparator(char c) { return c == '/' || c == '\\'; }

bool IsHostPathSeparator(char c) {
#ifdef _WIN32
  return c == '/' || c == '\\';
#else
  return c == '/';
#endif
}

std::size_t FileNameStart(std::string_view path, PathSeparatorTest is_separator) {
  std::size_t start = path.size();
  while (start > 0 && !is_separator(path[start - 1])) start--;
  return start;
}

std::string_view FileNamePart(std::string_view path, PathSeparatorTest is_separator) {
  return path.substr(FileNameStart(path, is_separator));
}

std::string_view FolderPart(std::string_view path, PathSeparatorTest is_separator) {
  std::size_t start = FileNameStart(path, is_separator);
  if (start <= 1) return path.substr(0, start);  // "" or the root alone
  return path.substr(0, start - 1);
}

bool PathEndsWith(std::string_view path, std::string_view tail) {
  return path.size() >= tail.size() && path.substr(path.size() - tail.size()) == tail;
}
