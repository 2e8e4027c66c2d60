// Fuzzes the whole clean-doubles operation on one BibTeX file.
#include <cstdint>
#include <string>

#include "app/state.h"
#include "commands/state_requests.h"
#include "harness_files.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  std::string input = WriteFuzzFile(data, size, "library.bib");
  // Each input is read by the line rules and by the BibTeX reader.
  for (int classic = 1; classic >= 0; classic--) {
    ResetApplicationState();
    FLAG_CLASSIC = classic;
    SetFileSlot(file_address_01, input.c_str());
    int result = Clean();
    // The BibTeX reader refuses a library it reads no entry from, as an
    // unreadable file; every other input must run to its end.
    if (result != RESULT_DONE && !(classic == 0 && result == RESULT_NEED_BIBTEX)) __builtin_trap();
  }
  ClearFuzzFolder();
  return 0;
}
