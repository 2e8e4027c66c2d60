#include "commands/help_texts.h"

#include <cstdio>

#include "app/state.h"

#define TAMREL_JABREF "https://www.jabref.org"
#define TAMREL_EMAIL "support@tamrel.org"
#define TAMREL_WEB "https://www.tamrel.org"

// The line that points the user to JabRef, indented by 27 blanks.
#define JABREF_LINE "                           --- " TAMREL_JABREF " ---\n"

// The compare and clean-doubles manuals open with the same seven lines.
#define MANY_FILES_PREAMBLE                                                 \
  "1. step: Load your BibTeX files with JabRef\n"                           \
  "\n" JABREF_LINE                                                          \
  "\n"                                                                      \
  "              and check them (This puts all references into a good "    \
  "shape).\n"                                                               \
  "              Save your BibTeX files for safety.\n"                      \
  "\n"

const char* const MANUAL_EXTRACT =
    "1. step: Load your BibTeX file (your large library) with JabRef\n"
    "\n" JABREF_LINE
    "\n"
    "              and check it (This puts your references into a good "
    "shape).\n"
    "              Save your BibTeX file for safety.\n"
    "\n"
    "2. step: Go to 'File' and load your LaTeX file (Open first file)\n"
    "\n"
    "3. step: Go to 'File' and load your BibTeX file (Open second file)\n"
    "\n"
    "4. step: Choose options in 'Preferences for extract'\n"
    "\n"
    "5. step: Go to 'Go and extract'\n"
    "\n"
    "             Result:\n"
    "\n"
    "Three files are created in the last chosen directory\n"
    "\n"
    "    1. BibTex file <bibfilename_extract_modified.bib> has\n"
    "        only the items from the LaTex file.\n"
    "    2. Item file <bibfilename_extract_items.txt>\n"
    "    3. Bibitem file <bibfilename_extract_bibitems.tex>\n";

// The steps jump from 3 to 5: that is how users have always known it.
const char* const MANUAL_COMPARE =
    MANY_FILES_PREAMBLE
    "2. step: Go to 'File' and load your first BibTeX file (Open first "
    "file)\n"
    "\n"
    "3. step: Go to 'File' and load your second BibTeX file (Open second "
    "file)\n"
    "              Note that the first file is the master file.\n"
    "\n"
    "5. step: Go to 'Go and compare'\n"
    "\n"
    "             Result:\n"
    "\n"
    "Two BibTeX files are created in the last chosen directory\n"
    "\n"
    "    1. BibTex file <bibfilename_compare_equal.bib> contains all\n"
    "        items which were found in both BibTeX files.\n"
    "    2. BibTex file <bibfilename_compare_missing.bib> contains all\n"
    "        items which can be found in the second BibTeX file but\n"
    "        not in the first one.";

const char* const MANUAL_CLEAN =
    MANY_FILES_PREAMBLE
    "2. step: Go to 'File' and load your BibTeX file (Open first file)\n"
    "\n"
    "3. step: Go to 'Go and clean doubles'\n"
    "\n"
    "             Result:\n"
    "\n"
    "A new BibTeX file is created in the last chosen directory. The file is\n"
    "named <bibfilename_clean_of_doubles.bib> and contains no double\n"
    "items anymore.\n";

const char* const PROBLEM_TEXT =
    "For any problem read the manual and contact: " TAMREL_EMAIL "\n";

int FormatAboutText(char* out, std::size_t size) {
  if (size == 0) return 1;
  std::snprintf(out, size, "%s\n\n%s\n\n", Version_string, TAMREL_WEB);
  return 1;
}
