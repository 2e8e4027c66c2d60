// What a reference is made of once the entry's values are read: the
// parts, each ready to print (LaTeX-safe, names in the style's form), ""
// where the entry has none; and the small rule by which a part that is
// absent drops out together with its punctuation and its words.
#ifndef TAMREL_TYPESET_REFERENCE_PARTS_H
#define TAMREL_TYPESET_REFERENCE_PARTS_H

#include <string>

// The forms a reference can take; every entry type uses one of them.
enum ReferenceShape {
  SHAPE_ARTICLE,  // article
  SHAPE_BOOK,     // book, booklet, inbook, manual, proceedings
  SHAPE_CHAPTER,  // incollection, inproceedings, conference
  SHAPE_THESIS,   // phdthesis, mastersthesis, thesis
  SHAPE_REPORT,   // techreport, report
  SHAPE_MISC      // misc, online, unpublished and any type not known
};

struct ReferenceParts {
  ReferenceShape shape = SHAPE_MISC;
  int in_proceedings = 0;  // a chapter that is a paper in proceedings
  std::string authors;
  std::string editors;
  int editor_count = 0;
  std::string title;
  std::string booktitle;
  std::string journal;
  std::string year;
  std::string volume;
  std::string number;
  std::string pages;
  int pages_plural = 0;
  std::string publisher;  // or who else published it: institution, organization
  std::string address;
  std::string school;
  std::string kind;  // names the work: "Ph.D. thesis", "Tech. Rep."
  std::string edition;
  std::string series;
  std::string chapter;
  std::string howpublished;
  std::string note;
  std::string eprint;  // "arXiv:1234.5678"
  std::string url;     // \texttt{...}
  std::string doi;     // \texttt{...}
};

// Appends prefix, value and suffix to out, after separator when out
// already holds text; appends nothing when value is empty.  A separator
// that starts with "." loses it after a text ending in ".", so that
// "Corp." never becomes "Corp..".
void AddPart(std::string* out, const char* separator, const char* prefix,
             const std::string& value, const char* suffix);

// The page part: "p. 81" or "pp. 81--107" with the style's two words.
void AddPages(std::string* out, const char* separator, const ReferenceParts& parts,
              const char* one_page, const char* more_pages);

// Where a work that is no article appeared, in the article's terms:
// "\textit{JOURNAL}", VOLUME and pages, each after separator with the
// style's words ("Vol. ", "p. ", "pp. "); "" when the entry names none.
std::string JournalGroup(const ReferenceParts& parts, const char* separator, const char* volume_word,
                         const char* one_page, const char* more_pages);

// Ends the reference with end (not doubling a full stop) and a blank
// line.  A reference with no part at all is the blank line alone.
void FinishReference(std::string* text, const char* end);

// 1 when a book title already says it is proceedings ("Proc. ...",
// "Proceedings of ..."), so that no style writes "Proceedings of the" twice.
int TitleNamesProceedings(const std::string& title);

// Publisher, address and year joined with the style's two separators,
// "Wiley, New York, 1999" or "New York: Wiley"; "" when all are absent.
std::string PublisherGroup(const std::string& first, const char* middle_separator,
                           const std::string& second, const char* last_separator,
                           const std::string& third);

// Writes the reference of parts in each style.
void WriteApsReference(const ReferenceParts& parts, std::string* out);
void WriteAcsReference(const ReferenceParts& parts, std::string* out);
void WriteIopReference(const ReferenceParts& parts, std::string* out);

// The edited-volume chapter as APS writes it, which the ACS style also
// uses for a paper in proceedings: "A, in \textit{BOOK}, SERIES, Vol. 3,
// edited by E (PUBLISHER, ADDRESS, YEAR), p. 5".
void WriteEditedChapter(const ReferenceParts& parts, std::string* out);

#endif
