// References in the style of the American Physical Society: given names
// first, the publisher, address and year together in parentheses.
#include "typeset/reference_parts.h"

namespace {

void Article(const ReferenceParts& p, std::string* out) {
  AddPart(out, "", "", p.authors, "");
  AddPart(out, ",\n", "\\textit{", p.journal, "}");
  AddPart(out, " ", "\\textbf{", p.volume, "}");
  AddPages(out, ", ", p, "", "");
  AddPart(out, " ", "(", p.year, ")");
  FinishReference(out, ".");
}

// A book by its authors, or an edited volume: "\textit{TITLE}, edited by E".
void Book(const ReferenceParts& p, std::string* out) {
  AddPart(out, "", "", p.authors, "");
  AddPart(out, ", ", "\\textit{", p.title, "}");
  AddPart(out, ", ", "edited by ", p.editors, "");
  AddPart(out, ", ", "", p.edition, " ed.");
  AddPart(out, ", ", "", p.series, "");
  AddPart(out, ", ", "Vol. ", p.volume, "");
  AddPart(out, " ", "(", PublisherGroup(p.publisher, ", ", p.address, ", ", p.year), ")");
  AddPart(out, ", ", "Chap. ", p.chapter, "");
  AddPages(out, ", ", p, "p. ", "pp. ");
  FinishReference(out, ".");
}

void Thesis(const ReferenceParts& p, std::string* out) {
  AddPart(out, "", "", p.authors, "");
  AddPart(out, ", ", "", p.kind, "");
  AddPart(out, ", ", "", p.school, "");
  AddPart(out, ", ", "", p.address, "");
  AddPart(out, " ", "(", p.year, ")");
  FinishReference(out, ".");
}

void Report(const ReferenceParts& p, std::string* out) {
  AddPart(out, "", "", p.authors, "");
  AddPart(out, ", ", "\\textit{", p.title, "}");
  AddPart(out, ", ", "", p.kind, "");
  AddPart(out, " ", "", p.number, "");
  AddPart(out, " ", "(", PublisherGroup(p.publisher, ", ", p.address, ", ", p.year), ")");
  FinishReference(out, ".");
}

void Misc(const ReferenceParts& p, std::string* out) {
  AddPart(out, "", "", p.authors, "");
  AddPart(out, ", ", "", p.title, "");
  AddPart(out, ", ", "", p.howpublished, "");
  AddPart(out, ", ", "", JournalGroup(p, ", ", "Vol. ", "p. ", "pp. "), "");
  AddPart(out, " ", "(", p.year, ")");
  AddPart(out, ", ", "", p.note, "");
  AddPart(out, ", ", "", p.eprint, "");
  AddPart(out, ", ", "", p.url, "");
  FinishReference(out, ".");
}

}  // namespace

void WriteApsReference(const ReferenceParts& parts, std::string* out) {
  switch (parts.shape) {
    case SHAPE_ARTICLE: Article(parts, out); break;
    case SHAPE_BOOK: Book(parts, out); break;
    case SHAPE_CHAPTER: WriteEditedChapter(parts, out); break;
    case SHAPE_THESIS: Thesis(parts, out); break;
    case SHAPE_REPORT: Report(parts, out); break;
    case SHAPE_MISC: Misc(parts, out); break;
  }
}
