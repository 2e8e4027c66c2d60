// Fuzzes the citation finder on one text, read both as LaTeX and as an
// .aux file: every key and database name it lists must be a real name,
// never empty and never with a blank at either end, and never listed twice.
#include <cstdint>
#include <string>
#include <unordered_set>
#include <vector>

#include "latex/citations.h"

static int IsBlank(char c) { return c == ' ' || c == '\t' || c == '\n' || c == '\r' || c == '\f' || c == '\v'; }

static void CheckNames(const std::vector<std::string>& names) {
  std::unordered_set<std::string> seen;
  for (const std::string& key : names) {
    if (key.empty() || IsBlank(key.front()) || IsBlank(key.back())) __builtin_trap();
    if (!seen.insert(key).second) __builtin_trap();
  }
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const char* text = reinterpret_cast<const char*>(data);
  for (int is_aux = 0; is_aux <= 1; is_aux++) {
    DocumentCitations citations;
    CollectTextCitations(text, size, is_aux, &citations);
    CheckNames(citations.keys);
    CheckNames(citations.bibdata);
  }
  return 0;
}
