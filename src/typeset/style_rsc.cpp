// References as rsc.bst prints them for the Royal Society of Chemistry:
// given names as initials, every part after a comma, the year before the
// volume, "ed." before a book's editors, no titles of articles, papers in
// proceedings or theses, and no notes but those of the lesser works.
#include "typeset/reference_parts.h"
#include "typeset/sentence_case.h"
#include "typeset/styles.h"

extern const NameStyle kRscNames = {GIVEN_FIRST, ", ", " and ", " and ", " \\textit{et~al.}",
                                    " \\textit{et~al.}", 0};

namespace {

std::string Pages(const ReferenceParts& p) {
  if (p.pages.empty()) return "";
  return (p.pages_plural ? "pp. " : "p. ") + p.pages;
}

std::string Editors(const ReferenceParts& p) { return p.editors.empty() ? "" : "ed. " + p.editors; }

std::string VolumeOfSeries(const ReferenceParts& p) {
  if (p.volume.empty()) return "";
  return "vol.~" + p.volume + (p.series.empty() ? "" : " of \\textit{" + p.series + "}");
}

void Write(std::initializer_list<std::string> parts, std::string* out) {
  for (const std::string& part : parts) AddPart(out, ", ", "", part, "");
  FinishReference(out, ".");
}

// A book names its volume alone.
std::string Volume(const ReferenceParts& p) { return p.volume.empty() ? "" : "vol.~" + p.volume; }

std::string Edition(const ReferenceParts& p) { return p.edition.empty() ? "" : OrdinalEdition(p.edition) + " edn."; }

void Article(const ReferenceParts& p, std::string* out) {
  Write({p.authors, Italic(p.journal), p.year,
            p.volume.empty() ? "" : "\\textbf{" + p.volume + "}", Either(p.eid, p.pages)}, out);
}

void Book(const ReferenceParts& p, std::string* out) {
  std::string title = Italic(p.title);
  if (p.authors.empty()) {
    Write({title, Editors(p), p.publisher, p.address, Edition(p), p.year, Volume(p), Pages(p)}, out);
    return;
  }
  const int inbook = p.type == "inbook";
  Write({p.authors, inbook && !title.empty() ? "in " + title : title, p.publisher, p.address, Edition(p), p.year,
            Volume(p), inbook && !p.chapter.empty() ? "ch.~" + p.chapter : "", Pages(p)},
        out);
}

void Incollection(const ReferenceParts& p, std::string* out) {
  Write({p.authors, p.booktitle.empty() ? "" : "in \\textit{" + p.booktitle + "}", Editors(p), p.publisher,
            p.address, Edition(p), p.year, VolumeOfSeries(p), Pages(p)},
        out);
}

void Inproceedings(const ReferenceParts& p, std::string* out) {
  Write({p.authors, p.booktitle, p.address, p.year, Pages(p)}, out);
}

void Proceedings(const ReferenceParts& p, std::string* out) {
  Write({p.title, p.address, p.year, Pages(p)}, out);
}

void Manual(const ReferenceParts& p, std::string* out) {
  Write({p.authors, Italic(p.title), p.organization, p.address, Edition(p),
            p.year},
        out);
}

void Booklet(const ReferenceParts& p, std::string* out) {
  Write({p.authors, Italic(p.title), p.howpublished, p.address, p.year},
        out);
}

void Phdthesis(const ReferenceParts& p, std::string* out) {
  Write({p.authors, Either(p.type_field, "Ph.D. thesis"), p.school, p.address, p.year}, out);
}

void Mastersthesis(const ReferenceParts& p, std::string* out) {
  Write({p.authors, Either(p.type_field, "M.Sc. thesis"), p.school, p.address, p.year}, out);
}

// "Institution type number"; without a number the style writes the whole
// phrase in sentence case: "Carnegie mellon university technical report".
void Techreport(const ReferenceParts& p, std::string* out) {
  std::string kind = Joined(" ", {p.institution, Either(p.type_field, "Technical Report")});
  kind = p.number.empty() ? SentenceCase(kind) : kind + " " + p.number;
  Write({p.authors, p.title, kind, p.publisher.empty() ? "" : Joined(", ", {p.publisher, p.address}), p.year}, out);
}

void Unpublished(const ReferenceParts& p, std::string* out) { Write({p.authors, p.note}, out); }

void Misc(const ReferenceParts& p, std::string* out) {
  Write({p.authors, p.title, p.howpublished, p.year, p.url, p.note}, out);
}

const TypeRoute kRoutes[] = {
    {"article", Article},         {"book", Book},           {"booklet", Booklet},   {"inbook", Book},
    {"incollection", Incollection}, {"inproceedings", Inproceedings}, {"conference", Inproceedings},
    {"manual", Manual},           {"mastersthesis", Mastersthesis}, {"phdthesis", Phdthesis},
    {"proceedings", Proceedings}, {"techreport", Techreport}, {"unpublished", Unpublished},
};

}  // namespace

void WriteRscReference(const ReferenceParts& parts, std::string* out) {
  WriteByType(parts, kRoutes, sizeof kRoutes / sizeof kRoutes[0], Misc, out);
}
