#include "commands/state_requests.h"

#include "app/platform.h"
#include "app/state.h"
#include "commands/library_formats.h"
#include "text/path_parts.h"

namespace {

RunSetup SetupFromState() {
  RunSetup setup;
  setup.format = FormatNamed(FLAG_CLASSIC ? "classic" : "bibtex");
  setup.output_folder = output_folder;
  setup.messages = CurrentPlatform();
  setup.indexed = IndexedScans();
  return setup;
}

}  // namespace

ReferenceOptions ReferenceOptionsFromState() {
  static const char* const kFlagStyles[] = {"aps", "acs", "iop", "nature", "rsc"};  // JournalStyle's order
  ReferenceOptions options;
  JournalStyle style;
  options.style = SelectedStyle(&style) ? StyleByOption(kFlagStyles[style]) : nullptr;
  options.page_range = FLAG_PAGEALL;
  return options;
}

int Extract(RunReport* report) {
  ExtractRequest request;
  request.setup = SetupFromState();
  request.document = file_address_01;
  if (file_address_02[0] != '\0') request.libraries.push_back(file_address_02);
  // The one library slot stays the library of the run: empty, it is filled
  // from a compiled .aux file only, as it always was; chosen, a library the
  // document names among others brings those others from its folder.
  request.libraries_from_document = PathEndsWith(file_address_01, ".aux");
  request.with_named_companions = 1;
  request.reference = ReferenceOptionsFromState();
  RunReport own;
  if (report == nullptr) report = &own;
  int result = Extract(request, report);
  // The library a compiled .aux file named becomes the second file, as
  // if the user had chosen it.
  if (file_address_02[0] == '\0') SetFileSlot(file_address_02, report->library.c_str());
  return result;
}

int Compare(RunReport* report) {
  CompareRequest request;
  request.setup = SetupFromState();
  request.master = file_address_01;
  request.second = file_address_02;
  return Compare(request, report);
}

int Clean(RunReport* report) {
  CleanRequest request;
  request.setup = SetupFromState();
  request.library = file_address_01;
  return Clean(request, report);
}
