#include "web/page_run.h"

#include "app/state.h"
#include "clean/clean.h"
#include "commands/library_formats.h"
#include "compare/compare.h"
#include "extract/extract.h"
#include "text/path_parts.h"
#include "typeset/styles.h"
#include "commands/input_check.h"

namespace {

// "thesis.pdf is not a text file ...": the file named as the person knows it.
std::string ProblemLine(const std::string& path, InputVerdict verdict) {
  return std::string(FileNamePart(path.c_str())) + " " + InputProblemText(verdict);
}

// The first input the page refuses, or "".  An unreadable input is left to
// the operation, whose message names the file and the reason.
std::string FirstInputProblem(const PageRequest& request) {
  std::vector<std::string> libraries = request.libraries;
  if (request.operation == PAGE_EXTRACT) {
    InputVerdict verdict = CheckTextInput(request.document.c_str());
    if (verdict == INPUT_NOT_TEXT) return ProblemLine(request.document, verdict);
  } else if (request.operation == PAGE_COMPARE) {
    libraries = {request.master, request.second};
  }
  for (const std::string& library : libraries) {
    InputVerdict verdict = CheckLibraryInput(library.c_str());
    if (verdict == INPUT_NOT_TEXT || verdict == INPUT_NO_ENTRIES) return ProblemLine(library, verdict);
  }
  return "";
}

// The libraries of an extract run, in the request's own terms: none reads
// those the document names, from its folder.
void SetExtractLibraries(const std::vector<std::string>& libraries, ExtractRequest* request) {
  request->libraries = libraries;
  request->libraries_from_document = 1;
}

int RunExtract(const PageRequest& page, const RunSetup& setup, PageOutcome* outcome) {
  ExtractRequest request;
  request.setup = setup;
  request.document = page.document.c_str();
  SetExtractLibraries(page.libraries, &request);
  request.reference.style = StyleByOption(page.style.c_str());
  if (request.reference.style == nullptr) request.reference.style = StyleAt(0);
  request.reference.page_range = page.page_range;
  int result = Extract(request, &outcome->report);
  if (result == RESULT_NEED_BIBTEX && page.libraries.empty()) {
    outcome->input_problem = std::string(FileNamePart(page.document.c_str())) +
                             " names no library; choose one or more with it.";
  }
  return result;
}

int RunOperation(const PageRequest& page, const RunSetup& setup, PageOutcome* outcome) {
  if (page.operation == PAGE_EXTRACT) return RunExtract(page, setup, outcome);
  if (page.operation == PAGE_COMPARE) {
    CompareRequest request;
    request.setup = setup;
    request.master = page.master.c_str();
    request.second = page.second.c_str();
    return Compare(request, &outcome->report);
  }
  CleanRequest request;
  request.setup = setup;
  request.library = page.libraries.empty() ? "" : page.libraries[0].c_str();
  return Clean(request, &outcome->report);
}

}  // namespace

int RunPageRequest(const PageRequest& request, PageOutcome* outcome) {
  outcome->input_problem = FirstInputProblem(request);
  if (!outcome->input_problem.empty()) {
    outcome->result = RESULT_STOPPED;
    return outcome->result;
  }
  CollectedMessages messages;
  RunSetup setup;
  setup.format = FormatNamed("bibtex");
  setup.output_folder = request.output_folder.c_str();
  setup.messages = &messages;
  outcome->result = RunOperation(request, setup, outcome);
  outcome->messages = messages.messages();
  return outcome->result;
}
