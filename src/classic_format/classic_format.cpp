#include "classic_format/classic_format.h"

#include <cerrno>

#include "classic_format/classic_cleaned_file.h"
#include "classic_format/classic_extract.h"
#include "scan/classic_entries.h"

namespace {

class ClassicLibrary : public OpenedLibrary {
 public:
  explicit ClassicLibrary(LibraryPurpose purpose)
      : entries_(&reader_, purpose == LIBRARY_FOR_COMPARE ? MARKERS_WITH_MISC : MARKERS_SIX,
                 purpose == LIBRARY_FOR_COMPARE ? WORDS_WITH_NOTE : WORDS_WITHOUT_NOTE) {}
  ~ClassicLibrary() override {
    if (file_ != nullptr) std::fclose(file_);
  }
  int Open(const char* path, const char* mode) {
    file_ = OpenInputReader(&reader_, path, mode);
    return file_ != nullptr;
  }
  LibraryEntries* Entries() override { return &entries_; }
  ClassicEntries* Classic() { return &entries_; }
  const std::vector<std::string>& Problems() const override { return problems_; }

 private:
  LineReader reader_;
  std::FILE* file_ = nullptr;
  ClassicEntries entries_;
  std::vector<std::string> problems_;  // the line rules report none
};

// Compare opens its inputs for update, as it always has: a file that may
// not be written is refused like a missing one.
std::unique_ptr<OpenedLibrary> OpenClassic(const LibraryInput& input, LibraryPurpose purpose,
                                           Platform* messages) {
  auto library = std::make_unique<ClassicLibrary>(purpose);
  errno = 0;
  if (library->Open(input.path, purpose == LIBRARY_FOR_COMPARE ? "r+" : "r")) return library;
  ShowFileMessageOn(messages, input.open_failure, input.caption, input.path, FileErrorText(errno));
  return nullptr;
}

// The cleaned file is read back as it grows, so it is opened for update.
std::unique_ptr<CleanedFile> StartClassicCleanedFile(OpenedLibrary* input, OutputSet* outputs,
                                                     int cleaned) {
  if (!outputs->Create(cleaned, OUTPUT_READ_BACK)) return nullptr;
  ClassicEntries* entries = static_cast<ClassicLibrary*>(input)->Classic();
  return std::make_unique<ClassicCleanedFile>(outputs->File(cleaned), entries);
}

std::unique_ptr<ExtractReader> NewClassicExtract(const ExtractOptions& options) {
  return std::make_unique<ClassicExtract>(options);
}

}  // namespace

const LibraryFormat* ClassicLibraryFormat() {
  static const LibraryFormat format{RULES_CLASSIC, OUTPUT_TEXT, OpenClassic,
                                    StartClassicCleanedFile, NewClassicExtract};
  return &format;
}
