// References in the style of the American Chemical Society: "Surname,
// Given" names joined by ";", parts joined by ";", "Publisher: Place".
#include "typeset/reference_parts.h"

namespace {

const char* EditorWord(const ReferenceParts& p) { return p.editor_count > 1 ? ", Eds." : ", Ed."; }

// An article without pages is found by its DOI, printed in their place.
void Article(const ReferenceParts& p, std::string* out) {
  AddPart(out, "", "", p.authors, "");
  AddPart(out, "\n", "\\textit{", p.journal, "}");
  AddPart(out, " ", "\\textbf{", p.year, "}");
  AddPart(out, ", ", "", p.volume, "");
  AddPages(out, ", ", p, "", "");
  if (p.pages.empty()) AddPart(out, ", ", "DOI: ", p.doi, "");
  FinishReference(out, ".");
}

// A book by its authors ("A \textit{TITLE}; E, Ed.; ...") or an edited
// volume led by its editors ("E, Eds. \textit{TITLE}; ...").
void Book(const ReferenceParts& p, std::string* out) {
  if (!p.authors.empty()) {
    AddPart(out, "", "", p.authors, "");
  } else {
    AddPart(out, "", "", p.editors, EditorWord(p));
  }
  AddPart(out, " ", "\\textit{", p.title, "}");
  AddPart(out, ", ", "", p.edition, " ed.");
  if (!p.authors.empty()) AddPart(out, "; ", "", p.editors, EditorWord(p));
  AddPart(out, "; ", "", p.series, "");
  AddPart(out, "; ", "", PublisherGroup(p.publisher, ": ", p.address, ", ", p.year), "");
  AddPart(out, "; ", "Vol. ", p.volume, "");
  std::string where;
  AddPart(&where, "", "Chapter ", p.chapter, "");
  AddPages(&where, ", ", p, "p ", "pp ");
  AddPart(out, "; ", "", where, "");
  FinishReference(out, ".");
}

// A chapter of an edited book: "A, CHAPTER. In \textit{BOOK}; E, Eds.;
// SERIES; PUBLISHER: ADDRESS, YEAR; Vol. 3; pp 45--67."
void Chapter(const ReferenceParts& p, std::string* out) {
  if (p.in_proceedings) {
    WriteEditedChapter(p, out);
    return;
  }
  AddPart(out, "", "", p.authors, "");
  AddPart(out, ", ", "", p.title, "");
  AddPart(out, ". ", "In \\textit{", p.booktitle, "}");
  AddPart(out, "; ", "", p.editors, EditorWord(p));
  AddPart(out, "; ", "", p.series, "");
  AddPart(out, "; ", "", PublisherGroup(p.publisher, ": ", p.address, ", ", p.year), "");
  AddPart(out, "; ", "Vol. ", p.volume, "");
  AddPages(out, "; ", p, "p ", "pp ");
  FinishReference(out, ".");
}

void Thesis(const ReferenceParts& p, std::string* out) {
  AddPart(out, "", "", p.authors, "");
  AddPart(out, ", ", "", p.kind, "");
  AddPart(out, "; ", "", PublisherGroup(p.school, ", ", p.address, ", ", p.year), "");
  FinishReference(out, ".");
}

void Report(const ReferenceParts& p, std::string* out) {
  AddPart(out, "", "", p.authors, "");
  AddPart(out, ", ", "\\textit{", p.title, "}");
  AddPart(out, "; ", "", p.kind, "");
  AddPart(out, " ", "", p.number, "");
  AddPart(out, "; ", "", PublisherGroup(p.publisher, ": ", p.address, ", ", p.year), "");
  FinishReference(out, ".");
}

void Misc(const ReferenceParts& p, std::string* out) {
  AddPart(out, "", "", p.authors, "");
  AddPart(out, ", ", "", p.title, "");
  AddPart(out, ". ", "", p.howpublished, "");
  AddPart(out, ". ", "", JournalGroup(p, ", ", "Vol. ", "p ", "pp "), "");
  AddPart(out, ", ", "", p.year, "");
  AddPart(out, "; ", "", p.note, "");
  AddPart(out, "; ", "", p.eprint, "");
  AddPart(out, "; ", "", p.url, "");
  FinishReference(out, ".");
}

}  // namespace

void WriteAcsReference(const ReferenceParts& parts, std::string* out) {
  switch (parts.shape) {
    case SHAPE_ARTICLE: Article(parts, out); break;
    case SHAPE_BOOK: Book(parts, out); break;
    case SHAPE_CHAPTER: Chapter(parts, out); break;
    case SHAPE_THESIS: Thesis(parts, out); break;
    case SHAPE_REPORT: Report(parts, out); break;
    case SHAPE_MISC: Misc(parts, out); break;
  }
}
