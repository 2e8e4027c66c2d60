// What an operation run tells its caller beyond its result code: the
// counts that show nothing was lost, the problems met in the inputs (each
// with its file and line), for extract which cited keys the library holds,
// and the files written.  The caller asks for it by passing one; the
// operation fills it as it goes.
#ifndef TAMREL_FILES_RUN_REPORT_H
#define TAMREL_FILES_RUN_REPORT_H

#include <string>
#include <vector>

struct RunReport {
  // Lines for the user, in the order the run wrote them (compare and
  // clean: the problems in the inputs, then the counts; extract: what the
  // document cites and the library holds, then problems and notes).
  std::vector<std::string> lines;

  // Extract only: the distinct cited keys in order of first citation, and
  // for each whether the library holds it.  A run stopped before the
  // library was read leaves found all false.
  std::vector<std::string> cited_keys;
  std::vector<bool> found;
  // Extract only: the library read, which a compiled .aux file may name.
  std::string library;

  // The files a run that ended well wrote, in the operation's order of
  // outputs.
  std::vector<std::string> outputs;
};

// Adds a line to the report when there is one.
void ReportLine(RunReport* report, const std::string& line);

// Adds one line per problem, each preceded by the file's path:
// "lib.bib: line 12: entry without a key".
void ReportProblems(RunReport* report, const char* path, const std::vector<std::string>& problems);

#endif
