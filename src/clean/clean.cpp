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
  // The BibTeX reader's rules: the index and where the entries it has not
  // noted begin, for the current entry (unindexed: nullptr and the start).
  CleanedFileIndex* index = nullptr;
  EntryPlace unread{0};
  entry_fields other;  // the holder of a key a new key must not take
};

int FindKeyHolder(CleanRun* run, const std::string& key, entry_fields* holder);

// The number-th new key of the run for the current entry.
std::string NewKey(const CleanRun* run, int number) {
  std::string new_key(run->current.key.size() + 16, '\0');
  FormNewKey(run->current.key.c_str(), number, &new_key[0], new_key.size());
  new_key.resize(std::strlen(new_key.c_str()));
  return new_key;
}

// Writes the current entry under a new key, after the renaming block.  The
// entry is counted as not written as it stood.  Under the BibTeX reader's
// rules a new key that an entry already written holds (in any letter
// case) is passed over, so the cleaned file reuses no key.
void WriteRenamed(CleanRun* run) {
  std::string new_key = NewKey(run, run->rename_number);
  while (run->rules == RULES_PARSED && FindKeyHolder(run, new_key, &run->other)) {
    new_key = NewKey(run, ++run->rename_number);
  }
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
    MatchReason reason = REASON_NONE;
    if (run->rules == RULES_PARSED) {
      reason = outcome == CLEAN_EXACT_DOUBLE ? REASON_FIELDS
                                             : WhySameWork(group, run->current, run->candidate, run->rules);
    }
    WriteDoubleBlock(run->log, outcome, group, reason, &run->current, &run->candidate);
    run->not_written++;
    run->doubles++;
  }
}

// Reads the cleaned file's entries into into, in order: those at the
// places noted gives (when indexed), then every entry not noted yet; stops
// at the first for which visit returns 1, and returns 1 then.
template <typename Visit>
int WalkCandidates(CleanRun* run, PlacesByText::Cursor* noted, entry_fields* into, Visit visit) {
  EntrySource* candidates = run->cleaned->Candidates();
  EntryPlace place;
  while (noted != nullptr && noted->Next(&place)) {
    candidates->Seek(place);
    if (candidates->NextEntry(into, &place) && visit()) return 1;
  }
  candidates->Seek(run->unread);
  while (candidates->NextEntry(into, &place)) {
    if (visit()) return 1;
  }
  return 0;
}

// Reads into holder the entry already written that holds key (in any
// letter case, as bibtex reads keys); 0 when none does.  An empty key is no
// key: nothing holds it.
int FindKeyHolder(CleanRun* run, const std::string& key, entry_fields* holder) {
  if (key.empty()) return 0;
  PlacesByText::Cursor noted;
  if (run->index != nullptr) noted = run->index->KeyInOrder(key);
  return WalkCandidates(run, run->index != nullptr ? &noted : nullptr, holder,
                        [&] { return SameKey(holder->key, key, run->rules); });
}

// Holds the current entry against the entries already written under other
// keys that may be the same work, in order; 1 when one left it out.
int LeftOutAsOtherKeysWork(CleanRun* run, EntryGroup group) {
  PlacesByText::Cursor noted;
  if (run->index != nullptr) noted = run->index->WorkInOrder(run->current, group);
  return WalkCandidates(run, run->index != nullptr ? &noted : nullptr, &run->candidate, [&] {
    CleanOutcome outcome = DecideOtherKey(run->current, run->candidate, group, run->rules);
    if (outcome == CLEAN_GO_ON) return 0;
    Act(run, outcome, group);
    return 1;
  });
}

// Under the BibTeX reader's rules the entry that holds the current entry's
// key decides first: a copy of its work is left out.  An entry that reuses
// the key for another work is left out when an entry under another key is
// its work, and is otherwise given a new key, so that every work stays
// reachable by the key the user wrote or the new key the log names, and a
// second clean of the cleaned file finds nothing to do.
void HandleParsedEntry(CleanRun* run, CleanedFileIndex* index, EntryGroup group) {
  run->index = run->indexed ? index : nullptr;
  run->unread = run->indexed ? run->cleaned->Refresh(index) : EntryPlace{0};
  int reused = FindKeyHolder(run, run->current.key, &run->candidate);
  if (reused) {
    CleanOutcome outcome = DecideSameKey(run->current, run->candidate, group, run->rules);
    if (outcome != CLEAN_KEY_CONFLICT) {
      Act(run, outcome, group);
      return;
    }
    run->other = run->candidate;
  }
  if (LeftOutAsOtherKeysWork(run, group)) return;
  if (!reused) {
    run->cleaned->Append(run->entry_start, run->current, nullptr);
    return;
  }
  run->candidate = run->other;
  Act(run, CLEAN_KEY_CONFLICT, group);
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
  if (run->rules == RULES_PARSED) {
    HandleParsedEntry(run, index, group);
    return;
  }
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
  if (run->indexed) index.Reserve(run->input->EntryCountHint());
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
