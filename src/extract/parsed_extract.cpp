#include "extract/parsed_extract.h"

#include <cctype>
#include <cstring>
#include <set>

#include "bibtex/parsed_entries.h"
#include "files/input_file.h"

namespace {

// The folder part of a path, with its last separator ("" for none).
std::string FolderOf(const char* path) {
  const char* last = nullptr;
  for (const char* p = path; *p != '\0'; p++) {
    if (*p == '/' || *p == '\\') last = p;
  }
  return last == nullptr ? std::string() : std::string(path, static_cast<std::size_t>(last - path + 1));
}

int EndsWith(const std::string& text, const char* end) {
  std::size_t length = std::strlen(end);
  return text.size() >= length && LowerCase(text.substr(text.size() - length)) == end;
}

}  // namespace

int ParsedExtract::ReadDocument(const char* path) {
  if (!CollectDocumentCitations(path, &document_)) return 0;
  keys_ = document_.keys;  // until the library gives "*" its entries
  return 1;
}

std::string ParsedExtract::LibraryNamedByDocument(const char* document_path) const {
  if (document_.bibdata.empty()) return std::string();
  std::string name = document_.bibdata.front();
  if (!EndsWith(name, ".bib")) name += ".bib";
  return FolderOf(document_path) + name;
}

// Keeps the fields of the entries the document may cite: those whose key
// it cites in any letter case (every entry after \nocite{*}).
int ParsedExtract::KeepCitedFields(void* context, int, const BibBlock& entry) {
  const ParsedExtract* self = static_cast<const ParsedExtract*>(context);
  return self->cite_all_ || self->cited_folded_.MayHold(entry.key);
}

// A crossref parent that is not cited itself had its fields let go; the
// library is then read once more, keeping every entry.
int ParsedExtract::ParentsLackFields() const {
  for (const BibBlock& block : file_.blocks) {
    if (block.kind != BIB_ENTRY || block.fields.empty()) continue;
    const BibField* crossref = FindField(block, "crossref");
    if (crossref == nullptr) continue;
    int case_differs;
    int parent = keys_of_library_.Find(crossref->value, &case_differs);
    if (parent >= 0 && file_.blocks[parent].fields.empty()) return 1;
  }
  return 0;
}

int ParsedExtract::ReadLibrary(const char* path) {
  library_path_ = path;
  library_.file = OpenInputFile(path, "r");
  if (library_.file == nullptr) return 0;
  if (!library_.bytes.Load(library_.file)) return 0;
  for (const std::string& key : document_.keys) {
    if (key == "*") cite_all_ = 1;
    cited_folded_.Add(key);
  }
  cited_folded_.Seal();
  ReadBibFileVisiting(library_.bytes.data(), library_.bytes.size(), &file_, KeepCitedFields, this);
  keys_of_library_.Build(&file_);
  if (ParentsLackFields()) {
    ReadBibFile(library_.bytes.data(), library_.bytes.size(), &file_);
    keys_of_library_.Build(&file_);
  }
  if (!ReadSomethingFrom(file_, path, "BibTeX file?")) return -1;
  return 1;
}

void ParsedExtract::AddCited(const std::string& key, int block) {
  keys_.push_back(key);
  cited_.push_back(Cited{key, block});
}

// Keys in order of first citation; "\nocite{*}" brings every entry of the
// library, in library order, that was not cited before it.
void ParsedExtract::ResolveKeys(std::vector<bool>* found) {
  std::set<int> taken;
  std::set<std::string> listed;
  std::vector<bool> held;
  keys_.clear();
  for (const std::string& key : document_.keys) {
    if (key == "*") {
      for (std::size_t b = 0; b < file_.blocks.size(); b++) {
        const BibBlock& block = file_.blocks[b];
        if (block.kind != BIB_ENTRY || !taken.insert(static_cast<int>(b)).second) continue;
        std::string key_of_entry(block.key);
        if (!listed.insert(key_of_entry).second) continue;
        AddCited(key_of_entry, static_cast<int>(b));
        held.push_back(true);
      }
      continue;
    }
    if (!listed.insert(key).second) continue;  // brought by "*" already
    int case_differs;
    int block = keys_of_library_.Find(key, &case_differs);
    keys_.push_back(key);
    held.push_back(block >= 0);
    if (block < 0) continue;
    if (!taken.insert(block).second) {
      // Two spellings of one key: the library holds it, but BibTeX writes
      // the entry once, under the spelling cited first.
      notes_.push_back("'" + key + "' names an entry cited already under another spelling.");
      continue;
    }
    if (case_differs) {
      const BibBlock& found = file_.blocks[block];
      notes_.push_back("Cited as '" + key + "', the library's key is '" + std::string(found.key) +
                       "' (line " + std::to_string(found.line) + "): copied under the cited key.");
    }
    cited_.push_back(Cited{key, block});
  }
  *found = held;
}

int ParsedExtract::CrossrefTarget(int block) const {
  const BibField* crossref = FindField(file_.blocks[block], "crossref");
  if (crossref == nullptr) return -1;
  int case_differs;
  return keys_of_library_.Find(crossref->value, &case_differs);
}

// Every @preamble, and the @string definitions that the written entries
// use, in library order, so the reduced file defines each before use.
void ParsedExtract::WriteNeededBlocks(std::FILE* reduced) const {
  ParsedEntries entries(&file_, library_.bytes.data(), library_.bytes.size());
  for (const BibBlock& block : file_.blocks) {
    if (block.kind != BIB_PREAMBLE) continue;
    WriteSourceText(library_.bytes.data(), block.begin, block.end, reduced);
    std::fputc('\n', reduced);
  }
  for (const Cited& cited : cited_) entries.WriteStringsFor(cited.block, reduced);
  for (int parent : crossref_only_) entries.WriteStringsFor(parent, reduced);
}

int ParsedExtract::CopyCitedEntries(std::FILE* reduced, std::FILE* items,
                                    std::vector<bool>* found) {
  ResolveKeys(found);
  // Entries named by a crossref go after every entry that names them, as
  // bibtex wants; one that is cited itself is written where it is cited.
  std::set<int> written;
  for (const Cited& cited : cited_) written.insert(cited.block);
  for (const Cited& cited : cited_) {
    int parent = CrossrefTarget(cited.block);
    if (parent >= 0 && written.insert(parent).second) crossref_only_.push_back(parent);
  }
  WriteNeededBlocks(reduced);
  for (const Cited& cited : cited_) {
    // An entry found under another letter case goes out under the key the
    // document cites, so that the reduced file and the document agree.
    const BibBlock& block = file_.blocks[cited.block];
    WriteEntryText(library_.bytes.data(), block, block.key == cited.key ? nullptr : cited.key.c_str(),
                   reduced);
    std::fputc('\n', reduced);
    std::fprintf(items, "%s\n", cited.key.c_str());
  }
  for (int parent : crossref_only_) {
    WriteEntryText(library_.bytes.data(), file_.blocks[parent], nullptr, reduced);
    std::fputc('\n', reduced);
  }
  return static_cast<int>(cited_.size());
}

void ParsedExtract::WriteBibitems(std::FILE* bibitems) {
  std::string reference;
  for (const Cited& cited : cited_) {
    int parent = CrossrefTarget(cited.block);
    reference.clear();
    TypesetReference(file_.blocks[cited.block], parent >= 0 ? &file_.blocks[parent] : nullptr,
                     options_, &reference);
    std::fprintf(bibitems, "\\bibitem{%s}\n", cited.key.c_str());
    std::fwrite(reference.data(), 1, reference.size(), bibitems);
  }
}

void ParsedExtract::Report(RunReport* report) const {
  for (const std::string& missing : document_.files_missing) {
    ReportLine(report, "File not found, its citations are missing: " + missing);
  }
  ReportProblems(report, library_path_.c_str(), file_.problems);
  for (const std::string& note : notes_) ReportLine(report, note);
}
