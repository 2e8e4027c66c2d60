// Follows a document through the files it pulls in, in reading order, and
// collects the citations of each where it stands.  Open files are kept on
// a stack of our own rather than the call stack, so a deep chain of
// \input files cannot exhaust it.
#include <cstdio>
#include <cstdlib>
#include <memory>

#include "latex/citations.h"
#include "scan/line_reader.h"
#include "text/path_parts.h"

// What the import package keeps while a file is read, both relative to
// the main document's folder: the folder of the current \import (\import@path,
// the base of a \subimport) and the folders an \input{..} looks in before
// the main one, the innermost first (\input@path).
struct ImportState {
  std::string path;
  std::vector<std::string> input_path;
};

// One file being read: its text (what TeX reads of a .tex file, the bytes
// of an .aux file) and the scan through it.
struct OpenFile {
  std::string text;
  TexIncludeKind pulled_in_by = TEX_INCLUDE_HERE;
  int took_end = 0;  // a subfile whose \end{document} was met
  ImportState imports;
  TexScan tex;
  AuxScan aux;
};

typedef std::vector<std::unique_ptr<OpenFile>> FileStack;

struct DocumentReader {
  int is_aux = 0;
  std::string top;                       // the main document's folder
  std::unordered_set<std::string> seen;  // files read, by their real path
  CitationCollector collector;
  FileStack open;
};

// The length of the part of path that names a root: "/", or on Windows a
// drive such as "C:" or "C:/".
static std::size_t RootLength(const std::string& path) {
  std::size_t length = 0;
#ifdef _WIN32
  if (path.size() >= 2 && path[1] == ':') length = 2;
#endif
  if (length < path.size() && IsHostPathSeparator(path[length])) length++;
  return length;
}

// The path with "." steps, "step/.." pairs and doubled separators taken
// out, so that one file is listed under one name.
static std::string NormalPath(const std::string& path) {
  std::size_t root = RootLength(path);
  std::vector<std::string> steps;
  std::size_t start = root;
  while (start <= path.size()) {
    std::size_t end = start;
    while (end < path.size() && !IsHostPathSeparator(path[end])) end++;
    std::string step = path.substr(start, end - start);
    if (step == ".." && !steps.empty() && steps.back() != "..") {
      steps.pop_back();
    } else if (!step.empty() && step != "." && !(step == ".." && root > 0)) {
      steps.push_back(step);
    }
    start = end + 1;
  }
  std::string normal = path.substr(0, root);
  for (std::size_t i = 0; i < steps.size(); i++) normal += (i > 0 ? "/" : "") + steps[i];
  return normal.empty() ? std::string(".") : normal;
}

static std::string JoinPath(const std::string& folder, const std::string& name) {
  if (folder.empty() || RootLength(name) > 0) return NormalPath(name);
  return NormalPath(folder + "/" + name);
}

// A regular file that can be opened; folders and devices are no files.
static int IsReadableFile(const std::string& path) {
  std::FILE* file = OpenInputFile(path.c_str(), "r");
  if (file == nullptr) return 0;
  std::fclose(file);
  return 1;
}

// The file's real path, so that one file reached by two names (a link,
// "a/../b") is read once.
static std::string FileIdentity(const std::string& path) {
#ifdef _WIN32
  char full[_MAX_PATH];
  if (_fullpath(full, path.c_str(), sizeof full) != nullptr) return full;
#else
  char* real = realpath(path.c_str(), nullptr);
  if (real != nullptr) {
    std::string identity(real);
    std::free(real);
    return identity;
  }
#endif
  return NormalPath(path);
}

// Reads the file at path onto the stack.  Returns 0 when it cannot be read.
static int PushFile(DocumentReader* reader, const std::string& path, const ImportState& imports,
                    TexIncludeKind kind) {
  LineReader bytes;
  std::FILE* file = OpenInputReader(&bytes, path.c_str(), "r");
  if (file == nullptr) return 0;
  std::unique_ptr<OpenFile> opened(new OpenFile());
  opened->imports = imports;
  opened->pulled_in_by = kind;
  if (reader->is_aux) {
    if (bytes.size > 0) opened->text.assign(bytes.data, bytes.size);
    opened->aux.text = opened->text.data();
    opened->aux.size = opened->text.size();
  } else {
    std::vector<std::size_t> line_starts;
    ReadableTexText(bytes.data, bytes.size, &opened->text, &line_starts);
    StartTexScan(&opened->tex, opened->text.data(), opened->text.size());
    opened->tex.line_starts.swap(line_starts);
    opened->tex.subfile = kind == TEX_INCLUDE_SUBFILE;
  }
  std::fclose(file);
  reader->open.push_back(std::move(opened));
  reader->collector.out->files_read.push_back(path);
  return 1;
}

// A file name as written, without the blanks and quotes around it
// (\input{"my chapter"}).
static std::string CleanFileName(const std::string& name) {
  std::size_t first = name.find_first_not_of(" \t\r\n\"");
  if (first == std::string::npos) return std::string();
  std::size_t last = name.find_last_not_of(" \t\r\n\"");
  return name.substr(first, last - first + 1);
}

// Looks for name in each folder in turn, as name.tex before name (unless
// it ends in .tex already), reads it unless it was read before, and lists
// it as missing when no folder holds it.
static void FollowFile(DocumentReader* reader, const std::string& written, const std::vector<std::string>& folders,
                       const ImportState& imports, TexIncludeKind kind) {
  std::string name = CleanFileName(written);
  if (name.empty() || name.find('#') != std::string::npos) return;  // a macro's parameter
  std::vector<std::string> candidates;
  if (!reader->is_aux && !PathEndsWith(name, ".tex")) candidates.push_back(name + ".tex");
  candidates.push_back(name);
  for (const std::string& folder : folders) {
    for (const std::string& candidate : candidates) {
      std::string path = JoinPath(folder, candidate);
      if (!IsReadableFile(path)) continue;
      if (!reader->seen.insert(FileIdentity(path)).second) return;
      if (!PushFile(reader, path, imports, kind)) reader->collector.out->files_missing.push_back(name);
      return;
    }
  }
  reader->collector.out->files_missing.push_back(name);
}

// \subfile{dir/name.ext} loads name from dir, as \subimport{dir/}{name}
// (the subfiles package drops the extension and lets \input find it).
static TexInclude SubfileAsSubimport(const TexInclude& include) {
  TexInclude subimport;
  subimport.kind = TEX_INCLUDE_SUBIMPORT;
  std::string name = CleanFileName(include.name);
  std::size_t slash = name.rfind('/');
  std::size_t base = slash == std::string::npos ? 0 : slash + 1;
  subimport.folder = name.substr(0, base);
  std::size_t dot = name.rfind('.');
  subimport.name = name.substr(base, dot != std::string::npos && dot > base ? dot - base : std::string::npos);
  return subimport;
}

// The import package joins its folders as text: "dir/" then "sub/".
static std::string ImportPathJoin(const std::string& path, const std::string& folder) {
  if (path.empty() || folder.empty()) return path + folder;
  return path + (IsHostPathSeparator(path.back()) ? "" : "/") + folder;
}

// Where a file pulled in by a .tex file is looked for.  \input{..} and
// \include look in the \input@path folders, then in the main document's
// folder, where LaTeX runs; a bare "\input name" is TeX's own and looks in
// the main folder alone.  \import{dir/}{f} reads dir/f, \subimport (and
// \subfile) the current \import@path followed by dir/f, each looked for
// below every \input@path folder (its own first), then below the main one.
static void FollowTexInclude(DocumentReader* reader, const TexInclude& written) {
  const ImportState& current = reader->open.back()->imports;
  std::vector<std::string> folders;
  if (written.kind == TEX_INCLUDE_HERE) {
    if (!written.bare) {
      for (const std::string& folder : current.input_path) folders.push_back(JoinPath(reader->top, folder));
    }
    folders.push_back(reader->top);
    FollowFile(reader, written.name, folders, current, TEX_INCLUDE_HERE);
    return;
  }
  TexInclude include = written.kind == TEX_INCLUDE_SUBFILE ? SubfileAsSubimport(written) : written;
  ImportState nested;
  nested.path = ImportPathJoin(include.kind == TEX_INCLUDE_IMPORT ? std::string() : current.path, include.folder);
  nested.input_path.push_back(nested.path);
  nested.input_path.insert(nested.input_path.end(), current.input_path.begin(), current.input_path.end());
  for (const std::string& folder : nested.input_path) {
    folders.push_back(JoinPath(JoinPath(reader->top, folder), nested.path));
  }
  folders.push_back(JoinPath(reader->top, nested.path));
  FollowFile(reader, include.name, folders, nested, written.kind);
}

// When a file ends, its includer reads on with the \import@path the import
// package leaves: a \subimport restores it, but an \import empties it
// before saving it, so that a later \subimport in the includer starts from
// the main folder; an \input shares it.
static void CloseTexFile(DocumentReader* reader) {
  std::unique_ptr<OpenFile> done = std::move(reader->open.back());
  reader->open.pop_back();
  if (reader->open.empty()) return;
  std::string& path = reader->open.back()->imports.path;
  if (done->pulled_in_by == TEX_INCLUDE_HERE) path = done->imports.path;
  if (done->pulled_in_by == TEX_INCLUDE_IMPORT) path.clear();
}

// Once a subfile's body begins, the subfiles package makes the next
// \end{document} (in the subfile or in any file it pulls in) end the file
// it stands in, after the rest of its line, as \endinput does; a later one
// is LaTeX's own and ends the document.  Returns 1 when a subfile took it.
static int SubfileTakesEnd(DocumentReader* reader) {
  for (auto file = reader->open.rbegin(); file != reader->open.rend(); ++file) {
    if (!(*file)->tex.in_body || (*file)->took_end) continue;
    (*file)->took_end = 1;
    TexScan* current = &reader->open.back()->tex;
    current->size = EndOfLine(current);
    return 1;
  }
  return 0;
}

static void ReadTexFiles(DocumentReader* reader) {
  TexInclude include;
  while (!reader->open.empty()) {
    TexStop stop = ScanTexCitations(&reader->open.back()->tex, &reader->collector, &include);
    if (stop == TEX_STOP_END_OF_DOCUMENT && !SubfileTakesEnd(reader)) return;
    if (stop == TEX_STOP_END_OF_FILE) CloseTexFile(reader);
    if (stop == TEX_STOP_INCLUDE) FollowTexInclude(reader, include);
  }
}

// LaTeX names the .aux files of chapters relative to the folder it runs
// in, the main .aux file's folder, wherever the \@input line stands.
static void ReadAuxFiles(DocumentReader* reader) {
  std::string input_name;
  while (!reader->open.empty()) {
    if (ScanAuxCitations(&reader->open.back()->aux, &reader->collector, &input_name)) {
      FollowFile(reader, input_name, std::vector<std::string>{reader->top}, ImportState(), TEX_INCLUDE_HERE);
    } else {
      reader->open.pop_back();
    }
  }
}

int CollectDocumentCitations(const char* path, DocumentCitations* citations) {
  *citations = DocumentCitations();
  DocumentReader reader;
  std::string main_path(path);
  reader.is_aux = PathEndsWith(main_path, ".aux");
  reader.top = std::string(FolderPart(main_path, IsHostPathSeparator));
  reader.collector.out = citations;
  reader.seen.insert(FileIdentity(main_path));
  if (!PushFile(&reader, main_path, ImportState(), TEX_INCLUDE_HERE)) return 0;
  if (reader.is_aux) {
    ReadAuxFiles(&reader);
  } else {
    ReadTexFiles(&reader);
  }
  return 1;
}

void CollectTextCitations(const char* text, std::size_t size, int is_aux, DocumentCitations* citations) {
  *citations = DocumentCitations();
  CitationCollector collector;
  collector.out = citations;
  if (is_aux) {
    AuxScan scan;
    scan.text = text;
    scan.size = size;
    std::string ignored_input;
    while (ScanAuxCitations(&scan, &collector, &ignored_input)) {
    }
    return;
  }
  std::string readable;
  std::vector<std::size_t> line_starts;
  ReadableTexText(text, size, &readable, &line_starts);
  TexScan scan;
  StartTexScan(&scan, readable.data(), readable.size());
  scan.line_starts.swap(line_starts);
  TexInclude ignored_include;
  while (ScanTexCitations(&scan, &collector, &ignored_include) == TEX_STOP_INCLUDE) {
  }
}
