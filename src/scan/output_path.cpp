#include "scan/output_path.h"

#include <sys/stat.h>

#include <cstdio>
#include <cstring>

#include "app/platform.h"

void DeriveOutputPath(const char* input_path, const char* suffix, char* output) {
  const char* dot = std::strchr(input_path, '.');
  int base_length = static_cast<int>(dot != nullptr ? dot - input_path : std::strlen(input_path));
  std::snprintf(output, LINE_SIZE, "%.*s%s", base_length, input_path, suffix);
}

// Two paths name one file when they are equal or when both exist and have
// the same device and file number (a link, or another spelling).
static int SameFile(const char* a, const char* b) {
#ifdef _WIN32
  if (_stricmp(a, b) == 0) return 1;  // file names ignore case there
#else
  if (std::strcmp(a, b) == 0) return 1;
#endif
  struct stat sa;
  struct stat sb;
  if (stat(a, &sa) != 0 || stat(b, &sb) != 0) return 0;
#ifdef _WIN32
  // The Windows runtime gives no file numbers; equal names were caught above.
  return 0;
#else
  return sa.st_dev == sb.st_dev && sa.st_ino == sb.st_ino;
#endif
}

int OutputsSpareInputs(const char* const* outputs, int output_count, const char* const* inputs,
                       int input_count) {
  for (int o = 0; o < output_count; o++) {
    for (int i = 0; i < input_count; i++) {
      if (!SameFile(outputs[o], inputs[i])) continue;
      char text[3 * LINE_SIZE];
      std::snprintf(text, sizeof text,
                    "The output file\n    '%s'\nwould overwrite the input file\n    '%s'.\n"
                    "Nothing was written. Rename or move the input file.",
                    outputs[o], inputs[i]);
      ShowMessage(text, "File?");
      return 0;
    }
  }
  return 1;
}

void ShowOutputMessage(const char* verb, const char* path) {
  char text[LINE_SIZE + 32];
  std::snprintf(text, sizeof text, "Could not %s %s !", verb, path);
  ShowMessage(text, "File?");
}

int CloseOutputFile(std::FILE** file) {
  if (*file == nullptr) return 1;
  int failed = std::ferror(*file);
  failed |= std::fclose(*file);
  *file = nullptr;
  return failed == 0;
}
