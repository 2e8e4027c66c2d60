// Fuzzes the whole compare operation: the data before the first 0xFF byte
// is the master, the rest the second file.
#include <cstdint>
#include <string>

#include "app/state.h"
#include "commands/state_requests.h"
#include "harness_files.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  std::string master;
  std::string second;
  WriteFuzzFiles(data, size, "master.bib", "second.bib", &master, &second);
  // Each input is read by the line rules and by the BibTeX reader.
  for (int classic = 1; classic >= 0; classic--) {
    ResetApplicationState();
    FLAG_CLASSIC = classic;
    SetFileSlot(file_address_01, master.c_str());
    SetFileSlot(file_address_02, second.c_str());
    int result = Compare();
    // The BibTeX reader refuses a library it reads no entry from, as an
    // unreadable file; every other input must run to its end.
    if (result != RESULT_DONE && !(classic == 0 && result == RESULT_NEED_BIBTEX)) __builtin_trap();
  }
  ClearFuzzFolder();
  return 0;
}
