#include "compare/compare.h"

#include <cstdio>
#include <cstring>

#include "app/platform.h"
#include "app/state.h"
#include "compare/compare_log.h"
#include "scan/entry_copy.h"
#include "scan/entry_group.h"
#include "scan/entry_summary.h"
#include "scan/line_reader.h"
#include "scan/markers.h"
#include "scan/output_path.h"
#include "scan/scan_index.h"

namespace {

// Everything one run works with.  The readers hold 16 KB each, so the run
// lives in one object rather than in many frames.
struct CompareRun {
  LineReader master;
  LineReader second;
  std::FILE* log;
  std::FILE* missing;
  std::FILE* equal;
  char log_path[LINE_SIZE];
  char missing_path[LINE_SIZE];
  char equal_path[LINE_SIZE];
  LinePosition search_start;  // the master's first entry line
  LinePosition master_end;
  FirstPositions first_book;     // BOOK-group candidates by author and title
  FirstPositions first_article;  // ARTICLE candidates by their four values
  FirstPositions first_misc;     // MISC candidates by note
  entry_fields entry;         // the entry of the second file looked for
  entry_fields candidate;     // the master entry it is held against
};

// Only the candidate's type chooses the rule; the entry's own type takes no
// part.  Two empty values are equal, so a candidate that gives none of its
// rule's values accepts every entry that gives none either.
int RuleAccepts(EntryGroup rule, const entry_fields* candidate, const entry_fields* entry) {
  switch (rule) {
    case GROUP_BOOK: return SameBookValues(candidate, entry);
    case GROUP_ARTICLE: return SameArticleValues(candidate, entry);
    case GROUP_MISC: return std::strcmp(candidate->note, entry->note) == 0;
    default: return 0;
  }
}

// The master before its first entry line holds nothing a search needs.
LinePosition FindSearchStart(LineReader* master) {
  char line[LINE_SIZE];
  for (;;) {
    LinePosition before = SaveLinePosition(master);
    if (ReadLine(master, line) == 0 || HoldsEntryMarker(line, MARKERS_WITH_MISC)) return before;
  }
}

// The entry goes to the missing file; its log line follows only when the
// copy reached the entry's closing line.
void ReportMissing(CompareRun* run, LinePosition entry_start) {
  if (CopyEntryToFile(&run->second, entry_start, run->missing)) {
    WriteMissingLine(run->log, run->entry.key);
  }
}

// Reads every candidate of the master once, in order from the search start,
// and notes where the first candidate of each rule with each set of values
// stands.  The candidates are the same whatever entry is looked for.
void IndexMaster(CompareRun* run) {
  char line[LINE_SIZE];
  RestoreLinePosition(&run->master, run->search_start);
  for (;;) {
    LinePosition candidate_start = SaveLinePosition(&run->master);
    if (ReadLine(&run->master, line) == 0) break;
    if (!HoldsEntryMarker(line, MARKERS_WITH_MISC)) continue;
    ReadEntrySummary(&run->master, line, &run->candidate, WORDS_WITH_NOTE);
    switch (GroupOfType(run->candidate.type)) {
      case GROUP_BOOK: run->first_book.Note(BookValuesText(&run->candidate), candidate_start); break;
      case GROUP_ARTICLE: run->first_article.Note(ArticleValuesText(&run->candidate), candidate_start); break;
      case GROUP_MISC: run->first_misc.Note(run->candidate.note, candidate_start); break;
      default: break;
    }
  }
  run->master_end = SaveLinePosition(&run->master);
}

// Where the search for the entry may begin: the first candidate whose rule
// can accept it, or the master's end when none can.  No candidate before
// that place accepts, so the search from there ends as the one from the
// search start would.
LinePosition FirstPossibleCandidate(const CompareRun* run) {
  if (!IndexedScans()) return run->search_start;
  LinePosition earliest = run->master_end;
  int found = 0;
  run->first_book.Lower(BookValuesText(&run->entry), &earliest, &found);
  run->first_article.Lower(ArticleValuesText(&run->entry), &earliest, &found);
  run->first_misc.Lower(run->entry.note, &earliest, &found);
  return earliest;
}

// Reads the master's candidates in order from the search start; the first
// whose rule accepts the entry is the match, even when a later candidate
// carries the entry's key.
void SearchMaster(CompareRun* run, LinePosition entry_start) {
  char line[LINE_SIZE];
  RestoreLinePosition(&run->master, FirstPossibleCandidate(run));
  for (;;) {
    LinePosition candidate_start = SaveLinePosition(&run->master);
    if (ReadLine(&run->master, line) == 0) {
      ReportMissing(run, entry_start);
      return;
    }
    if (!HoldsEntryMarker(line, MARKERS_WITH_MISC)) continue;
    ReadEntrySummary(&run->master, line, &run->candidate, WORDS_WITH_NOTE);
    EntryGroup rule = GroupOfType(run->candidate.type);
    if (!RuleAccepts(rule, &run->candidate, &run->entry)) continue;
    WriteMatchLine(run->log, rule, &run->candidate, &run->entry);
    CopyEntryToFile(&run->master, candidate_start, run->equal);
    return;
  }
}

// Creates one output; on failure shows its message.  The log's message
// names "compare.log" only, the others the full path.
std::FILE* CreateOutput(const char* path, int is_log) {
  std::FILE* file = std::fopen(path, "w");
  if (file != nullptr) return file;
  if (is_log) {
    ShowMessage("Could not open the compare.log file!", "Log file?");
  } else {
    ShowOutputMessage("open", path);
  }
  return nullptr;
}

// Creates log, missing and equal file in this order.  Returns 0 after a
// failure, with the ones already created left open for the caller to close.
int CreateOutputs(CompareRun* run) {
  DeriveOutputPath(file_address_01, "_compare.log", run->log_path);
  DeriveOutputPath(file_address_01, "_compare_missing.bib", run->missing_path);
  DeriveOutputPath(file_address_01, "_compare_equal.bib", run->equal_path);

  const char* outputs[] = {run->log_path, run->missing_path, run->equal_path};
  const char* inputs[] = {file_address_01, file_address_02};
  if (!OutputsSpareInputs(outputs, 3, inputs, 2)) return 0;

  run->log = CreateOutput(run->log_path, 1);
  if (run->log == nullptr) return 0;
  run->missing = CreateOutput(run->missing_path, 0);
  if (run->missing == nullptr) return 0;
  run->equal = CreateOutput(run->equal_path, 0);
  return run->equal != nullptr;
}

// Closes the outputs, missing file, equal file and log in this order.  A
// write that failed on the way (a full disk) is reported, once, and the run
// ends with 0 instead of reporting success over a cut file.
int CloseOutputs(CompareRun* run) {
  int missing_written = CloseOutputFile(&run->missing);
  int equal_written = CloseOutputFile(&run->equal);
  int log_written = CloseOutputFile(&run->log);
  const char* failed = !missing_written ? run->missing_path : !equal_written ? run->equal_path : nullptr;
  if (failed != nullptr) {
    ShowOutputMessage("write", failed);
    return 0;
  }
  if (!log_written) {
    ShowMessage("Could not write the compare.log file!", "Log file?");
    return 0;
  }
  return 1;
}

void CompareEntries(CompareRun* run) {
  char line[LINE_SIZE];
  run->search_start = FindSearchStart(&run->master);
  if (IndexedScans()) IndexMaster(run);
  for (;;) {
    LinePosition entry_start = SaveLinePosition(&run->second);
    if (ReadLine(&run->second, line) == 0) return;
    if (!HoldsEntryMarker(line, MARKERS_WITH_MISC)) continue;
    ReadEntrySummary(&run->second, line, &run->entry, WORDS_WITH_NOTE);
    SearchMaster(run, entry_start);
  }
}

void ForgetMaster(CompareRun* run) {
  run->first_book.Clear();
  run->first_article.Clear();
  run->first_misc.Clear();
}

int RunCompare(CompareRun* run) {
  // Both inputs are opened for update, as the product always has: a file
  // that may not be written is refused like a missing one.
  std::FILE* master = OpenInputReader(&run->master, file_address_01, "r+");
  if (master == nullptr) {
    ShowMessage("Could not open BibTeX file No. 1!", "BibTeX file No. 1?");
    return RESULT_NEED_BIBTEX;
  }
  std::FILE* second = OpenInputReader(&run->second, file_address_02, "r+");
  if (second == nullptr) {
    ShowMessage("Could not open BibTeX file No. 2!", "BibTeX file No. 2?");
    std::fclose(master);
    return RESULT_NEED_BIBTEX;
  }
  run->log = run->missing = run->equal = nullptr;

  int created = CreateOutputs(run);
  if (created) CompareEntries(run);
  ForgetMaster(run);

  std::fclose(master);
  std::fclose(second);
  int written = CloseOutputs(run);
  return created && written ? RESULT_DONE : RESULT_STOPPED;
}

}  // namespace

int Compare() {
  if (file_address_01[0] == '\0') return RESULT_NEED_FIRST;
  if (file_address_02[0] == '\0') return RESULT_NEED_BIBTEX;
  static CompareRun run;  // the records' buffers are kept off the caller's stack
  int result = RunCompare(&run);
  CloseLineReader(&run.master);
  CloseLineReader(&run.second);
  return result;
}
