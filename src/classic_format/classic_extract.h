// Extract by the line rules: "\cite{" citations, entries found by "{KEY,"
// and copied up to the next entry marker, references typeset from the
// reduced file's lines.
#ifndef TAMREL_CLASSIC_FORMAT_CLASSIC_EXTRACT_H
#define TAMREL_CLASSIC_FORMAT_CLASSIC_EXTRACT_H

#include "classic_format/citations.h"
#include "library/extract_reader.h"
#include "scan/author.h"
#include "scan/line_reader.h"

class ClassicExtract : public ExtractReader {
 public:
  explicit ClassicExtract(const ExtractOptions& options);
  ~ClassicExtract() override;

  int ReadDocument(const char* path) override;
  const std::vector<std::string>& CitedKeys() const override { return cited_.keys; }
  std::vector<std::string> LibrariesNamedByDocument(const char*) const override { return {}; }
  int ReadLibraries(const std::vector<std::string>& paths, Platform* messages,
                    std::size_t* unread) override;
  void CopyCitedEntries(std::FILE* reduced, std::FILE* items, std::vector<bool>* found) override;
  int WriteBibitems(const char* reduced_path, std::FILE* bibitems) override;
  // Says when the chosen style has no classic format: its references are
  // then the "\bibitem" lines alone, which would otherwise pass unnoticed.
  void Report(RunReport* report) const override;

 private:
  ClassicStyle style_;
  const char* unformatted_style_ = nullptr;  // its label, when it has no format
  int page_range_;
  int indexed_;
  ::CitedKeys cited_;
  LineReader library_;
  std::FILE* library_file_ = nullptr;
  int copied_ = 0;
};

#endif
