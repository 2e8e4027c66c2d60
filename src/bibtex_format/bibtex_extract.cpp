#include "bibtex_format/bibtex_extract.h"

#include <cctype>
#include <cstring>
#include <set>

#include "bibtex/bib_values.h"
#include "bibtex/parsed_entries.h"
#include "bibtex_format/bibtex_library.h"
#include "text/path_parts.h"

namespace {

int EndsWith(const std::string& text, const char* end) {
  std::size_t length = std::strlen(end);
  return text.size() >= length && LowerCase(text.substr(text.size() - length)) == end;
}

}  // namespace

int BibtexExtract::ReadDocument(const char* path) {
  if (!CollectDocumentCitations(path, &document_)) return 0;
  compiled_aux_note_ = CompiledAuxNote(path, document_);
  keys_ = document_.keys;  // until the library gives "*" its entries
  return 1;
}

std::string BibtexExtract::LibraryNamedByDocument(const char* document_path) const {
  if (document_.bibdata.empty()) return std::string();
  std::string name = document_.bibdata.front();
  if (!EndsWith(name, ".bib")) name += ".bib";
  std::string_view document(document_path);
  return std::string(document.substr(0, FileNameStart(document))) + name;
}

// Keeps the fields of the entries the document may cite: those whose key
// it cites in any letter case (every entry after \nocite{*}).
int BibtexExtract::KeepCitedFields(void* context, int, const BibBlock& entry) {
  const BibtexExtract* self = static_cast<const BibtexExtract*>(context);
  return self->cite_all_ || self->cited_folded_.MayHold(entry.key);
}

// A crossref parent that is not cited itself had its fields let go; the
// library is then read once more, keeping every entry.
int BibtexExtract::ParentsLackFields() const {
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

int BibtexExtract::ReadLibrary(const char* path, Platform* messages) {
  library_path_ = path;
  if (!LoadLibraryBytes(path, &library_)) return 0;
  for (const std::string& key : document_.keys) {
    if (key == "*") cite_all_ = 1;
    cited_folded_.Add(key);
  }
  cited_folded_.Seal();
  ReadBibFileVisiting(library_.data(), library_.size(), &file_, KeepCitedFields, this);
  keys_of_library_.Build(&file_);
  if (ParentsLackFields()) {
    ReadBibFile(library_.data(), library_.size(), &file_);
    keys_of_library_.Build(&file_);
  }
  if (!ReadSomethingFrom(file_, path, "BibTeX file?", messages)) return -1;
  return 1;
}

void BibtexExtract::AddCited(const std::string& key, int block) {
  keys_.push_back(key);
  cited_.push_back(Cited{key, block});
}

// Keys in order of first citation; "\nocite{*}" brings every entry of the
// library, in library order, that was not cited before it.
void BibtexExtract::ResolveKeys(std::vector<bool>* found) {
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

int BibtexExtract::CrossrefTarget(int block) const {
  const BibField* crossref = FindField(file_.blocks[block], "crossref");
  if (crossref == nullptr) return -1;
  int case_differs;
  return keys_of_library_.Find(crossref->value, &case_differs);
}

// Every @preamble, and the @string definitions that the written entries
// use, in library order, so the reduced file defines each before use.
void BibtexExtract::WriteNeededBlocks(std::FILE* reduced) const {
  ParsedEntries entries(&file_, library_.data(), library_.size());
  for (const BibBlock& block : file_.blocks) {
    if (block.kind != BIB_PREAMBLE) continue;
    WriteSourceText(library_.data(), block.begin, block.end, reduced);
    std::fputc('\n', reduced);
  }
  for (const Cited& cited : cited_) entries.WriteStringsFor(cited.block, reduced);
  for (int parent : crossref_only_) entries.WriteStringsFor(parent, reduced);
}

void BibtexExtract::CopyCitedEntries(std::FILE* reduced, std::FILE* items,
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
    WriteEntryText(library_.data(), block, block.key == cited.key ? nullptr : cited.key.c_str(),
                   reduced);
    std::fputc('\n', reduced);
    std::fprintf(items, "%s\n", cited.key.c_str());
  }
  for (int parent : crossref_only_) {
    WriteEntryText(library_.data(), file_.blocks[parent], nullptr, reduced);
    std::fputc('\n', reduced);
  }
}

// The references are typeset from the library's parsed entries.
int BibtexExtract::WriteBibitems(const char*, std::FILE* bibitems) {
  std::string reference;
  for (const Cited& cited : cited_) {
    int parent = CrossrefTarget(cited.block);
    reference.clear();
    BibBlockValues entry(file_.blocks[cited.block]);
    if (parent >= 0) {
      BibBlockValues parent_entry(file_.blocks[parent]);
      TypesetReference(entry, &parent_entry, options_, &reference);
    } else {
      TypesetReference(entry, nullptr, options_, &reference);
    }
    std::fprintf(bibitems, "\\bibitem{%s}\n", cited.key.c_str());
    std::fwrite(reference.data(), 1, reference.size(), bibitems);
  }
  return 1;
}

// The file name without its folder and a ".tex" ending.
static std::string TexFileBase(std::string_view path) {
  std::string_view name = FileNamePart(path);
  if (name.size() > 4 && name.substr(name.size() - 4) == ".tex") name.remove_suffix(4);
  return std::string(name);
}

void BibtexExtract::Report(RunReport* report) const {
  for (const std::string& missing : document_.files_missing) {
    // The bibitem file this run is writing holds no citation.
    if (!own_bibitems_.empty() && TexFileBase(missing) == TexFileBase(own_bibitems_)) continue;
    ReportLine(report, "File not found, its citations are missing: " + missing);
  }
  if (!compiled_aux_note_.empty()) ReportLine(report, compiled_aux_note_);
  ReportProblems(report, library_path_.c_str(), file_.problems);
  for (const std::string& note : notes_) ReportLine(report, note);
}
