#include "harness_files.h"

#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>

const std::string& FuzzFolder() {
  static std::string folder = [] {
    char pattern[] = "/tmp/tamrel-fuzz-XXXXXX";
    const char* made = mkdtemp(pattern);
    return std::string(made != nullptr ? made : "/tmp");
  }();
  return folder;
}

static void WriteBytes(const std::string& path, const std::uint8_t* data, std::size_t size) {
  std::FILE* file = std::fopen(path.c_str(), "wb");
  if (file == nullptr) std::abort();
  if (size > 0) std::fwrite(data, 1, size, file);
  std::fclose(file);
}

void WriteFuzzFiles(const std::uint8_t* data, std::size_t size, const char* first_name,
                    const char* second_name, std::string* first_path, std::string* second_path) {
  std::size_t split = 0;
  while (split < size && data[split] != 0xFF) split++;
  *first_path = FuzzFolder() + "/" + first_name;
  *second_path = FuzzFolder() + "/" + second_name;
  WriteBytes(*first_path, data, split);
  std::size_t rest = split < size ? split + 1 : size;
  WriteBytes(*second_path, data + rest, size - rest);
}

std::string WriteFuzzFile(const std::uint8_t* data, std::size_t size, const char* name) {
  std::string path = FuzzFolder() + "/" + name;
  WriteBytes(path, data, size);
  return path;
}

void ClearFuzzFolder() {
  std::error_code ignored;
  for (const auto& entry : std::filesystem::directory_iterator(FuzzFolder(), ignored)) {
    std::filesystem::remove(entry.path(), ignored);
  }
}
