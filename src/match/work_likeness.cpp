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
  return PlainLetters(WithoutSuffix(FirstNameLast(names)));
}

// Two values that tell works apart when both are given; an empty value
// proves nothing.
int Disagree(const std::string& a, const std::string& b) { return !a.empty() && !b.empty() && a != b; }

// The two entries' titles, shaped when first asked about: most candidates
// are turned down by a year or a page before their titles are read.
class TitlePair {
 public:
  TitlePair(const std::string& a, const std::string& b) : a_(a), b_(b) {}

  // 1 when the titles do not tell the works apart: alike, or (unless
  // both_needed) one of them not given.  An erratum, comment or reply is
  // never the work it answers, however alike the rest.
  int Agree(bool both_needed) {
    if (!shaped_) {
      shape_a_ = ShapeOfTitle(a_);
      shape_b_ = ShapeOfTitle(b_);
      shaped_ = true;
    }
    if (IsNoticeTitle(shape_a_) != IsNoticeTitle(shape_b_)) return 0;
    if (shape_a_.letters.empty() || shape_b_.letters.empty()) return !both_needed;
    return TitlesAlike(shape_a_, shape_b_);
  }

 private:
  const std::string& a_;
  const std::string& b_;
  bool shaped_ = false;
  TitleShape shape_a_, shape_b_;
};

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

int SameArticle(const entry_fields& a, const entry_fields& b, TitlePair* titles) {
  if (Folded(a.year) != Folded(b.year) || Folded(a.volume) != Folded(b.volume)) return 0;
  if (Folded(a.pages) != Folded(b.pages) || !JournalsMatch(a.journal, b.journal)) return 0;
  return !Disagree(FirstSurname(a), FirstSurname(b)) && titles->Agree(false);
}

// Books and the like, and any entry without the values of its own rule:
// the same first author and alike titles.  Two volumes or two editions of
// one book are two works, and so are one author's alike titles of two
// years.
int SameAuthorTitle(const entry_fields& a, const entry_fields& b, TitlePair* titles) {
  if (Disagree(Folded(a.year), Folded(b.year))) return 0;
  if (Disagree(Folded(a.volume), Folded(b.volume))) return 0;
  if (Disagree(EditionNumber(a.edition), EditionNumber(b.edition))) return 0;
  std::string person = FirstSurname(a);
  if (person.empty() || person != FirstSurname(b)) return 0;
  return titles->Agree(true);
}

// MISC entries (compare only): the same note, and no year, volume, first
// author or title that tells them apart.
int SameNote(const entry_fields& a, const entry_fields& b, TitlePair* titles) {
  if (a.note.empty() || a.note != b.note) return 0;
  if (Disagree(a.year, b.year) || Disagree(a.volume, b.volume)) return 0;
  return !Disagree(FirstSurname(a), FirstSurname(b)) && titles->Agree(false);
}

// An article that lacks its journal, volume, first page or year (a
// preprint, a paper "submitted") is judged by author and title, unless a
// page or journal both give tells the two apart.
int SameUnpublishedArticle(const entry_fields& a, const entry_fields& b, TitlePair* titles) {
  // Against a published article (which always gives its year), only an
  // entry of that year counts: an index then notes a published article
  // under its first author and year alone.
  bool published = HasArticleValues(a) || HasArticleValues(b);
  if (published && (a.year.empty() || b.year.empty())) return 0;
  if (Disagree(Folded(a.pages), Folded(b.pages))) return 0;
  if (!a.journal.empty() && !b.journal.empty() && !JournalsMatch(a.journal, b.journal)) return 0;
  return SameAuthorTitle(a, b, titles);
}

MatchReason LikeArticles(const entry_fields& a, const entry_fields& b, TitlePair* titles) {
  if (HasArticleValues(a) && HasArticleValues(b)) {
    return SameArticle(a, b, titles) ? REASON_ARTICLE : REASON_NONE;
  }
  return SameUnpublishedArticle(a, b, titles) ? REASON_AUTHOR_TITLE : REASON_NONE;
}

MatchReason LikeByKind(WorkKind kind, EntryGroup group, const entry_fields& a, const entry_fields& b) {
  TitlePair titles(a.title, b.title);
  if (kind == KIND_ARTICLE) return LikeArticles(a, b, &titles);
  if (SameAuthorTitle(a, b, &titles)) return REASON_AUTHOR_TITLE;
  // MISC entries without an author or title (compare): the note.
  return kind == KIND_OTHER && group == GROUP_MISC && SameNote(a, b, &titles) ? REASON_NOTE : REASON_NONE;
}

std::uint64_t TaggedText(const char* tag, WorkKind kind, const std::string& one, const std::string& two) {
  TextHasher text;
  text.AddPart(tag);
  text.AddNumber(static_cast<std::uint64_t>(kind));
  text.AddPart(one);
  text.AddPart(two);
  return text.Hash64();
}

// An entry's values as its texts use them, shaped once for both sets of
// texts: an index that seeks an entry and then notes it (clean doubles)
// pays for the shaping once.
struct WorkShape {
  WorkKind kind = KIND_OTHER;
  std::string person;                   // the first surname, plain letters
  std::string year;                     // folded
  bool published = false;               // an article with all its journal values
  std::uint64_t article = 0;            // its journal values' text, when published
  std::vector<std::string> title_keys;  // only where a text is made of them
};

std::uint64_t ArticleText(const entry_fields& f) {
  TextHasher text;
  text.AddPart("A");
  text.AddPart(Folded(f.volume));
  text.AddPart(Folded(f.pages));
  text.AddPart(Trim(f.year));
  text.AddPart(JournalKey(f.journal));
  return text.Hash64();
}

// A published article meets an unpublished copy only under their year
// (see SameUnpublishedArticle), by first author and year: a published
// article then needs no title texts, and its title, the dearest value to
// shape, is read only by the few candidates that come to a decision.
WorkShape ShapeWithoutTitle(const entry_fields& f) {
  WorkShape shape;
  shape.kind = KindOfType(f.type);
  shape.person = FirstSurname(f);
  shape.year = Folded(f.year);
  shape.published = shape.kind == KIND_ARTICLE && HasArticleValues(f);
  if (shape.published) shape.article = ArticleText(f);
  return shape;
}

// Whether the entry's author/title texts are made of its title keys.
bool HasTitleTexts(const WorkShape& shape) { return !shape.published && !shape.person.empty(); }

WorkShape ShapeOfWork(const entry_fields& f) {
  WorkShape shape = ShapeWithoutTitle(f);
  if (HasTitleTexts(shape)) shape.title_keys = TitleKeys(ShapeOfTitle(f.title));
  return shape;
}

// The year slots of an author/title text.  Alike works of two years are
// two works, so an entry with a year needs to meet only entries of its year
// and entries without one: it is noted under its year and under "any
// year", and seeks its year and "no year"; an entry without a year is
// noted under "no year" and seeks "any year" and "no year".  Each pair of
// entries the rule may accept so meets under one slot, and an author's
// many alike titles of other years are never read.
int YearSlots(const std::string& year, TextUse use, std::string_view slots[2]) {
  static const std::string_view kAnyYear = "*", kNoYear = "-";
  if (year.empty()) {
    slots[0] = use == TEXTS_NOTED ? kNoYear : kAnyYear;
    slots[1] = kNoYear;
    return use == TEXTS_SOUGHT ? 2 : 1;
  }
  slots[0] = year;
  slots[1] = use == TEXTS_NOTED ? kAnyYear : kNoYear;
  return 2;
}

// The groups of an entry's author/title texts: its kind, first author and
// each year slot.  A text is a group and a title key.
int AuthorYearGroups(const WorkShape& shape, TextUse use, std::uint64_t groups[2]) {
  std::string_view slots[2];
  int count = YearSlots(shape.year, use, slots);
  for (int i = 0; i < count; i++) {
    TextHasher group;
    group.AddPart("B");
    group.AddNumber(static_cast<std::uint64_t>(shape.kind));
    group.AddPart(shape.person);
    group.AddPart(slots[i]);
    groups[i] = group.Hash64();
  }
  return count;
}

void AuthorTitleTexts(const WorkShape& shape, TextUse use, std::vector<std::uint64_t>* texts) {
  std::uint64_t groups[2];
  int count = AuthorYearGroups(shape, use, groups);
  for (const std::string& key : shape.title_keys) {
    for (int i = 0; i < count; i++) {
      TextHasher text;
      text.AddNumber(groups[i]);
      text.AddPart(key);
      texts->push_back(text.Hash64());
    }
  }
}

// A published article is noted as published and seeks the unpublished,
// and the other way round, so that two published articles (which the
// journal values decide) never meet there.
void ArticleTexts(const entry_fields& f, const WorkShape& shape, TextUse use,
                  std::vector<std::uint64_t>* texts) {
  if (shape.published) texts->push_back(shape.article);
  if (shape.person.empty()) return;
  if (!f.year.empty()) {
    bool tag_published = shape.published == (use == TEXTS_NOTED);
    texts->push_back(TaggedText(tag_published ? "Pp" : "Pu", KIND_ARTICLE, shape.person, shape.year));
  }
  AuthorTitleTexts(shape, use, texts);
}

void TextsOfShape(const entry_fields& fields, const WorkShape& shape, TextUse use,
                  std::vector<std::uint64_t>* texts) {
  texts->clear();
  if (!fields.doi.empty()) texts->push_back(TaggedText("D", KIND_OTHER, fields.doi, ""));
  texts->push_back(ContentText(fields));
  if (shape.kind == KIND_OTHER && !fields.note.empty()) {
    texts->push_back(TaggedText("N", shape.kind, fields.note, ""));
  }
  if (shape.kind == KIND_ARTICLE) {
    ArticleTexts(fields, shape, use, texts);
  } else {
    AuthorTitleTexts(shape, use, texts);
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

void LikeWorkTexts(const entry_fields& fields, TextUse use, std::vector<std::uint64_t>* texts) {
  TextsOfShape(fields, ShapeOfWork(fields), use, texts);
}

void LikeWorkTexts(const entry_fields& fields, std::vector<std::uint64_t>* noted,
                   std::vector<std::uint64_t>* sought) {
  WorkShape shape = ShapeOfWork(fields);
  TextsOfShape(fields, shape, TEXTS_NOTED, noted);
  TextsOfShape(fields, shape, TEXTS_SOUGHT, sought);
}

void LikeWorkGroups(const entry_fields& fields, TextUse use, std::vector<std::uint64_t>* groups) {
  groups->clear();
  WorkShape shape = ShapeWithoutTitle(fields);
  if (!HasTitleTexts(shape)) return;
  std::uint64_t own[2];
  groups->assign(own, own + AuthorYearGroups(shape, use, own));
}

void NotedWorkTexts(const entry_fields& fields, const HashSet64& sought_groups,
                    std::vector<std::uint64_t>* texts) {
  WorkShape shape = ShapeWithoutTitle(fields);
  std::uint64_t groups[2];
  int count = HasTitleTexts(shape) ? AuthorYearGroups(shape, TEXTS_NOTED, groups) : 0;
  bool sought = false;
  for (int i = 0; i < count; i++) sought = sought || sought_groups.Holds(groups[i]);
  if (sought) shape.title_keys = TitleKeys(ShapeOfTitle(fields.title));
  TextsOfShape(fields, shape, TEXTS_NOTED, texts);
}
