#include "clean/clean.h"

#include <cstdio>
#include <cstring>
#include <memory>
#include <string>
#include <vector>

#include "app/state.h"
#include "clean/clean_log.h"
#include "clean/cleaned_index.h"
#include "clean/decision.h"
#include "clean/rename.h"

const OutputSpec CLEAN_OUTPUTS[2] = {
    {"_clean_of_doubles.log", "File?", "Could not open the ..._clean_of_doubles.log file!",
     "Could not write the ..._clean_of_doubles.log file!"},
    {"_clean_of_doubles.bib", "File?", nullptr, nullptr},
};

namespace {

enum { LOG, CLEANED };

// Everything one run works with, whichever reader found the entries.
struct CleanRun {
  EntrySource* input;
  CleanedFile* cleaned;
  MatchRules rules;
  int indexed;
  std::FILE* log;
  EntryPlace entry_start;  // where the current entry starts in the input
  entry_fields current;    // the input entry being handled
  entry_fields candidate;  // the cleaned-file entry it is held against
  int rename_number = 1;   // which new key of the run comes next, from 1
  int not_written = 0;     // doubles left out and entries renamed
  int read = 0;
  int doubles = 0;
  int renamed = 0;
  std::vector<EntryPlace> places;  // the candidates of the current entry
};

// Writes the current entry under a new key, after the renaming block.  The
// entry is counted as not written as it stood.
void WriteRenamed(CleanRun* run) {
  std::string new_key(run->current.key.size() + 16, '\0');
  FormNewKey(run->current.key.c_str(), run->rename_number, &new_key[0], new_key.size());
  new_key.resize(std::strlen(new_key.c_str()));
  WriteRenamingBlock(run->log, &run->current, &run->candidate, new_key.c_str());
  run->rename_number++;
  run->not_written++;
  run->renamed++;
  run->cleaned->Append(run->entry_start, run->current, new_key.c_str());
}

void Act(CleanRun* run, CleanOutcome outcome, EntryGroup group);

// Holds the current entry against the candidate just read and acts on what
// it decides; returns 1 when it decided.
int CandidateDecides(CleanRun* run, EntryGroup group) {
  CleanOutcome outcome = DecideAgainst(run->current, run->candidate, group, run->rules);
  if (outcome == CLEAN_GO_ON) return 0;
  Act(run, outcome, group);
  return 1;
}

// Holds the current entry against the cleaned-file entries at places, in
// order; returns 1 when one decided.
int DecideAt(CleanRun* run, const std::vector<EntryPlace>& places, EntryGroup group) {
  EntrySource* candidates = run->cleaned->Candidates();
  EntryPlace place;
  for (EntryPlace at : places) {
    candidates->Seek(at);
    if (candidates->NextEntry(&run->candidate, &place) && CandidateDecides(run, group)) return 1;
  }
  return 0;
}

// Holds the current entry against the cleaned-file entries from place on,
// in order; returns 1 when one decided.
int DecideFrom(CleanRun* run, EntryPlace from, EntryGroup group) {
  EntrySource* candidates = run->cleaned->Candidates();
  candidates->Seek(from);
  EntryPlace place;
  while (candidates->NextEntry(&run->candidate, &place)) {
    if (CandidateDecides(run, group)) return 1;
  }
  return 0;
}

// Acts on what a candidate decided about the current entry.
void Act(CleanRun* run, CleanOutcome outcome, EntryGroup group) {
  if (outcome == CLEAN_KEY_CONFLICT) {
    WriteFlagLine(run->log, group, &run->current, &run->candidate);
    WriteRenamed(run);
  } else {
    WriteDoubleBlock(run->log, outcome, group, &run->current, &run->candidate);
    run->not_written++;
    run->doubles++;
  }
}

// Under the BibTeX reader's rules the first entry with the current entry's
// key decides first: a reused key is always given a new one, even when
// another entry repeats the work, so that every entry stays reachable by
// the key the user wrote or the new key the log names.
int DecideBySameKey(CleanRun* run, CleanedFileIndex* index, EntryGroup group) {
  if (run->current.key.empty()) return 0;
  EntrySource* candidates = run->cleaned->Candidates();
  std::vector<EntryPlace> places;
  EntryPlace unread{0};
  if (run->indexed) {
    unread = run->cleaned->Refresh(index);
    index->WithKey(run->current, &places);
  }
  places.push_back(unread);  // then every entry not noted, in order
  for (std::size_t i = 0; i < places.size(); i++) {
    candidates->Seek(places[i]);
    EntryPlace place;
    // A noted place is one entry; the last place runs to the file's end.
    while (candidates->NextEntry(&run->candidate, &place)) {
      if (run->candidate.key == run->current.key) {
        Act(run, DecideAgainst(run->current, run->candidate, group, run->rules), group);
        return 1;
      }
      if (i + 1 < places.size()) break;
    }
  }
  return 0;
}

// Holds the current entry against the entries of the cleaned file, in
// their order; the first that decides ends it.
void HandleEntry(CleanRun* run, CleanedFileIndex* index) {
  EntryGroup group = CleanGroupOf(run->current, run->rules);
  // An entry that is never compared ("@comment{jabref" blocks among them
  // under the line rules) is written: every candidate would let it go on.
  if (!CleanCompares(group, run->rules)) {
    run->cleaned->Append(run->entry_start, run->current, nullptr);
    return;
  }
  if (run->rules == RULES_PARSED && DecideBySameKey(run, index, group)) return;
  EntryPlace unread{0};
  if (run->indexed) {
    // The noted entries that can decide, then those not noted yet.
    unread = run->cleaned->Refresh(index);
    index->PossibleCandidates(run->current, group, &run->places);
    if (DecideAt(run, run->places, group)) return;
  }
  if (DecideFrom(run, unread, group)) return;
  run->cleaned->Append(run->entry_start, run->current, nullptr);
}

void CleanEntries(CleanRun* run) {
  CleanedFileIndex index(run->rules);
  while (run->input->NextEntry(&run->current, &run->entry_start)) {
    run->read++;
    HandleEntry(run, &index);
  }
}

void ReportCounts(const CleanRun& run, RunReport* report) {
  ReportLine(report, std::to_string(run.read) + " entries read: " +
                         std::to_string(run.read - run.doubles) + " written (" +
                         std::to_string(run.renamed) + " under a new key), " +
                         std::to_string(run.doubles) + " left out as doubles.");
}

int RunClean(const CleanRequest& request, RunReport* report) {
  const LibraryFormat* format = request.setup.format;
  const LibraryInput input_spec{request.library, "Could not open the BibTeX file!", "BibTeX file ?"};
  // A library the format can read nothing from is refused before any
  // output is created, like one that cannot be opened.
  std::unique_ptr<OpenedLibrary> input =
      format->Open(input_spec, LIBRARY_FOR_CLEAN, request.setup.messages);
  if (input == nullptr) return RESULT_NEED_BIBTEX;
  OutputSet outputs(CLEAN_OUTPUTS, 2, request.library, request.setup.output_folder,
                    request.setup.messages);
  const char* inputs[] = {request.library};
  if (!outputs.SparesInputs(inputs, 1)) return RESULT_STOPPED;
  if (!outputs.Create(LOG)) return RESULT_STOPPED;
  std::unique_ptr<CleanedFile> cleaned = format->StartCleanedFile(input.get(), &outputs, CLEANED);
  if (cleaned == nullptr) return RESULT_STOPPED;
  ReportProblems(report, request.library, input->Problems());

  CleanRun run;
  run.log = outputs.File(LOG);
  run.input = input->Entries();
  run.cleaned = cleaned.get();
  run.rules = format->Rules();
  run.indexed = request.setup.indexed;
  CleanEntries(&run);
  cleaned->Finish();
  WriteClosingMessage(run.log, run.not_written, request.library, outputs.Path(CLEANED));

  // A write that failed on the way (a full disk) is reported rather than
  // success over a cut file.
  static const int kCloseOrder[] = {CLEANED, LOG};
  if (!outputs.CloseAll(kCloseOrder, 2)) return RESULT_STOPPED;
  ReportCounts(run, report);
  outputs.ListPaths(report);
  return RESULT_DONE;
}

}  // namespace

int Clean(const CleanRequest& request, RunReport* report) {
  if (request.library[0] == '\0') return RESULT_NEED_BIBTEX;
  return RunClean(request, report);
}
