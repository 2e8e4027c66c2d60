#include "files/run_report.h"

void ReportLine(RunReport* report, const std::string& line) {
  if (report != nullptr) report->lines.push_back(line);
}

void ReportProblems(RunReport* report, const char* path, const std::vector<std::string>& problems) {
  for (const std::string& problem : problems) ReportLine(report, std::string(path) + ": " + problem);
}
