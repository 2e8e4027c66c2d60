#include "classic_format/classic_extract.h"

#include "classic_format/bibitem_writer.h"
#include "classic_format/reduced_library.h"

ClassicExtract::ClassicExtract(const ExtractOptions& options)
    : style_(options.reference.style != nullptr
                 ? static_cast<ClassicStyle>(options.reference.style->classic_column)
                 : CLASSIC_NO_STYLE),
      page_range_(options.reference.page_range),
      indexed_(options.indexed) {
  const JournalStyleInfo* style = options.reference.style;
  if (style != nullptr && style->classic_column < 0) unformatted_style_ = style->label;
}

void ClassicExtract::Report(RunReport* report) const {
  if (unformatted_style_ == nullptr) return;
  ReportLine(report, std::string("The classic line rules have no format for ") +
                         unformatted_style_ + ": the bibitem file holds the \\bibitem lines alone.");
}

ClassicExtract::~ClassicExtract() {
  if (library_file_ != nullptr) std::fclose(library_file_);
}

// Inputs are opened for update although nothing is written to them: a
// file the user cannot write is refused, as the line rules always have.
int ClassicExtract::ReadDocument(const char* path) {
  LineReader document;
  std::FILE* file = OpenInputReader(&document, path, "r+");
  if (file == nullptr) return 0;
  CollectCitedKeys(&document, &cited_);
  std::fclose(file);
  return 1;
}

int ClassicExtract::ReadLibraries(const std::vector<std::string>& paths, Platform*,
                                  std::size_t* unread) {
  *unread = 0;
  library_file_ = OpenInputReader(&library_, paths.front().c_str(), "r+");
  return library_file_ != nullptr;
}

void ClassicExtract::CopyCitedEntries(std::FILE* reduced, std::FILE* items,
                                      std::vector<bool>* found) {
  copied_ = ::CopyCitedEntries(&library_, reduced, items, cited_.keys, found, indexed_);
  CloseLineReader(&library_);
}

// The references are typeset from the reduced file, read from its start.
int ClassicExtract::WriteBibitems(const char* reduced_path, std::FILE* bibitems) {
  LineReader reduced;
  std::FILE* file = OpenInputReader(&reduced, reduced_path, "r+");
  if (file == nullptr) return 0;
  ::WriteBibitems(&reduced, bibitems, copied_, style_, page_range_);
  std::fclose(file);
  return 1;
}
