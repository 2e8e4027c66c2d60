// What a reference is made of once the entry's values are read: the
// parts, each ready to print (LaTeX-safe, names in the style's form), ""
// where the entry has none; the small rule by which a part that is absent
// drops out together with its punctuation and its words; and the table by
// which a style picks its writer for an entry type.
#ifndef TAMREL_TYPESET_REFERENCE_PARTS_H
#define TAMREL_TYPESET_REFERENCE_PARTS_H

#include <cstddef>
#include <initializer_list>
#include <string>

struct ReferenceParts {
  std::string type;  // the entry type in lower case: "article"
  std::string authors;
  int author_count = 0;
  std::string editors;
  int editor_count = 0;
  std::string title;
  std::string title_lower;  // BibTeX's sentence case: "A study of {DNA}"
  std::string booktitle;
  std::string journal;
  std::string journal_macro;  // the macro the journal is written as: "apj"
  std::string year;
  std::string month;
  std::string volume;
  std::string number;
  std::string issue;
  std::string eid;  // an article number given in place of pages
  std::string issn;
  std::string isbn;
  std::string pages;  // in the page mode chosen: the first page or the range
  int pages_plural = 0;
  std::string page_range;  // the whole range, whatever the mode
  int page_range_plural = 0;
  std::string publisher;
  std::string organization;
  std::string institution;
  std::string school;
  std::string address;
  std::string edition;
  std::string series;
  std::string chapter;
  std::string howpublished;
  std::string type_field;  // the entry's own "type": "Technical Note"
  std::string note;
  std::string eprint;  // "1234.5678"
  std::string archive;  // where the eprint is kept: "arXiv"
  std::string primary_class;  // its subject class: "cs.LG"
  std::string url;     // \texttt{...}
  std::string doi;     // \texttt{...}
};

// Appends prefix, value and suffix to out, after separator when out
// already holds text; appends nothing when value is empty.  A separator
// that starts with "." loses it after a text ending in ".", so that
// "Corp." never becomes "Corp..".
void AddPart(std::string* out, const char* separator, const char* prefix,
             const std::string& value, const char* suffix);

// Ends the reference with end (not doubling a full stop) and a blank
// line.  A reference with no part at all is the blank line alone.
void FinishReference(std::string* text, const char* end);

// Parts joined by separator, the empty ones left out.
std::string Joined(const char* separator, std::initializer_list<std::string> parts);

// An edition as an ordinal, as the styles write it: "2", "2." and
// "second" (any case) give "2nd"; any other text stays as it is.
std::string OrdinalEdition(const std::string& edition);

// The text with its first letter lowered (upper with 0): the styles so
// write a note that follows other parts.  A braced first letter stays.
std::string WithFirstLetterCase(const std::string& text, int upper);

// The text closed by a full stop, unless it ends in one already or in "?"
// or "!" (closing braces aside), as BibTeX's add.period$ does; "" stays "".
std::string WithFullStop(const std::string& text);

// "\\textit{TEXT}", or "" for an empty text.
std::string Italic(const std::string& text);

// value, or fallback when value is empty.
const std::string& Either(const std::string& value, const std::string& fallback);

// The writer a style uses for one entry type.
typedef void (*TypeWriter)(const ReferenceParts& parts, std::string* out);
struct TypeRoute {
  const char* type;
  TypeWriter write;
};

// Writes parts with the route for their type; a type the table lacks goes
// to fallback, as a BibTeX style sends it to its default type.
void WriteByType(const ReferenceParts& parts, const TypeRoute* routes, std::size_t count, TypeWriter fallback,
                 std::string* out);

#endif
