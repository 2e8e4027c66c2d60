#include "extract/extract.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <memory>
#include <string>
#include <vector>

#include "app/platform.h"
#include "app/state.h"
#include "files/input_file.h"

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

int StopOnInput(Platform* messages, const char* text, const char* caption, const char* path,
                int result) {
  ShowFileMessageOn(messages, text, caption, path, FileErrorText(errno));
  return result;
}

// The steps of a run, the same with every format: the document is read,
// the outputs are named after the library and created in their order, the
// cited entries are copied, the references typeset, and every output is
// closed with its writes checked.
int RunSteps(ExtractReader* reader, const char* document, const char* library,
             const RunSetup& setup, std::vector<bool>* found, RunReport* report) {
  Platform* messages = setup.messages;
  OutputSet outputs(EXTRACT_OUTPUTS, 3, library, setup.output_folder, messages);
  const char* const inputs[] = {document, library};
  if (!outputs.SparesInputs(inputs, 2)) return RESULT_STOPPED;
  reader->ExpectOwnBibitems(outputs.Path(BIBITEMS));
  if (!outputs.Create(ITEMS)) return RESULT_STOPPED;

  errno = 0;
  int library_read = reader->ReadLibrary(library, messages);
  if (library_read < 0) return RESULT_NEED_BIBTEX;
  if (library_read == 0) {
    return StopOnInput(messages, "Could not open the BibTeX file!", "BibTeX file?", library,
                       RESULT_NEED_BIBTEX);
  }
  if (!outputs.Create(REDUCED)) return RESULT_STOPPED;
  reader->CopyCitedEntries(outputs.File(REDUCED), outputs.File(ITEMS), found);
  ReportCitations(reader->CitedKeys(), *found, report);
  reader->Report(report);

  if (!outputs.Close(REDUCED)) return RESULT_STOPPED;
  if (!outputs.Create(BIBITEMS)) return RESULT_STOPPED;
  errno = 0;
  if (!reader->WriteBibitems(outputs.Path(REDUCED), outputs.File(BIBITEMS))) {
    ShowFileMessageOn(messages, "Could not create a new BibTeX file!", "New BibTeX file?",
                      outputs.Path(REDUCED), FileErrorText(errno));
    return RESULT_STOPPED;
  }

  // A run that could not write its outputs in full says so instead of
  // reporting success over truncated files.
  if (!outputs.Close(ITEMS)) return RESULT_STOPPED;
  if (!outputs.Close(BIBITEMS)) return RESULT_STOPPED;
  outputs.ListPaths(report);
  return RESULT_DONE;
}

// The steps, and the report's citations filled once whatever step ended
// the run: a run stopped before the library was read holds none of them.
int RunExtract(ExtractReader* reader, const char* document, const char* library,
               const RunSetup& setup, RunReport* report) {
  std::vector<bool> found(reader->CitedKeys().size(), false);
  int result = RunSteps(reader, document, library, setup, &found, report);
  if (report != nullptr) {
    report->cited_keys = reader->CitedKeys();
    report->found = found;
    report->library = library;
  }
  return result;
}

int IsAuxFile(const char* path) {
  std::size_t length = std::strlen(path);
  return length > 4 && std::strcmp(path + length - 4, ".aux") == 0;
}

}  // namespace

int Extract(const ExtractRequest& request, RunReport* report) {
  if (report != nullptr) *report = RunReport();
  if (request.document[0] == '\0') return RESULT_NEED_FIRST;
  ExtractOptions options;
  options.reference = request.reference;
  options.indexed = request.setup.indexed;
  std::unique_ptr<ExtractReader> reader = request.setup.format->NewExtractReader(options);
  std::string library = request.library;
  // With no library named, a compiled .aux file names its own (\bibdata).
  if (library.empty()) {
    if (!IsAuxFile(request.document)) return RESULT_NEED_BIBTEX;
    std::unique_ptr<ExtractReader> probe = request.setup.format->NewExtractReader(options);
    if (probe->ReadDocument(request.document)) {
      library = probe->LibraryNamedByDocument(request.document);
    }
    if (library.empty()) return RESULT_NEED_BIBTEX;
  }
  errno = 0;
  if (!reader->ReadDocument(request.document)) {
    return StopOnInput(request.setup.messages, "Could not open the LaTeX file!", "LaTeX file?",
                       request.document, RESULT_NEED_FIRST);
  }
  return RunExtract(reader.get(), request.document, library.c_str(), request.setup, report);
}
