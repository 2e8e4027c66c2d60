#include "typeset/reference_parts.h"

#include "text/ascii_case.h"

namespace {

int EndsWithFullStop(const std::string& text) { return !text.empty() && text.back() == '.'; }

}  // namespace

void AddPart(std::string* out, const char* separator, const char* prefix,
             const std::string& value, const char* suffix) {
  if (value.empty()) return;
  if (!out->empty()) {
    if (separator[0] == '.' && EndsWithFullStop(*out)) separator++;
    *out += separator;
  }
  *out += prefix;
  *out += value;
  *out += suffix;
}

void AddPages(std::string* out, const char* separator, const ReferenceParts& parts,
              const char* one_page, const char* more_pages) {
  AddPart(out, separator, parts.pages_plural ? more_pages : one_page, parts.pages, "");
}

std::string JournalGroup(const ReferenceParts& parts, const char* separator, const char* volume_word,
                         const char* one_page, const char* more_pages) {
  std::string group;
  AddPart(&group, separator, "\\textit{", parts.journal, "}");
  AddPart(&group, separator, volume_word, parts.volume, "");
  AddPages(&group, separator, parts, one_page, more_pages);
  return group;
}

void FinishReference(std::string* text, const char* end) {
  if (!text->empty()) {
    if (end[0] == '.' && EndsWithFullStop(*text)) end++;
    *text += end;
  }
  *text += "\n\n";
}

int TitleNamesProceedings(const std::string& title) {
  std::size_t i = 0;
  while (i < title.size() && title[i] == '{') i++;
  const char* word = "proc";
  for (int k = 0; k < 4; k++, i++) {
    if (i >= title.size() || AsciiLower(title[i]) != word[k]) return 0;
  }
  return 1;
}

std::string PublisherGroup(const std::string& first, const char* middle_separator,
                           const std::string& second, const char* last_separator,
                           const std::string& third) {
  std::string group;
  AddPart(&group, "", "", first, "");
  AddPart(&group, middle_separator, "", second, "");
  AddPart(&group, last_separator, "", third, "");
  return group;
}

void WriteEditedChapter(const ReferenceParts& parts, std::string* out) {
  // A paper in proceedings keeps the older wording: the book named as
  // proceedings, no comma before "edited by" (unless a series stands
  // between them), no closing full stop.
  const int proceedings = parts.in_proceedings;
  const char* book_open = "in \\textit{";
  if (proceedings && !TitleNamesProceedings(parts.booktitle)) book_open = "in \\textit{Proceedings of the ";
  AddPart(out, "", "", parts.authors, "");
  AddPart(out, ", ", book_open, parts.booktitle, "}");
  std::string series;
  AddPart(&series, "", "", parts.series, "");
  AddPart(&series, ", ", "Vol. ", parts.volume, "");
  AddPart(out, ", ", "", series, "");
  AddPart(out, proceedings && series.empty() ? " " : ", ", "edited by ", parts.editors, "");
  AddPart(out, " ", "(", PublisherGroup(parts.publisher, ", ", parts.address, ", ", parts.year), ")");
  AddPages(out, ", ", parts, "p. ", "pp. ");
  FinishReference(out, proceedings ? "" : ".");
}
