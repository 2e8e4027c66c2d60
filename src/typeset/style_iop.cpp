// References in the style of the Institute of Physics: surname first, the
// year after the names, parts joined by blanks, "(Place: Publisher)", and
// no closing full stop.
#include "typeset/reference_parts.h"

namespace {

void Article(const ReferenceParts& p, std::string* out) {
  AddPart(out, "", "", p.authors, "");
  AddPart(out, "\n", "", p.year, "");
  AddPart(out, " ", "\\textit{", p.journal, "}");
  AddPart(out, " ", "\\textbf{", p.volume, "}");
  AddPages(out, " ", p, "", "");
  FinishReference(out, "");
}

std::string PlaceAndPublisher(const ReferenceParts& p) {
  return PublisherGroup(p.address, ": ", p.publisher, "", "");
}

// The series and volume a book or a chapter belongs to:
// "\textit{SERIES} vol 3"; "" when it names neither.
std::string SeriesAndVolume(const ReferenceParts& p) {
  std::string group;
  AddPart(&group, "", "\\textit{", p.series, "}");
  AddPart(&group, " ", "vol ", p.volume, "");
  return group;
}

// A book by its authors ("A 1999 \textit{TITLE} ed E") or an edited
// volume led by its editors ("E (eds) 2003 \textit{TITLE}").
void Book(const ReferenceParts& p, std::string* out) {
  if (!p.authors.empty()) {
    AddPart(out, "", "", p.authors, "");
  } else {
    AddPart(out, "", "", p.editors, p.editor_count > 1 ? " (eds)" : " (ed)");
  }
  AddPart(out, " ", "", p.year, "");
  AddPart(out, " ", "\\textit{", p.title, "}");
  AddPart(out, " ", "", p.edition, " ed");
  if (!p.authors.empty()) AddPart(out, " ", "ed ", p.editors, "");
  AddPart(out, " ", "(", SeriesAndVolume(p), ")");
  AddPart(out, " ", "(", PlaceAndPublisher(p), ")");
  AddPart(out, " ", "chapter ", p.chapter, "");
  AddPages(out, " ", p, "p ", "pp ");
  FinishReference(out, "");
}

// A chapter names its own title and "in" its book; a paper in
// proceedings names the proceedings alone.
void Chapter(const ReferenceParts& p, std::string* out) {
  AddPart(out, "", "", p.authors, "");
  AddPart(out, " ", "", p.year, "");
  if (p.in_proceedings) {
    const char* open = TitleNamesProceedings(p.booktitle) ? "\\textit{" : "\\textit{Proc. ";
    AddPart(out, " ", open, p.booktitle, "}");
  } else {
    AddPart(out, " ", "\\textit{", p.title, "}");
    AddPart(out, " ", "in \\textit{", p.booktitle, "}");
  }
  AddPart(out, " ", "(", SeriesAndVolume(p), ")");
  AddPart(out, " ", "ed ", p.editors, "");
  AddPart(out, " ", "(", PlaceAndPublisher(p), ")");
  AddPages(out, " ", p, "p ", "pp ");
  FinishReference(out, "");
}

void Thesis(const ReferenceParts& p, std::string* out) {
  AddPart(out, "", "", p.authors, "");
  AddPart(out, " ", "", p.year, "");
  AddPart(out, " ", "", p.kind, "");
  AddPart(out, " ", "", p.school, "");
  AddPart(out, ", ", "", p.address, "");
  FinishReference(out, "");
}

void Report(const ReferenceParts& p, std::string* out) {
  AddPart(out, "", "", p.authors, "");
  AddPart(out, " ", "", p.year, "");
  AddPart(out, " ", "\\textit{", p.title, "}");
  AddPart(out, " ", "", p.kind, "");
  AddPart(out, " ", "", p.number, "");
  AddPart(out, " ", "(", PlaceAndPublisher(p), ")");
  FinishReference(out, "");
}

void Misc(const ReferenceParts& p, std::string* out) {
  AddPart(out, "", "", p.authors, "");
  AddPart(out, " ", "", p.year, "");
  AddPart(out, " ", "", p.title, "");
  AddPart(out, " ", "", p.howpublished, "");
  AddPart(out, " ", "", JournalGroup(p, " ", "vol ", "p ", "pp "), "");
  AddPart(out, " ", "", p.note, "");
  AddPart(out, " ", "", p.eprint, "");
  AddPart(out, " ", "", p.url, "");
  FinishReference(out, "");
}

}  // namespace

void WriteIopReference(const ReferenceParts& parts, std::string* out) {
  switch (parts.shape) {
    case SHAPE_ARTICLE: Article(parts, out); break;
    case SHAPE_BOOK: Book(parts, out); break;
    case SHAPE_CHAPTER: Chapter(parts, out); break;
    case SHAPE_THESIS: Thesis(parts, out); break;
    case SHAPE_REPORT: Report(parts, out); break;
    case SHAPE_MISC: Misc(parts, out); break;
  }
}
