// Shared helpers of the unit tests: a platform that records every message,
// a scratch folder per test, and whole-file read and write.
#ifndef TAMREL_TESTS_SUPPORT_H
#define TAMREL_TESTS_SUPPORT_H

#include <cstdio>
#include <string>
#include <vector>

#include "app/platform.h"
#include "scan/author.h"
#include "scan/line_reader.h"

// Records each message as "CAPTION: TEXT".
class RecordingPlatform : public Platform {
 public:
  void ShowMessage(const char* text, const char* caption) override {
    messages.push_back(std::string(caption) + ": " + text);
  }
  std::vector<std::string> messages;
};

// A fresh empty folder under the system's temporary folder, removed with
// everything in it when the object goes.
class ScratchDir {
 public:
  ScratchDir();
  ~ScratchDir();
  ScratchDir(const ScratchDir&) = delete;
  ScratchDir& operator=(const ScratchDir&) = delete;

  const std::string& path() const { return path_; }
  // The path of a file name inside the folder.
  std::string File(const std::string& name) const { return path_ + "/" + name; }

 private:
  std::string path_;
};

void WriteFile(const std::string& path, const std::string& bytes);
// The text with every line feed written as CR LF.
std::string WithCrLf(const std::string& text);
std::string ReadFile(const std::string& path);  // "" when absent
bool FileExists(const std::string& path);
// Makes path a link to /dev/full, so that every write to it fails when it
// reaches the disk.  Returns false where there is no /dev/full.
bool MakeWritesFail(const std::string& path);

// A LineReader over the given bytes, read from a file as the operations
// read theirs.
class TextReader {
 public:
  explicit TextReader(const std::string& bytes);
  ~TextReader();
  TextReader(const TextReader&) = delete;
  TextReader& operator=(const TextReader&) = delete;
  LineReader* get() { return &reader_; }

 private:
  ScratchDir dir_;
  std::FILE* file_;
  LineReader reader_;
};

// The classic style that the style flags choose, as the menu would hand
// it to the line rules (none when no flag is set, or for Nature and RSC).
ClassicStyle ClassicStyleFromState();

// Installs a RecordingPlatform and resets the application state for the
// length of one test, with the classic line rules (classic = 1) or the
// BibTeX reader (0).
class OperationFixtureState {
 public:
  explicit OperationFixtureState(int classic = 1);
  ~OperationFixtureState();
  RecordingPlatform platform;
};

#endif
