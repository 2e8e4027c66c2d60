// References as the J. Am. Chem. Soc. style of chembst (JAmChemSoc.bst)
// prints them: "Surname, I." names joined by ";", the year in bold
// before the volume, "Publisher: Place, Year"; the lesser works as a
// list of parts each closed by ";".
#include "typeset/reference_parts.h"
#include "typeset/styles.h"

extern const NameStyle kAcsNames = {SURNAME_COMMA, "; ", "; ", "; ", "; et al.", "; et al.", 15};

namespace {

std::string EditorsMarked(const ReferenceParts& p) {
  return p.editors.empty() ? "" : p.editors + (p.editor_count > 1 ? ", Eds." : ", Ed.");
}

std::string Pages(const ReferenceParts& p) {
  if (p.pages.empty()) return "";
  return (p.pages_plural ? "pp " : "p ") + p.pages;
}

std::string SeriesVolume(const ReferenceParts& p) {
  std::string group;
  AddPart(&group, "", "", p.series, "");
  AddPart(&group, ", ", "Vol. ", p.volume, "");
  return group;
}

// "Publisher: Place, Year" as one part; with neither publisher nor place
// the year joins the part before it: "In \\textit{Big Book}, 2005".
void AddPublisherPlaceYear(const std::string& publisher, const ReferenceParts& p, int with_year, std::string* out) {
  std::string place = Joined(": ", {publisher, p.address});
  if (place.empty()) {
    if (with_year) AddPart(out, ", ", "", p.year, "");
    return;
  }
  AddPart(out, "; ", "", Joined(", ", {place, with_year ? p.year : ""}), "");
}

void Article(const ReferenceParts& p, std::string* out) {
  AddPart(out, "", "", p.authors, "");
  AddPart(out, " ", "\\textit{", p.journal, "}");
  AddPart(out, " ", "\\textbf{", p.year, "}");
  AddPart(out, ", ", "\\textit{", p.volume, "}");
  AddPart(out, ", ", "", Either(p.eid, p.pages), "");
  AddPart(out, "; ", "", p.note, "");
  FinishReference(out, ".");
}

void Book(const ReferenceParts& p, std::string* out) {
  AddPart(out, "", "", Either(p.authors, p.editors), "");
  std::string title;
  AddPart(&title, "", "\\textit{", p.title, "}");
  AddPart(&title, ", ", "", OrdinalEdition(p.edition), " ed.");
  AddPart(out, " ", "", title, "");
  // Without a series the volume follows the publisher.
  if (!p.series.empty()) AddPart(out, "; ", "", SeriesVolume(p), "");
  AddPublisherPlaceYear(p.publisher, p, 1, out);
  if (p.series.empty()) AddPart(out, "; ", "Vol. ", p.volume, "");
  if (p.type == "inbook") {
    AddPart(out, "; ", "", Joined(", ", {p.chapter.empty() ? "" : "Chapter " + p.chapter, Pages(p)}), "");
  }
  AddPart(out, "; ", "", p.note, "");
  FinishReference(out, ".");
}

void Incollection(const ReferenceParts& p, std::string* out) {
  AddPart(out, "", "", p.authors, "");
  AddPart(out, " ", "In \\textit{", p.booktitle, "}");
  AddPart(out, "; ", "", EditorsMarked(p), "");
  if (!p.series.empty()) AddPart(out, "; ", "", SeriesVolume(p), "");
  AddPublisherPlaceYear(p.publisher, p, 1, out);
  if (p.series.empty()) AddPart(out, "; ", "Vol. ", p.volume, "");
  AddPart(out, "; ", "", Pages(p), "");
  AddPart(out, "; ", "", p.note, "");
  FinishReference(out, ".");
}

// A paper in proceedings names no editors and no year; the organization
// comes before the publisher, or stands in its place.
void Inproceedings(const ReferenceParts& p, std::string* out) {
  AddPart(out, "", "", p.authors, "");
  AddPart(out, " ", "In \\textit{", p.booktitle, "}");
  if (!p.publisher.empty()) AddPart(out, "; ", "", p.organization, "");
  AddPublisherPlaceYear(Either(p.publisher, p.organization), p, 0, out);
  if (!p.series.empty()) AddPart(out, "; ", "", SeriesVolume(p), "");
  AddPart(out, "; ", "", Pages(p), "");
  AddPart(out, "; ", "", p.note, "");
  FinishReference(out, ".");
}

// The lesser works: every part closed by ";", the last by ".".
void PartList(const ReferenceParts& p, std::initializer_list<std::string> parts, std::string* out) {
  AddPart(out, "", "", p.authors, "");
  for (const std::string& part : parts) AddPart(out, "; ", "", part, "");
  FinishReference(out, ".");
  if (!p.url.empty()) {
    out->resize(out->size() - 2);
    *out += " " + p.url + ".\n\n";
  }
}

void Booklet(const ReferenceParts& p, std::string* out) {
  PartList(p, {Italic(p.title), p.howpublished, p.address, p.year, p.note}, out);
}

void Manual(const ReferenceParts& p, std::string* out) {
  PartList(p, {Italic(p.title), p.organization, p.address, p.edition.empty() ? "" : p.edition + " ed.", p.year, p.note},
           out);
}

void Phdthesis(const ReferenceParts& p, std::string* out) {
  PartList(p, {Either(p.type_field, "Ph.D. thesis"), p.school, p.address, p.year, p.note}, out);
}

void Mastersthesis(const ReferenceParts& p, std::string* out) {
  PartList(p, {Either(p.type_field, "Master's thesis"), p.school, p.address, p.year, p.note}, out);
}

void Techreport(const ReferenceParts& p, std::string* out) {
  std::string kind = Either(p.type_field, "Tech. Rep.");
  PartList(p, {Italic(p.title), p.number.empty() ? kind : kind + " " + p.number, p.institution, p.address, p.year, p.note},
           out);
}

// The style prints a proceedings volume's number twice ("Vol. 1600;
// 1600"); it is printed once here.
void Proceedings(const ReferenceParts& p, std::string* out) {
  AddPart(out, "", "", p.editors, "");
  AddPart(out, "; ", "\\textit{", p.title, "}");
  AddPart(out, "; ", "Vol. ", p.volume, "");
  AddPart(out, "; ", "", Joined(": ", {Either(p.publisher, p.organization), p.address}), "");
  AddPart(out, "; ", "", p.note, "");
  FinishReference(out, ".");
}

void Misc(const ReferenceParts& p, std::string* out) {
  PartList(p, {Italic(p.title), p.howpublished, p.year, p.note}, out);
}

const TypeRoute kRoutes[] = {
    {"article", Article},    {"book", Book},           {"booklet", Booklet},      {"inbook", Book},
    {"incollection", Incollection}, {"inproceedings", Inproceedings}, {"conference", Inproceedings},
    {"manual", Manual},
    {"mastersthesis", Mastersthesis}, {"phdthesis", Phdthesis}, {"proceedings", Proceedings},
    {"techreport", Techreport},
};

}  // namespace

void WriteAcsReference(const ReferenceParts& parts, std::string* out) {
  WriteByType(parts, kRoutes, sizeof kRoutes / sizeof kRoutes[0], Misc, out);
}
