// The compiled .aux beside a document, read to tell the user when the
// document's text shows fewer citations than LaTeX recorded: citations
// made through the document's own commands are seen by LaTeX alone.
#include <string>

#include "latex/citations.h"
#include "scan/line_reader.h"
#include "text/path_parts.h"

namespace {

// biblatex cites its own control entry in every .aux it writes for bibtex.
const char kBiblatexControl[] = "biblatex-control";

// The .aux LaTeX writes for the document: its name with ".aux" for ".tex".
std::string AuxBeside(const std::string& document) {
  if (PathEndsWith(document, ".tex")) return document.substr(0, document.size() - 4) + ".aux";
  return document + ".aux";
}

int Exists(const std::string& path) {
  std::FILE* file = OpenInputFile(path.c_str(), "r");
  if (file == nullptr) return 0;
  std::fclose(file);
  return 1;
}

}  // namespace

std::string CompiledAuxNote(const char* document_path, const DocumentCitations& text) {
  std::string document(document_path);
  if (PathEndsWith(document, ".aux")) return std::string();
  std::string aux = AuxBeside(document);
  DocumentCitations compiled;
  if (!Exists(aux) || !CollectDocumentCitations(aux.c_str(), &compiled)) {
    if (!text.keys.empty()) return std::string();
    return "The document's text cites no key. If it cites through commands of its own, compile it and run "
           "extract on its .aux (" + aux + ").";
  }
  std::unordered_set<std::string> cited(text.keys.begin(), text.keys.end());
  std::size_t listed = 0;
  std::size_t unseen = 0;
  for (const std::string& key : compiled.keys) {
    if (key == kBiblatexControl) continue;
    listed++;
    unseen += cited.count(key) == 0 ? 1 : 0;
  }
  if (unseen == 0 && !text.keys.empty()) return std::string();
  if (listed == 0) return "The document's text cites no key, and its compiled " + aux + " lists none.";
  return "The document's text cites " + std::to_string(text.keys.size()) + " distinct keys; its compiled " + aux +
         " lists " + std::to_string(listed) + ", " + std::to_string(unseen) +
         " of them not in the text (citations through commands of its own?): run extract on " + aux +
         " to take LaTeX's list.";
}
