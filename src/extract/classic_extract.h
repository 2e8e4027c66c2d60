// Extract by the line rules: "\cite{" citations, entries found by "{KEY,"
// and copied up to the next entry marker, references typeset from the
// reduced file's lines.
#ifndef TAMREL_EXTRACT_CLASSIC_EXTRACT_H
#define TAMREL_EXTRACT_CLASSIC_EXTRACT_H

#include "extract/citations.h"
#include "extract/extract_reader.h"
#include "files/input_file.h"

class ClassicExtract : public ExtractReader {
 public:
  int ReadDocument(const char* path) override;
  const std::vector<std::string>& CitedKeys() const override { return cited_.keys; }
  int ReadLibrary(const char* path) override;
  int CopyCitedEntries(std::FILE* reduced, std::FILE* items, std::vector<bool>* found) override;
  int ReadReducedFile(const char* path) override;
  void WriteBibitems(std::FILE* bibitems) override;
  void Report(RunReport*) const override {}

 private:
  ::CitedKeys cited_;
  InputFile library_;
  InputFile reduced_;
  int copied_ = 0;
};

#endif
