#include "text/page_range.h"

#include "text/trim.h"

std::size_t RangeDashLength(std::string_view text, std::size_t at, RangeDashes dashes) {
  unsigned char c = static_cast<unsigned char>(text[at]);
  if (c == '-') return 1;
  if ((c == 0x96 || c == 0x97) && dashes == DASHES_OF_ANY_ENCODING) {
    return at == 0 || static_cast<unsigned char>(text[at - 1]) < 0x80 ? 1 : 0;
  }
  if (c != 0xE2 || at + 2 >= text.size()) return 0;
  unsigned char second = static_cast<unsigned char>(text[at + 1]);
  unsigned char third = static_cast<unsigned char>(text[at + 2]);
  bool en_or_em_dash = second == 0x80 && (third == 0x93 || third == 0x94);
  bool minus_sign = second == 0x88 && third == 0x92;
  return en_or_em_dash || minus_sign ? 3 : 0;
}

std::string_view FirstPage(std::string_view pages) {
  std::size_t cut = 0;
  while (cut < pages.size() && RangeDashLength(pages, cut) == 0) cut++;
  return Trim(pages.substr(0, cut));
}
