#include "bibtex_format/bibtex_extract.h"

#include <algorithm>
#include <map>
#include <set>

#include "bibtex/bib_values.h"
#include "bibtex_format/bibtex_library.h"
#include "text/path_parts.h"

namespace {

std::string Where(const LibrarySet& libraries, BlockRef ref) {
  return libraries.Path(ref.library) + " (line " + std::to_string(libraries.Block(ref).line) +
         ")";
}

}  // namespace

int BibtexExtract::ReadDocument(const char* path) {
  if (!CollectDocumentCitations(path, &document_)) return 0;
  compiled_aux_note_ = CompiledAuxNote(path, document_);
  keys_ = document_.keys;  // until the libraries give "*" their entries
  return 1;
}

std::vector<std::string> BibtexExtract::LibrariesNamedByDocument(const char* document_path) const {
  std::string_view document(document_path);
  std::string folder(document.substr(0, FileNameStart(document)));
  std::vector<std::string> paths;
  for (std::string name : document_.bibdata) {
    if (!PathEndsWith(LowerCase(name), ".bib")) name += ".bib";
    paths.push_back(folder + name);
  }
  return paths;
}

// Keeps the fields of the entries the document may cite: those whose key
// it cites in any letter case (every entry after \nocite{*}).
int BibtexExtract::KeepCitedFields(void* context, int, const BibBlock& entry) {
  const BibtexExtract* self = static_cast<const BibtexExtract*>(context);
  return self->cite_all_ || self->cited_folded_.MayHold(entry.key);
}

// A crossref parent that is not cited itself had its fields let go; the
// libraries are then read once more, keeping every entry.
int BibtexExtract::ParentsLackFields() const {
  for (int l = 0; l < libraries_.Count(); l++) {
    const std::vector<BibBlock>& blocks = libraries_.File(l).blocks;
    for (std::size_t b = 0; b < blocks.size(); b++) {
      if (blocks[b].kind != BIB_ENTRY || blocks[b].fields.empty()) continue;
      BlockRef parent = libraries_.CrossrefTarget(BlockRef{l, static_cast<int>(b)});
      if (parent.Found() && libraries_.Block(parent).fields.empty()) return 1;
    }
  }
  return 0;
}

int BibtexExtract::ReadLibraries(const std::vector<std::string>& paths, Platform* messages,
                                 std::size_t* unread) {
  for (std::size_t i = 0; i < paths.size(); i++) {
    *unread = i;
    if (!libraries_.Load(paths[i])) return 0;
  }
  for (const std::string& key : document_.keys) {
    if (key == "*") cite_all_ = 1;
    cited_folded_.Add(key);
  }
  cited_folded_.Seal();
  libraries_.Parse(KeepCitedFields, this);
  if (ParentsLackFields()) libraries_.Parse(nullptr, nullptr);
  for (int l = 0; l < libraries_.Count(); l++) {
    const char* path = libraries_.Path(l).c_str();
    if (!ReadSomethingFrom(libraries_.File(l), path, "BibTeX file?", messages)) return -1;
  }
  return 1;
}

// A key that a later library holds too: bibtex takes the first entry and
// reports the later one as repeated; the user should know which was taken.
void BibtexExtract::NoteRepeat(const std::string& key, BlockRef taken) {
  BlockRef repeat = libraries_.FindRepeat(key, taken);
  if (!repeat.Found()) return;
  notes_.push_back("'" + key + "' is in " + Where(libraries_, taken) + " and in " +
                   Where(libraries_, repeat) + ": the first is copied, as bibtex takes it.");
}

// "\nocite{*}" brings every entry of the libraries, in order, whose key
// (in any letter case) was not listed before it.
void BibtexExtract::CiteEveryEntry(std::set<BlockRef>* taken, std::set<std::string>* listed) {
  for (int l = 0; l < libraries_.Count(); l++) {
    const std::vector<BibBlock>& blocks = libraries_.File(l).blocks;
    for (std::size_t b = 0; b < blocks.size(); b++) {
      BlockRef entry{l, static_cast<int>(b)};
      if (blocks[b].kind != BIB_ENTRY || !taken->insert(entry).second) continue;
      std::string key(blocks[b].key);
      if (!listed->insert(LowerCase(key)).second) continue;
      listed->insert(key);
      keys_.push_back(key);
      held_.push_back(true);
      cited_.push_back(Cited{key, entry});
    }
  }
}

void BibtexExtract::ResolveCitedKey(const std::string& key, std::set<BlockRef>* taken) {
  int case_differs;
  BlockRef entry = libraries_.Find(key, &case_differs);
  keys_.push_back(key);
  held_.push_back(entry.Found());
  if (!entry.Found()) return;
  if (!taken->insert(entry).second) {
    // Two spellings of one key: the library holds it, but BibTeX writes
    // the entry once, under the spelling cited first.
    notes_.push_back("'" + key + "' names an entry cited already under another spelling.");
    return;
  }
  if (case_differs) {
    notes_.push_back("Cited as '" + key + "', the library's key is '" +
                     std::string(libraries_.Block(entry).key) + "' (line " +
                     std::to_string(libraries_.Block(entry).line) +
                     "): copied under the cited key.");
  }
  NoteRepeat(key, entry);
  cited_.push_back(Cited{key, entry});
}

// Keys in order of first citation.
void BibtexExtract::ResolveKeys(std::vector<bool>* found) {
  std::set<BlockRef> taken;
  // The keys listed, as cited and folded: the spellings of one key are
  // listed as the document writes them, each with its note, and "*" skips
  // an entry whose key was listed in any letter case, as bibtex does.
  std::set<std::string> listed;
  keys_.clear();
  held_.clear();
  for (const std::string& key : document_.keys) {
    if (key == "*") {
      CiteEveryEntry(&taken, &listed);
    } else if (listed.insert(key).second) {
      listed.insert(LowerCase(key));
      ResolveCitedKey(key, &taken);
    }
  }
  *found = held_;
}

// The crossref parents that are not cited, every generation of them, each
// after every entry that names it: bibtex takes a parent that is not cited
// only when it comes after the entries that name it ("A bad cross
// reference" otherwise).  A cited parent is written where it is cited.
void BibtexExtract::OrderParents() {
  std::set<BlockRef> cited;
  for (const Cited& one : cited_) cited.insert(one.entry);
  std::vector<BlockRef> walk;  // the cited entries, then the parents found
  for (const Cited& one : cited_) walk.push_back(one.entry);
  std::map<BlockRef, int> children_left;  // of each parent found, among the parents
  for (std::size_t i = 0; i < walk.size(); i++) {
    BlockRef parent = libraries_.CrossrefTarget(walk[i]);
    if (!parent.Found() || cited.count(parent)) continue;
    if (children_left.emplace(parent, 0).second) walk.push_back(parent);
    if (i >= cited_.size()) children_left[parent]++;
  }
  std::vector<BlockRef> found(walk.begin() + static_cast<long>(cited_.size()), walk.end());
  std::vector<BlockRef> ready;
  for (BlockRef parent : found) {
    if (children_left[parent] == 0) ready.push_back(parent);
  }
  std::set<BlockRef> placed;
  for (std::size_t next = 0; placed.size() < found.size(); next++) {
    if (next == ready.size()) {
      // A crossref loop, which no order satisfies: the rest in found order.
      for (BlockRef parent : found) {
        if (!placed.count(parent)) ready.push_back(parent);
      }
    }
    BlockRef parent = ready[next];
    if (!placed.insert(parent).second) continue;
    parents_.push_back(parent);
    auto grandparent = children_left.find(libraries_.CrossrefTarget(parent));
    if (grandparent != children_left.end() && --grandparent->second == 0) {
      ready.push_back(grandparent->first);
    }
  }
}

void BibtexExtract::CopyCitedEntries(std::FILE* reduced, std::FILE* items,
                                     std::vector<bool>* found) {
  ResolveKeys(found);
  OrderParents();
  LibrarySet::Copies copies = libraries_.StartCopies(reduced);
  libraries_.WritePreambles(&copies);
  for (const Cited& cited : cited_) libraries_.WriteStringsFor(cited.entry, &copies);
  for (BlockRef parent : parents_) libraries_.WriteStringsFor(parent, &copies);
  for (const Cited& cited : cited_) {
    // An entry found under another letter case goes out under the key the
    // document cites, so that the reduced file and the document agree.
    const BibBlock& block = libraries_.Block(cited.entry);
    libraries_.WriteBlock(cited.entry, block.key == cited.key ? nullptr : cited.key.c_str(),
                          &copies);
    std::fprintf(items, "%s\n", cited.key.c_str());
  }
  for (BlockRef parent : parents_) libraries_.WriteBlock(parent, nullptr, &copies);
}

// The references are typeset from the libraries' parsed entries.
int BibtexExtract::WriteBibitems(const char*, std::FILE* bibitems) {
  std::string reference;
  for (const Cited& cited : cited_) {
    BlockRef parent = libraries_.CrossrefTarget(cited.entry);
    reference.clear();
    BibBlockValues entry(libraries_.Block(cited.entry));
    if (parent.Found()) {
      BibBlockValues parent_entry(libraries_.Block(parent));
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
  for (int l = 0; l < libraries_.Count(); l++) {
    ReportProblems(report, libraries_.Path(l).c_str(), libraries_.File(l).problems);
  }
  for (const std::string& note : notes_) ReportLine(report, note);
}
