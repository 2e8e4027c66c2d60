#include "text/doi.h"

#include <cstring>

#include "text/ascii_case.h"
#include "text/trim.h"

namespace {

// The length of "doi", blanks and ":" at the start of doi, or 0.
std::size_t DoiLabelLength(std::string_view doi) {
  if (doi.compare(0, 3, "doi") != 0) return 0;
  std::size_t at = 3;
  while (at < doi.size() && IsAsciiBlank(doi[at])) at++;
  return at < doi.size() && doi[at] == ':' ? at + 1 : 0;
}

}  // namespace

std::string BareDoi(std::string_view value) {
  std::string doi = LowerCase(Trim(value));
  static const char* const kAddresses[] = {"https://doi.org/", "http://doi.org/", "https://dx.doi.org/",
                                           "http://dx.doi.org/"};
  std::size_t prefix = DoiLabelLength(doi);
  for (const char* address : kAddresses) {
    std::size_t length = std::strlen(address);
    if (doi.compare(0, length, address) == 0) prefix = length;
  }
  // Cut in place: the one copy made is the lower-case one.
  std::string_view bare = Trim(std::string_view(doi).substr(prefix));
  std::size_t bare_size = bare.size();
  doi.erase(0, static_cast<std::size_t>(bare.data() - doi.data()));
  doi.resize(bare_size);
  return doi;
}
