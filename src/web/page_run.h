// One run of an operation from the page: the inputs the person chose
// (already placed in the file system), the operation's request built from
// them, and what the page shows afterwards.
#ifndef TAMREL_WEB_PAGE_RUN_H
#define TAMREL_WEB_PAGE_RUN_H

#include <string>
#include <vector>

#include "files/run_report.h"
#include "web/collected_messages.h"

enum PageOperation { PAGE_EXTRACT, PAGE_COMPARE, PAGE_CLEAN };

struct PageRequest {
  PageOperation operation = PAGE_EXTRACT;
  std::string document;                // extract: the LaTeX document or .aux file
  std::vector<std::string> libraries;  // extract: none for those the document names; clean: one
  std::string master;                  // compare
  std::string second;                  // compare
  std::string style = "aps";           // extract: a style of the registry
  int page_range = 0;                  // extract: 0 first page, 1 the range
  std::string output_folder;           // where every output goes
};

struct PageOutcome {
  int result = 0;             // the operation's result code; RESULT_STOPPED when
                              // the page refused an input before the run
  std::string input_problem;  // "thesis.pdf is not a text file ..." or ""
  std::vector<PageMessage> messages;
  RunReport report;
};

// Checks the inputs, then runs the operation with the BibTeX reader.
// Returns outcome->result.
int RunPageRequest(const PageRequest& request, PageOutcome* outcome);

#endif
