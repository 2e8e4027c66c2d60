#include "typeset/reference_parts.h"

#include <cstdlib>
#include <cstring>

#include "text/ascii_case.h"

namespace {

int EndsWithFullStop(const std::string& text) { return !text.empty() && text.back() == '.'; }

}  // namespace

void AddPart(std::string* out, const char* separator, const char* prefix,
             const std::string& value, const char* suffix) {
  if (value.empty()) return;
  if (!out->empty()) {
    if (separator[0] == '.' && EndsWithFullStop(*out)) separator++;
    *out += separator;
  }
  *out += prefix;
  *out += value;
  *out += suffix;
}

void FinishReference(std::string* text, const char* end) {
  if (!text->empty()) {
    if (end[0] == '.' && EndsWithFullStop(*text)) end++;
    *text += end;
  }
  *text += "\n\n";
}

std::string Joined(const char* separator, std::initializer_list<std::string> parts) {
  std::string out;
  for (const std::string& part : parts) AddPart(&out, separator, "", part, "");
  return out;
}

const std::string& Either(const std::string& value, const std::string& fallback) {
  return value.empty() ? fallback : value;
}

void WriteByType(const ReferenceParts& parts, const TypeRoute* routes, std::size_t count, TypeWriter fallback,
                 std::string* out) {
  for (std::size_t i = 0; i < count; i++) {
    if (parts.type == routes[i].type) {
      routes[i].write(parts, out);
      return;
    }
  }
  fallback(parts, out);
}

std::string OrdinalEdition(const std::string& edition) {
  static const char* const kWords[] = {"first", "second", "third", "fourth", "fifth",
                                       "sixth", "seventh", "eighth", "ninth", "tenth"};
  int n = 0;
  for (int i = 0; i < 10 && n == 0; i++) {
    if (SameIgnoringCase(edition, kWords[i])) n = i + 1;
  }
  std::string digits = edition;
  if (!digits.empty() && digits.back() == '.') digits.pop_back();
  if (n == 0 && !digits.empty() && digits.size() <= 3 &&
      digits.find_first_not_of("0123456789") == std::string::npos) {
    n = std::atoi(digits.c_str());
  }
  if (n <= 0) return edition;
  const int teen = n % 100 >= 11 && n % 100 <= 13;
  const char* suffix = teen ? "th" : n % 10 == 1 ? "st" : n % 10 == 2 ? "nd" : n % 10 == 3 ? "rd" : "th";
  return std::to_string(n) + suffix;
}

std::string WithFirstLetterCase(const std::string& text, int upper) {
  std::string out = text;
  if (out.empty()) return out;
  const char c = out[0];
  if (upper && c >= 'a' && c <= 'z') out[0] = static_cast<char>(c - 'a' + 'A');
  if (!upper) out[0] = AsciiLower(c);
  return out;
}

std::string WithFullStop(const std::string& text) {
  std::size_t end = text.find_last_not_of('}');
  if (end == std::string::npos) return text;
  const char last = text[end];
  return last == '.' || last == '?' || last == '!' ? text : text + ".";
}

std::string Italic(const std::string& text) { return text.empty() ? "" : "\\textit{" + text + "}"; }
