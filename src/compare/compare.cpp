#include "compare/compare.h"

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "app/state.h"
#include "compare/compare_log.h"
#include "match/match_rules.h"
#include "match/places_by_text.h"

const OutputSpec COMPARE_OUTPUTS[3] = {
    {"_compare.log", "Log file?", "Could not open the compare.log file!",
     "Could not write the compare.log file!"},
    {"_compare_missing.bib", "File?", nullptr, nullptr},
    {"_compare_equal.bib", "File?", nullptr, nullptr},
};

namespace {

enum { LOG, MISSING, EQUAL };

// The groups whose rules a master candidate may bring.
const EntryGroup kGroups[] = {GROUP_NONE, GROUP_BOOK, GROUP_ARTICLE, GROUP_MISC};

// About how many texts an entry is noted by (match_rules.h): an article
// three or four, a book seven.
constexpr std::size_t kTextsPerEntry = 4;

// Everything one run works with, whichever reader found the entries.
struct CompareRun {
  LibraryEntries* master;
  LibraryEntries* second;
  MatchRules rules;
  int indexed;
  std::FILE* log;
  std::FILE* missing;
  std::FILE* equal;
  PlacesByText by_text;     // master candidates by the texts they can match by
  HashSet64 sought_groups;  // the author/title groups the second file's entries seek
  entry_fields entry;       // the entry of the second file looked for
  entry_fields candidate;   // the master entry it is held against
  std::vector<std::uint64_t> texts;
  std::vector<std::uint64_t> entry_texts;
  int read = 0;
  int exact = 0;
  int probable = 0;
  int missed = 0;
};

// Only the candidate's type chooses the rule; the entry's own type takes
// no part (the BibTeX reader's rules still ask for one kind of work).
MatchReason CandidateAccepts(const CompareRun* run, EntryGroup* rule) {
  *rule = GroupOfType(run->candidate.type, run->rules);
  return WhySameWork(*rule, run->candidate, run->entry, run->rules);
}

// The entry goes to the missing file; its log line follows only when the
// copy reached the entry's end.
void ReportMissing(CompareRun* run, EntryPlace entry_start) {
  run->missed++;
  if (run->second->CopyEntry(entry_start, run->missing)) {
    WriteMissingLine(run->log, run->entry.key.c_str());
  }
}

// Reads every candidate of the master once, in order, and notes where the
// first candidate with each text stands.  The candidates are the same
// whatever entry is looked for.
void IndexMaster(CompareRun* run) {
  run->master->Seek(EntryPlace{0});
  run->by_text.Reserve(run->master->EntryCountHint() * kTextsPerEntry);
  EntryPlace place;
  while (run->master->NextEntry(&run->candidate, &place)) {
    MatchTextsNoted(GroupOfType(run->candidate.type, run->rules), run->candidate, run->rules,
                    run->sought_groups, &run->texts);
    for (std::uint64_t text : run->texts) run->by_text.Note(text, place);
  }
}

// Reads the second file once ahead for the author/title groups its entries
// will seek: a master entry is noted under its title only where one of its
// groups is sought, so most master titles are never shaped.
void CollectSoughtGroups(CompareRun* run) {
  if (run->rules != RULES_PARSED) return;
  run->second->Seek(EntryPlace{0});
  EntryPlace place;
  while (run->second->NextEntry(&run->entry, &place)) {
    MatchTextGroups(run->entry, run->rules, TEXTS_SOUGHT, &run->texts);
    for (std::uint64_t group : run->texts) run->sought_groups.Insert(group);
  }
  run->second->Seek(EntryPlace{0});
}

// The entry's texts under every group's rule (the BibTeX reader's texts
// are the same for every group: asked once).
void EntryTexts(CompareRun* run) {
  run->entry_texts.clear();
  for (EntryGroup group : kGroups) {
    MatchTexts(group, run->entry, run->rules, TEXTS_SOUGHT, &run->texts);
    run->entry_texts.insert(run->entry_texts.end(), run->texts.begin(), run->texts.end());
    if (run->rules == RULES_PARSED) break;
  }
}

// The match is written to the log and the master's copy to the equal file.
void ReportMatch(CompareRun* run, EntryGroup rule, MatchReason reason, EntryPlace candidate_start) {
  int same_key = SameKey(run->candidate.key, run->entry.key, run->rules);
  WriteMatchLine(run->log, rule, &run->candidate, &run->entry, same_key);
  if (run->rules == RULES_PARSED) WriteMatchWhy(run->log, reason, &run->candidate, &run->entry, same_key);
  if (same_key) run->exact++; else run->probable++;
  run->master->CopyEntry(candidate_start, run->equal);
}

// Which master entries a search asks.
enum Asked {
  ASK_ANY,           // every candidate
  ASK_SAME_KEY,      // those with the entry's key
  ASK_SAME_CONTENT   // those with the entry's key, type and fields
};

int IsAsked(const CompareRun* run, Asked asked) {
  if (asked == ASK_ANY) return 1;
  if (!SameKey(run->candidate.key, run->entry.key, run->rules)) return 0;
  return asked == ASK_SAME_KEY || run->candidate.content == run->entry.content;
}

// Reads the candidate at place; 1 when it is asked and accepts the entry,
// after reporting the match.
int CandidateAtAccepts(CompareRun* run, EntryPlace place, Asked asked) {
  run->master->Seek(place);
  EntryPlace candidate_start;
  if (!run->master->NextEntry(&run->candidate, &candidate_start)) return 0;
  if (!IsAsked(run, asked)) return 0;
  EntryGroup rule;
  MatchReason reason = CandidateAccepts(run, &rule);
  if (reason == REASON_NONE) return 0;
  ReportMatch(run, rule, reason, candidate_start);
  return 1;
}

// Asks the candidates at the places the cursor gives, in order; 1 when one
// accepted.
int FirstAccepting(CompareRun* run, PlacesByText::Cursor cursor, Asked asked) {
  EntryPlace place;
  while (cursor.Next(&place)) {
    if (CandidateAtAccepts(run, place, asked)) return 1;
  }
  return 0;
}

// The candidates that may accept the entry (those that share a text with
// it), or for ASK_SAME_CONTENT those with its content, in master order.
PlacesByText::Cursor CandidatesInOrder(CompareRun* run, Asked asked) {
  if (asked != ASK_SAME_CONTENT) return run->by_text.InOrder(run->entry_texts);
  run->texts.assign(1, ContentText(run->entry));
  return run->by_text.InOrder(run->texts);
}

// Under the BibTeX reader's rules the master's entries with the entry's own
// key (in any letter case, as bibtex reads keys) are asked first: the first
// with the entry's very content, else the first that accepts it.  A
// library compared with its own copy is then "Exactly the same"
// everywhere, even where it holds a work twice or reuses a key.  Only the
// entries that share a text with the entry can accept it, so the search
// reads those and passes over the ones with other keys: a key that a whole
// library reuses costs no more than one that is used once.
int SearchSameKey(CompareRun* run) {
  static const Asked kOrder[] = {ASK_SAME_CONTENT, ASK_SAME_KEY};
  if (run->indexed) {
    for (Asked asked : kOrder) {
      if (FirstAccepting(run, CandidatesInOrder(run, asked), asked)) return 1;
    }
    return 0;
  }
  run->master->Seek(EntryPlace{0});
  EntryPlace place;
  std::vector<EntryPlace> places;
  while (run->master->NextEntry(&run->candidate, &place)) {
    if (SameKey(run->candidate.key, run->entry.key, run->rules)) places.push_back(place);
  }
  for (Asked asked : kOrder) {
    for (EntryPlace one : places) {
      if (CandidateAtAccepts(run, one, asked)) return 1;
    }
  }
  return 0;
}

// Reads the master's candidates in order; the first that accepts the entry
// is the match, even when a later candidate carries the entry's key.
void SearchMaster(CompareRun* run, EntryPlace entry_start) {
  if (run->indexed) EntryTexts(run);
  if (run->rules == RULES_PARSED && SearchSameKey(run)) return;
  if (run->indexed) {
    if (!FirstAccepting(run, CandidatesInOrder(run, ASK_ANY), ASK_ANY)) ReportMissing(run, entry_start);
    return;
  }
  run->master->Seek(EntryPlace{0});
  EntryPlace candidate_start;
  while (run->master->NextEntry(&run->candidate, &candidate_start)) {
    EntryGroup rule;
    MatchReason reason = CandidateAccepts(run, &rule);
    if (reason == REASON_NONE) continue;
    ReportMatch(run, rule, reason, candidate_start);
    return;
  }
  ReportMissing(run, entry_start);
}

void CompareEntries(CompareRun* run) {
  if (run->indexed) {
    CollectSoughtGroups(run);
    IndexMaster(run);
  }
  EntryPlace entry_start;
  while (run->second->NextEntry(&run->entry, &entry_start)) {
    run->read++;
    SearchMaster(run, entry_start);
  }
}

void ReportCounts(const CompareRun& run, RunReport* report) {
  ReportLine(report, std::to_string(run.read) + " entries of the second file compared: " +
                         std::to_string(run.exact) + " exactly the same, " +
                         std::to_string(run.probable) + " probably the same, " +
                         std::to_string(run.missed) + " missing from the master.");
}

// Creates the outputs in their order, compares, and closes them all.
int CompareWithOutputs(CompareRun* run, const CompareRequest& request, RunReport* report) {
  OutputSet outputs(COMPARE_OUTPUTS, 3, request.master, request.setup.output_folder,
                    request.setup.messages);
  const char* inputs[] = {request.master, request.second};
  if (!outputs.SparesInputs(inputs, 2)) return RESULT_STOPPED;
  for (int i = LOG; i <= EQUAL; i++) {
    OutputMode mode = i == LOG ? OUTPUT_TEXT : request.setup.format->copy_mode;
    if (!outputs.Create(i, mode)) return RESULT_STOPPED;
  }
  run->log = outputs.File(LOG);
  run->missing = outputs.File(MISSING);
  run->equal = outputs.File(EQUAL);
  CompareEntries(run);
  // A write that failed on the way (a full disk) is reported, once, rather
  // than success over a cut file.
  static const int kCloseOrder[] = {MISSING, EQUAL, LOG};
  if (!outputs.CloseAll(kCloseOrder, 3)) return RESULT_STOPPED;
  ReportCounts(*run, report);
  outputs.ListPaths(report);
  return RESULT_DONE;
}

}  // namespace

int Compare(const CompareRequest& request, RunReport* report) {
  if (request.master[0] == '\0') return RESULT_NEED_FIRST;
  if (request.second[0] == '\0') return RESULT_NEED_BIBTEX;
  const LibraryFormat* format = request.setup.format;
  Platform* messages = request.setup.messages;
  const LibraryInput master_input{request.master, "Could not open BibTeX file No. 1!",
                                  "BibTeX file No. 1?"};
  const LibraryInput second_input{request.second, "Could not open BibTeX file No. 2!",
                                  "BibTeX file No. 2?"};
  std::unique_ptr<OpenedLibrary> master = format->Open(master_input, LIBRARY_FOR_COMPARE, messages);
  if (master == nullptr) return RESULT_NEED_BIBTEX;
  std::unique_ptr<OpenedLibrary> second = format->Open(second_input, LIBRARY_FOR_COMPARE, messages);
  if (second == nullptr) return RESULT_NEED_BIBTEX;
  ReportProblems(report, request.master, master->Problems());
  ReportProblems(report, request.second, second->Problems());
  CompareRun run;
  run.master = master->Entries();
  run.second = second->Entries();
  run.rules = format->Rules();
  run.indexed = request.setup.indexed;
  return CompareWithOutputs(&run, request, report);
}
