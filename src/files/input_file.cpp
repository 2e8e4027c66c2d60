#include "files/input_file.h"

#include <sys/stat.h>

#include <cerrno>
#include <cstring>

std::FILE* OpenInputFile(const char* path, const char* mode) {
  char binary_mode[8];
  std::snprintf(binary_mode, sizeof binary_mode, "%sb", mode);
  std::FILE* file = std::fopen(path, binary_mode);
  if (file == nullptr) return nullptr;
  struct stat status;
  // Only a regular file has an end and places to come back to: a folder,
  // a device such as /dev/zero or a pipe is refused like a missing file.
  if (fstat(fileno(file), &status) != 0 || (status.st_mode & S_IFMT) != S_IFREG) {
    int is_folder = (status.st_mode & S_IFMT) == S_IFDIR;
    std::fclose(file);
    errno = is_folder ? EISDIR : NOT_REGULAR_FILE;
    return nullptr;
  }
  return file;
}

const char* FileErrorText(int error_number) {
  if (error_number == NOT_REGULAR_FILE) return "not a regular file";
  if (error_number == 0) return "cannot be read";
  return std::strerror(error_number);
}
