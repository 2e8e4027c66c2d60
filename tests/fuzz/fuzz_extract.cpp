// Fuzzes the whole extract operation: the data before the first 0xFF byte
// is the LaTeX document, the rest the BibTeX library; each run goes through
// all three styles and both page modes in turn.
#include <cstdint>
#include <string>

#include "app/state.h"
#include "commands/state_requests.h"
#include "harness_files.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  static int run = 0;
  std::string document;
  std::string library;
  WriteFuzzFiles(data, size, "paper.tex", "library.bib", &document, &library);
  // Each input is read by the line rules and by the BibTeX reader.
  for (int classic = 1; classic >= 0; classic--) {
    ResetApplicationState();
    FLAG_CLASSIC = classic;
    SetFileSlot(file_address_01, document.c_str());
    SetFileSlot(file_address_02, library.c_str());
    SetJournalStyle(static_cast<JournalStyle>(run % 3));
    FLAG_PAGEALL = (run / 3) % 2;
    int result = Extract();
    // The BibTeX reader refuses a library it reads no entry from, as an
    // unreadable file; every other input must run to its end.
    if (result != RESULT_DONE && !(classic == 0 && result == RESULT_NEED_BIBTEX)) __builtin_trap();
  }
  run++;
  ClearFuzzFolder();
  return 0;
}
