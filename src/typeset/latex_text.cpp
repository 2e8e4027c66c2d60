#include "typeset/latex_text.h"

#include <cctype>
#include <cstddef>
#include <cstring>

namespace {

bool IsLetter(char c) { return std::isalpha(static_cast<unsigned char>(c)) != 0; }

// The index just past the group that opens at s[open], or 0 when the
// group is never closed.
std::size_t GroupEnd(const std::string& s, std::size_t open) {
  int depth = 0;
  for (std::size_t i = open; i < s.size(); i++) {
    if (s[i] == '\\') {
      i++;
      continue;
    }
    if (s[i] == '{') depth++;
    if (s[i] == '}' && --depth == 0) return i + 1;
  }
  return 0;
}

int ReadsArgumentVerbatim(const std::string& command) {
  return command == "url" || command == "href" || command == "path";
}

// The bytes of an en dash or an em dash in UTF-8, or 0.
std::size_t LongDashLength(const std::string& s, std::size_t i) {
  if (i + 2 < s.size() && static_cast<unsigned char>(s[i]) == 0xE2 &&
      static_cast<unsigned char>(s[i + 1]) == 0x80 &&
      (static_cast<unsigned char>(s[i + 2]) == 0x93 || static_cast<unsigned char>(s[i + 2]) == 0x94)) {
    return 3;
  }
  return 0;
}

// The length of a run of blanks and dashes at i that holds a dash, or 0.
std::size_t DashRunLength(const std::string& s, std::size_t i) {
  std::size_t k = i;
  int dashes = 0;
  while (k < s.size()) {
    std::size_t long_dash = LongDashLength(s, k);
    if (long_dash > 0) {
      dashes++;
      k += long_dash;
    } else if (s[k] == '-') {
      dashes++;
      k++;
    } else if (s[k] == ' ') {
      k++;
    } else {
      break;
    }
  }
  return dashes > 0 ? k - i : 0;
}

}  // namespace

std::string LatexText(const std::string& value) {
  std::string out;
  int depth = 0;
  int math_depth = -1;  // the group depth where math began, or -1 outside math
  for (std::size_t i = 0; i < value.size(); i++) {
    char c = value[i];
    if (c == '\\') {
      if (i + 1 == value.size()) {
        out += "\\textbackslash{}";  // a lone backslash would take our next character
        break;
      }
      std::size_t k = i + 1;
      while (k < value.size() && IsLetter(value[k])) k++;
      if (k == i + 1) k++;  // a control symbol such as \& or \{
      std::string command = value.substr(i + 1, k - i - 1);
      out.append(value, i, k - i);
      i = k - 1;
      if (ReadsArgumentVerbatim(command) && k < value.size() && value[k] == '{') {
        std::size_t end = GroupEnd(value, k);
        if (end > 0) {
          out.append(value, k, end - k);
          i = end - 1;
        }
      }
      continue;
    }
    int in_math = math_depth >= 0;
    if (c == '{') {
      depth++;
    } else if (c == '}') {
      if (depth == 0) continue;
      if (in_math && math_depth == depth) {
        out += '$';
        math_depth = -1;
      }
      depth--;
    } else if (c == '$') {
      math_depth = in_math ? -1 : depth;
    } else if (c == '&' || c == '%' || c == '#') {
      out += '\\';
    } else if (c == '_' && !in_math) {
      out += '\\';
    } else if (c == '^' && !in_math) {
      out += "\\textasciicircum{}";
      continue;
    }
    out += c;
  }
  if (math_depth >= 0) out += '$';
  out.append(static_cast<std::size_t>(depth), '}');
  return out;
}

std::string VerbatimText(const std::string& value) {
  if (value.empty()) return "";
  std::string out = "\\texttt{";
  for (char c : value) {
    if (c == '\\') {
      out += "\\textbackslash{}";
    } else if (c == '~') {
      out += "\\textasciitilde{}";
    } else if (c == '^') {
      out += "\\textasciicircum{}";
    } else if (std::strchr("{}#$%&_", c) != nullptr) {
      out += '\\';
      out += c;
    } else {
      out += c;
    }
  }
  out += '}';
  return out;
}

std::string PagesText(const std::string& value, int whole_range) {
  std::string out;
  for (std::size_t i = 0; i < value.size(); i++) {
    std::size_t run = DashRunLength(value, i);
    if (run == 0) {
      out += value[i];
      continue;
    }
    if (!whole_range) break;
    out += "--";
    i += run - 1;
  }
  while (!out.empty() && out.back() == ' ') out.pop_back();
  return out;
}

int PagesArePlural(const std::string& pages) {
  return pages.find("--") != std::string::npos || pages.find(',') != std::string::npos;
}
