#include "files/output_path.h"

#include <cstdio>
#include <cstring>

#include "text/path_parts.h"

void DeriveOutputPath(const char* input_path, const char* suffix, char* output,
                      const char* folder) {
  std::size_t name_start = FileNameStart(input_path);
  const char* name = input_path + name_start;
  const char* dot = std::strrchr(name, '.');
  // A name that is all extension (".bib") keeps its text, so the output
  // is not named after nothing.
  std::size_t name_length = dot != nullptr && dot != name ? static_cast<std::size_t>(dot - name)
                                                         : std::strlen(name);
  if (folder == nullptr || folder[0] == '\0') {
    std::snprintf(output, OUTPUT_PATH_SIZE, "%.*s%.*s%s", static_cast<int>(name_start),
                  input_path, static_cast<int>(name_length), name, suffix);
    return;
  }
  std::size_t folder_length = std::strlen(folder);
  // A folder written the Windows way is joined the Windows way.
  const char* separator = IsPathSeparator(folder[folder_length - 1]) ? ""
                          : std::strchr(folder, '/') == nullptr && std::strchr(folder, '\\') != nullptr
                              ? "\\"
                              : "/";
  std::snprintf(output, OUTPUT_PATH_SIZE, "%s%s%.*s%s", folder, separator,
                static_cast<int>(name_length), name, suffix);
}
