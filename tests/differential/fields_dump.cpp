// Writes a library as Tamrel's BibTeX reader sees it, in the line format of
// fields_dump.bst, so that the two can be compared line by line:
//   P            then the preamble: every @preamble value joined
//   @|<type>     an entry (type in lower case), then its key
//   F|<name>     each field, then its value
// each text on a line of its own as "+|<text>|" (none for an empty text).
// The reader's problems go to standard error.
// The entries are those bibtex keeps: the first of each key in any letter
// case, in library order; a crossref parent's fields fill the fields a
// child lacks, and the crossref names the parent's key as written, as
// bibtex does.
#include <cstdio>
#include <string>
#include <unordered_map>
#include <utility>
#include <vector>

#include "bibtex/bib_file.h"
#include "bibtex/bib_values.h"
#include "bibtex_format/bibtex_library.h"

namespace {

struct DumpedEntry {
  std::string type;
  std::string key;
  std::vector<std::pair<std::string, std::string>> fields;  // first of each name

  const std::string* Field(const std::string& name) const {
    for (const auto& field : fields) {
      if (field.first == name) return &field.second;
    }
    return nullptr;
  }
};

DumpedEntry FromBlock(const BibBlock& block) {
  DumpedEntry entry;
  entry.type = LowerCase(block.type);
  entry.key = std::string(block.key);
  BibBlockValues values(block);
  for (const BibField& field : block.fields) {
    std::string name(field.name);
    if (entry.Field(name) != nullptr) continue;  // bibtex ignores a repeated field
    entry.fields.emplace_back(name, std::string(values.Value(name.c_str())));
  }
  return entry;
}

// bibtex fills a child from its parent in entry order, so a parent that
// comes before its child passes on what its own parent gave it.  A crossref
// to no entry is dropped.
void InheritCrossrefs(std::vector<DumpedEntry>* entries,
                      const std::unordered_map<std::string, std::size_t>& by_key) {
  for (DumpedEntry& child : *entries) {
    for (auto field = child.fields.begin(); field != child.fields.end(); ++field) {
      if (field->first != "crossref") continue;
      auto parent = by_key.find(LowerCase(field->second));
      if (parent == by_key.end()) {
        child.fields.erase(field);
        break;
      }
      const DumpedEntry& from = (*entries)[parent->second];
      field->second = from.key;
      for (const auto& inherited : from.fields) {
        if (inherited.first != "crossref" && child.Field(inherited.first) == nullptr) {
          child.fields.push_back(inherited);
        }
      }
      break;
    }
  }
}

void WriteText(const std::string& text) {
  if (!text.empty()) std::printf("+|%s|\n", text.c_str());
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 2) {
    std::fprintf(stderr, "usage: fields_dump LIBRARY\n");
    return 2;
  }
  FileBytes bytes;
  if (!LoadLibraryBytes(argv[1], &bytes)) {
    std::perror(argv[1]);
    return 1;
  }
  BibFile file;
  ReadBibFile(bytes.data(), bytes.size(), &file);
  for (const std::string& problem : file.problems) std::fprintf(stderr, "%s\n", problem.c_str());

  std::string preamble;
  std::vector<DumpedEntry> entries;
  std::unordered_map<std::string, std::size_t> by_key;  // key in lower case -> first entry
  for (const BibBlock& block : file.blocks) {
    if (block.kind == BIB_PREAMBLE) preamble += block.fields[0].value;
    if (block.kind != BIB_ENTRY) continue;
    if (!by_key.emplace(LowerCase(block.key), entries.size()).second) continue;
    entries.push_back(FromBlock(block));
  }
  InheritCrossrefs(&entries, by_key);

  std::printf("P\n");
  WriteText(preamble);
  for (const DumpedEntry& entry : entries) {
    std::printf("@|%s\n", entry.type.c_str());
    WriteText(entry.key);
    for (const auto& field : entry.fields) {
      std::printf("F|%s\n", field.first.c_str());
      WriteText(field.second);
    }
  }
  return 0;
}
