// From an entry's fields to the parts of its reference: which parts each
// entry type prints, where a part comes from, and the crossref parent
// filling what the entry lacks.
#include "typeset/reference.h"

#include <cstring>

#include "text/ascii_case.h"
#include "text/title_words.h"
#include "typeset/latex_text.h"
#include "typeset/names.h"
#include "typeset/reference_parts.h"

namespace {

// The optional parts an entry type prints; the year is printed by all.
enum CarriedPart : unsigned {
  P_AUTHOR = 1u << 0,
  P_EDITOR = 1u << 1,
  P_TITLE = 1u << 2,
  P_BOOKTITLE = 1u << 3,
  P_JOURNAL = 1u << 4,
  P_VOLUME = 1u << 5,
  P_PAGES = 1u << 6,
  P_ADDRESS = 1u << 7,
  P_EDITION = 1u << 8,
  P_SERIES = 1u << 9,
  P_CHAPTER = 1u << 10,
  P_NUMBER = 1u << 11,
  P_HOWPUBLISHED = 1u << 12,
  P_NOTE = 1u << 13,
  P_EPRINT = 1u << 14,
  P_URL = 1u << 15,
  P_DOI = 1u << 16,
  P_SCHOOL = 1u << 17
};

struct TypeRule {
  const char* name;
  ReferenceShape shape;
  unsigned parts;
  const char* publisher;           // the field that names who published it
  const char* publisher_fallback;  // read when that field is absent
  const char* kind;                // what the work is called, unless "type" says
  int in_proceedings;
};

// A journal named by a book or a chapter is the series it belongs to
// ("Methods in Enzymology"), printed in the series' place.
const unsigned kSeriesParts = P_SERIES | P_VOLUME | P_JOURNAL;
const unsigned kBookParts = P_AUTHOR | P_EDITOR | P_TITLE | P_EDITION | kSeriesParts | P_ADDRESS;
const unsigned kChapterParts = P_AUTHOR | P_EDITOR | P_TITLE | P_BOOKTITLE | kSeriesParts | P_ADDRESS | P_PAGES;
const unsigned kThesisParts = P_AUTHOR | P_SCHOOL | P_ADDRESS;
const unsigned kReportParts = P_AUTHOR | P_TITLE | P_NUMBER | P_ADDRESS;
const unsigned kMiscParts =
    P_AUTHOR | P_TITLE | P_HOWPUBLISHED | P_JOURNAL | P_VOLUME | P_PAGES | P_NOTE | P_EPRINT | P_URL;

const TypeRule kTypeRules[] = {
    {"article", SHAPE_ARTICLE, P_AUTHOR | P_JOURNAL | P_VOLUME | P_PAGES | P_DOI, nullptr, nullptr, nullptr, 0},
    {"book", SHAPE_BOOK, kBookParts, "publisher", nullptr, nullptr, 0},
    {"booklet", SHAPE_BOOK, P_AUTHOR | P_TITLE | kSeriesParts | P_ADDRESS, "howpublished", "publisher", nullptr,
     0},
    {"inbook", SHAPE_BOOK, kBookParts | P_CHAPTER | P_PAGES, "publisher", nullptr, nullptr, 0},
    {"manual", SHAPE_BOOK, P_AUTHOR | P_TITLE | P_EDITION | kSeriesParts | P_ADDRESS, "organization", nullptr,
     nullptr, 0},
    {"proceedings", SHAPE_BOOK, P_EDITOR | P_TITLE | kSeriesParts | P_ADDRESS, "publisher", "organization",
     nullptr, 0},
    {"incollection", SHAPE_CHAPTER, kChapterParts, "publisher", nullptr, nullptr, 0},
    {"inproceedings", SHAPE_CHAPTER, kChapterParts, "publisher", nullptr, nullptr, 1},
    {"conference", SHAPE_CHAPTER, kChapterParts, "publisher", nullptr, nullptr, 1},
    {"phdthesis", SHAPE_THESIS, kThesisParts, nullptr, nullptr, "Ph.D. thesis", 0},
    {"mastersthesis", SHAPE_THESIS, kThesisParts, nullptr, nullptr, "Master's thesis", 0},
    {"thesis", SHAPE_THESIS, kThesisParts, nullptr, nullptr, "Thesis", 0},
    {"techreport", SHAPE_REPORT, kReportParts, "institution", nullptr, "Tech. Rep.", 0},
    {"report", SHAPE_REPORT, kReportParts, "institution", nullptr, "Tech. Rep.", 0},
    {"misc", SHAPE_MISC, kMiscParts, nullptr, nullptr, nullptr, 0},
    {"online", SHAPE_MISC, kMiscParts, nullptr, nullptr, nullptr, 0},
    {"unpublished", SHAPE_MISC, kMiscParts, nullptr, nullptr, nullptr, 0},
};

// A type not in the table is typeset as misc: its author, title and the
// ways to find it still print.
const TypeRule& RuleOf(const EntryValues& entry) {
  const TypeRule* misc = nullptr;
  for (const TypeRule& rule : kTypeRules) {
    if (SameIgnoringCase(entry.Type(), rule.name)) return rule;
    if (std::strcmp(rule.name, "misc") == 0) misc = &rule;
  }
  return *misc;
}

// The entry's value of a field, else its crossref parent's; "" for none.
struct Source {
  const EntryValues& entry;
  const EntryValues* parent;
};

std::string RawValue(const Source& source, const char* name) {
  if (name == nullptr) return "";
  std::string_view value = source.entry.Value(name);
  if (value.empty() && source.parent != nullptr) value = source.parent->Value(name);
  return std::string(value);
}

std::string Text(const Source& source, const char* name, unsigned carried, unsigned part) {
  return (carried & part) ? LatexText(RawValue(source, name)) : "";
}

std::string Names(const Source& source, const char* name, NameForm form, int* count) {
  NameList list;
  ParseNameList(LatexText(RawValue(source, name)), &list);
  if (count != nullptr) *count = NameCount(list);
  return FormatNameList(list, form);
}

// A "type" field renames the work; the biblatex keys for the usual kinds
// are written out as words.
std::string Kind(const Source& source, const TypeRule& rule) {
  if (rule.kind == nullptr) return "";
  std::string type = RawValue(source, "type");
  if (type.empty()) return rule.kind;
  if (SameIgnoringCase(type, "phdthesis")) return "Ph.D. thesis";
  if (SameIgnoringCase(type, "mathesis") || SameIgnoringCase(type, "mastersthesis")) return "Master's thesis";
  if (SameIgnoringCase(type, "techreport")) return "Tech. Rep.";
  return LatexText(type);
}

// The series a book or a chapter belongs to, with the journal the entry
// names for it when the two differ: "Methods in Enzymology".
std::string SeriesWithJournal(const std::string& series, const std::string& journal) {
  if (journal.empty() || TitleWords(series) == TitleWords(journal)) return series;
  if (series.empty()) return journal;
  return series + ", " + journal;
}

std::string Eprint(const Source& source) {
  std::string eprint = RawValue(source, "eprint");
  if (eprint.empty()) return "";
  std::string prefix = RawValue(source, "archiveprefix");
  if (prefix.empty()) prefix = RawValue(source, "eprinttype");
  if (prefix.empty()) prefix = "arXiv";
  return LatexText(prefix + ":" + eprint);
}

void ReadParts(const Source& source, const TypeRule& rule, const JournalStyleInfo& style,
               int page_range, ReferenceParts* p) {
  const unsigned c = rule.parts;
  p->shape = rule.shape;
  p->in_proceedings = rule.in_proceedings;
  if (c & P_AUTHOR) p->authors = Names(source, "author", style.names, nullptr);
  if (c & P_EDITOR) p->editors = Names(source, "editor", style.names, &p->editor_count);
  p->title = Text(source, "title", c, P_TITLE);
  p->booktitle = Text(source, "booktitle", c, P_BOOKTITLE);
  if (c & P_JOURNAL) p->journal = JournalText(RawValue(source, "journal"));
  p->year = LatexText(RawValue(source, "year"));
  p->volume = Text(source, "volume", c, P_VOLUME);
  p->number = Text(source, "number", c, P_NUMBER);
  // Cut before the text is made LaTeX, so that no cut falls inside math.
  if (c & P_PAGES) p->pages = LatexText(PagesText(RawValue(source, "pages"), page_range));
  p->pages_plural = PagesArePlural(p->pages);
  p->publisher = LatexText(RawValue(source, rule.publisher));
  if (p->publisher.empty()) p->publisher = LatexText(RawValue(source, rule.publisher_fallback));
  p->address = Text(source, "address", c, P_ADDRESS);
  if (c & P_SCHOOL) {
    p->school = LatexText(RawValue(source, "school"));
    if (p->school.empty()) p->school = LatexText(RawValue(source, "institution"));
  }
  p->kind = Kind(source, rule);
  p->edition = Text(source, "edition", c, P_EDITION);
  if (c & P_SERIES) {  // ADS names series by journal macros too (\procspie)
    p->series = SeriesWithJournal(JournalText(RawValue(source, "series")), p->journal);
    p->journal.clear();
  }
  p->chapter = Text(source, "chapter", c, P_CHAPTER);
  p->howpublished = Text(source, "howpublished", c, P_HOWPUBLISHED);
  p->note = Text(source, "note", c, P_NOTE);
  if (c & P_EPRINT) p->eprint = Eprint(source);
  if (c & P_URL) p->url = VerbatimText(RawValue(source, "url"));
  if (c & P_DOI) p->doi = VerbatimText(RawValue(source, "doi"));
}

}  // namespace

void TypesetReference(const EntryValues& entry, const EntryValues* parent,
                      const ReferenceOptions& options, std::string* out) {
  const JournalStyleInfo& style = options.style != nullptr ? *options.style : *StyleAt(0);
  const Source source{entry, parent};
  ReferenceParts parts;
  ReadParts(source, RuleOf(entry), style, options.page_range, &parts);
  std::string text;
  style.write(parts, &text);
  *out += text;
}
