#include "classic_format/bibitem_writer.h"

#include <cstring>

#include "scan/author.h"
#include "scan/markers.h"
#include "scan/primitives.h"

namespace {

// The field texts an entry fills; every one starts empty for each entry,
// so a field the entry lacks is typeset as the empty text.
enum Field {
  AUTHOR, JOURNAL, PUBLISHER, ADDRESS, TITLE, YEAR, VOLUME, PAGES, EDITOR, BOOKTITLE, SCHOOL,
  FIELD_COUNT
};

enum TakenBy {
  BY_REST,    // the braced value on the field's own line
  BY_AUTHOR,  // a name list, rewritten for the journal style
  BY_PAGES    // the braced value, cut to the first page unless the range is wanted
};

struct FieldRule {
  const char* name;    // found as a case-sensitive substring anywhere in the line
  const char* unless;  // a line holding this is passed over (or nullptr)
  Field field;
  TakenBy taken_by;
};

struct Reference {
  const char* format;
  Field args[7];
  int arg_count;
};

// The formats of each type, in the order of ClassicStyle.
struct EntryType {
  const char* name;
  const FieldRule* rules;
  int rule_count;
  Reference references[CLASSIC_STYLE_COUNT];
};

const FieldRule kArticleRules[] = {
    {"author", nullptr, AUTHOR, BY_AUTHOR}, {"journal", nullptr, JOURNAL, BY_REST},
    {"year", nullptr, YEAR, BY_REST},       {"volume", nullptr, VOLUME, BY_REST},
    {"pages", nullptr, PAGES, BY_PAGES},
};

// A book takes "title" from any line holding it, a "booktitle" line too.
const FieldRule kBookRules[] = {
    {"author", nullptr, AUTHOR, BY_AUTHOR},     {"publisher", nullptr, PUBLISHER, BY_REST},
    {"year", nullptr, YEAR, BY_REST},           {"address", nullptr, ADDRESS, BY_REST},
    {"title", nullptr, TITLE, BY_REST},
};

// A chapter has both a title and a booktitle, so its "title" test passes
// over the "booktitle" line; its editors are a name list like the authors.
const FieldRule kIncollectionRules[] = {
    {"author", nullptr, AUTHOR, BY_AUTHOR},   {"publisher", nullptr, PUBLISHER, BY_REST},
    {"year", nullptr, YEAR, BY_REST},         {"address", nullptr, ADDRESS, BY_REST},
    {"title", "booktitle", TITLE, BY_REST},   {"booktitle", nullptr, BOOKTITLE, BY_REST},
    {"editor", nullptr, EDITOR, BY_AUTHOR},
};

const FieldRule kPhdthesisRules[] = {
    {"author", nullptr, AUTHOR, BY_AUTHOR},
    {"year", nullptr, YEAR, BY_REST},
    {"school", nullptr, SCHOOL, BY_REST},
};

// The editors of a proceedings volume are printed as the entry writes them.
const FieldRule kInproceedingsRules[] = {
    {"author", nullptr, AUTHOR, BY_AUTHOR},     {"booktitle", nullptr, BOOKTITLE, BY_REST},
    {"year", nullptr, YEAR, BY_REST},           {"editor", nullptr, EDITOR, BY_REST},
    {"address", nullptr, ADDRESS, BY_REST},     {"pages", nullptr, PAGES, BY_PAGES},
    {"publisher", nullptr, PUBLISHER, BY_REST},
};

#define RULES(table) table, static_cast<int>(sizeof table / sizeof table[0])

const EntryType kEntryTypes[] = {
    {"ARTICLE", RULES(kArticleRules),
     {{"%s\n\\textit{%s} \\textbf{%s}, %s, %s.\n\n", {AUTHOR, JOURNAL, YEAR, VOLUME, PAGES}, 5},
      {"%s,\n\\textit{%s} \\textbf{%s}, %s (%s).\n\n", {AUTHOR, JOURNAL, VOLUME, PAGES, YEAR}, 5},
      {"%s\n%s \\textit{%s} \\textbf{%s} %s\n\n", {AUTHOR, YEAR, JOURNAL, VOLUME, PAGES}, 5}}},
    {"BOOK", RULES(kBookRules),
     {{"%s \\textit{%s}; %s; %s, %s.\n\n", {AUTHOR, TITLE, PUBLISHER, ADDRESS, YEAR}, 5},
      {"\\textit{%s}, edited by %s (%s, %s, %s).\n\n", {TITLE, AUTHOR, PUBLISHER, ADDRESS, YEAR}, 5},
      {"%s %s \\textit{%s} (%s: %s)\n\n", {AUTHOR, YEAR, TITLE, ADDRESS, PUBLISHER}, 5}}},
    {"INCOLLECTION", RULES(kIncollectionRules),
     {{"%s, \\textit{%s in %s %s}; %s: %s, %s.\n\n",
       {AUTHOR, TITLE, EDITOR, BOOKTITLE, PUBLISHER, ADDRESS, YEAR}, 7},
      {"%s, in \\textit{%s}, edited by %s (%s, %s, %s).\n\n",
       {AUTHOR, BOOKTITLE, EDITOR, PUBLISHER, ADDRESS, YEAR}, 6},
      {"%s %s \\textit{%s} in \\textit{%s} ed %s (%s: %s)\n\n",
       {AUTHOR, YEAR, TITLE, BOOKTITLE, EDITOR, ADDRESS, PUBLISHER}, 7}}},
    {"PHDTHESIS", RULES(kPhdthesisRules),
     {{"%s, Ph.D. thesis; %s, %s.\n\n", {AUTHOR, SCHOOL, YEAR}, 3},
      {"%s, Ph.D. thesis, %s, %s).\n\n", {AUTHOR, SCHOOL, YEAR}, 3},
      {"%s %s Ph.D. thesis %s\n\n", {AUTHOR, YEAR, SCHOOL}, 3}}},
    {"INPROCEEDINGS", RULES(kInproceedingsRules),
     {{"%s, in \\textit{Proceedings of the %s} edited by %s (%s, %s, %s), p. %s\n\n",
       {AUTHOR, BOOKTITLE, EDITOR, PUBLISHER, ADDRESS, YEAR, PAGES}, 7},
      {"%s, in \\textit{Proceedings of the %s} edited by %s (%s, %s, %s), p. %s\n\n",
       {AUTHOR, BOOKTITLE, EDITOR, PUBLISHER, ADDRESS, YEAR, PAGES}, 7},
      {"%s %s \\textit{Proc. %s} (%s: %s) p %s\n\n",
       {AUTHOR, YEAR, BOOKTITLE, ADDRESS, EDITOR, PAGES}, 6}}},
};

struct FieldTexts {
  char text[FIELD_COUNT][LINE_SIZE];
};

const EntryType* FindEntryType(const char* type_name) {
  for (const EntryType& type : kEntryTypes) {
    if (std::strcmp(type.name, type_name) == 0) return &type;
  }
  return nullptr;
}

// The writer's place in the reduced file: the line read last, and whether
// a read has found the end of the file.  At the end the line keeps its
// text, so the field scan of the last entry still sees its last line.
struct Cursor {
  LineReader* reduced;
  ClassicStyle style;
  int page_range;
  char current[LINE_SIZE];
  bool at_end;
};

std::size_t ReadCurrentLine(Cursor* cursor) {
  char line[LINE_SIZE];
  std::size_t length = ReadLine(cursor->reduced, line);
  if (length > 0) {
    std::memcpy(cursor->current, line, length + 1);
  } else {
    cursor->at_end = true;
  }
  return length;
}

// Moves on to the next line that opens a typeset entry.  Lines before it
// belong to an entry the writer cannot typeset (one copied along without a
// type marker, or the rest of an entry of an unknown type); stopping there
// instead would leave every later entry out of the bibitem file.
int SkipToTypesetEntry(Cursor* cursor) {
  while (!HoldsEntryMarker(cursor->current, MARKERS_TYPESET)) {
    if (ReadCurrentLine(cursor) == 0) return 0;
  }
  return 1;
}

void TakeField(const FieldRule& rule, const char* line, Cursor* cursor, FieldTexts* fields) {
  char* text = fields->text[rule.field];
  if (rule.taken_by == BY_AUTHOR) {
    entry_author(line, text, cursor->reduced, LINE_SIZE, cursor->style);
    return;
  }
  entry_rest(line, text, LINE_SIZE);
  if (rule.taken_by == BY_PAGES && cursor->page_range == 0) CutToFirstPage(text);
}

// Tests every line up to the next entry marker (or the end of the file)
// for each field name of the type, each test on its own, so that one line
// may fill several field texts.
void ScanFields(const EntryType& type, Cursor* cursor, FieldTexts* fields) {
  const char* line = cursor->current;
  while (!HoldsEntryMarker(line, MARKERS_SIX)) {
    for (int r = 0; r < type.rule_count; r++) {
      const FieldRule& rule = type.rules[r];
      if (std::strstr(line, rule.name) == nullptr) continue;
      if (rule.unless != nullptr && std::strstr(line, rule.unless) != nullptr) continue;
      TakeField(rule, line, cursor, fields);
    }
    if (ReadCurrentLine(cursor) == 0) return;
  }
}

void WriteReference(const EntryType& type, const FieldTexts& fields, ClassicStyle style,
                    std::FILE* out) {
  if (style < 0 || style >= CLASSIC_STYLE_COUNT) return;
  const Reference& reference = type.references[style];
  const char* a[7] = {"", "", "", "", "", "", ""};
  for (int i = 0; i < reference.arg_count; i++) a[i] = fields.text[reference.args[i]];
  // The formats are the fixed texts above; each "%s" takes the next value.
  std::fprintf(out, reference.format, a[0], a[1], a[2], a[3], a[4], a[5], a[6]);
}

// Writes one entry whose first line is current, and leaves current on the
// line after the entry.
void WriteEntry(Cursor* cursor, std::FILE* out) {
  char type_name[LINE_SIZE];
  char key[LINE_SIZE];
  EntryTypeName(cursor->current, type_name, sizeof type_name);
  FindBibTag(cursor->current, key, "{", ",", sizeof key);
  std::fprintf(out, "\\bibitem{%s}\n", key);

  ReadCurrentLine(cursor);
  const EntryType* type = FindEntryType(type_name);
  if (type == nullptr) return;  // an unknown type gets its \bibitem line alone

  FieldTexts fields;
  for (int f = 0; f < FIELD_COUNT; f++) fields.text[f][0] = '\0';
  ScanFields(*type, cursor, &fields);
  WriteReference(*type, fields, cursor->style, out);
}

}  // namespace

void EntryTypeName(const char* line, char* type, std::size_t type_size) {
  std::size_t out = 0;
  if (line[0] != '\0') {
    for (const char* p = line + 1; *p != '\0' && *p != '\n' && *p != '{'; p++) {
      if (out + 1 < type_size) type[out++] = *p;
    }
  }
  type[out] = '\0';
}

void WriteBibitems(LineReader* reduced, std::FILE* bibitems, int entry_count, ClassicStyle style,
                   int page_range) {
  Cursor cursor;
  cursor.reduced = reduced;
  cursor.style = style;
  cursor.page_range = page_range;
  cursor.current[0] = '\0';
  cursor.at_end = false;
  ReadCurrentLine(&cursor);
  for (int i = 0; i < entry_count; i++) {
    // Once the end is reached, the line kept there has been handled: taking
    // it again would typeset its entry a second time.
    if (cursor.at_end || !SkipToTypesetEntry(&cursor)) return;
    WriteEntry(&cursor, bibitems);
  }
}
