// References as iopart-num prints them: surname and undotted initials,
// the year after the names, parts joined by blanks, "(Place: Publisher)",
// titles of the lesser works in sentence case, no closing full stop.
#include "typeset/reference_parts.h"
#include "typeset/sentence_case.h"
#include "typeset/styles.h"

extern const NameStyle kIopNames = {SURNAME_SPACE, ", ", " and ", " and ", " \\textit{et~al.}",
                                    " \\textit{et~al.}", 0};

namespace {

std::string PlacePublisher(const std::string& address, const std::string& publisher) {
  return Joined(": ", {address, publisher});
}

// "(\textit{Series} vol 3)"; a series or a volume alone stands plain.
std::string SeriesVolume(const ReferenceParts& p) {
  if (p.volume.empty()) return p.series;
  if (p.series.empty()) return "vol " + p.volume;
  std::string group;
  AddPart(&group, "", "\\textit{", p.series, "}");
  AddPart(&group, " ", "vol ", p.volume, "");
  return "(" + group + ")";
}

std::string Pages(const ReferenceParts& p) {
  if (p.pages.empty()) return "";
  return (p.pages_plural ? "pp " : "p ") + p.pages;
}

// Names (authors, else editors marked so) and year open every reference.
void Lead(const ReferenceParts& p, std::string* out) {
  if (!p.authors.empty()) {
    AddPart(out, "", "", p.authors, "");
  } else {
    AddPart(out, "", "", p.editors, p.editor_count > 1 ? " (eds)" : " (ed)");
  }
  AddPart(out, " ", "", p.year, "");
}

void Tail(const ReferenceParts& p, std::string* out) {
  AddPart(out, " ", "", WithFirstLetterCase(p.note, 0), "");
  AddPart(out, " ", "(\\textit{Preprint} ", p.eprint, ")");
  AddPart(out, " ", "URL ", p.url, "");
  FinishReference(out, "");
}

void Article(const ReferenceParts& p, std::string* out) {
  Lead(p, out);
  AddPart(out, " ", "\\textit{", p.journal, "}");
  AddPart(out, " ", "\\textbf{", p.volume, "}");
  AddPart(out, "", "(", p.issue, ")");
  AddPart(out, " ", "", Either(p.eid, p.pages), "");
  AddPart(out, " ", "ISSN ", p.issn, "");
  Tail(p, out);
}

void Book(const ReferenceParts& p, std::string* out) {
  Lead(p, out);
  AddPart(out, " ", "\\textit{", p.title, "}");
  AddPart(out, " ", "", OrdinalEdition(p.edition), " ed");
  if (!p.authors.empty()) AddPart(out, " ", "ed ", p.editors, "");
  AddPart(out, " ", "", SeriesVolume(p), "");
  AddPart(out, " ", "(", PlacePublisher(p.address, p.publisher), ")");
  if (p.type == "inbook") {
    AddPart(out, " ", "chap ", p.chapter, "");
    AddPart(out, p.chapter.empty() ? " " : ", ", "", Pages(p), "");
  }
  AddPart(out, " ", "ISBN ", p.isbn, "");
  Tail(p, out);
}

void Chapter(const ReferenceParts& p, std::string* out) {
  Lead(p, out);
  AddPart(out, " ", "", p.title_lower, "");
  AddPart(out, " ", "\\textit{", p.booktitle, "}");
  AddPart(out, " ", "", SeriesVolume(p), "");
  AddPart(out, " ", "ed ", p.editors, "");
  AddPart(out, " ", "(", PlacePublisher(p.address, Either(p.publisher, p.organization)), ")");
  AddPart(out, " ", "", Pages(p), "");
  Tail(p, out);
}

// A title and then what the work is and who made it, each after a blank.
void Work(const ReferenceParts& p, const std::string& title, std::initializer_list<std::string> rest,
          std::string* out) {
  Lead(p, out);
  AddPart(out, " ", "", title, "");
  for (const std::string& part : rest) AddPart(out, " ", "", part, "");
  Tail(p, out);
}

void Booklet(const ReferenceParts& p, std::string* out) {
  Work(p, p.title_lower, {p.howpublished, p.address}, out);
}

void Manual(const ReferenceParts& p, std::string* out) {
  Work(p, Italic(p.title), {p.organization, p.address, p.edition.empty() ? "" : OrdinalEdition(p.edition) + " ed"},
       out);
}

void Thesis(const ReferenceParts& p, const char* kind, std::string* out) {
  Work(p, Italic(p.title), {Either(SentenceCase(p.type_field), kind), p.school, p.address}, out);
}

void Phdthesis(const ReferenceParts& p, std::string* out) { Thesis(p, "Ph.D. thesis", out); }

void Mastersthesis(const ReferenceParts& p, std::string* out) { Thesis(p, "Master's thesis", out); }

void Techreport(const ReferenceParts& p, std::string* out) {
  std::string kind = Either(p.type_field, p.number.empty() ? "Tech. rep." : "Tech. Rep.");
  Work(p, p.title_lower, {p.number.empty() ? kind : kind + " " + p.number, p.institution, p.address}, out);
}

void Misc(const ReferenceParts& p, std::string* out) { Work(p, p.title_lower, {p.howpublished}, out); }

const TypeRoute kRoutes[] = {
    {"article", Article},   {"book", Book},           {"booklet", Booklet},      {"inbook", Book},
    {"incollection", Chapter}, {"inproceedings", Chapter}, {"conference", Chapter}, {"manual", Manual},
    {"mastersthesis", Mastersthesis}, {"phdthesis", Phdthesis}, {"proceedings", Book},
    {"techreport", Techreport},
};

}  // namespace

void WriteIopReference(const ReferenceParts& parts, std::string* out) {
  WriteByType(parts, kRoutes, sizeof kRoutes / sizeof kRoutes[0], Misc, out);
}
