#include "files/file_bytes.h"

#include <cerrno>
#include <cstdint>
#include <cstdlib>

#if defined(__unix__) || defined(__APPLE__)
#include <sys/mman.h>
#include <sys/stat.h>
#define TAMREL_MAP_FILES 1
#endif

// Maps the whole file read-only.  The pages are brought in at once where the
// system offers it, which costs far less than one fault per page.  A file
// cut short by another program while it is mapped would stop the run, as
// with any program that maps its inputs; a file replaced (what editors and
// reference managers do when they save) is no danger: the old one stays.
static void* MapWhole(std::FILE* file, std::size_t* size) {
#ifdef TAMREL_MAP_FILES
  struct stat status;
  if (fstat(fileno(file), &status) != 0 || !S_ISREG(status.st_mode) || status.st_size <= 0) {
    return nullptr;
  }
  int flags = MAP_PRIVATE;
#ifdef MAP_POPULATE
  flags |= MAP_POPULATE;
#endif
  std::size_t length = static_cast<std::size_t>(status.st_size);
  void* mapping = mmap(nullptr, length, PROT_READ, flags, fileno(file), 0);
  if (mapping == MAP_FAILED) return nullptr;
  *size = length;
  return mapping;
#else
  (void)file;
  (void)size;
  return nullptr;
#endif
}

// Reads the file from its start to its end into a buffer of its own
// (malloc), setting size.  NULL when it cannot be read or does not fit in
// memory.
static char* ReadWhole(std::FILE* file, std::size_t* size) {
  *size = 0;
  if (std::fseek(file, 0, SEEK_SET) != 0) return nullptr;
  std::size_t capacity = 65536;
  char* bytes = static_cast<char*>(std::malloc(capacity));
  while (bytes != nullptr) {
    *size += std::fread(bytes + *size, 1, capacity - *size, file);
    if (std::ferror(file)) break;
    if (*size < capacity) return bytes;  // the end was reached
    char* grown = capacity > SIZE_MAX / 2 ? nullptr : static_cast<char*>(std::realloc(bytes, capacity * 2));
    if (grown == nullptr) break;
    bytes = grown;
    capacity *= 2;
  }
  std::free(bytes);
  return nullptr;
}

int FileBytes::Load(std::FILE* file) {
  Release();
  mapping_ = MapWhole(file, &mapping_size_);
  if (mapping_ != nullptr) {
    data_ = static_cast<const char*>(mapping_);
    size_ = mapping_size_;
    return 1;
  }
  // An empty file, or a system that maps nothing: read it whole.
  whole_ = ReadWhole(file, &size_);
  if (whole_ == nullptr) {
    errno = std::ferror(file) ? EIO : EFBIG;
    size_ = 0;
    return 0;
  }
  data_ = whole_;
  return 1;
}

void FileBytes::Release() {
#ifdef TAMREL_MAP_FILES
  if (mapping_ != nullptr) munmap(mapping_, mapping_size_);
#endif
  mapping_ = nullptr;
  mapping_size_ = 0;
  std::free(whole_);
  whole_ = nullptr;
  data_ = nullptr;
  size_ = 0;
}
