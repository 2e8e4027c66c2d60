#include "typeset/latex_text.h"

#include <cctype>
#include <cstddef>
#include <cstring>

#include "text/page_range.h"

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

// Math accents written in text, as libraries often do (Matja\check{z}),
// would stop pdflatex: outside math each becomes its text accent.
const char* TextAccentOf(const std::string& command) {
  static const char* const kAccents[][2] = {
      {"acute", "'"}, {"grave", "`"}, {"hat", "^"},  {"tilde", "~"}, {"bar", "="},
      {"dot", "."},   {"ddot", "\""}, {"check", "v"}, {"breve", "u"},
  };
  for (const auto& accent : kAccents) {
    if (command == accent[0]) return accent[1];
  }
  return nullptr;
}

int IsAccentSymbol(char c) { return std::strchr("'`^\"~=.", c) != nullptr; }

// Characters that pdflatex's utf8 input does not know without more
// packages, written as LaTeX: Greek letters and common math signs.
struct CharacterName {
  unsigned code;
  const char* math;  // the math command, or nullptr
  const char* text;  // the text, where no math is needed
};

const CharacterName kCharacterNames[] = {
    {0x0391, nullptr, "A"}, {0x0392, nullptr, "B"}, {0x0393, "\\Gamma", nullptr}, {0x0394, "\\Delta", nullptr},
    {0x0395, nullptr, "E"}, {0x0396, nullptr, "Z"}, {0x0397, nullptr, "H"}, {0x0398, "\\Theta", nullptr},
    {0x0399, nullptr, "I"}, {0x039A, nullptr, "K"}, {0x039B, "\\Lambda", nullptr}, {0x039C, nullptr, "M"},
    {0x039D, nullptr, "N"}, {0x039E, "\\Xi", nullptr}, {0x039F, nullptr, "O"}, {0x03A0, "\\Pi", nullptr},
    {0x03A1, nullptr, "P"}, {0x03A3, "\\Sigma", nullptr}, {0x03A4, nullptr, "T"}, {0x03A5, "\\Upsilon", nullptr},
    {0x03A6, "\\Phi", nullptr}, {0x03A7, nullptr, "X"}, {0x03A8, "\\Psi", nullptr}, {0x03A9, "\\Omega", nullptr},
    {0x03B1, "\\alpha", nullptr}, {0x03B2, "\\beta", nullptr}, {0x03B3, "\\gamma", nullptr},
    {0x03B4, "\\delta", nullptr}, {0x03B5, "\\varepsilon", nullptr}, {0x03B6, "\\zeta", nullptr},
    {0x03B7, "\\eta", nullptr}, {0x03B8, "\\theta", nullptr}, {0x03B9, "\\iota", nullptr},
    {0x03BA, "\\kappa", nullptr}, {0x03BB, "\\lambda", nullptr}, {0x03BC, "\\mu", nullptr},
    {0x03BD, "\\nu", nullptr}, {0x03BE, "\\xi", nullptr}, {0x03BF, nullptr, "o"}, {0x03C0, "\\pi", nullptr},
    {0x03C1, "\\rho", nullptr}, {0x03C2, "\\varsigma", nullptr}, {0x03C3, "\\sigma", nullptr},
    {0x03C4, "\\tau", nullptr}, {0x03C5, "\\upsilon", nullptr}, {0x03C6, "\\varphi", nullptr},
    {0x03C7, "\\chi", nullptr}, {0x03C8, "\\psi", nullptr}, {0x03C9, "\\omega", nullptr},
    {0x03D1, "\\vartheta", nullptr}, {0x03D5, "\\phi", nullptr}, {0x03F5, "\\epsilon", nullptr},
    {0x2032, "\\prime", nullptr}, {0x2190, "\\leftarrow", nullptr}, {0x2192, "\\rightarrow", nullptr},
    {0x2194, "\\leftrightarrow", nullptr}, {0x2202, "\\partial", nullptr}, {0x2207, "\\nabla", nullptr},
    {0x2208, "\\in", nullptr}, {0x220F, "\\prod", nullptr}, {0x2211, "\\sum", nullptr}, {0x2212, "-", nullptr},
    {0x2217, "\\ast", nullptr}, {0x221A, "\\surd", nullptr}, {0x221D, "\\propto", nullptr},
    {0x221E, "\\infty", nullptr}, {0x222B, "\\int", nullptr}, {0x223C, "\\sim", nullptr},
    {0x2248, "\\approx", nullptr}, {0x2260, "\\neq", nullptr}, {0x2261, "\\equiv", nullptr},
    {0x2264, "\\leq", nullptr}, {0x2265, "\\geq", nullptr}, {0x226A, "\\ll", nullptr}, {0x226B, "\\gg", nullptr},
    {0x22C5, "\\cdot", nullptr}, {0xFFFD, nullptr, "?"},
};

// Combining marks that follow their letter, as the text accent to put
// around it.
const char* CombiningAccentOf(unsigned code) {
  static const char* const kMarks[] = {"`", "'", "^", "~", "=", nullptr, "u", ".", "\"", nullptr,
                                       "r", "H", "v"};
  if (code < 0x0300 || code > 0x030C) return nullptr;
  return kMarks[code - 0x0300];
}

// The code point of the UTF-8 sequence at s[i] and its length, or length
// 0 when the bytes there are no well-formed two- or three-byte sequence.
unsigned DecodeUtf8(const std::string& s, std::size_t i, std::size_t* length) {
  *length = 0;
  unsigned char lead = static_cast<unsigned char>(s[i]);
  std::size_t n = (lead & 0xE0) == 0xC0 ? 2 : (lead & 0xF0) == 0xE0 ? 3 : 0;
  if (n == 0 || i + n > s.size()) return 0;
  unsigned code = lead & (n == 2 ? 0x1F : 0x0F);
  for (std::size_t k = 1; k < n; k++) {
    unsigned char byte = static_cast<unsigned char>(s[i + k]);
    if ((byte & 0xC0) != 0x80) return 0;
    code = (code << 6) | (byte & 0x3F);
  }
  *length = n;
  return code;
}

// The LaTeX value text is built in, with the groups and math it has open.
struct LatexWriter {
  std::string out;
  int depth = 0;
  int math_depth = -1;  // the group depth where math began, or -1 outside math
};

int InMath(const LatexWriter& w) { return w.math_depth >= 0; }

void WriteMath(LatexWriter* w, const char* command) {
  if (InMath(*w)) {
    w->out += command;
    w->out += ' ';
    return;
  }
  w->out += '$';
  w->out += command;
  w->out += '$';
}

// Writes a character the utf8 input may not know; 0 when the character
// is none of those, and the bytes are to be copied as they are.
std::size_t WriteUnicode(const std::string& value, std::size_t i, LatexWriter* w) {
  std::size_t length = 0;
  unsigned code = DecodeUtf8(value, i, &length);
  if (length == 0) return 0;
  const char* accent = CombiningAccentOf(code);
  if (accent != nullptr) {
    std::string base;
    if (!w->out.empty() && IsLetter(w->out.back()) && !InMath(*w)) {
      base = w->out.substr(w->out.size() - 1);
      w->out.pop_back();
    }
    w->out += std::string("\\") + accent + "{" + base + "}";
    return length;
  }
  // The spaces of typesetting (U+2000 to U+200A, U+202F) are blanks, and
  // a C1 control character (a Windows byte read as Latin-1) prints nothing.
  if ((code >= 0x2000 && code <= 0x200A) || code == 0x202F) {
    w->out += ' ';
    return length;
  }
  if (code >= 0x80 && code <= 0x9F) return length;
  for (const CharacterName& name : kCharacterNames) {
    if (name.code != code) continue;
    if (name.text != nullptr) {
      w->out += name.text;
    } else {
      WriteMath(w, name.math);
    }
    return length;
  }
  // Scripts and signs that no table above names and pdflatex's utf8 input
  // does not know (CJK, arrows, shapes, dingbats) print as "?".  Cyrillic
  // stays: a document with T2A prints it.  Punctuation, the euro and the
  // trade mark sign stay too.
  const int known = code < 0x0370 || (code >= 0x0400 && code <= 0x052F) || (code >= 0x2010 && code <= 0x2044) ||
                    code == 0x20AC || code == 0x2122 || (code >= 0x1E00 && code <= 0x1EFF);
  if (!known) {
    w->out += '?';
    return length;
  }
  return 0;
}

// 1 when the command is one of the math commands above (\Sigma, \pm) or
// another that astronomers' titles use: outside math it would stop pdflatex.
int IsMathCommand(const std::string& command) {
  for (const CharacterName& name : kCharacterNames) {
    if (name.math != nullptr && command == name.math + 1) return 1;
  }
  static const char* const kMore[] = {"star", "odot", "oplus", "sun", "times", "cdot", "sim", "approx", "propto",
                                      "infty", "leq", "geq", "le", "ge", "ll", "gg", "rightarrow", "prime"};
  for (const char* more : kMore) {
    if (command == more) return 1;
  }
  return 0;
}

// Writes the control sequence at value[i]; returns the index of its last
// character.

std::size_t WriteCommand(const std::string& value, std::size_t i, LatexWriter* w) {
  if (i + 1 == value.size()) {
    w->out += "\\textbackslash{}";  // a lone backslash would take our next character
    return i;
  }
  if (static_cast<unsigned char>(value[i + 1]) >= 0x80) return i;  // "\´" would split a UTF-8 character
  std::size_t k = i + 1;
  while (k < value.size() && IsLetter(value[k])) k++;
  if (k == i + 1) {  // a control symbol such as \& or \{
    w->out.append(value, i, 2);
    return i + 1;
  }
  std::string command = value.substr(i + 1, k - i - 1);
  const char* accent = InMath(*w) ? nullptr : TextAccentOf(command);
  std::size_t out_size = w->out.size();
  int after_accent = out_size >= 2 && w->out[out_size - 2] == '\\' && IsAccentSymbol(w->out[out_size - 1]);
  if (accent != nullptr) {
    w->out += std::string("\\") + accent;
  } else if (!InMath(*w) && IsMathCommand(command)) {
    w->out += "$\\" + command + "$";
  } else if (command == "text") {
    w->out += "\\textrm";  // amsmath's \text, which plain LaTeX lacks; \textrm works in math too
  } else if (after_accent && command.size() > 1 && (command[0] == 'i' || command[0] == 'j')) {
    // "\'\ia": the dotless i under the accent, then the letters after it.
    w->out += std::string("\\") + command[0] + "{}" + command.substr(1);
  } else {
    w->out.append(value, i, k - i);
  }
  return k - 1;
}

// \url{X} and \path{X} as \texttt{X} with every character shown, and
// \href{X}{TEXT} as its text, so that the reference needs no package;
// returns the index of the last character used, or i when the command
// is none of those or its argument is not closed.
std::size_t WriteLink(const std::string& value, std::size_t i, LatexWriter* w) {
  const char* commands[] = {"\\url{", "\\path{", "\\href{"};
  for (const char* command : commands) {
    std::size_t length = std::strlen(command);
    if (value.compare(i, length, command) != 0) continue;
    std::size_t open = i + length - 1;
    std::size_t end = GroupEnd(value, open);
    if (end == 0) return i;
    if (command[1] == 'h') return end - 1;  // the text group follows and is written as text
    w->out += VerbatimText(value.substr(open + 1, end - open - 2));
    return end - 1;
  }
  return i;
}

// The length of a run of blanks and dashes at i that holds a dash, or 0.
std::size_t DashRunLength(const std::string& s, std::size_t i) {
  std::size_t k = i;
  int dashes = 0;
  while (k < s.size()) {
    std::size_t dash = RangeDashLength(s, k, DASHES_OF_UTF8_ONLY);
    if (dash > 0) {
      dashes++;
      k += dash;
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
  LatexWriter w;
  for (std::size_t i = 0; i < value.size(); i++) {
    char c = value[i];
    if (c == '\\') {
      std::size_t link_end = WriteLink(value, i, &w);
      i = link_end != i ? link_end : WriteCommand(value, i, &w);
      continue;
    }
    if (static_cast<unsigned char>(c) >= 0x80) {
      std::size_t length = WriteUnicode(value, i, &w);
      if (length > 0) {
        i += length - 1;
        continue;
      }
    }
    // A control character (a stray byte of a copied formula) prints nothing.
    if (static_cast<unsigned char>(c) < 0x20 && c != '\t' && c != '\n' && c != '\r') continue;
    int in_math = InMath(w);
    if (c == '{') {
      w.depth++;
    } else if (c == '}') {
      if (w.depth == 0) continue;
      if (in_math && w.math_depth == w.depth) {
        w.out += '$';
        w.math_depth = -1;
      }
      w.depth--;
    } else if (c == '$') {
      w.math_depth = in_math ? -1 : w.depth;
    } else if (c == '&' || c == '%' || c == '#') {
      w.out += '\\';
    } else if (c == '_' && !in_math) {
      w.out += '\\';
    } else if (c == '^' && !in_math) {
      w.out += "\\textasciicircum{}";
      continue;
    }
    w.out += c;
  }
  if (w.math_depth >= 0) w.out += '$';
  w.out.append(static_cast<std::size_t>(w.depth), '}');
  return w.out;
}

// The journals that ADS exports name by macros of the astronomy
// journals' classes (aas_macros.sty), as those define them.
const char* const kJournalMacros[][2] = {
    {"aj", "AJ"}, {"actaa", "Acta Astron."}, {"araa", "ARA\\&A"}, {"apj", "ApJ"}, {"apjl", "ApJ"},
    {"apjs", "ApJS"}, {"ao", "Appl.~Opt."}, {"apss", "Ap\\&SS"}, {"aap", "A\\&A"}, {"aapr", "A\\&A~Rev."},
    {"aaps", "A\\&AS"}, {"azh", "AZh"}, {"baas", "BAAS"}, {"icarus", "Icarus"}, {"jcap", "JCAP"},
    {"jrasc", "JRASC"}, {"memras", "MmRAS"}, {"mnras", "MNRAS"}, {"na", "New A"}, {"nar", "New A Rev."},
    {"pra", "Phys.~Rev.~A"}, {"prb", "Phys.~Rev.~B"}, {"prc", "Phys.~Rev.~C"}, {"prd", "Phys.~Rev.~D"},
    {"pre", "Phys.~Rev.~E"}, {"prl", "Phys.~Rev.~Lett."}, {"pasa", "PASA"}, {"pasp", "PASP"}, {"pasj", "PASJ"},
    {"qjras", "QJRAS"}, {"skytel", "S\\&T"}, {"solphys", "Sol.~Phys."}, {"sovast", "Soviet~Ast."},
    {"ssr", "Space~Sci.~Rev."}, {"zap", "ZAp"}, {"nat", "Nature"}, {"iaucirc", "IAU~Circ."},
    {"aplett", "Astrophys.~Lett."}, {"apspr", "Astrophys.~Space~Phys.~Res."},
    {"bain", "Bull.~Astron.~Inst.~Netherlands"}, {"fcp", "Fund.~Cosmic~Phys."}, {"gca", "Geochim.~Cosmochim.~Acta"},
    {"grl", "Geophys.~Res.~Lett."}, {"jcp", "J.~Chem.~Phys."}, {"jgr", "J.~Geophys.~Res."},
    {"jqsrt", "J.~Quant.~Spectrosc.~Radiat.~Transf."}, {"memsai", "Mem.~Soc.~Astron.~Italiana"},
    {"nphysa", "Nucl.~Phys.~A"}, {"physrep", "Phys.~Rep."}, {"physscr", "Phys.~Scr"},
    {"planss", "Planet.~Space~Sci."}, {"procspie", "Proc.~SPIE"},
};

std::string JournalMacroName(const std::string& value) {
  std::size_t b = 0;
  std::size_t e = value.size();
  while (b < e && (value[b] == '{' || value[b] == ' ')) b++;
  while (e > b && (value[e - 1] == '}' || value[e - 1] == ' ')) e--;
  if (e - b > 1 && value[b] == '\\') return value.substr(b + 1, e - b - 1);
  return "";
}

std::string JournalText(const std::string& value) {
  std::string name = JournalMacroName(value);
  for (const auto& macro : kJournalMacros) {
    if (!name.empty() && name == macro[0]) return macro[1];
  }
  return LatexText(value);
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
