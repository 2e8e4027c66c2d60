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

// One file being read: its text (what TeX reads of a .tex file, the bytes
// of an .aux file) and the scan through it.
struct OpenFile {
  std::string text;
  // The \import folders it was pulled in through, the innermost first
  // (LaTeX's \input@path): an \input in it looks there after the main folder.
  std::vector<std::string> import_folders;
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
static int PushFile(DocumentReader* reader, const std::string& path, const std::vector<std::string>& import_folders,
                    int subfile) {
  LineReader bytes;
  std::FILE* file = OpenInputReader(&bytes, path.c_str(), "r");
  if (file == nullptr) return 0;
  std::unique_ptr<OpenFile> opened(new OpenFile());
  opened->import_folders = import_folders;
  if (reader->is_aux) {
    if (bytes.size > 0) opened->text.assign(bytes.data, bytes.size);
    opened->aux.text = opened->text.data();
    opened->aux.size = opened->text.size();
  } else {
    std::vector<std::size_t> line_starts;
    ReadableTexText(bytes.data, bytes.size, &opened->text, &line_starts);
    StartTexScan(&opened->tex, opened->text.data(), opened->text.size());
    opened->tex.line_starts.swap(line_starts);
    opened->tex.subfile = subfile;
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

static int EndsWith(const std::string& text, const char* tail) {
  std::string end(tail);
  return text.size() >= end.size() && text.compare(text.size() - end.size(), end.size(), end) == 0;
}

// Looks for name in each folder in turn, as name.tex before name (unless
// it ends in .tex already), reads it unless it was read before, and lists
// it as missing when no folder holds it.
static void FollowFile(DocumentReader* reader, const std::string& written, const std::vector<std::string>& folders,
                       const std::vector<std::string>& import_folders, int subfile) {
  std::string name = CleanFileName(written);
  if (name.empty() || name.find('#') != std::string::npos) return;  // a macro's parameter
  std::vector<std::string> candidates;
  if (!reader->is_aux && !EndsWith(name, ".tex")) candidates.push_back(name + ".tex");
  candidates.push_back(name);
  for (const std::string& folder : folders) {
    for (const std::string& candidate : candidates) {
      std::string path = JoinPath(folder, candidate);
      if (!IsReadableFile(path)) continue;
      if (!reader->seen.insert(FileIdentity(path)).second) return;
      if (!PushFile(reader, path, import_folders, subfile)) reader->collector.out->files_missing.push_back(name);
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

// Where a file pulled in by a .tex file is looked for.  \input{..} and
// \include look in the \import folders, the innermost first, then in the
// main document's folder, where LaTeX runs; a bare "\input name" is TeX's
// own and looks in the main folder alone.  \import names a folder
// relative to the main document's, \subimport (and \subfile) one relative
// to the current \import folder.
static void FollowTexInclude(DocumentReader* reader, const TexInclude& written) {
  const std::vector<std::string>& imports = reader->open.back()->import_folders;
  if (written.kind == TEX_INCLUDE_HERE) {
    std::vector<std::string> folders;
    if (!written.bare) folders = imports;
    folders.push_back(reader->top);
    FollowFile(reader, written.name, folders, imports, 0);
    return;
  }
  int subfile = written.kind == TEX_INCLUDE_SUBFILE;
  TexInclude include = subfile ? SubfileAsSubimport(written) : written;
  const std::string& from = include.kind == TEX_INCLUDE_SUBIMPORT && !imports.empty() ? imports.front() : reader->top;
  std::string folder = JoinPath(from, include.folder);
  std::vector<std::string> nested{folder};
  nested.insert(nested.end(), imports.begin(), imports.end());
  FollowFile(reader, include.name, std::vector<std::string>{folder}, nested, subfile);
}

static void ReadTexFiles(DocumentReader* reader) {
  TexInclude include;
  while (!reader->open.empty()) {
    TexStop stop = ScanTexCitations(&reader->open.back()->tex, &reader->collector, &include);
    if (stop == TEX_STOP_END_OF_DOCUMENT) return;
    if (stop == TEX_STOP_END_OF_FILE) reader->open.pop_back();
    if (stop == TEX_STOP_INCLUDE) FollowTexInclude(reader, include);
  }
}

// LaTeX names the .aux files of chapters relative to the folder it runs
// in, the main .aux file's folder, wherever the \@input line stands.
static void ReadAuxFiles(DocumentReader* reader) {
  std::string input_name;
  while (!reader->open.empty()) {
    if (ScanAuxCitations(&reader->open.back()->aux, &reader->collector, &input_name)) {
      FollowFile(reader, input_name, std::vector<std::string>{reader->top}, std::vector<std::string>(), 0);
    } else {
      reader->open.pop_back();
    }
  }
}

int CollectDocumentCitations(const char* path, DocumentCitations* citations) {
  *citations = DocumentCitations();
  DocumentReader reader;
  std::string main_path(path);
  reader.is_aux = EndsWith(main_path, ".aux");
  reader.top = std::string(FolderPart(main_path, IsHostPathSeparator));
  reader.collector.out = citations;
  reader.seen.insert(FileIdentity(main_path));
  if (!PushFile(&reader, main_path, std::vector<std::string>(), 0)) return 0;
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
