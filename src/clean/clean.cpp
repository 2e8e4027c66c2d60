#include "clean/clean.h"

#include <cstdio>
#include <cstring>

#include "app/platform.h"
#include "app/state.h"
#include "clean/clean_log.h"
#include "clean/cleaned_index.h"
#include "clean/decision.h"
#include "clean/rename.h"
#include "scan/entry_copy.h"
#include "scan/entry_summary.h"
#include "scan/line_reader.h"
#include "scan/markers.h"
#include "scan/output_path.h"
#include "scan/primitives.h"
#include "scan/scan_index.h"

int FLAG_DOUBLE_BIBITEM = 0;

namespace {

// Everything one run works with.  The cleaned file is its own index: it is
// read back from its start for every input entry while it grows.
struct CleanRun {
  LineReader input;
  LineReader cleaned;
  CleanedFileIndex index;    // where in the cleaned file each scan may begin
  std::FILE* log;
  LinePosition entry_start;  // the current entry's first line in the input
  entry_fields current;      // the input entry being handled
  entry_fields candidate;    // the cleaned-file entry it is held against
  int rename_number;         // which new key of the run comes next, from 1
  int not_written;           // doubles left out and entries renamed
};

// Receives each line of the current entry as it is copied into the cleaned
// file; gives the first line its new key after a key conflict.
void WriteCleanedLine(void* context, char* line, std::size_t length) {
  CleanRun* run = static_cast<CleanRun*>(context);
  if (FLAG_DOUBLE_BIBITEM == 1 && HoldsEntryMarker(line, MARKERS_SIX)) {
    char new_key[COPY_LINE_SIZE];
    FormNewKey(run->current.key, run->rename_number, new_key, sizeof new_key);
    WriteRenamingBlock(run->log, &run->current, &run->candidate, new_key);
    ReplaceStringInString(line, new_key, "{", ",", COPY_LINE_SIZE);
    length = std::strlen(line);
    run->rename_number++;
    // The entry is counted although it is written, under its new key.
    run->not_written++;
    FLAG_DOUBLE_BIBITEM = 0;
  }
  AppendLine(&run->cleaned, line, length);
}

// Adds the current entry at the end of the cleaned file.  The input then
// stands after the copied lines.
void WriteEntry(CleanRun* run) {
  CopyEntryLines(&run->input, run->entry_start, WriteCleanedLine, run);
}

// Holds the entry whose first line has just been read against the entries
// of the cleaned file, in their order; the first that decides ends it.
void HandleEntry(CleanRun* run, const char* first_line) {
  ReadEntrySummary(&run->input, first_line, &run->current, WORDS_WITHOUT_NOTE);
  EntryGroup group = CleanGroupOf(&run->current);
  // An entry of no group ("@comment{jabref" blocks among them) is never
  // compared: every candidate would let it go on, so it is written.
  if (group == GROUP_NONE) {
    WriteEntry(run);
    return;
  }
  char line[LINE_SIZE];
  if (IndexedScans()) {
    run->index.Refresh(&run->cleaned, &run->candidate);
    RestoreLinePosition(&run->cleaned, run->index.FirstPossibleCandidate(&run->current, group));
  } else {
    RewindLines(&run->cleaned);
  }
  while (ReadLine(&run->cleaned, line) > 0) {
    if (!HoldsEntryMarker(line, MARKERS_SIX)) continue;
    ReadEntrySummary(&run->cleaned, line, &run->candidate, WORDS_WITHOUT_NOTE);
    CleanOutcome outcome = DecideAgainst(&run->current, &run->candidate, group);
    if (outcome == CLEAN_GO_ON) continue;
    if (outcome == CLEAN_KEY_CONFLICT) {
      FLAG_DOUBLE_BIBITEM = 1;
      WriteFlagLine(run->log, group, &run->current, &run->candidate);
      WriteEntry(run);
    } else {
      WriteDoubleBlock(run->log, outcome, group, &run->current, &run->candidate);
      run->not_written++;
    }
    return;
  }
  WriteEntry(run);
}

void CleanEntries(CleanRun* run) {
  char line[LINE_SIZE];
  for (;;) {
    run->entry_start = SaveLinePosition(&run->input);
    if (ReadLine(&run->input, line) == 0) return;
    if (HoldsEntryMarker(line, MARKERS_SIX)) HandleEntry(run, line);
  }
}

int RunClean(CleanRun* run) {
  std::FILE* input = OpenInputReader(&run->input, file_address_01, "r");
  if (input == nullptr) {
    ShowMessage("Could not open the BibTeX file!", "BibTeX file ?");
    return RESULT_NEED_BIBTEX;
  }
  run->rename_number = 1;
  run->not_written = 0;

  char log_path[LINE_SIZE];
  char cleaned_path[LINE_SIZE];
  DeriveOutputPath(file_address_01, "_clean_of_doubles.log", log_path);
  DeriveOutputPath(file_address_01, "_clean_of_doubles.bib", cleaned_path);
  const char* outputs[] = {log_path, cleaned_path};
  const char* inputs[] = {file_address_01};
  if (!OutputsSpareInputs(outputs, 2, inputs, 1)) {
    std::fclose(input);
    return RESULT_STOPPED;
  }

  run->log = std::fopen(log_path, "w");
  if (run->log == nullptr) {
    ShowMessage("Could not open the ..._clean_of_doubles.log file!", "File?");
    std::fclose(input);
    return RESULT_STOPPED;
  }
  std::FILE* cleaned = OpenInputFile(cleaned_path, "w+");
  if (cleaned == nullptr) {
    ShowOutputMessage("open", cleaned_path);
    std::fclose(input);
    std::fclose(run->log);
    return RESULT_STOPPED;
  }

  OpenLineReader(&run->cleaned, cleaned);  // empty: it only grows from here
  run->index.Reset();
  CleanEntries(run);
  run->index.Reset();
  WriteClosingMessage(run->log, run->not_written, file_address_01, cleaned_path);

  // A write that failed on the way (a full disk) is reported rather than
  // success over a cut file.
  std::fclose(input);
  int cleaned_written = CloseOutputFile(&cleaned);
  int log_written = CloseOutputFile(&run->log);
  if (!cleaned_written) {
    ShowOutputMessage("write", cleaned_path);
    return RESULT_STOPPED;
  }
  if (!log_written) {
    ShowMessage("Could not write the ..._clean_of_doubles.log file!", "File?");
    return RESULT_STOPPED;
  }
  return RESULT_DONE;
}

}  // namespace

int Clean() {
  FLAG_DOUBLE_BIBITEM = 0;
  if (file_address_01[0] == '\0') return RESULT_NEED_BIBTEX;
  static CleanRun run;  // the records' buffers are kept off the caller's stack
  int result = RunClean(&run);
  CloseLineReader(&run.input);
  CloseLineReader(&run.cleaned);
  // A key conflict lowers the flag when the entry's first line is written
  // again; should that line not come back, the next run must not start
  // with the flag raised.
  FLAG_DOUBLE_BIBITEM = 0;
  return result;
}
