// The clean log: a block for every double left out, a flag line and a
// renaming block for every entry given a new key, and a closing count.
// An entry written without any candidate deciding leaves no trace.
#ifndef TAMREL_CLEAN_CLEAN_LOG_H
#define TAMREL_CLEAN_CLEAN_LOG_H

#include <cstdio>

#include "clean/decision.h"
#include "entry/entry_record.h"
#include "match/match_rules.h"

// The exact-double or probable-double block, in the form of the current
// entry's group (author and title, or journal, volume, year and pages),
// with the values that decided it when a reason is given (the BibTeX
// reader's rules; REASON_NONE writes none).
void WriteDoubleBlock(std::FILE* log, CleanOutcome outcome, EntryGroup group, MatchReason reason,
                      const entry_fields* current, const entry_fields* candidate);

// The line written when a key conflict is found: flag 1 for the BOOK
// group, flag 2 for the ARTICLE group.
void WriteFlagLine(std::FILE* log, EntryGroup group, const entry_fields* current,
                   const entry_fields* candidate);

// The renaming block, written when the entry's first line gets its new
// key.  It shows the journal values for both groups.
void WriteRenamingBlock(std::FILE* log, const entry_fields* current,
                        const entry_fields* candidate, const char* new_key);

// The closing count, without a final line feed.
void WriteClosingMessage(std::FILE* log, int not_written, const char* input_path,
                         const char* cleaned_path);

#endif
