#include "typeset/names.h"

#include <cstddef>

#include "text/trim.h"

namespace {

void AppendWord(std::string* out, const char* separator, const std::string& word) {
  if (word.empty()) return;
  if (!out->empty()) *out += separator;
  *out += word;
}

// IOP names carry no full stops: "J.-P." gives "J-P", "J.A." gives "J A".
// Braced groups and commands (\.{I}) are kept as written.
std::string WithoutFullStops(const std::string& s) {
  std::string out;
  int depth = 0;
  for (std::size_t i = 0; i < s.size(); i++) {
    char c = s[i];
    if (c == '\\' && i + 1 < s.size()) {
      out += c;
      out += s[++i];
      continue;
    }
    if (c == '{') depth++;
    if (c == '}' && depth > 0) depth--;
    if (c == '.' && depth == 0) {
      char next = i + 1 < s.size() ? s[i + 1] : ' ';
      if (!IsAsciiBlank(next) && next != '-') out += ' ';
      continue;
    }
    out += c;
  }
  return std::string(Trim(out));
}

std::string FormatName(const PersonName& name, NameForm form) {
  std::string out;
  std::string surname = name.von;
  AppendWord(&surname, " ", name.last);
  switch (form) {
    case NAMES_GIVEN_FIRST:
      AppendWord(&out, " ", name.first);
      AppendWord(&out, " ", surname);
      AppendWord(&out, ", ", name.jr);
      break;
    case NAMES_SURNAME_FIRST:
      AppendWord(&out, "", surname);
      AppendWord(&out, ", ", name.first);
      AppendWord(&out, ", ", name.jr);
      break;
    case NAMES_SURNAME_INITIALS:
      AppendWord(&out, "", surname);
      AppendWord(&out, " ", WithoutFullStops(name.first));
      AppendWord(&out, " ", WithoutFullStops(name.jr));
      break;
  }
  return out;
}

// How the form ends a list cut short by "others".
const char* EtAl(NameForm form) {
  switch (form) {
    case NAMES_GIVEN_FIRST: return "\\textit{et al.}";
    case NAMES_SURNAME_FIRST: return "et al.";
    case NAMES_SURNAME_INITIALS: return "\\textit{et al}";
  }
  return "et al.";
}

}  // namespace

std::string FormatNameList(const NameList& list, NameForm form) {
  std::string out;
  std::size_t n = list.names.size();
  for (std::size_t i = 0; i < n; i++) {
    const char* separator = ", ";
    if (form == NAMES_SURNAME_FIRST) {
      separator = "; ";
    } else if (i + 1 == n && !list.others) {
      separator = " and ";
    }
    AppendWord(&out, separator, FormatName(list.names[i], form));
  }
  if (list.others) {
    // One name and "et al." read as one phrase; after a list, "et al."
    // is one more item of it.
    const char* separator = n > 1 ? ", " : " ";
    if (form == NAMES_SURNAME_FIRST) separator = "; ";
    AppendWord(&out, separator, EtAl(form));
  }
  return out;
}
