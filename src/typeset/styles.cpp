#include "typeset/styles.h"

#include "text/ascii_case.h"

// Each style's file gives its names and its writer.
#define TAMREL_STYLE(name)          \
  extern const NameStyle k##name##Names; \
  void Write##name##Reference(const ReferenceParts& parts, std::string* out);
TAMREL_STYLE(Aps)
TAMREL_STYLE(Acs)
TAMREL_STYLE(Iop)
TAMREL_STYLE(Nature)
TAMREL_STYLE(Rsc)
#undef TAMREL_STYLE

namespace {

// The registry: the command line lists the styles in this order.
const JournalStyleInfo kStyles[] = {
    {"aps", "American Physical Society", &kApsNames, WriteApsReference, 1},
    {"acs", "American Chemical Society", &kAcsNames, WriteAcsReference, 0},
    {"iop", "Institute of Physics", &kIopNames, WriteIopReference, 2},
    {"nature", "Nature", &kNatureNames, WriteNatureReference, -1},
    {"rsc", "Royal Society of Chemistry", &kRscNames, WriteRscReference, -1},
};

}  // namespace

int StyleCount() { return static_cast<int>(sizeof kStyles / sizeof kStyles[0]); }

const JournalStyleInfo* StyleAt(int index) {
  return index >= 0 && index < StyleCount() ? &kStyles[index] : nullptr;
}

const JournalStyleInfo* StyleByOption(const char* name) {
  for (const JournalStyleInfo& style : kStyles) {
    if (SameIgnoringCase(name, style.option)) return &style;
  }
  return nullptr;
}
