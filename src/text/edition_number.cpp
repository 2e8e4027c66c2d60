#include "text/edition_number.h"

#include "text/plain_letters.h"

std::string EditionNumber(std::string_view edition) {
  std::string digits;
  for (char c : edition) {
    if (c >= '0' && c <= '9') {
      digits.push_back(c);
    } else if (!digits.empty()) {
      break;
    }
  }
  if (!digits.empty()) return digits;
  static const char* const kOrdinals[] = {"first", "second", "third",   "fourth", "fifth",
                                          "sixth", "seventh", "eighth", "ninth",  "tenth"};
  std::string letters = PlainLetters(edition);
  for (int i = 0; i < 10; i++) {
    if (letters.rfind(kOrdinals[i], 0) == 0) return std::to_string(i + 1);
  }
  return letters;
}
