#include "extract/classic_extract.h"

#include "extract/bibitem_writer.h"
#include "extract/reduced_library.h"

// Inputs are opened for update although nothing is written to them: a
// file the user cannot write is refused, as the line rules always have.
int ClassicExtract::ReadDocument(const char* path) {
  InputFile document;
  document.file = OpenInputReader(&document.reader, path, "r+");
  if (document.file == nullptr) return 0;
  CollectCitedKeys(&document.reader, &cited_);
  return 1;
}

int ClassicExtract::ReadLibrary(const char* path) {
  library_.file = OpenInputReader(&library_.reader, path, "r+");
  return library_.file != nullptr;
}

int ClassicExtract::CopyCitedEntries(std::FILE* reduced, std::FILE* items,
                                     std::vector<bool>* found) {
  copied_ = ::CopyCitedEntries(&library_.reader, reduced, items, cited_.keys, found);
  CloseLineReader(&library_.reader);
  return copied_;
}

// The bibitem writer reads the reduced file from its start.
int ClassicExtract::ReadReducedFile(const char* path) {
  reduced_.file = OpenInputReader(&reduced_.reader, path, "r+");
  return reduced_.file != nullptr;
}

void ClassicExtract::WriteBibitems(std::FILE* bibitems) {
  ::WriteBibitems(&reduced_.reader, bibitems, copied_);
}
