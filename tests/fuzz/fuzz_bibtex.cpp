// Fuzzes the BibTeX reader: any bytes must read into blocks that cover the
// data exactly, in order, with every key and value range inside its block.
// The data is copied into a buffer of exactly its size, so that a read past
// the end is caught by AddressSanitizer.
#include <cstdint>
#include <cstring>
#include <vector>

#include "bibtex/bib_file.h"

namespace {

void Check(bool holds) {
  if (!holds) __builtin_trap();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  std::vector<char> bytes(data, data + size);
  BibFile file;
  ReadBibFile(bytes.data(), bytes.size(), &file);
  std::size_t at = 0;
  int line = 1;
  std::size_t with_problem = 0;
  for (const BibBlock& block : file.blocks) {
    Check(block.begin == at);
    Check(block.begin < block.end && block.end <= size);
    Check(block.line == line);
    for (std::size_t i = block.begin; i < block.end; i++) line += bytes[i] == '\n';
    at = block.end;
    if (block.kind != BIB_TEXT) Check(bytes[block.begin] == '@');
    if (block.kind == BIB_ENTRY || block.kind == BIB_STRING) {
      Check(block.begin <= block.key_begin && block.key_begin <= block.key_end &&
            block.key_end <= block.end);
      Check(block.key.size() == block.key_end - block.key_begin);
      Check(std::memcmp(block.key.data(), bytes.data() + block.key_begin, block.key.size()) == 0);
    }
    if (block.kind == BIB_STRING) Check(block.fields.size() == 1);
    for (const BibField& field : block.fields) {
      Check(block.begin <= field.value_begin && field.value_begin <= field.value_end &&
            field.value_end <= block.end);
      // A preamble keeps its blanks, as bibtex writes it; values are trimmed.
      Check(block.kind == BIB_PREAMBLE || field.value.empty() ||
            (field.value.front() != ' ' && field.value.back() != ' '));
      Check(field.value.size() <= field.value_end - field.value_begin ||
            !block.macros.empty());
    }
    // A block read up to a syntax error, as bibtex reads it, names the
    // error like a malformed one; text and comments have none.
    if (!block.problem.empty()) with_problem++;
    if (block.kind == BIB_MALFORMED) {
      Check(!block.problem.empty() && block.fields.empty());
    } else if (block.kind == BIB_TEXT || block.kind == BIB_COMMENT) {
      Check(block.problem.empty());
    }
  }
  Check(at == size);
  Check(file.problems.size() >= with_problem);
  return 0;
}
