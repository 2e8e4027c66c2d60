// Large heap pages for the readers, on Linux.
#ifndef TAMREL_CLI_HEAP_PAGES_H
#define TAMREL_CLI_HEAP_PAGES_H

// The BibTeX reader builds a heap of many small objects (a 100,000-entry
// library makes about a million values) and the run ends soon after, so
// faulting in the heap's pages one by one costs more than the reading
// itself.  glibc backs its heap with transparent huge pages only when the
// glibc.malloc.hugetlb tunable is set when the program starts: this starts
// the program once more with it set, unless it is set already or
// TAMREL_HEAP=plain asks for the plain heap (for instruction counts under
// valgrind, which would not follow the new start).  Returns only when the
// program goes on as it is: where there is no such tunable or the start
// fails.  Freed large blocks are kept in the heap for use again rather than
// given back to the system (except under TAMREL_HEAP=plain).
void UseLargeHeapPages(char** argv);

#endif
