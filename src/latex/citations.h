// The keys a LaTeX document cites, as LaTeX, natbib and biblatex write
// citations, across every file the document pulls in; or the keys a
// compiled .aux file lists.
#ifndef TAMREL_LATEX_CITATIONS_H
#define TAMREL_LATEX_CITATIONS_H

#include <cstddef>
#include <string>
#include <unordered_map>
#include <unordered_set>
#include <vector>

struct DocumentCitations {
  // Distinct keys in order of first citation, as written (case kept).  The
  // key "*" stands where \nocite{*} (or \citation{*}) first appears: every
  // entry of the library is cited from there on.
  std::vector<std::string> keys;
  std::vector<std::string> files_read;     // the main file first, each once
  std::vector<std::string> files_missing;  // \input and friends not found
  std::vector<std::string> bibdata;        // \bibdata{a,b} of an .aux, or
                                           // \bibliography{a,b} / \addbibresource
                                           // of a .tex: as written
};

// Reads the document at path, following \input, \include, \subfile,
// \import and its relatives where they stand, relative to the main
// document's folder (each file once; a file not found is listed in
// files_missing, which is no failure), up to \end{document}.  A file
// pulled in by \subfile is read from its \begin{document} to its own
// \end{document}, as the subfiles package reads it.  Or, for a
// path ending in ".aux", its \citation lines following \@input (relative
// to the main .aux file's folder, where LaTeX runs).  Returns 1, or 0 when
// the main file cannot be read.
int CollectDocumentCitations(const char* path, DocumentCitations* citations);

// A document whose citations go through its own commands (a \newcommand
// around \cite with another name) cites more than its text shows; LaTeX's
// compiled .aux beside it lists them all.  Returns a note for the user
// when the text of the .tex document at document_path cites no key, or
// misses keys that the .aux beside it (same name, ".aux") lists, naming
// that .aux; "" when there is nothing to say (or the document is an .aux).
std::string CompiledAuxNote(const char* document_path, const DocumentCitations& text);

// The citations of one text alone, no file followed: for the tests and the
// fuzz harness.  is_aux chooses the .aux grammar.  Both functions fill
// *citations afresh.
void CollectTextCitations(const char* text, std::size_t size, int is_aux,
                          DocumentCitations* citations);

// ---------------------------------------------------------------------
// The finder's steps, one file each; the two functions above are built
// from them.  A .tex file is first reduced to what TeX reads of it
// (tex_text.cpp), then scanned command by command (tex_citations.cpp,
// with the argument groups of tex_arguments.cpp); an .aux file is scanned
// as it is (aux_citations.cpp).  document_citations.cpp follows the files.

// The lists being filled and what they hold already, so that a long key
// list is collected in linear time.
struct CitationCollector {
  DocumentCitations* out = nullptr;
  std::unordered_set<std::string> keys_seen;
  std::unordered_set<std::string> bibdata_seen;
};

// Splits a comma-separated list (keys, database names), trims blanks
// around each item and appends the items not held yet.  Empty items are
// dropped, and so are items holding '#' when drop_parameters is set: in a
// .tex file that is a macro parameter inside a definition, not a name.
void AddListItems(const char* list, std::size_t length, int drop_parameters, std::vector<std::string>* items,
                  std::unordered_set<std::string>* seen);

// 1 when text[at..] begins with word (never reading past size).
int TextStartsWith(const char* text, std::size_t size, std::size_t at, const char* word);

// What TeX reads of a file: % comments dropped together with their line
// end and the next line's leading blanks (an escaped \% is no comment);
// the environments comment, verbatim, verbatim*, Verbatim, Verbatim*,
// BVerbatim, LVerbatim, lstlisting, minted, filecontents, filecontents*
// and \verb|..| (closed on its line, any delimiter) each left as one blank,
// so that nothing inside them is taken for a command.  When line_starts is
// given, it receives the offsets of the readable text where a line of the
// file begins (a comment hides its line end, not the line's end).
void ReadableTexText(const char* text, std::size_t size, std::string* readable,
                     std::vector<std::size_t>* line_starts = nullptr);

// A { } pair of a readable text; close is kNoClose when it never closes.
constexpr std::size_t kNoClose = static_cast<std::size_t>(-1);
struct TexBracePair {
  std::size_t open;
  std::size_t close;
};

// An optional argument that found no end: a later [ or ( at the same
// brace depth before fail_at finds none either.
struct FailedGroup {
  std::size_t from;
  std::size_t fail_at;
};

// One readable text being scanned.  Every brace pair is indexed once, and
// failed [..] / (..) searches are remembered per depth, so that a text full
// of unclosed groups is still read in about linear time.
struct TexScan {
  const char* text = nullptr;
  std::size_t size = 0;  // shrinks to the end of its line at \endinput
  std::size_t at = 0;  // next byte to read
  long depth = 0;      // braces open at `at`, as the scan counts them
  std::vector<TexBracePair> pairs;  // in order of their opening brace
  std::unordered_map<long, FailedGroup> failed[3];  // [..], (..), <..>
  std::vector<std::size_t> line_starts;  // of ReadableTexText, or empty
  // A file pulled in by \subfile: its preamble (\documentclass up to
  // \begin{document}) is skipped, and its \end{document} ends it alone.
  int subfile = 0;
  int in_body = 0;  // a subfile's \begin{document} has been passed
  int unclosed_iffalse = 0;  // an \iffalse found no \fi: none is searched again
};

void StartTexScan(TexScan* scan, const char* text, std::size_t size);

// Where the line holding scan->at ends, as TeX reads it after \endinput:
// the rest of the line is still read.  The text's end when no line starts
// are known.
std::size_t EndOfLine(const TexScan* scan);

// Skips what may stand between a command and its argument: blanks and at
// most one line end (a blank line ends the command).
std::size_t SkipArgumentBlanks(const char* text, std::size_t size, std::size_t at);

// text[at] opens a group: '{' (ends at its matching '}'), '[', '(' or '<'
// (end at the first ']', ')' or '>' outside braces; a '}' closing an outer
// group first means there is none).  Sets *end past the closing character and
// returns 1, or returns 0 when the group never closes.
int FindGroupEnd(TexScan* scan, std::size_t at, std::size_t* end);

enum TexStop { TEX_STOP_END_OF_FILE, TEX_STOP_END_OF_DOCUMENT, TEX_STOP_INCLUDE };

enum TexIncludeKind {
  TEX_INCLUDE_HERE,       // \input, \include: one name
  TEX_INCLUDE_IMPORT,     // \import{dir}{f} and kin: dir from the main folder
  TEX_INCLUDE_SUBIMPORT,  // \subimport{dir}{f} and kin: dir from the current import folder
  TEX_INCLUDE_SUBFILE     // \subfile{dir/f}: a \subimport{dir/}{f} of a whole document
};

struct TexInclude {
  TexIncludeKind kind = TEX_INCLUDE_HERE;
  std::string folder;  // the dir argument of the two-argument forms
  std::string name;    // the file as written
  int bare = 0;        // "\input name": TeX's own \input, which knows no \import folder
};

// Collects citations and bibliography names until the text ends
// (\endinput included), \end{document} comes (it stops the whole document
// unless a subfile takes it; the scan stands after it), or a file is
// pulled in (then *include says which; call again to go on).
TexStop ScanTexCitations(TexScan* scan, CitationCollector* collector, TexInclude* include);

// One .aux text being scanned.
struct AuxScan {
  const char* text = nullptr;
  std::size_t size = 0;
  std::size_t at = 0;
  std::size_t next_close = 0;  // the first '}' at or after some offset <= at
};

// Collects \citation and \bibdata lists until the text ends (returns 0)
// or an \@input{name} comes (returns 1 with the name; call again to go on).
int ScanAuxCitations(AuxScan* scan, CitationCollector* collector, std::string* input_name);

#endif
