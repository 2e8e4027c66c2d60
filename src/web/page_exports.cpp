// The functions the page's worker calls in the WebAssembly module.  They
// take and give plain C strings, which is what crosses into JavaScript.
#include <cstdlib>
#include <cstring>
#include <string>

#include "web/outcome_json.h"
#include "web/page_exports.h"
#include "web/page_run.h"

#ifdef __EMSCRIPTEN__
#include <emscripten/emscripten.h>
#define TAMREL_EXPORT EMSCRIPTEN_KEEPALIVE
#else
#define TAMREL_EXPORT
#endif

namespace {

// "a\nb" -> {"a", "b"}; "" -> {}.
std::vector<std::string> SplitLines(const char* text) {
  std::vector<std::string> parts;
  const char* start = text;
  while (*start != '\0') {
    const char* end = std::strchr(start, '\n');
    if (end == nullptr) end = start + std::strlen(start);
    if (end > start) parts.emplace_back(start, end);
    start = *end == '\n' ? end + 1 : end;
  }
  return parts;
}

int OperationNamed(const char* name, PageOperation* operation) {
  if (std::strcmp(name, "extract") == 0) *operation = PAGE_EXTRACT;
  else if (std::strcmp(name, "compare") == 0) *operation = PAGE_COMPARE;
  else if (std::strcmp(name, "clean") == 0) *operation = PAGE_CLEAN;
  else return 0;
  return 1;
}

PageRequest RequestFrom(PageOperation operation, const char* first, const char* second,
                        const char* style, int page_range, const char* output_folder) {
  PageRequest request;
  request.operation = operation;
  request.output_folder = output_folder;
  if (operation == PAGE_EXTRACT) {
    request.document = first;
    request.libraries = SplitLines(second);
    request.style = style;
    request.page_range = page_range;
  } else if (operation == PAGE_COMPARE) {
    request.master = first;
    request.second = second;
  } else {
    request.libraries = SplitLines(first);
  }
  return request;
}

char* CopyForCaller(const std::string& text) {
  char* copy = static_cast<char*>(std::malloc(text.size() + 1));
  if (copy != nullptr) std::memcpy(copy, text.c_str(), text.size() + 1);
  return copy;
}

}  // namespace

extern "C" {

TAMREL_EXPORT char* tamrel_run(const char* operation_name, const char* first, const char* second,
                               const char* style, int page_range, const char* output_folder) {
  PageOperation operation;
  PageOutcome outcome;
  if (!OperationNamed(operation_name, &operation)) {
    outcome.input_problem = std::string("unknown operation: ") + operation_name;
  } else {
    RunPageRequest(RequestFrom(operation, first, second, style, page_range, output_folder), &outcome);
  }
  return CopyForCaller(OutcomeJson(outcome));
}

TAMREL_EXPORT void tamrel_free(char* text) { std::free(text); }

}  // extern "C"
