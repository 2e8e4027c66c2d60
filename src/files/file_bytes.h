// The bytes of an input that is only read, never appended to: the BibTeX
// reader's libraries.  Where the system allows, the file is mapped from
// its cache, which costs neither a copy nor fresh memory (a large library
// read into memory first costs more than reading its entries); otherwise
// it is read whole.
#ifndef TAMREL_FILES_FILE_BYTES_H
#define TAMREL_FILES_FILE_BYTES_H

#include <cstddef>
#include <cstdio>

class FileBytes {
 public:
  FileBytes() = default;
  FileBytes(const FileBytes&) = delete;
  FileBytes& operator=(const FileBytes&) = delete;
  ~FileBytes() { Release(); }

  // Takes the bytes of file, a regular file open for reading.  Returns 1,
  // or 0 with errno set when it cannot be read or does not fit in memory.
  int Load(std::FILE* file);
  void Release();

  const char* data() const { return data_; }
  std::size_t size() const { return size_; }

 private:
  void* mapping_ = nullptr;
  std::size_t mapping_size_ = 0;
  char* whole_ = nullptr;  // the bytes, where the file is not mapped (malloc)
  const char* data_ = nullptr;
  std::size_t size_ = 0;
};

#endif
