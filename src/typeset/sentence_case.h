// Titles in sentence case, as BibTeX's change.case$ "t" writes them:
// the styles that print titles so lower their words whatever case the
// library gives.
#ifndef TAMREL_TYPESET_SENTENCE_CASE_H
#define TAMREL_TYPESET_SENTENCE_CASE_H

#include <string>

// Every ASCII letter in lower case but the first character and the first
// after a colon and a blank.  A braced group stays as written ("{DNA}"),
// except an accent group ("{\'E}"), whose letter is lowered like any
// other, keeping its command's name.  A command outside braces keeps its
// name (BibTeX would lower it, and so name another command or none).
std::string SentenceCase(const std::string& title);

#endif
