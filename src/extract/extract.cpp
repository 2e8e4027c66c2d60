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
#include "text/path_parts.h"

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

// The steps of a run, the same with every format: the outputs are named
// after one library and created in their order, the libraries read,
// the cited entries copied, the references typeset, and every output
// closed with its writes checked.
int RunSteps(ExtractReader* reader, const char* document, const std::vector<std::string>& libraries,
             const char* name_after, const RunSetup& setup, std::vector<bool>* found,
             RunReport* report) {
  Platform* messages = setup.messages;
  OutputSet outputs(EXTRACT_OUTPUTS, 3, name_after, setup.output_folder, messages);
  std::vector<const char*> inputs = {document};
  for (const std::string& library : libraries) inputs.push_back(library.c_str());
  if (!outputs.SparesInputs(inputs.data(), static_cast<int>(inputs.size()))) return RESULT_STOPPED;
  reader->ExpectOwnBibitems(outputs.Path(BIBITEMS));
  if (!outputs.Create(ITEMS)) return RESULT_STOPPED;

  errno = 0;
  std::size_t unread = 0;
  int libraries_read = reader->ReadLibraries(libraries, messages, &unread);
  if (libraries_read < 0) return RESULT_NEED_BIBTEX;
  if (libraries_read == 0) {
    return StopOnInput(messages, "Could not open the BibTeX file!", "BibTeX file?",
                       libraries[unread].c_str(), RESULT_NEED_BIBTEX);
  }
  if (!outputs.Create(REDUCED, setup.format->copy_mode)) return RESULT_STOPPED;
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
int RunExtract(ExtractReader* reader, const char* document,
               const std::vector<std::string>& libraries, const char* name_after,
               const RunSetup& setup, RunReport* report) {
  std::vector<bool> found(reader->CitedKeys().size(), false);
  int result = RunSteps(reader, document, libraries, name_after, setup, &found, report);
  if (report != nullptr) {
    report->cited_keys = reader->CitedKeys();
    report->found = found;
    report->library = libraries.front();
  }
  return result;
}

std::string JoinedNames(const std::vector<std::string>& paths) {
  std::string names;
  for (const std::string& path : paths) {
    names += (names.empty() ? "" : ", ") + std::string(FileNamePart(path));
  }
  return names;
}

// The libraries of the run: those given, or those the document names.  A
// library given alone that the document names among others brings them,
// from its folder, when the request asks; otherwise the report says which
// the document names that were not given.
std::vector<std::string> LibrariesOfRun(const ExtractRequest& request, const ExtractReader& reader,
                                        RunReport* report) {
  std::vector<std::string> named = reader.LibrariesNamedByDocument(request.document);
  if (request.libraries.empty()) return named;
  std::vector<std::string> given = request.libraries;
  std::vector<std::string> not_given;
  for (const std::string& path : named) {
    bool is_given = false;
    for (const std::string& one : given) is_given |= FileNamePart(one) == FileNamePart(path);
    if (!is_given) not_given.push_back(path);
  }
  if (not_given.empty()) return given;
  bool chosen_is_named = not_given.size() < named.size();
  if (request.with_named_companions && given.size() == 1 && chosen_is_named) {
    std::string folder(given.front().substr(0, FileNameStart(given.front())));
    std::vector<std::string> all;
    for (const std::string& path : named) {
      all.push_back(FileNamePart(path) == FileNamePart(given.front()) ? given.front()
                                                                 : folder + std::string(FileNamePart(path)));
    }
    ReportLine(report, "The document names " + std::to_string(all.size()) +
                           " libraries; all were read, in its order, from the library's folder: " +
                           JoinedNames(all) + ".");
    return all;
  }
  ReportLine(report, "The document also names " + JoinedNames(not_given) +
                         ", not read: give every library to read them as bibtex does.");
  return given;
}

}  // namespace

int Extract(const ExtractRequest& request, RunReport* report) {
  if (report != nullptr) *report = RunReport();
  if (request.document[0] == '\0') return RESULT_NEED_FIRST;
  ExtractOptions options;
  options.reference = request.reference;
  options.indexed = request.setup.indexed;
  std::unique_ptr<ExtractReader> reader = request.setup.format->NewExtractReader(options);
  bool none_given = request.libraries.empty();
  if (none_given && !request.libraries_from_document) return RESULT_NEED_BIBTEX;
  errno = 0;
  if (!reader->ReadDocument(request.document)) {
    // With no library given there is nothing to name the outputs after.
    if (none_given) return RESULT_NEED_BIBTEX;
    return StopOnInput(request.setup.messages, "Could not open the LaTeX file!", "LaTeX file?",
                       request.document, RESULT_NEED_FIRST);
  }
  RunReport notes;
  std::vector<std::string> libraries = LibrariesOfRun(request, *reader, &notes);
  if (libraries.empty()) return RESULT_NEED_BIBTEX;
  // The outputs are named after the library given first, or else the
  // document's first.
  const std::string& name_after = none_given ? libraries.front() : request.libraries.front();
  int result = RunExtract(reader.get(), request.document, libraries, name_after.c_str(),
                          request.setup, report);
  if (report != nullptr) {
    report->lines.insert(report->lines.begin(), notes.lines.begin(), notes.lines.end());
    if (libraries.size() > 1) {
      report->lines.insert(report->lines.begin(), "Libraries read, in order: " +
                                                      JoinedNames(libraries) + ".");
    }
  }
  return result;
}
