#include "files/file_bytes.h"

#include <cerrno>

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

int FileBytes::Load(std::FILE* file) {
  Release();
  mapping_ = MapWhole(file, &mapping_size_);
  if (mapping_ != nullptr) {
    data_ = static_cast<const char*>(mapping_);
    size_ = mapping_size_;
    return 1;
  }
  // An empty file, or a system that maps nothing: read it whole.
  if (!OpenLineReader(&whole_, file)) {
    errno = std::ferror(file) ? EIO : EFBIG;
    return 0;
  }
  data_ = whole_.data;
  size_ = whole_.size;
  return 1;
}

void FileBytes::Release() {
#ifdef TAMREL_MAP_FILES
  if (mapping_ != nullptr) munmap(mapping_, mapping_size_);
#endif
  mapping_ = nullptr;
  mapping_size_ = 0;
  CloseLineReader(&whole_);
  data_ = nullptr;
  size_ = 0;
}
