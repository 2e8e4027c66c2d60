// Typesets entries read from standard input, one "\bibitem" each, for the
// style comparison.  Input: "@TYPE KEY" and then one "name=value" line per
// field, a blank line after each entry.  Usage: typeset_driver STYLE 0|1,
// with a style of the registry (aps, acs, iop, ...).
#include <cstdio>
#include <cstring>
#include <iostream>
#include <string>

#include "bibtex/bib_file.h"
#include "bibtex/bib_values.h"
#include "typeset/reference.h"
#include "typeset/styles.h"

int main(int argc, char** argv) {
  if (argc != 3) {
    std::fprintf(stderr, "usage: %s STYLE 0|1\n", argv[0]);
    return 2;
  }
  ReferenceOptions options;
  options.style = StyleByOption(argv[1]);
  if (options.style == nullptr) {
    std::fprintf(stderr, "%s: no style %s\n", argv[0], argv[1]);
    return 2;
  }
  options.page_range = std::strcmp(argv[2], "1") == 0 ? 1 : 0;
  std::string line;
  BibBlock entry;
  // The entry's type, key and fields are views: their text lives here until
  // the entry is typeset.
  ValueStore text;
  auto flush = [&]() {
    if (entry.key.empty()) return;
    std::string out = "\\bibitem{" + std::string(entry.key) + "}\n";
    TypesetReference(BibBlockValues(entry), nullptr, options, &out);
    std::fputs(out.c_str(), stdout);
    entry = BibBlock();
    text.Clear();
  };
  while (std::getline(std::cin, line)) {
    if (line.empty()) {
      flush();
    } else if (line[0] == '@') {
      std::size_t blank = line.find(' ');
      entry.kind = BIB_ENTRY;
      entry.type = text.Store(line.substr(1, blank - 1));
      entry.key = blank == std::string::npos ? "" : text.Store(line.substr(blank + 1));
    } else {
      std::size_t equals = line.find('=');
      BibField field;
      field.name = text.Store(line.substr(0, equals));
      field.value = equals == std::string::npos ? "" : text.Store(line.substr(equals + 1));
      entry.fields.push_back(field);
    }
  }
  flush();
  return 0;
}
