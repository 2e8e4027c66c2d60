// A DOI as its resolver takes it, so that the forms libraries write it in
// compare equal: "10.1000/XYZ", "doi:10.1000/xyz" and
// "https://doi.org/10.1000/xyz" are one DOI.
#ifndef TAMREL_TEXT_DOI_H
#define TAMREL_TEXT_DOI_H

#include <string>
#include <string_view>

// value in lower case (DOIs are case-blind), without blanks at either end
// and without the address or label before it: "https://doi.org/",
// "http://doi.org/", "https://dx.doi.org/", "http://dx.doi.org/" or
// "doi:" (in any case, blanks allowed before and after the colon).
std::string BareDoi(std::string_view value);

#endif
