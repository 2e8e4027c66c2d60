#include "support/test_support.h"

#include <sys/stat.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>

#include "app/state.h"

ScratchDir::ScratchDir() {
  char pattern[] = "/tmp/tamrel-test-XXXXXX";
  char* made = mkdtemp(pattern);
  path_ = made != nullptr ? made : "/tmp";
}

ScratchDir::~ScratchDir() {
  std::error_code ignored;
  std::filesystem::permissions(path_, std::filesystem::perms::owner_all,
                               std::filesystem::perm_options::add, ignored);
  std::filesystem::remove_all(path_, ignored);
}

void WriteFile(const std::string& path, const std::string& bytes) {
  std::ofstream out(path, std::ios::binary | std::ios::trunc);
  out << bytes;
}

std::string ReadFile(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  std::ostringstream content;
  content << in.rdbuf();
  return content.str();
}

std::string WithCrLf(const std::string& text) {
  std::string out;
  for (char c : text) {
    if (c == '\n') out += '\r';
    out += c;
  }
  return out;
}

TextReader::TextReader(const std::string& bytes) {
  WriteFile(dir_.File("text.bib"), bytes);
  file_ = OpenInputReader(&reader_, dir_.File("text.bib").c_str(), "r");
}

TextReader::~TextReader() {
  if (file_ != nullptr) std::fclose(file_);
}

bool FileExists(const std::string& path) {
  struct stat status;
  return stat(path.c_str(), &status) == 0;
}

bool MakeWritesFail(const std::string& path) {
  return FileExists("/dev/full") && symlink("/dev/full", path.c_str()) == 0;
}

OperationFixtureState::OperationFixtureState(int classic) {
  ResetApplicationState();
  FLAG_CLASSIC = classic;
  SetPlatform(&platform);
}

OperationFixtureState::~OperationFixtureState() {
  SetPlatform(nullptr);
  ResetApplicationState();
}

ClassicStyle ClassicStyleFromState() {
  JournalStyle style;
  if (!SelectedStyle(&style)) return CLASSIC_NO_STYLE;
  switch (style) {
    case STYLE_APS: return CLASSIC_APS;
    case STYLE_ACS: return CLASSIC_ACS;
    case STYLE_IOP: return CLASSIC_IOP;
    default: return CLASSIC_NO_STYLE;  // the line rules have no format for it
  }
}
