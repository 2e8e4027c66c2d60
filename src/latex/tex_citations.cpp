// The citing commands of LaTeX, natbib and biblatex in a readable text,
// and the commands that name bibliography databases or pull in files.
#include <cstring>

#include "latex/citations.h"

// Commands whose names hold "cite" but that cite nothing: styles, the
// natbib alias and text helpers, citation punctuation, and English words.
static const char* const kNotCitations[] = {
    "citestyle", "setcitestyle", "citeindextrue", "citeindexfalse", "citetext", "defcitealias",
    "citeleft",  "citeright",    "citepunct",     "citemid",        "citedash", "citeform",
    "citereset", "excite",       "recite"};

// Commands whose key list names bibliography databases.
static const char* const kBibliographyCommands[] = {"bibliography", "nobibliography", "addbibresource",
                                                    "addglobalbib", "addsectionbib"};

struct IncludeCommand {
  const char* name;
  int arguments;
  TexIncludeKind kind;
};

static const IncludeCommand kIncludeCommands[] = {
    {"input", 1, TEX_INCLUDE_HERE},          {"include", 1, TEX_INCLUDE_HERE},
    {"subfile", 1, TEX_INCLUDE_SUBFILE},     {"import", 2, TEX_INCLUDE_IMPORT},
    {"inputfrom", 2, TEX_INCLUDE_IMPORT},    {"includefrom", 2, TEX_INCLUDE_IMPORT},
    {"subimport", 2, TEX_INCLUDE_SUBIMPORT}, {"subinputfrom", 2, TEX_INCLUDE_SUBIMPORT},
    {"subincludefrom", 2, TEX_INCLUDE_SUBIMPORT}};

static int IsBlank(char c) { return c == ' ' || c == '\t' || c == '\n' || c == '\r' || c == '\f' || c == '\v'; }
static int IsLetter(char c) { return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z'); }

static int NameIs(const char* name, std::size_t length, const char* word) {
  return std::strlen(word) == length && std::memcmp(name, word, length) == 0;
}

static int NameContains(const char* name, std::size_t length, const char* word) {
  std::size_t word_length = std::strlen(word);
  for (std::size_t at = 0; at + word_length <= length; at++) {
    if (std::memcmp(name + at, word, word_length) == 0) return 1;
  }
  return 0;
}

static int NameIsOneOf(const char* name, std::size_t length, const char* const* words, std::size_t count) {
  for (std::size_t i = 0; i < count; i++) {
    if (NameIs(name, length, words[i])) return 1;
  }
  return 0;
}

// Any command holding "cite" (\citep, \parencite, \nocite, \footcitetext)
// or beginning with "Cite" (\Citeauthor), so that the citing commands of
// every package, and a document's own, are seen.
static int IsCitationCommand(const char* name, std::size_t length) {
  if (!NameContains(name, length, "cite") && !(length >= 4 && std::memcmp(name, "Cite", 4) == 0)) return 0;
  return !NameIsOneOf(name, length, kNotCitations, sizeof kNotCitations / sizeof kNotCitations[0]);
}

// The biblatex multi-cites (\cites, \Cites, \parencites, \Textcites, ...)
// take several key groups.
static int IsMultiCitation(const char* name, std::size_t length) {
  return length >= 5 && (name[length - 5] == 'c' || name[length - 5] == 'C') &&
         std::memcmp(name + length - 4, "ites", 4) == 0;
}

// biblatex's volume citations (\volcite, \pvolcite, \Ftvolcite, \volcites,
// ...) give a volume in braces before each key group.
static int IsVolumeCitation(const char* name, std::size_t length) {
  return NameContains(name, length, "volcite") || NameContains(name, length, "Volcite");
}

void AddListItems(const char* list, std::size_t length, int drop_parameters, std::vector<std::string>* items,
                  std::unordered_set<std::string>* seen) {
  std::size_t start = 0;
  while (start <= length) {
    const void* comma = std::memchr(list + start, ',', length - start);
    std::size_t end = comma != nullptr ? static_cast<std::size_t>(static_cast<const char*>(comma) - list) : length;
    std::size_t first = start;
    std::size_t last = end;
    while (first < last && IsBlank(list[first])) first++;
    while (last > first && IsBlank(list[last - 1])) last--;
    int parameter = drop_parameters && std::memchr(list + first, '#', last - first) != nullptr;
    if (last > first && !parameter) {
      std::string item(list + first, last - first);
      if (seen->insert(item).second) items->push_back(item);
    }
    start = end + 1;
  }
}

static void AddKeys(CitationCollector* collector, const char* list, std::size_t length) {
  AddListItems(list, length, 1, &collector->out->keys, &collector->keys_seen);
}

static void AddBibdata(CitationCollector* collector, const char* list, std::size_t length) {
  AddListItems(list, length, 1, &collector->out->bibdata, &collector->bibdata_seen);
}

typedef void (*ListSink)(CitationCollector* collector, const char* list, std::size_t length);

// Reads the arguments of a citing command standing at scan->at: [..]
// notes, for a multi-cite (..) global notes before the first key group,
// apacite's <..> notes before it (\citeA<see>[p.~3]{key}), and {keys}
// groups, one or, for a multi-cite, every one that follows, each after a
// {volume} group when volumes is set.  Each key group goes to sink.
// Stops at anything that is no argument, or at a group that never closes
// (the scan then reads it as text).
static void ReadCitationArguments(TexScan* scan, int multi, int volumes, CitationCollector* collector,
                                  ListSink sink) {
  int got_keys = 0;
  int volume_next = volumes;
  for (;;) {
    std::size_t at = SkipArgumentBlanks(scan->text, scan->size, scan->at);
    if (at >= scan->size) return;
    char open = scan->text[at];
    int note_before_keys = !got_keys && ((open == '(' && multi) || (open == '<' && !multi));
    if (open != '{' && open != '[' && !note_before_keys) return;
    std::size_t end;
    if (!FindGroupEnd(scan, at, &end)) return;
    if (open == '{' && volume_next) {
      volume_next = 0;
    } else if (open == '{') {
      sink(collector, scan->text + at + 1, end - at - 2);
      got_keys = 1;
      volume_next = volumes;
    }
    scan->at = end;
    if (got_keys && !multi) return;
  }
}

// The file name of a bare "\input name": up to a blank or a special character.
static std::size_t BareNameEnd(const char* text, std::size_t size, std::size_t at) {
  while (at < size && !IsBlank(text[at]) && std::strchr("{}\\%", text[at]) == nullptr) at++;
  return at;
}

// Reads the arguments of a file-pulling command standing at scan->at into
// *include.  Returns 0 when one is missing.
static int ReadIncludeArguments(TexScan* scan, const IncludeCommand* command, TexInclude* include) {
  std::string arguments[2];
  include->bare = 0;
  for (int i = 0; i < command->arguments; i++) {
    std::size_t at = SkipArgumentBlanks(scan->text, scan->size, scan->at);
    std::size_t end = 0;
    if (at < scan->size && scan->text[at] == '{' && FindGroupEnd(scan, at, &end)) {
      arguments[i].assign(scan->text + at + 1, end - at - 2);
    } else if (NameIs(command->name, std::strlen(command->name), "input") &&
               (end = BareNameEnd(scan->text, scan->size, at)) > at) {
      arguments[i].assign(scan->text + at, end - at);
      include->bare = 1;
    } else {
      return 0;
    }
    scan->at = end;
  }
  include->kind = command->kind;
  include->folder = command->arguments == 2 ? arguments[0] : std::string();
  include->name = arguments[command->arguments - 1];
  return 1;
}

static const IncludeCommand* FindIncludeCommand(const char* name, std::size_t length) {
  for (const IncludeCommand& command : kIncludeCommands) {
    if (NameIs(name, length, command.name)) return &command;
  }
  return nullptr;
}

// 1 when "{document}" follows, and then moves the scan past it.
static int PassDocumentArgument(TexScan* scan) {
  std::size_t at = SkipArgumentBlanks(scan->text, scan->size, scan->at);
  if (!TextStartsWith(scan->text, scan->size, at, "{document}")) return 0;
  scan->at = at + 10;
  return 1;
}

// 1 when text[at..] is the control word \word (not the start of a longer one).
static int ControlWordAt(const char* text, std::size_t size, std::size_t at, const char* word) {
  std::size_t end = at + 1 + std::strlen(word);
  return text[at] == '\\' && TextStartsWith(text, size, at + 1, word) && (end >= size || !IsLetter(text[end]));
}

// A subfile's \documentclass takes everything up to \begin{document} as
// one argument (the subfiles package skips the preamble so), braces kept
// balanced.  Moves the scan into the body, or to the end when it has none.
static void SkipSubfilePreamble(TexScan* scan) {
  const char* text = scan->text;
  long depth = 0;
  for (std::size_t at = scan->at; at < scan->size; at++) {
    if (text[at] == '{' || text[at] == '}') depth += text[at] == '{' ? 1 : -1;
    if (text[at] != '\\') continue;
    if (depth == 0 && ControlWordAt(text, scan->size, at, "begin")) {
      scan->at = at + 6;
      if (PassDocumentArgument(scan)) {
        scan->in_body = 1;
        return;
      }
    }
    at++;  // an escaped character is no brace
  }
  scan->at = scan->size;
}

// The text after \iffalse that TeX skips: up to the \else or \fi that
// closes it, conditionals inside (any \if... control word but \iff and
// \ifthenelse, which are no conditionals) counted.  Returns the offset
// where reading goes on, or scan->at when nothing closes it: TeX would
// then skip the rest of the file, but the text is read on, and no later
// \iffalse is searched again, so that a text full of them is read in
// linear time.
static std::size_t FalseBranchEnd(TexScan* scan) {
  if (scan->unclosed_iffalse) return scan->at;
  const char* text = scan->text;
  long nested = 0;
  for (std::size_t at = scan->at; at < scan->size; at++) {
    if (text[at] != '\\') continue;
    std::size_t end = at + 1;
    while (end < scan->size && IsLetter(text[end])) end++;
    const char* name = text + at + 1;
    std::size_t length = end - at - 1;
    if (length >= 2 && name[0] == 'i' && name[1] == 'f' && !NameIs(name, length, "iff") &&
        !NameIs(name, length, "ifthenelse")) {
      nested++;
    } else if (NameIs(name, length, "fi") || (nested == 0 && NameIs(name, length, "else"))) {
      if (nested == 0) return end;
      if (NameIs(name, length, "fi")) nested--;
    }
    at = end > at + 1 ? end - 1 : at + 1;  // past the name, or the escaped character
  }
  scan->unclosed_iffalse = 1;
  return scan->at;
}


// Acts on the command name[0..length) whose name (and star) the scan has
// just passed.  Returns 1 and sets *stop when the scan must stop here.
static int ReadCommand(TexScan* scan, const char* name, std::size_t length, CitationCollector* collector,
                       TexInclude* include, TexStop* stop) {
  if (scan->depth <= 0 && NameIs(name, length, "endinput")) {
    scan->size = EndOfLine(scan);  // TeX reads the rest of the line
    return 0;
  }
  if (scan->depth <= 0 && NameIs(name, length, "end") && PassDocumentArgument(scan)) {
    *stop = TEX_STOP_END_OF_DOCUMENT;  // the caller knows whether a subfile takes it
    return 1;
  }
  if (scan->depth <= 0 && NameIs(name, length, "iffalse")) {  // the writer's way to hide text
    scan->at = FalseBranchEnd(scan);
    return 0;
  }
  if (scan->subfile && !scan->in_body && NameIs(name, length, "documentclass")) {
    SkipSubfilePreamble(scan);
    return 0;
  }
  if (IsCitationCommand(name, length)) {
    ReadCitationArguments(scan, IsMultiCitation(name, length), IsVolumeCitation(name, length), collector, AddKeys);
    return 0;
  }
  if (NameIsOneOf(name, length, kBibliographyCommands, sizeof kBibliographyCommands / sizeof kBibliographyCommands[0])) {
    ReadCitationArguments(scan, 0, 0, collector, AddBibdata);
    return 0;
  }
  const IncludeCommand* command = FindIncludeCommand(name, length);
  if (command == nullptr || !ReadIncludeArguments(scan, command, include)) return 0;
  *stop = TEX_STOP_INCLUDE;
  return 1;
}

TexStop ScanTexCitations(TexScan* scan, CitationCollector* collector, TexInclude* include) {
  const char* text = scan->text;
  while (scan->at < scan->size) {
    char c = text[scan->at];
    if (c != '\\') {
      scan->depth += c == '{' ? 1 : c == '}' ? -1 : 0;
      scan->at++;
      continue;
    }
    std::size_t name = scan->at + 1;
    std::size_t end = name;
    while (end < scan->size && IsLetter(text[end])) end++;
    if (end == name) {  // a control symbol such as \{ or \%
      scan->at = scan->size - scan->at >= 2 ? scan->at + 2 : scan->size;
      continue;
    }
    scan->at = end < scan->size && text[end] == '*' ? end + 1 : end;
    TexStop stop;
    if (ReadCommand(scan, text + name, end - name, collector, include, &stop)) return stop;
  }
  return TEX_STOP_END_OF_FILE;
}
