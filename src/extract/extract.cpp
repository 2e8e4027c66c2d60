#include "extract/extract.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

#include "app/platform.h"
#include "app/state.h"
#include "extract/classic_extract.h"
#include "extract/parsed_extract.h"
#include "scan/line_reader.h"

const OutputSpec EXTRACT_OUTPUTS[3] = {
    {"_extract_items.txt", "Itemfile?", "Could not open the item file!",
     "Could not write the item file!"},
    {"_extract_modified" ".bib", "New BibTeX file?", "Could not create a new BibTeX file!",
     "Could not write the new BibTeX file!"},
    {"_extract_bibitems.tex", "Bibitem file?", "Could not open the bibitem file!",
     "Could not write the bibitem file!"},
};

namespace {

enum { ITEMS, REDUCED, BIBITEMS };

// What users miss most in peer tools: which cited keys the library lacks.
void ReportCitations(const std::vector<std::string>& keys, const std::vector<bool>& found,
                     RunReport* report) {
  std::size_t held = 0;
  for (bool one : found) held += one ? 1 : 0;
  ReportLine(report, "The document cites " + std::to_string(keys.size()) +
                         " distinct keys; the library holds " + std::to_string(held) + " of them.");
  for (std::size_t i = 0; i < keys.size(); i++) {
    if (!found[i]) ReportLine(report, "Not in the library: '" + keys[i] + "'");
  }
}

int StopOnInput(const char* text, const char* caption, const char* path, int result) {
  ShowFileMessage(text, caption, path, FileErrorText(errno));
  return result;
}

// The steps of a run, the same with either reader: the document is read,
// the outputs are named after the library and created in their order, the
// cited entries are copied, the references typeset, and every output is
// closed with its writes checked.
int RunExtract(ExtractReader* reader, RunReport* report) {
  errno = 0;
  if (!reader->ReadDocument(file_address_01)) {
    return StopOnInput("Could not open the LaTeX file!", "LaTeX file?", file_address_01,
                       RESULT_NEED_FIRST);
  }
  OutputSet outputs(EXTRACT_OUTPUTS, 3, file_address_02, output_folder);
  const char* const inputs[] = {file_address_01, file_address_02};
  if (!outputs.SparesInputs(inputs, 2)) return RESULT_STOPPED;
  if (!outputs.Create(ITEMS)) return RESULT_STOPPED;

  std::vector<bool> found(reader->CitedKeys().size(), false);
  if (report != nullptr) {
    report->cited_keys = reader->CitedKeys();
    report->found = found;
  }
  errno = 0;
  int library_read = reader->ReadLibrary(file_address_02);
  if (library_read < 0) return RESULT_NEED_BIBTEX;
  if (library_read == 0) {
    return StopOnInput("Could not open the BibTeX file!", "BibTeX file?", file_address_02,
                       RESULT_NEED_BIBTEX);
  }
  if (!outputs.Create(REDUCED)) return RESULT_STOPPED;
  reader->CopyCitedEntries(outputs.File(REDUCED), outputs.File(ITEMS), &found);
  if (report != nullptr) {
    report->cited_keys = reader->CitedKeys();
    report->found = found;
  }
  ReportCitations(reader->CitedKeys(), found, report);
  reader->Report(report);

  if (!outputs.Close(REDUCED)) return RESULT_STOPPED;
  errno = 0;
  if (!reader->ReadReducedFile(outputs.Path(REDUCED))) {
    ShowFileMessage("Could not create a new BibTeX file!", "New BibTeX file?",
                    outputs.Path(REDUCED), FileErrorText(errno));
    return RESULT_STOPPED;
  }
  if (!outputs.Create(BIBITEMS)) return RESULT_STOPPED;
  reader->WriteBibitems(outputs.File(BIBITEMS));

  // A run that could not write its outputs in full says so instead of
  // reporting success over truncated files.
  if (!outputs.Close(ITEMS)) return RESULT_STOPPED;
  if (!outputs.Close(BIBITEMS)) return RESULT_STOPPED;
  return RESULT_DONE;
}

// With no library named, a compiled .aux file names its own (\bibdata).
void TakeLibraryFromDocument(const ParsedExtract& reader) {
  std::string library = reader.LibraryNamedByDocument(file_address_01);
  if (!library.empty()) SetFileSlot(file_address_02, library.c_str());
}

int IsAuxFile(const char* path) {
  std::size_t length = std::strlen(path);
  return length > 4 && std::strcmp(path + length - 4, ".aux") == 0;
}

}  // namespace

int Extract(RunReport* report) {
  if (report != nullptr) *report = RunReport();
  if (file_address_01[0] == '\0') return RESULT_NEED_FIRST;
  if (FLAG_CLASSIC) {
    if (file_address_02[0] == '\0') return RESULT_NEED_BIBTEX;
    ClassicExtract reader;
    return RunExtract(&reader, report);
  }
  ReferenceOptions options;
  SelectedStyle(&options.style);
  options.page_range = FLAG_PAGEALL;
  ParsedExtract reader(options);
  if (file_address_02[0] == '\0') {
    if (!IsAuxFile(file_address_01)) return RESULT_NEED_BIBTEX;
    ParsedExtract probe(options);
    if (probe.ReadDocument(file_address_01)) TakeLibraryFromDocument(probe);
    if (file_address_02[0] == '\0') return RESULT_NEED_BIBTEX;
  }
  return RunExtract(&reader, report);
}
