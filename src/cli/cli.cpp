#include "cli/cli.h"

#include <cstring>
#include <string>

#include "app/state.h"
#include "clean/clean.h"
#include "cli/console_platform.h"
#include "compare/compare.h"
#include "extract/extract.h"
#include "extract/extract_report.h"
#include "scan/output_path.h"

namespace {

const char kUsage[] =
    "Usage: tamrel extract LATEX_FILE BIBTEX_LIBRARY [--style aps|acs|iop] [--pages first|range]\n"
    "       tamrel compare MASTER_BIB SECOND_BIB\n"
    "       tamrel clean BIBTEX_FILE\n"
    "       tamrel --help | --version\n";

const char kHelp[] =
    "\n"
    "Tamrel works on BibTeX files tidied by JabRef (upper-case entry types, one\n"
    "field per line, braced values) and never changes its input files.\n"
    "\n"
    "  extract  Collects every key that LATEX_FILE cites with \\cite{ and writes,\n"
    "           beside BIBTEX_LIBRARY (named after the library, cut at its first\n"
    "           \".\"):\n"
    "             NAME_extract_items.txt     the cited keys the library holds\n"
    "             NAME_extract_modified.bib  those entries, in order of first citation\n"
    "             NAME_extract_bibitems.tex  a \\bibitem list in the chosen style\n"
    "           --style aps|acs|iop  journal style: American Physical Society (default),\n"
    "                                American Chemical Society, Institute of Physics\n"
    "           --pages first|range  only the first page (default) or the page range\n"
    "\n"
    "  compare  For each entry of SECOND_BIB, decides whether MASTER_BIB holds it,\n"
    "           and writes beside the master:\n"
    "             NAME_compare.log          one verdict per entry of the second file\n"
    "             NAME_compare_missing.bib  the entries the master lacks\n"
    "             NAME_compare_equal.bib    the master's copies of the shared entries\n"
    "\n"
    "  clean    Copies BIBTEX_FILE leaving out repeated entries and giving a new key\n"
    "           to an entry that reuses a key with other content:\n"
    "             NAME_clean_of_doubles.log  every decision and a closing count\n"
    "             NAME_clean_of_doubles.bib  the cleaned copy\n"
    "\n"
    "On success the paths of the files written are printed, one per line, and the\n"
    "exit status is 0. Messages go to standard error as \"CAPTION: TEXT\". Exit\n"
    "status 1: the operation stopped (see its message); 2: wrong command line.\n";

struct Options {
  const char* command = nullptr;
  const char* files[2] = {nullptr, nullptr};
  int file_count = 0;
  JournalStyle style = STYLE_APS;
  int pages_all = 0;
};

int UsageError(std::FILE* err, const char* problem, const char* detail) {
  std::fprintf(err, "tamrel: %s%s\n%s", problem, detail, kUsage);
  return EXIT_USAGE;
}

// Reads "--name value" or "--name=value"; returns the value or NULL.
const char* OptionValue(int argc, char** argv, int* i, const char* name) {
  std::size_t length = std::strlen(name);
  const char* arg = argv[*i];
  if (std::strncmp(arg, name, length) != 0) return nullptr;
  if (arg[length] == '=') return arg + length + 1;
  if (arg[length] != '\0') return nullptr;
  if (*i + 1 >= argc) return "";  // reported as a missing value
  return argv[++*i];
}

int RequiredFiles(const char* command) {
  if (std::strcmp(command, "extract") == 0 || std::strcmp(command, "compare") == 0) return 2;
  if (std::strcmp(command, "clean") == 0) return 1;
  return 0;
}

// Parses the words after the command.  Returns EXIT_DONE or EXIT_USAGE.
int ParseArguments(int argc, char** argv, Options* options, std::FILE* err) {
  bool is_extract = std::strcmp(options->command, "extract") == 0;
  bool files_only = false;  // after "--" every word is a file
  for (int i = 2; i < argc; i++) {
    const char* arg = argv[i];
    const char* value = nullptr;
    if (files_only || arg[0] != '-' || arg[1] == '\0') {
      if (options->file_count == 2) return UsageError(err, "too many files: ", arg);
      options->files[options->file_count++] = arg;
    } else if (std::strcmp(arg, "--") == 0) {
      files_only = true;
    } else if (is_extract && (value = OptionValue(argc, argv, &i, "--style")) != nullptr) {
      if (std::strcmp(value, "aps") == 0) options->style = STYLE_APS;
      else if (std::strcmp(value, "acs") == 0) options->style = STYLE_ACS;
      else if (std::strcmp(value, "iop") == 0) options->style = STYLE_IOP;
      else return UsageError(err, "--style takes aps, acs or iop, not: ", *value ? value : "(nothing)");
    } else if (is_extract && (value = OptionValue(argc, argv, &i, "--pages")) != nullptr) {
      if (std::strcmp(value, "first") == 0) options->pages_all = 0;
      else if (std::strcmp(value, "range") == 0) options->pages_all = 1;
      else return UsageError(err, "--pages takes first or range, not: ", *value ? value : "(nothing)");
    } else {
      return UsageError(err, "unknown option: ", arg);
    }
  }
  if (options->file_count != RequiredFiles(options->command)) {
    return UsageError(err, options->file_count < RequiredFiles(options->command)
                               ? "missing file for: " : "too many files for: ",
                      options->command);
  }
  return EXIT_DONE;
}

// Output names are cut at the first "." of the path, so a leading "./"
// would name every output after nothing; it names the same file as the
// path without it, which the Windows chooser would have given.
bool IsSeparator(char c) {
#ifdef _WIN32
  return c == '/' || c == '\\';
#else
  return c == '/';
#endif
}

const char* WithoutLeadingDotSlash(const char* path) {
  while (path[0] == '.' && IsSeparator(path[1])) {
    path += 2;
    while (IsSeparator(*path)) path++;
  }
  return path;
}

// Fills the file slots as the Windows program's file chooser would.
int FillSlots(const Options& options, std::FILE* err) {
  char* slots[2] = {file_address_01, file_address_02};
  for (int i = 0; i < options.file_count; i++) {
    if (!SetFileSlot(slots[i], WithoutLeadingDotSlash(options.files[i]))) {
      std::fprintf(err,
                   "tamrel: the path is too long (%zu characters; at most %zu fit): %s\n"
                   "Move or rename the file so that its full path is shorter.\n",
                   std::strlen(options.files[i]), FILE_SLOT_SIZE - 1, options.files[i]);
      return EXIT_USAGE;
    }
  }
  return EXIT_DONE;
}

void PrintOutputs(std::FILE* out, const char* input, const char* const* suffixes, int count) {
  for (int i = 0; i < count; i++) {
    char path[LINE_SIZE];
    DeriveOutputPath(input, suffixes[i], path);
    std::fprintf(out, "%s\n", path);
  }
}

// What users miss most in peer tools: which cited keys the library lacks.
void ReportCitations(std::FILE* err) {
  const ExtractReport& report = LastExtractReport();
  std::size_t held = 0;
  for (bool found : report.found) held += found ? 1 : 0;
  std::fprintf(err, "The document cites %zu distinct keys; the library holds %zu of them.\n",
               report.cited_keys.size(), held);
  for (std::size_t i = 0; i < report.cited_keys.size(); i++) {
    if (!report.found[i]) std::fprintf(err, "Not in the library: '%s'\n", report.cited_keys[i].c_str());
  }
}

int RunOperation(const Options& options, std::FILE* out, std::FILE* err) {
  static const char* const kExtract[] = {"_extract_items.txt", "_extract_modified.bib",
                                         "_extract_bibitems.tex"};
  static const char* const kCompare[] = {"_compare.log", "_compare_missing.bib",
                                         "_compare_equal.bib"};
  static const char* const kClean[] = {"_clean_of_doubles.log", "_clean_of_doubles.bib"};

  SetJournalStyle(options.style);
  FLAG_PAGEALL = options.pages_all;
  if (std::strcmp(options.command, "extract") == 0) {
    if (Extract() != RESULT_DONE) return EXIT_FAILED;
    PrintOutputs(out, file_address_02, kExtract, 3);
    ReportCitations(err);
  } else if (std::strcmp(options.command, "compare") == 0) {
    if (Compare() != RESULT_DONE) return EXIT_FAILED;
    PrintOutputs(out, file_address_01, kCompare, 3);
  } else {
    if (Clean() != RESULT_DONE) return EXIT_FAILED;
    PrintOutputs(out, file_address_01, kClean, 2);
  }
  return EXIT_DONE;
}

}  // namespace

int RunCommandLine(int argc, char** argv, std::FILE* out, std::FILE* err) {
  if (argc < 2) return UsageError(err, "no command given", "");
  const char* first = argv[1];
  if (std::strcmp(first, "--help") == 0 || std::strcmp(first, "-h") == 0 ||
      std::strcmp(first, "help") == 0) {
    std::fprintf(out, "%s%s", kUsage, kHelp);
    return EXIT_DONE;
  }
  if (std::strcmp(first, "--version") == 0) {
    std::fprintf(out, "%s\n", Version_string);
    return EXIT_DONE;
  }
  if (RequiredFiles(first) == 0) return UsageError(err, "unknown command: ", first);
  for (int i = 2; i < argc; i++) {
    if (std::strcmp(argv[i], "--help") == 0) {
      std::fprintf(out, "%s%s", kUsage, kHelp);
      return EXIT_DONE;
    }
  }

  Options options;
  options.command = first;
  int status = ParseArguments(argc, argv, &options, err);
  if (status != EXIT_DONE) return status;

  ResetApplicationState();
  status = FillSlots(options, err);
  if (status != EXIT_DONE) return status;

  ConsolePlatform console(err);
  SetPlatform(&console);
  status = RunOperation(options, out, err);
  SetPlatform(nullptr);
  return status;
}
