// From an entry's fields to the parts of its reference: where a part comes
// from, and the crossref parent filling what the entry lacks.  Which parts
// print, in what order and with what words, is each style's own (its file
// typeset/style_NAME.cpp).
#include "typeset/reference.h"

#include "text/ascii_case.h"
#include "typeset/latex_text.h"
#include "typeset/names.h"
#include "typeset/reference_parts.h"
#include "typeset/sentence_case.h"

namespace {

// The entry's value of a field, else its crossref parent's; "" for none.
struct Source {
  const EntryValues& entry;
  const EntryValues* parent;
};

std::string RawValue(const Source& source, const char* name) {
  std::string_view value = source.entry.Value(name);
  if (value.empty() && source.parent != nullptr) value = source.parent->Value(name);
  return std::string(value);
}

std::string Text(const Source& source, const char* name) { return LatexText(RawValue(source, name)); }

std::string Names(const Source& source, const char* name, const NameStyle& style, int* count) {
  NameList list;
  ParseNameList(LatexText(RawValue(source, name)), &list);
  *count = NameCount(list);
  return FormatNameList(list, style);
}

std::string LowerType(std::string_view type) {
  std::string out;
  for (char c : type) out += AsciiLower(c);
  return out;
}

// The parts that print a field's value as LaTeX text, as it stands.
struct TextField {
  std::string ReferenceParts::*part;
  const char* name;
};

const TextField kTextFields[] = {
    {&ReferenceParts::title, "title"},         {&ReferenceParts::booktitle, "booktitle"},
    {&ReferenceParts::year, "year"},           {&ReferenceParts::month, "month"},
    {&ReferenceParts::volume, "volume"},       {&ReferenceParts::number, "number"},
    {&ReferenceParts::issue, "issue"},         {&ReferenceParts::eid, "eid"},
    {&ReferenceParts::issn, "issn"},           {&ReferenceParts::isbn, "isbn"},           {&ReferenceParts::publisher, "publisher"},
    {&ReferenceParts::organization, "organization"}, {&ReferenceParts::institution, "institution"},
    {&ReferenceParts::school, "school"},       {&ReferenceParts::address, "address"},
    {&ReferenceParts::edition, "edition"},     {&ReferenceParts::chapter, "chapter"},
    {&ReferenceParts::howpublished, "howpublished"}, {&ReferenceParts::type_field, "type"},
    {&ReferenceParts::note, "note"},           {&ReferenceParts::eprint, "eprint"},
    {&ReferenceParts::archive, "archiveprefix"}, {&ReferenceParts::primary_class, "primaryclass"},
};

void ReadParts(const Source& source, const JournalStyleInfo& style, int page_range, ReferenceParts* p) {
  p->type = LowerType(source.entry.Type());
  p->authors = Names(source, "author", *style.names, &p->author_count);
  p->editors = Names(source, "editor", *style.names, &p->editor_count);
  for (const TextField& field : kTextFields) p->*field.part = Text(source, field.name);
  p->title_lower = LatexText(SentenceCase(RawValue(source, "title")));
  p->journal = JournalText(RawValue(source, "journal"));
  p->journal_macro = JournalMacroName(RawValue(source, "journal"));
  // Cut before the text is made LaTeX, so that no cut falls inside math.
  p->pages = LatexText(PagesText(RawValue(source, "pages"), page_range));
  p->pages_plural = PagesArePlural(p->pages);
  p->page_range = LatexText(PagesText(RawValue(source, "pages"), 1));
  p->page_range_plural = PagesArePlural(p->page_range);
  p->series = JournalText(RawValue(source, "series"));  // ADS names series by macros too (\procspie)
  p->url = VerbatimText(RawValue(source, "url"));
  p->doi = VerbatimText(RawValue(source, "doi"));
}

}  // namespace

void TypesetReference(const EntryValues& entry, const EntryValues* parent,
                      const ReferenceOptions& options, std::string* out) {
  const JournalStyleInfo& style = options.style != nullptr ? *options.style : *StyleAt(0);
  const Source source{entry, parent};
  ReferenceParts parts;
  ReadParts(source, style, options.page_range, &parts);
  std::string text;
  style.write(parts, &text);
  *out += text;
}
