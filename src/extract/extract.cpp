#include "extract/extract.h"

#include <cstdio>

#include "app/platform.h"
#include "app/state.h"
#include "extract/bibitem_writer.h"
#include "extract/citations.h"
#include "extract/extract_report.h"
#include "extract/reduced_library.h"
#include "scan/line_reader.h"
#include "scan/output_path.h"

namespace {

ExtractReport last_report;

// The files of one run.  Whatever is open when the run ends is closed;
// output files already created stay on disk as they are.
struct ExtractFiles {
  std::FILE* document = nullptr;
  std::FILE* library = nullptr;
  std::FILE* items = nullptr;
  std::FILE* reduced = nullptr;
  std::FILE* bibitems = nullptr;

  ~ExtractFiles() {
    for (std::FILE* file : {document, library, items, reduced, bibitems}) {
      if (file != nullptr) std::fclose(file);
    }
  }
};

int Stop(const char* text, const char* caption, int result) {
  ShowMessage(text, caption);
  return result;
}

// The reduced BibTeX file, closed after copying and opened again for the
// bibitem writer to read from its start.
int TypesetReducedFile(ExtractFiles* files, const char* reduced_path, const char* bibitems_path,
                       int found_count) {
  if (!CloseOutputFile(&files->reduced)) {
    return Stop("Could not write the new BibTeX file!", "New BibTeX file?", RESULT_STOPPED);
  }
  LineReader reader;
  files->reduced = OpenInputReader(&reader, reduced_path, "r+");
  if (files->reduced == nullptr) {
    return Stop("Could not create a new BibTeX file!", "New BibTeX file?", RESULT_STOPPED);
  }
  files->bibitems = std::fopen(bibitems_path, "w");
  if (files->bibitems == nullptr) {
    return Stop("Could not open the bibitem file!", "Bibitem file?", RESULT_STOPPED);
  }
  WriteBibitems(&reader, files->bibitems, found_count);
  return RESULT_DONE;
}

int RunExtract(ExtractFiles* files) {
  if (file_address_01[0] == '\0') return RESULT_NEED_FIRST;
  if (file_address_02[0] == '\0') return RESULT_NEED_BIBTEX;

  // Inputs are opened for update although nothing is written to them: a
  // file the user cannot write is refused, as it always has been.
  LineReader document;
  files->document = OpenInputReader(&document, file_address_01, "r+");
  if (files->document == nullptr) {
    return Stop("Could not open the LaTeX file!", "LaTeX file?", RESULT_NEED_FIRST);
  }

  char items_path[LINE_SIZE];
  char reduced_path[LINE_SIZE];
  char bibitems_path[LINE_SIZE];
  DeriveOutputPath(file_address_02, "_extract_items.txt", items_path);
  DeriveOutputPath(file_address_02, "_extract_modified" ".bib", reduced_path);
  DeriveOutputPath(file_address_02, "_extract_bibitems.tex", bibitems_path);
  const char* const outputs[] = {items_path, reduced_path, bibitems_path};
  const char* const inputs[] = {file_address_01, file_address_02};
  if (!OutputsSpareInputs(outputs, 3, inputs, 2)) return RESULT_STOPPED;

  files->items = std::fopen(items_path, "w");
  if (files->items == nullptr) {
    return Stop("Could not open the item file!", "Itemfile?", RESULT_STOPPED);
  }

  CitedKeys cited;
  CollectCitedKeys(&document, &cited);
  CloseLineReader(&document);
  last_report.cited_keys = cited.keys;
  last_report.found.assign(cited.keys.size(), false);

  LineReader library;
  files->library = OpenInputReader(&library, file_address_02, "r+");
  if (files->library == nullptr) {
    return Stop("Could not open the BibTeX file!", "BibTeX file?", RESULT_NEED_BIBTEX);
  }
  files->reduced = std::fopen(reduced_path, "w");
  if (files->reduced == nullptr) {
    return Stop("Could not create a new BibTeX file!", "New BibTeX file?", RESULT_STOPPED);
  }

  int found_count = CopyCitedEntries(&library, files->reduced, files->items, cited.keys,
                                     &last_report.found);
  CloseLineReader(&library);

  int result = TypesetReducedFile(files, reduced_path, bibitems_path, found_count);
  if (result != RESULT_DONE) return result;

  // A run that could not write its outputs in full says so instead of
  // reporting success over truncated files.
  if (!CloseOutputFile(&files->items)) {
    return Stop("Could not write the item file!", "Itemfile?", RESULT_STOPPED);
  }
  if (!CloseOutputFile(&files->bibitems)) {
    return Stop("Could not write the bibitem file!", "Bibitem file?", RESULT_STOPPED);
  }
  return RESULT_DONE;
}

}  // namespace

const ExtractReport& LastExtractReport() { return last_report; }

int Extract() {
  last_report.cited_keys.clear();
  last_report.found.clear();
  ExtractFiles files;
  return RunExtract(&files);
}
