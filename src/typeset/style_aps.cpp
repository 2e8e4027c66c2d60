// References as apsrev4-2 prints them under revtex4-2 (aps, prb): given
// names as initials, a serial comma, article titles left out, the
// publisher, address and year together in parentheses, no closing full
// stop.  Titles of booklets, chapters of books and other works are in
// sentence case; books, theses and reports keep theirs.
#include "typeset/reference_parts.h"
#include "typeset/styles.h"

extern const NameStyle kApsNames = {GIVEN_FIRST, ", ", " and ", ", and ", " et al.", ", et al.", 0};

namespace {

std::string PublisherGroup(const ReferenceParts& p, const std::string& publisher) {
  return Joined(", ", {publisher, p.address, p.year});
}

std::string Editors(const ReferenceParts& p) {
  return p.editors.empty() ? "" : p.editors + (p.editor_count > 1 ? ", eds." : ", ed.");
}

// Only an article's pages follow the page mode: the style prints the
// whole range of a chapter.
std::string Pages(const ReferenceParts& p) {
  if (p.page_range.empty()) return "";
  return (p.page_range_plural ? "pp. " : "p. ") + p.page_range;
}

// An eprint number is named with its archive, arXiv unless the entry
// says another; an address is printed as it stands.
std::string Eprint(const ReferenceParts& p) {
  if (p.eprint.empty() || p.eprint.find("://") != std::string::npos) return p.eprint;
  std::string eprint = Either(p.archive, "arXiv") + ":" + p.eprint;
  return p.primary_class.empty() ? eprint : eprint + " [" + p.primary_class + "]";
}

// A note follows in lower case, the style's way, and then the eprint.
void Tail(const ReferenceParts& p, const char* separator, std::string* out) {
  AddPart(out, separator, "", WithFirstLetterCase(p.note, 0), "");
  AddPart(out, ", ", "", Eprint(p), "");
  FinishReference(out, "");
}

// revtex4-2, the class APS references are typeset in, defines a few of the
// ADS journal macros itself, and its texts are the ones printed.
std::string Journal(const ReferenceParts& p) {
  static const char* const kClassTexts[][2] = {{"apj", "Astrophys.~J."}, {"nat", "Nature (London)"}};
  for (const auto& text : kClassTexts) {
    if (p.journal_macro == text[0]) return text[1];
  }
  return p.journal;
}

// The style keeps the blank after the journal when the volume is missing:
// "Biometrics , 907 (1983)".
void Article(const ReferenceParts& p, std::string* out) {
  AddPart(out, "", "", p.authors, "");
  std::string where;
  AddPart(&where, "", "\\textit{", Journal(p), "} ");
  AddPart(&where, where.empty() ? "" : "", "\\textbf{", p.volume, "}");
  AddPart(&where, ", ", "", Either(p.eid, p.pages), "");
  // An article without pages is found by its DOI, printed in their place.
  if (p.eid.empty() && p.pages.empty()) AddPart(&where, p.volume.empty() ? "" : ", ", "", p.doi, "");
  AddPart(out, ", ", "", where, "");
  AddPart(out, " ", "(", p.year, ")");
  Tail(p, ", ", out);
}

// The series a book belongs to and its volume: "Physics Library, Vol. 3".
std::string SeriesVolume(const ReferenceParts& p) {
  std::string group;
  AddPart(&group, "", "", p.series, "");
  AddPart(&group, ", ", "Vol. ", p.volume, "");
  return group;
}

// A book keeps its title's case; a chapter of one (inbook) is in sentence
// case and names its chapter.
void Book(const ReferenceParts& p, std::string* out) {
  const int inbook = p.type == "inbook";
  AddPart(out, "", "", p.authors.empty() ? Editors(p) : p.authors, "");
  AddPart(out, ", ", "", Italic(inbook ? p.title_lower : p.title), "");
  AddPart(out, ", ", "", OrdinalEdition(p.edition), " ed.");
  AddPart(out, ", ", "", SeriesVolume(p), "");
  AddPart(out, " ", "(", PublisherGroup(p, p.publisher), ")");
  if (inbook) AddPart(out, " ", "Chap. ", p.chapter, "");
  AddPart(out, inbook && !p.chapter.empty() ? ", " : " ", "", Pages(p), "");
  Tail(p, " ", out);
}

void Chapter(const ReferenceParts& p, std::string* out) {
  AddPart(out, "", "", p.authors, "");
  AddPart(out, ", ", "in \\textit{", p.booktitle, "}");
  AddPart(out, ", ", "", OrdinalEdition(p.edition), " ed.");
  AddPart(out, ", ", "", SeriesVolume(p), "");
  AddPart(out, ", ", "edited by ", p.editors, "");
  AddPart(out, " ", "(", PublisherGroup(p, Either(p.publisher, p.organization)), ")");
  AddPart(out, " ", "", Pages(p), "");
  Tail(p, " ", out);
}

void Proceedings(const ReferenceParts& p, std::string* out) {
  AddPart(out, "", "", Editors(p), "");
  AddPart(out, ", ", "\\textit{", p.title, "}");
  AddPart(out, ", ", "", SeriesVolume(p), "");
  AddPart(out, " ", "(", PublisherGroup(p, Either(p.publisher, p.organization)), ")");
  FinishReference(out, "");
}

// A title and where the work came from, then the year in parentheses:
// booklets and manuals, theses and reports.
void Work(const ReferenceParts& p, const std::string& title, const std::string& where, std::string* out) {
  AddPart(out, "", "", p.authors, "");
  AddPart(out, ", ", "", title, "");
  AddPart(out, ", ", "", where, "");
  AddPart(out, ", ", "", p.address, "");
  AddPart(out, ", ", "", OrdinalEdition(p.edition), " ed.");
  AddPart(out, " ", "(", p.year, ")");
  Tail(p, ", ", out);
}

// apsrev4-2 drops a booklet's volume; the default style keeps it, so that
// no part the entry gives is lost ("Nature Genetics supplement, Vol. 21").
void Booklet(const ReferenceParts& p, std::string* out) {
  Work(p, p.title_lower, Joined(", ", {p.howpublished, p.volume.empty() ? "" : "Vol. " + p.volume}), out);
}

void Manual(const ReferenceParts& p, std::string* out) { Work(p, Italic(p.title), p.organization, out); }

void Thesis(const ReferenceParts& p, std::string* out, const char* kind) {
  Work(p, Italic(p.title), Joined(", ", {Either(p.type_field, kind), p.school}), out);
}

void Phdthesis(const ReferenceParts& p, std::string* out) { Thesis(p, out, "Ph.D. thesis"); }

void Mastersthesis(const ReferenceParts& p, std::string* out) { Thesis(p, out, "Master's thesis"); }

void Techreport(const ReferenceParts& p, std::string* out) {
  AddPart(out, "", "", p.authors, "");
  AddPart(out, ", ", "\\textit{", p.title, "}");
  std::string kind = Either(p.type_field, "Tech. Rep.");
  AddPart(out, ", ", "", p.number.empty() ? kind : kind + " " + p.number, "");
  AddPart(out, " ", "(", PublisherGroup(p, p.institution), ")");
  Tail(p, " ", out);
}

void Unpublished(const ReferenceParts& p, std::string* out) {
  AddPart(out, "", "", p.authors, "");
  AddPart(out, " ", "(", p.year, ")");
  Tail(p, ", ", out);
}

void Misc(const ReferenceParts& p, std::string* out) {
  AddPart(out, "", "", p.authors, "");
  AddPart(out, ", ", "", p.title_lower, "");
  AddPart(out, ", ", "", p.howpublished, "");
  AddPart(out, " ", "(", p.year, ")");
  Tail(p, ", ", out);
}

const TypeRoute kRoutes[] = {
    {"article", Article},         {"book", Book},           {"booklet", Booklet},
    {"inbook", Book},           {"incollection", Chapter}, {"inproceedings", Chapter},
    {"conference", Chapter},      {"manual", Manual},       {"mastersthesis", Mastersthesis},
    {"phdthesis", Phdthesis},     {"proceedings", Proceedings}, {"techreport", Techreport},
    {"unpublished", Unpublished},
};

}  // namespace

void WriteApsReference(const ReferenceParts& parts, std::string* out) {
  WriteByType(parts, kRoutes, sizeof kRoutes / sizeof kRoutes[0], Misc, out);
}
