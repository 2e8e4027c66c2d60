// The output files of one operation run, handled one way for every
// operation: named after an input, checked against the inputs, created in
// the order the operation lists them, all closed at the end, and a failed
// write reported once instead of success over a cut file.
#ifndef TAMREL_FILES_OUTPUT_SET_H
#define TAMREL_FILES_OUTPUT_SET_H

#include <cstdio>

#include "app/platform.h"
#include "files/output_path.h"
#include "files/run_report.h"

// What an operation says about one of its outputs.
struct OutputSpec {
  const char* suffix;         // appended to the input's name: "_compare.log"
  const char* caption;        // caption of its messages: "Log file?"
  const char* open_failure;   // text when it cannot be created, or nullptr
                              // for "Could not open PATH !"
  const char* write_failure;  // text when a write failed, or nullptr for
                              // "Could not write PATH !"
};

constexpr int MAX_OUTPUTS = 3;

// How an output is opened.  OUTPUT_TEXT gets the host's line ends (CR LF
// on Windows); OUTPUT_BYTES writes exactly the bytes given, for copies
// that keep their input's line ends; OUTPUT_READ_BACK is binary and for
// update, for a run that reads its output back as it writes it.
enum OutputMode { OUTPUT_TEXT, OUTPUT_READ_BACK, OUTPUT_BYTES };

class OutputSet {
 public:
  // The outputs named after input_path (in folder when not empty); their
  // failures are shown through messages (none when it is null).
  OutputSet(const OutputSpec* specs, int count, const char* input_path, const char* folder,
            Platform* messages);
  ~OutputSet();  // closes what is still open, without a message
  OutputSet(const OutputSet&) = delete;
  OutputSet& operator=(const OutputSet&) = delete;

  const char* Path(int i) const { return paths_[i]; }
  std::FILE* File(int i) const { return files_[i]; }

  // Guards the user's inputs: returns 1 when no output names the same file
  // as an input (by name, or through a link).  Otherwise shows a message
  // naming both and returns 0; the run must then create nothing.  Without
  // this an input named like an output would be emptied.
  int SparesInputs(const char* const* inputs, int input_count) const;

  // Creates output i (empty) in the given mode.  On failure shows its
  // message and returns 0.
  int Create(int i, OutputMode mode = OUTPUT_TEXT);

  // Closes output i; returns 0 after showing its message when a write
  // failed on the way.
  int Close(int i);

  // Closes every output, in the given order, and reports the first one
  // whose writes failed.  Returns 1 when all were written.
  int CloseAll(const int* order, int count);

  // Lists every output's path in report (when there is one), in order.
  void ListPaths(RunReport* report) const;

 private:
  void ShowFailure(int i, const char* given_text, const char* verb) const;

  const OutputSpec* specs_;
  int count_;
  Platform* messages_;
  char paths_[MAX_OUTPUTS][OUTPUT_PATH_SIZE];
  std::FILE* files_[MAX_OUTPUTS];
};

#endif
