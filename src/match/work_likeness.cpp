#include "match/work_likeness.h"

#include <string>

#include "entry/text_hash.h"
#include "text/ascii_case.h"
#include "text/bibtex_names.h"
#include "text/edition_number.h"
#include "text/journal_names.h"
#include "text/plain_letters.h"
#include "text/title_likeness.h"
#include "text/trim.h"

namespace {

// Volumes, pages and article numbers in any letter case ("e1234", "E1234").
std::string Folded(const std::string& value) { return LowerCase(Trim(value)); }

// A surname without a generational suffix braced into it ("{Sterling Jr}"),
// which BibTeX cannot part from the surname but another export writes
// apart ("Sterling, Jr., M.").
std::string_view WithoutSuffix(std::string_view last) {
  static const char* const kSuffixes[] = {"jr", "jr.", "sr", "sr.", "ii", "iii", "iv"};
  std::string_view bare = Trim(last);
  bool braced = bare.size() > 2 && bare.front() == '{' && bare.back() == '}';
  std::string_view inner = braced ? bare.substr(1, bare.size() - 2) : bare;
  std::size_t blank = inner.find_last_of(" ~");
  if (blank == std::string_view::npos) return last;
  std::string suffix = LowerCase(inner.substr(blank + 1));
  for (const char* known : kSuffixes) {
    if (suffix == known) return Trim(inner.substr(0, blank));
  }
  return last;
}

// The surname of the first author, or of the first editor when the entry
// names no author, as its plain letters: the "last" part alone.  BibTeX
// takes "von" words by their letter case, and libraries write the
// particle either way ("L. Van Beethoven", "Beethoven, L. van"); the last
// part is "Beethoven" in each.  Given names and a "Jr" never count, so
// initials and full names agree, and accents in any form fold to their
// letter.
std::string FirstSurname(const entry_fields& fields) {
  const std::string& names = fields.author.empty() ? fields.editor : fields.author;
  return PlainLetters(WithoutSuffix(ParseFirstName(names).last));
}

// Two values that tell works apart when both are given; an empty value
// proves nothing.
int Disagree(const std::string& a, const std::string& b) { return !a.empty() && !b.empty() && a != b; }

// Titles tell works apart only when both are given and are not alike.
int TitlesDisagree(const TitleShape& a, const TitleShape& b) {
  return !a.letters.empty() && !b.letters.empty() && !TitlesAlike(a, b);
}

// A journal as an index notes it: its initials, which every abbreviation
// keeps; a name without words (an ADS macro such as "\apj") as it stands.
std::string JournalKey(const std::string& journal) {
  std::string initials = JournalInitials(journal);
  return initials.empty() ? "=" + Folded(journal) : initials;
}

int JournalsMatch(const std::string& a, const std::string& b) {
  if (JournalInitials(a).empty() || JournalInitials(b).empty()) return JournalKey(a) == JournalKey(b);
  return JournalsAgree(a, b);
}

int HasArticleValues(const entry_fields& f) {
  return !f.journal.empty() && !f.volume.empty() && !f.pages.empty() && !f.year.empty();
}

int SameArticle(const entry_fields& a, const entry_fields& b, const TitleShape& title_a,
                const TitleShape& title_b) {
  if (!HasArticleValues(a) || !HasArticleValues(b)) return 0;
  if (Trim(a.year) != Trim(b.year) || Folded(a.volume) != Folded(b.volume)) return 0;
  if (Folded(a.pages) != Folded(b.pages) || !JournalsMatch(a.journal, b.journal)) return 0;
  return !Disagree(FirstSurname(a), FirstSurname(b)) && !TitlesDisagree(title_a, title_b);
}

// Books and the like, and any entry without the values of its own rule:
// the same first author and alike titles.  Two volumes or two editions of
// one book are two works, and so are one author's alike titles of two
// years.
int SameAuthorTitle(const entry_fields& a, const entry_fields& b, const TitleShape& title_a,
                 const TitleShape& title_b) {
  std::string person = FirstSurname(a);
  if (person.empty() || person != FirstSurname(b)) return 0;
  if (title_a.letters.empty() || title_b.letters.empty() || !TitlesAlike(title_a, title_b)) return 0;
  if (Disagree(Folded(a.year), Folded(b.year))) return 0;
  if (Disagree(Folded(a.volume), Folded(b.volume))) return 0;
  return !Disagree(EditionNumber(a.edition), EditionNumber(b.edition));
}

// MISC entries (compare only): the same note, and no year, volume, first
// author or title that tells them apart.
int SameNote(const entry_fields& a, const entry_fields& b, const TitleShape& title_a,
             const TitleShape& title_b) {
  if (a.note.empty() || a.note != b.note) return 0;
  if (Disagree(a.year, b.year) || Disagree(a.volume, b.volume)) return 0;
  return !Disagree(FirstSurname(a), FirstSurname(b)) && !TitlesDisagree(title_a, title_b);
}

// An article that lacks its journal, volume, first page or year (a
// preprint, a paper "submitted") is judged by author and title, unless a
// page or journal both give tells the two apart.
int SameUnpublishedArticle(const entry_fields& a, const entry_fields& b, const TitleShape& title_a,
                           const TitleShape& title_b) {
  if (Disagree(Folded(a.pages), Folded(b.pages))) return 0;
  if (!a.journal.empty() && !b.journal.empty() && !JournalsMatch(a.journal, b.journal)) return 0;
  return SameAuthorTitle(a, b, title_a, title_b);
}

MatchReason LikeArticles(const entry_fields& a, const entry_fields& b, const TitleShape& title_a,
                         const TitleShape& title_b) {
  if (HasArticleValues(a) && HasArticleValues(b)) {
    return SameArticle(a, b, title_a, title_b) ? REASON_ARTICLE : REASON_NONE;
  }
  return SameUnpublishedArticle(a, b, title_a, title_b) ? REASON_AUTHOR_TITLE : REASON_NONE;
}

MatchReason LikeByKind(WorkKind kind, EntryGroup group, const entry_fields& a, const entry_fields& b) {
  TitleShape title_a = ShapeOfTitle(a.title);
  TitleShape title_b = ShapeOfTitle(b.title);
  // An erratum or a comment is never the work it corrects.
  if (IsNoticeTitle(title_a) != IsNoticeTitle(title_b)) return REASON_NONE;
  if (kind == KIND_ARTICLE) return LikeArticles(a, b, title_a, title_b);
  if (SameAuthorTitle(a, b, title_a, title_b)) return REASON_AUTHOR_TITLE;
  // MISC entries without an author or title (compare): the note.
  return kind == KIND_OTHER && group == GROUP_MISC && SameNote(a, b, title_a, title_b) ? REASON_NOTE
                                                                                       : REASON_NONE;
}

std::uint64_t TaggedText(const char* tag, WorkKind kind, const std::string& one, const std::string& two) {
  TextHasher text;
  text.AddPart(tag);
  text.AddNumber(static_cast<std::uint64_t>(kind));
  text.AddPart(one);
  text.AddPart(two);
  return text.Hash64();
}

void ArticleText(const entry_fields& f, std::vector<std::uint64_t>* texts) {
  if (!HasArticleValues(f)) return;
  TextHasher text;
  text.AddPart("A");
  text.AddPart(Folded(f.volume));
  text.AddPart(Folded(f.pages));
  text.AddPart(Trim(f.year));
  text.AddPart(JournalKey(f.journal));
  texts->push_back(text.Hash64());
}

void AuthorTitleTexts(WorkKind kind, const entry_fields& f, std::vector<std::uint64_t>* texts) {
  std::string person = FirstSurname(f);
  if (person.empty()) return;
  for (const std::string& key : TitleKeys(ShapeOfTitle(f.title))) {
    texts->push_back(TaggedText("B", kind, person, key));
  }
}

}  // namespace

MatchReason LikeWorks(EntryGroup group, const entry_fields& a, const entry_fields& b) {
  if (!a.doi.empty() && !b.doi.empty()) return a.doi == b.doi ? REASON_DOI : REASON_NONE;
  if (a.content == b.content) return REASON_FIELDS;
  WorkKind kind = KindOfType(a.type);
  if (kind != KindOfType(b.type)) return REASON_NONE;
  return LikeByKind(kind, group, a, b);
}

void LikeWorkTexts(const entry_fields& fields, std::vector<std::uint64_t>* texts) {
  texts->clear();
  if (!fields.doi.empty()) texts->push_back(TaggedText("D", KIND_OTHER, fields.doi, ""));
  texts->push_back(ContentText(fields));
  WorkKind kind = KindOfType(fields.type);
  if (kind == KIND_ARTICLE) ArticleText(fields, texts);
  if (kind == KIND_OTHER && !fields.note.empty()) texts->push_back(TaggedText("N", kind, fields.note, ""));
  AuthorTitleTexts(kind, fields, texts);
}
