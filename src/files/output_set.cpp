#include "files/output_set.h"

#include <sys/stat.h>

#include <cerrno>
#include <cstring>

#include "files/input_file.h"

OutputSet::OutputSet(const OutputSpec* specs, int count, const char* input_path,
                     const char* folder, Platform* messages)
    : specs_(specs), count_(count), messages_(messages) {
  for (int i = 0; i < count_; i++) {
    DeriveOutputPath(input_path, specs_[i].suffix, paths_[i], folder);
    files_[i] = nullptr;
  }
}

OutputSet::~OutputSet() {
  for (int i = 0; i < count_; i++) {
    if (files_[i] != nullptr) std::fclose(files_[i]);
  }
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

int OutputSet::SparesInputs(const char* const* inputs, int input_count) const {
  for (int o = 0; o < count_; o++) {
    for (int i = 0; i < input_count; i++) {
      if (!SameFile(paths_[o], inputs[i])) continue;
      char text[3 * OUTPUT_PATH_SIZE];
      std::snprintf(text, sizeof text,
                    "The output file\n    '%s'\nwould overwrite the input file\n    '%s'.\n"
                    "Nothing was written. Rename or move the input file.",
                    paths_[o], inputs[i]);
      ShowMessageOn(messages_, text, "File?");
      return 0;
    }
  }
  return 1;
}

void OutputSet::ShowFailure(int i, const char* given_text, const char* verb) const {
  const char* reason = FileErrorText(errno);
  if (given_text != nullptr) {
    ShowFileMessageOn(messages_, given_text, specs_[i].caption, paths_[i], reason);
    return;
  }
  char text[OUTPUT_PATH_SIZE + 32];
  std::snprintf(text, sizeof text, "Could not %s %s !", verb, paths_[i]);
  ShowFileMessageOn(messages_, text, specs_[i].caption, paths_[i], reason);
}

int OutputSet::Create(int i, OutputMode mode) {
  errno = 0;
  if (mode == OUTPUT_READ_BACK) {
    files_[i] = OpenInputFile(paths_[i], "w+");
  } else {
    files_[i] = std::fopen(paths_[i], mode == OUTPUT_BYTES ? "wb" : "w");
  }
  if (files_[i] != nullptr) return 1;
  ShowFailure(i, specs_[i].open_failure, "open");
  return 0;
}

// Closes one file; 1 when everything written to it reached the file (a
// full disk shows here, not at each write).
static int CloseWritten(std::FILE** file) {
  if (*file == nullptr) return 1;
  errno = 0;
  int failed = std::ferror(*file);
  failed |= std::fclose(*file);
  *file = nullptr;
  if (failed && errno == 0) errno = EIO;
  return failed == 0;
}

int OutputSet::Close(int i) {
  if (CloseWritten(&files_[i])) return 1;
  ShowFailure(i, specs_[i].write_failure, "write");
  return 0;
}

int OutputSet::CloseAll(const int* order, int count) {
  int first_failed = -1;
  int failed_errno = 0;
  for (int k = 0; k < count; k++) {
    int i = order[k];
    if (!CloseWritten(&files_[i]) && first_failed < 0) {
      first_failed = i;
      failed_errno = errno;
    }
  }
  if (first_failed < 0) return 1;
  errno = failed_errno;
  ShowFailure(first_failed, specs_[first_failed].write_failure, "write");
  return 0;
}

void OutputSet::ListPaths(RunReport* report) const {
  if (report == nullptr) return;
  for (int i = 0; i < count_; i++) report->outputs.push_back(paths_[i]);
}
