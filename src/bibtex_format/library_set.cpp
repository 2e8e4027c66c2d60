#include "bibtex_format/library_set.h"

#include <algorithm>

#include "bibtex_format/bibtex_library.h"

int LibrarySet::Load(const std::string& path) {
  auto library = std::make_unique<Library>();
  library->path = path;
  if (!LoadLibraryBytes(path.c_str(), &library->bytes)) return 0;
  libraries_.push_back(std::move(library));
  return 1;
}

namespace {

// Numbers the entries across the set for the caller's visitor.
struct NumberedVisit {
  BibEntryVisitor visit;
  void* context;
  int before = 0;  // entries of the libraries read before
  static int Visit(void* self, int entry_number, const BibBlock& entry) {
    NumberedVisit* numbered = static_cast<NumberedVisit*>(self);
    return numbered->visit(numbered->context, numbered->before + entry_number, entry);
  }
};

}  // namespace

void LibrarySet::Parse(BibEntryVisitor visit, void* context) {
  BibMacros macros;
  NumberedVisit numbered{visit, context};
  for (auto& library : libraries_) {
    const char* data = library->bytes.data();
    std::size_t size = library->bytes.size();
    ReadBibFileWithMacros(data, size, &library->file, visit ? NumberedVisit::Visit : nullptr,
                          &numbered, &macros);
    library->keys.Build(&library->file);
    library->entries = std::make_unique<ParsedEntries>(&library->file, data, size);
    library->line_end = LineEndOf(data, size);
    for (const BibBlock& block : library->file.blocks) numbered.before += block.kind == BIB_ENTRY;
  }
}

BlockRef LibrarySet::Find(std::string_view key, int* case_differs) const {
  for (int l = 0; l < Count(); l++) {
    int block = libraries_[l]->keys.Find(key, case_differs);
    if (block >= 0) return BlockRef{l, block};
  }
  *case_differs = 0;
  return BlockRef();
}

BlockRef LibrarySet::FindRepeat(std::string_view key, BlockRef taken) const {
  int case_differs;
  for (int l = taken.library + 1; l < Count(); l++) {
    int block = libraries_[l]->keys.Find(key, &case_differs);
    if (block >= 0) return BlockRef{l, block};
  }
  return BlockRef();
}

BlockRef LibrarySet::CrossrefTarget(BlockRef ref) const {
  const BibField* crossref = FindField(Block(ref), "crossref");
  if (crossref == nullptr) return BlockRef();
  int case_differs;
  return Find(crossref->value, &case_differs);
}

BlockRef LibrarySet::DefinitionFor(const std::string& name, BlockRef use) const {
  const std::vector<int>* own = libraries_[use.library]->entries->DefinitionsOf(name);
  if (own != nullptr && own->front() < use.block) {
    return BlockRef{use.library, *(std::lower_bound(own->begin(), own->end(), use.block) - 1)};
  }
  for (int l = use.library - 1; l >= 0; l--) {
    const std::vector<int>* earlier = libraries_[l]->entries->DefinitionsOf(name);
    if (earlier != nullptr) return BlockRef{l, earlier->back()};
  }
  if (own != nullptr) return BlockRef{use.library, own->front()};
  return BlockRef();
}

LibrarySet::Copies LibrarySet::StartCopies(std::FILE* out) const {
  Copies copies;
  copies.out = out;
  if (libraries_.empty()) return copies;
  const FileBytes& first = libraries_.front()->bytes;
  WriteSourceText(first.data(), 0, ByteOrderMarkLength(first.data(), first.size()), out);
  return copies;
}

void LibrarySet::WriteStringsFor(BlockRef ref, Copies* copies) const {
  for (const std::string& name : Block(ref).macros) {
    BlockRef definition = DefinitionFor(name, ref);
    if (!definition.Found() || !copies->strings.insert(definition).second) continue;
    WriteStringsFor(definition, copies);  // the macros its own value uses
    WriteBlock(definition, nullptr, copies);
  }
}

void LibrarySet::WriteBlock(BlockRef ref, const char* key, Copies* copies) const {
  const Library& library = *libraries_[ref.library];
  WriteEntryText(library.bytes.data(), Block(ref), key, copies->out);
  std::fputs(library.line_end, copies->out);
}

void LibrarySet::WritePreambles(Copies* copies) const {
  for (int l = 0; l < Count(); l++) {
    const std::vector<BibBlock>& blocks = File(l).blocks;
    for (std::size_t b = 0; b < blocks.size(); b++) {
      if (blocks[b].kind != BIB_PREAMBLE) continue;
      BlockRef preamble{l, static_cast<int>(b)};
      WriteStringsFor(preamble, copies);
      WriteBlock(preamble, nullptr, copies);
    }
  }
}
