// References as naturemag prints them: "Surname, I." names, "&" before
// the last, the first name alone and "et al." beyond five; titles in
// sentence case but for books and theses; "(Publisher, Place, Year)".
#include "typeset/reference_parts.h"
#include "typeset/styles.h"

extern const NameStyle kNatureNames = {SURNAME_COMMA, ", ", " \\& ", " \\& ", " \\textit{et~al.}",
                                       " \\textit{et~al.}", 5};

namespace {

std::string EditorsMarked(const ReferenceParts& p) {
  return p.editors.empty() ? "" : p.editors + (p.editor_count > 1 ? " (eds.)" : " (ed.)");
}

std::string PublisherGroup(const std::string& publisher, const ReferenceParts& p) {
  return Joined(", ", {publisher, p.address, p.year});
}

// "vol. 3 of \textit{Series}", or the volume or series alone.
std::string VolumeOfSeries(const ReferenceParts& p) {
  if (p.volume.empty()) return Italic(p.series);
  return "vol.~" + p.volume + (p.series.empty() ? "" : " of \\textit{" + p.series + "}");
}

// The first letter of a note is a capital, as the style writes it.
std::string Capitalised(const std::string& text) {
  std::string out = text;
  if (!out.empty() && out[0] >= 'a' && out[0] <= 'z') out[0] = static_cast<char>(out[0] - 'a' + 'A');
  return out;
}

// The URL, then the note, then the eprint, which joins the note.
void Tail(const ReferenceParts& p, std::string* out) {
  AddPart(out, ". ", "URL ", p.url, "");
  AddPart(out, ". ", "", Capitalised(p.note), "");
  AddPart(out, p.note.empty() ? ". " : ", ", "", p.eprint, "");
  FinishReference(out, ".");
}

// The title takes its full stop only when the journal follows it.
void Article(const ReferenceParts& p, std::string* out) {
  AddPart(out, "", "", WithFullStop(p.authors), "");
  std::string where;
  AddPart(&where, "", "\\textit{", p.journal, "}");
  AddPart(&where, " ", "\\textbf{", p.volume, "}");
  AddPart(&where, p.volume.empty() ? " " : ", ", "", Either(p.eid, p.pages), "");
  AddPart(out, " ", "", where.empty() ? p.title_lower : WithFullStop(p.title_lower), "");
  AddPart(out, " ", "", where, "");
  AddPart(out, " ", "(", p.year, ")");
  Tail(p, out);
}

void Book(const ReferenceParts& p, std::string* out) {
  AddPart(out, "", "", p.authors.empty() ? EditorsMarked(p) : WithFullStop(p.authors), "");
  std::string title;
  AddPart(&title, "", "\\textit{", p.title, "}");
  if (p.type == "inbook") AddPart(&title, ", ", "chap.~", p.chapter, "");
  if (p.type == "inbook") AddPart(&title, ", ", "", p.pages, "");
  AddPart(&title, ", ", "", VolumeOfSeries(p), "");
  AddPart(&title, " ", "(", PublisherGroup(Either(p.publisher, p.organization), p), ")");
  AddPart(out, p.authors.empty() ? " " : " ", "", title, "");
  AddPart(out, ", ", "", WithFirstLetterCase(p.edition, 0), " edn");
  Tail(p, out);
}

void Proceedings(const ReferenceParts& p, std::string* out) {
  AddPart(out, "", "", EditorsMarked(p), ".");
  std::string title;
  AddPart(&title, "", "\\textit{", p.title, "}");
  AddPart(&title, ", ", "", VolumeOfSeries(p), "");
  AddPart(&title, " ", "(", PublisherGroup(Either(p.publisher, p.organization), p), ")");
  AddPart(out, " ", "", title, "");
  Tail(p, out);
}

// Without a book title the style writes neither "In" nor the editors, and
// the publisher's parentheses follow the title without a full stop.
void Chapter(const ReferenceParts& p, std::string* out) {
  AddPart(out, "", "", WithFullStop(p.authors), "");
  std::string book;
  if (!p.booktitle.empty()) book = Joined(" ", {EditorsMarked(p), Italic(p.booktitle)});
  AddPart(&book, ", ", "", VolumeOfSeries(p), "");
  AddPart(&book, ", ", "", p.pages, "");
  AddPart(out, " ", "", book.empty() ? p.title_lower : WithFullStop(p.title_lower), "");
  AddPart(out, " ", p.booktitle.empty() ? "" : "In ", book, "");
  AddPart(out, " ", "(", PublisherGroup(Either(p.publisher, p.organization), p), ")");
  Tail(p, out);
}

// A title closed by a full stop, then what the work is and who made it,
// the year in parentheses.
void Work(const ReferenceParts& p, const std::string& title, std::initializer_list<std::string> rest,
          std::string* out) {
  AddPart(out, "", "", WithFullStop(p.authors), "");
  std::string what;
  for (const std::string& part : rest) AddPart(&what, ", ", "", part, "");
  AddPart(&what, " ", "(", p.year, ")");
  AddPart(out, " ", "", what.empty() ? title : WithFullStop(title), "");
  AddPart(out, " ", "", what, "");
  Tail(p, out);
}

void Booklet(const ReferenceParts& p, std::string* out) { Work(p, p.title_lower, {p.howpublished, p.address}, out); }

void Manual(const ReferenceParts& p, std::string* out) {
  Work(p, Italic(p.title), {p.organization, p.address, p.edition.empty() ? "" : p.edition + " edn."},
       out);
}

void Phdthesis(const ReferenceParts& p, std::string* out) {
  Work(p, Italic(p.title), {Either(p.type_field, "Ph.D. thesis"), p.school, p.address}, out);
}

void Mastersthesis(const ReferenceParts& p, std::string* out) {
  Work(p, Italic(p.title), {Either(p.type_field, "Master's thesis"), p.school, p.address}, out);
}

void Techreport(const ReferenceParts& p, std::string* out) {
  std::string kind = Either(p.type_field, "Tech. Rep.");
  Work(p, p.title_lower, {p.number.empty() ? kind : kind + " " + p.number, p.institution, p.address}, out);
}

void Misc(const ReferenceParts& p, std::string* out) {
  AddPart(out, "", "", WithFullStop(p.authors), "");
  AddPart(out, " ", "", p.howpublished.empty() ? p.title_lower : WithFullStop(p.title_lower), "");
  AddPart(out, " ", "", p.howpublished, "");
  AddPart(out, " ", "(", p.year, ")");
  Tail(p, out);
}

const TypeRoute kRoutes[] = {
    {"article", Article},    {"book", Book},           {"booklet", Booklet},      {"inbook", Book},
    {"incollection", Chapter}, {"inproceedings", Chapter}, {"conference", Chapter}, {"manual", Manual},
    {"mastersthesis", Mastersthesis}, {"phdthesis", Phdthesis}, {"proceedings", Proceedings},
    {"techreport", Techreport},
};

}  // namespace

void WriteNatureReference(const ReferenceParts& parts, std::string* out) {
  WriteByType(parts, kRoutes, sizeof kRoutes / sizeof kRoutes[0], Misc, out);
}
