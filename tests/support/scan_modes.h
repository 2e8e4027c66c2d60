// Running one check of an operation in every way it must give the same
// bytes: with the indexes that let a scan begin where it would stop, and
// with the plain in-order scans from the start, so that a rule the index
// also applies cannot hide a fault of the decision; and, where the check
// takes inputs, with LF and with CR LF line ends.  Only for the tests of
// the operations: the indexes belong to their layer.
#ifndef TAMREL_TESTS_SCAN_MODES_H
#define TAMREL_TESTS_SCAN_MODES_H

#include <gtest/gtest.h>

#include <string>

#include "app/state.h"
#include "support/test_support.h"

// Puts the indexes back on when it goes, also when a fatal failure ends
// the check early.
class IndexesBackOn {
 public:
  IndexesBackOn() = default;
  IndexesBackOn(const IndexesBackOn&) = delete;
  IndexesBackOn& operator=(const IndexesBackOn&) = delete;
  ~IndexesBackOn() { SetIndexedScans(1); }
};

// Runs check() with the indexes on, then off.
template <typename Check>
void ForBothScans(const Check& check) {
  IndexesBackOn restore;
  for (int indexed = 1; indexed >= 0; indexed--) {
    SCOPED_TRACE(indexed ? "indexed scans" : "plain scans");
    SetIndexedScans(indexed);
    check();
  }
}

// An input's text as written.
inline std::string AsWritten(const std::string& text) { return text; }

// Runs check(form) for both scans, each time once with form = AsWritten
// and once with form = WithCrLf; the check writes every input as form(text).
template <typename Check>
void ForBothScansAndLineEnds(const Check& check) {
  ForBothScans([&] {
    for (int crlf = 0; crlf < 2; crlf++) {
      SCOPED_TRACE(crlf ? "CR LF input" : "LF input");
      check(crlf ? WithCrLf : AsWritten);
    }
  });
}

#endif
