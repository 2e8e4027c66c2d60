// The entry points of the page's WebAssembly module, also built natively so
// that the tests call what the page calls.
#ifndef TAMREL_WEB_PAGE_EXPORTS_H
#define TAMREL_WEB_PAGE_EXPORTS_H

extern "C" {

// Runs one operation ("extract", "compare", "clean") on files already in
// the file system, with every output written into output_folder, and
// returns the outcome as JSON (outcome_json.h), to be given back to
// tamrel_free.  extract: first is the document, second the libraries, one
// per line ("" for the one a compiled .aux names); compare: first is the
// master, second the second file; clean: first is the library.  style is
// a registry option ("aps"); page_range 1 prints the whole page range.
char* tamrel_run(const char* operation_name, const char* first, const char* second,
                 const char* style, int page_range, const char* output_folder);

void tamrel_free(char* text);
}

#endif
