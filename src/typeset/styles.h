// The journal styles: one line each in the registry (typeset/styles.cpp),
// which the command line's --style, its help and completion, and the
// typesetter all read.  A new style is one file with its name style and
// reference writer (typeset/style_NAME.cpp) and one line in the registry.
#ifndef TAMREL_TYPESET_STYLES_H
#define TAMREL_TYPESET_STYLES_H

#include <string>

#include "typeset/names.h"
#include "typeset/reference_parts.h"

typedef void (*ReferenceWriter)(const ReferenceParts& parts, std::string* out);

struct JournalStyleInfo {
  const char* option;  // the command line's value: "aps"
  const char* label;   // what it is called: "American Physical Society"
  const NameStyle* names;
  ReferenceWriter write;
  // Its column in the classic formats of the line rules, or -1 where the
  // line rules have no format for it.
  int classic_column;
};

// The styles in registry order; the first is the default.
int StyleCount();
const JournalStyleInfo* StyleAt(int index);

// The style whose option is name (in any letter case), or nullptr.
const JournalStyleInfo* StyleByOption(const char* name);

#endif
