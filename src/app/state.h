// Program-wide state shared by the front ends and the three operations:
// the two file slots, the extract options, the caption text and the
// result codes by which an operation tells its caller how it ended.
#ifndef TAMREL_APP_STATE_H
#define TAMREL_APP_STATE_H

#include <cstddef>

// A file slot holds a path of at most 255 characters and its NUL; the slot
// is empty when its first character is NUL.
constexpr std::size_t FILE_SLOT_SIZE = 256;

extern char file_address_01[FILE_SLOT_SIZE];
extern char file_address_02[FILE_SLOT_SIZE];

// The folder the outputs go to; empty (the default) puts each output
// beside the input it is named after.
extern char output_folder[FILE_SLOT_SIZE];

// Journal style (exactly one of the five is 1) and page mode
// (0 = first page only, 1 = page range).  The classic line rules know
// APS, ACS and IOP only; with Nature or RSC they write the "\bibitem"
// lines without reference text, as --classic --style nature does.
extern int FLAG_APS;
extern int FLAG_ACS;
extern int FLAG_IOP;
extern int FLAG_NATURE;
extern int FLAG_RSC;
extern int FLAG_PAGEALL;

// How the input files are read: 0 (the default) as BibTeX and LaTeX read
// them; 1 by the classic line rules, for libraries in JabRef's layout.
extern int FLAG_CLASSIC;

// The operations search with their indexes (1, the default); the tests
// switch them off to check that the plain in-order scans give the same
// bytes.
void SetIndexedScans(int on);
int IndexedScans();

// The caption at rest and the caption of every information message.
extern const char* const Version_string;

// Result codes of Extract, Compare and Clean.
constexpr int RESULT_STOPPED = 0;         // stopped after its own message
constexpr int RESULT_DONE = 1;            // ran to its end, outputs written
constexpr int RESULT_NEED_FIRST = 2998;   // the first file is needed
constexpr int RESULT_NEED_BIBTEX = 2999;  // a BibTeX file is needed

// Puts the state back to how the program starts: both slots and the
// output folder empty, APS style, first page only, the default reader.
void ResetApplicationState();

// Copies a path into a file slot.  A path that does not fit (more than
// 255 characters) leaves the slot as it was and returns 0; otherwise 1.
int SetFileSlot(char* slot, const char* path);

// Sets the style flags together, keeping exactly one of them at 1.
enum JournalStyle { STYLE_APS, STYLE_ACS, STYLE_IOP, STYLE_NATURE, STYLE_RSC };
void SetJournalStyle(JournalStyle style);

// The style the flags choose, tested in the order APS, ACS, IOP, Nature,
// RSC.  Returns
// 0 when no flag is set (nothing is then typeset in any style), else 1.
int SelectedStyle(JournalStyle* style);

#endif
