// The one home of the matching rules of compare and clean doubles: which
// values the rule of each group compares, when two entries are the same
// work, and the texts under which the indexes find an entry that may be.
// The decisions and the indexes both use these routines, so they cannot
// drift apart.
//
// The line rules compare the group's values as they stand: two empty
// values are equal.  The BibTeX reader's rules judge as a careful reader
// does (match/work_likeness.h): a DOI present in both entries decides
// alone; two entries whose type and fields are all the same are the same
// work; otherwise the two must be of one kind of work, and an article needs
// the same year, volume and first page, journal names that abbreviate one
// another and the same first author and alike titles where both give them,
// while a book, thesis, chapter, proceedings paper or report needs the same
// first author (or editor), alike titles, and no year, volume or edition
// that tells them apart.  An empty value proves nothing.
#ifndef TAMREL_MATCH_MATCH_RULES_H
#define TAMREL_MATCH_MATCH_RULES_H

#include <cstdint>
#include <string>
#include <vector>

#include "entry/entry_record.h"
#include "entry/hash_set.h"
#include "match/entry_group.h"

// The values the rule of group compares, at most kMaxRuleValues: author and
// title (BOOK); volume, first page, journal and year (ARTICLE); note (MISC).
// Returns how many it put in values: 0 when the group has no rule, or under
// the parsed rules when one of the values is empty.
enum { kMaxRuleValues = 4 };
int RuleValues(EntryGroup group, const entry_fields& fields, MatchRules rules,
               const std::string* values[kMaxRuleValues]);

// Which values decided that two entries are the same work.
enum MatchReason {
  REASON_NONE,          // not the same work
  REASON_RULE_VALUES,   // the line rules: the group's values
  REASON_FIELDS,        // the type and every field
  REASON_DOI,           // the DOI
  REASON_ARTICLE,       // journal, volume, first page and year
  REASON_AUTHOR_TITLE,  // first author (or editor), title and year
  REASON_NOTE           // the note (MISC)
};

// Why the rule of group takes a and b for the same work, or REASON_NONE.
MatchReason WhySameWork(EntryGroup group, const entry_fields& a, const entry_fields& b,
                        MatchRules rules);

// 1 when the rule of group takes a and b for the same work.
int SameWork(EntryGroup group, const entry_fields& a, const entry_fields& b, MatchRules rules);

// The reason as the logs name it: "DOI", "journal/volume/page/year", ...
const char* MatchReasonText(MatchReason reason);

// Which of an entry's texts MatchTexts gives: those an index notes it by,
// or those it seeks other entries by.  The line rules' texts are the same
// for both; the BibTeX reader's tie an author's title to its year so that
// its other years are never read, which takes two sets.
enum TextUse { TEXTS_NOTED, TEXTS_SOUGHT };

// The texts under which an index notes an entry of the given group, or
// seeks the entries that may be its work: when SameWork accepts two
// entries, the texts each seeks meet a text the other is noted by.  The
// texts are given as their 64-bit hashes (entry/text_hash.h): an index
// needs no more, and building them costs no copy of any value.
void MatchTexts(EntryGroup group, const entry_fields& fields, MatchRules rules, TextUse use,
                std::vector<std::uint64_t>* texts);

// The texts under which an index notes an entry when it knows every entry
// that will be sought: sought_groups holds MatchTextGroups(TEXTS_SOUGHT) of
// each.  The BibTeX reader's texts then leave out the author/title texts
// no entry seeks (and so never shape those titles); any entry of
// sought_groups still finds every entry it would find through MatchTexts.
void MatchTextGroups(const entry_fields& fields, MatchRules rules, TextUse use,
                     std::vector<std::uint64_t>* groups);
void MatchTextsNoted(EntryGroup group, const entry_fields& fields, MatchRules rules,
                     const HashSet64& sought_groups, std::vector<std::uint64_t>* texts);

// Both sets of texts at once, for an index that seeks an entry and then
// notes it: the BibTeX reader's values (names, journal, title) are shaped
// once for both.
void MatchTexts(EntryGroup group, const entry_fields& fields, MatchRules rules,
                std::vector<std::uint64_t>* noted, std::vector<std::uint64_t>* sought);

// The text of an entry's content (the BibTeX reader's rules), one of its
// MatchTexts: the entries with the same type and fields share it.
std::uint64_t ContentText(const entry_fields& fields);

// The text under which an index notes an entry's key, as its hash.  Keys
// are one key in any ASCII letter case, as bibtex reads them.
std::uint64_t KeyText(const std::string& key);

// 1 when two keys are one key to bibtex: equal but for ASCII letter case.
int SameKey(const std::string& a, const std::string& b, MatchRules rules);

#endif
