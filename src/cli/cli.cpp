#include "cli/cli.h"

#include <climits>
#include <cstring>
#include <string>
#include <vector>

#include "app/state.h"
#include "clean/clean.h"
#include "cli/console_platform.h"
#include "commands/input_check.h"
#include "commands/library_formats.h"
#include "compare/compare.h"
#include "extract/extract.h"
#include "files/input_file.h"
#include "files/run_report.h"
#include "text/ascii_case.h"
#include "typeset/styles.h"

namespace {

// The registry's style options, "aps|acs|iop".
std::string StyleOptions() {
  std::string options;
  for (int i = 0; i < StyleCount(); i++) {
    if (i > 0) options += '|';
    options += StyleAt(i)->option;
  }
  return options;
}

std::string Usage() {
  return "Usage: tamrel extract DOCUMENT [LIBRARY...] [--style " + StyleOptions() +
         "] [--pages first|range]\n"
         "                      [-o DIR] [--classic]\n"
         "       tamrel compare MASTER SECOND [-o DIR] [--classic]\n"
         "       tamrel clean LIBRARY [-o DIR] [--classic]\n"
         "       tamrel --help | --version\n";
}

// The --style lines of the help, one per style of the registry.
std::string StyleHelp() {
  std::string text = "           --style " + StyleOptions() + "  journal style:\n";
  for (int i = 0; i < StyleCount(); i++) {
    const JournalStyleInfo* style = StyleAt(i);
    text += "             " + std::string(style->option) + "  " + style->label +
            (i == 0 ? " (default)\n" : "\n");
  }
  return text;
}

const char kHelpExtract[] =
    "\n"
    "Tamrel reads BibTeX as BibTeX does (entry types and field names in any case,\n"
    "any layout, braced, quoted and bare values, @string macros) and LaTeX as LaTeX\n"
    "does; it never changes its input files.  Each output is named after an input\n"
    "file's name without its extension, with a fixed suffix, in that file's folder.\n"
    "\n"
    "  extract  Collects the keys DOCUMENT cites (\\cite, natbib's \\citep and \\citet,\n"
    "           biblatex's \\autocite, \\textcite, ... and \\nocite, across \\input,\n"
    "           \\include, \\subfile and \\import), or the \\citation lines of a compiled\n"
    "           .aux file, and finds them in the LIBRARY files, read in turn as bibtex\n"
    "           reads them (macros of one known in the next, crossrefs across them);\n"
    "           with none given, in those the document names (\\bibliography,\n"
    "           \\addbibresource, \\bibdata).  Writes beside the first library:\n"
    "             NAME_extract_items.txt     the cited keys the library holds\n"
    "             NAME_extract_modified.bib  those entries, in order of first citation,\n"
    "                                        with the @string, @preamble and crossref\n"
    "                                        entries they need\n"
    "             NAME_extract_bibitems.tex  a \\bibitem list in the chosen style\n";

const char kHelpRest[] =
    "           --pages first|range  only the first page (default) or the page range\n"
    "\n"
    "  compare  For each entry of SECOND, decides whether MASTER holds it, and\n"
    "           writes beside the master:\n"
    "             NAME_compare.log          one verdict per entry of the second file\n"
    "             NAME_compare_missing.bib  the entries the master lacks\n"
    "             NAME_compare_equal.bib    the master's copies of the shared entries\n"
    "\n"
    "  clean    Copies LIBRARY leaving out repeated entries and giving a new key to an\n"
    "           entry that reuses a key with other content:\n"
    "             NAME_clean_of_doubles.log  every decision and a closing count\n"
    "             NAME_clean_of_doubles.bib  the cleaned copy\n"
    "\n"
    "Options of every command:\n"
    "  -o DIR, --output-dir DIR  write the outputs into DIR (same names)\n"
    "  --classic                 read by the classic line rules, for libraries in\n"
    "                            JabRef's layout (upper-case types, one field per\n"
    "                            line, braced values), exactly as Tamrel always has\n"
    "Option values may be given in any letter case, as --style=aps or --style aps.\n"
    "\n"
    "On success the paths of the files written are printed, one per line, and a\n"
    "report of what was read and written goes to standard error.  Messages go to\n"
    "standard error as \"CAPTION: TEXT (PATH: REASON)\".\n"
    "Exit status: 0 done; 1 the operation stopped (see its message); 2 wrong command\n"
    "line, or a path longer than 255 characters.\n";

struct Options {
  const char* command = nullptr;
  std::vector<const char*> files;  // as given, in order
  const JournalStyleInfo* style = StyleAt(0);
  int pages_all = 0;
  int classic = 0;
  const char* output_dir = nullptr;
};

int UsageError(std::FILE* err, const char* problem, const char* detail) {
  std::fprintf(err, "tamrel: %s%s\n%s", problem, detail, Usage().c_str());
  return EXIT_USAGE;
}

// Reads "--name value" or "--name=value" (and a short name followed by its
// value); returns the value, "" for a missing one, or NULL for another
// option.
const char* OptionValue(int argc, char** argv, int* i, const char* name, const char* short_name) {
  const char* arg = argv[*i];
  std::size_t length = std::strlen(name);
  int is_short = short_name != nullptr && std::strcmp(arg, short_name) == 0;
  if (!is_short) {
    if (std::strncmp(arg, name, length) != 0) return nullptr;
    if (arg[length] == '=') return arg + length + 1;
    if (arg[length] != '\0') return nullptr;
  }
  if (*i + 1 >= argc) return "";
  return argv[++*i];
}

// The number of files a command takes: at least, and at most.
int FilesNeeded(const char* command, int* at_most) {
  if (std::strcmp(command, "extract") == 0 || std::strcmp(command, "compare") == 0) {
    // extract reads any number of libraries, as a document may name several.
    *at_most = std::strcmp(command, "extract") == 0 ? INT_MAX : 2;
    return 2;
  }
  *at_most = 1;
  return std::strcmp(command, "clean") == 0 ? 1 : 0;
}

int ParseStyle(const char* value, Options* options, std::FILE* err) {
  options->style = StyleByOption(value);
  if (options->style != nullptr) return EXIT_DONE;
  std::string problem = "--style takes " + StyleOptions() + ", not: ";
  return UsageError(err, problem.c_str(), *value ? value : "(nothing)");
}

int ParsePages(const char* value, Options* options, std::FILE* err) {
  if (SameIgnoringCase(value, "first")) options->pages_all = 0;
  else if (SameIgnoringCase(value, "range")) options->pages_all = 1;
  else return UsageError(err, "--pages takes first or range, not: ", *value ? value : "(nothing)");
  return EXIT_DONE;
}

// Parses the words after the command.  Returns EXIT_DONE or EXIT_USAGE.
int ParseArguments(int argc, char** argv, Options* options, std::FILE* err) {
  bool is_extract = std::strcmp(options->command, "extract") == 0;
  bool files_only = false;  // after "--" every word is a file
  for (int i = 2; i < argc; i++) {
    const char* arg = argv[i];
    const char* value = nullptr;
    int status = EXIT_DONE;
    if (files_only || arg[0] != '-' || arg[1] == '\0') {
      options->files.push_back(arg);
    } else if (std::strcmp(arg, "--") == 0) {
      files_only = true;
    } else if (std::strcmp(arg, "--classic") == 0) {
      options->classic = 1;
    } else if ((value = OptionValue(argc, argv, &i, "--output-dir", "-o")) != nullptr) {
      if (*value == '\0') return UsageError(err, "-o takes a folder", "");
      options->output_dir = value;
    } else if (is_extract && (value = OptionValue(argc, argv, &i, "--style", nullptr)) != nullptr) {
      status = ParseStyle(value, options, err);
    } else if (is_extract && (value = OptionValue(argc, argv, &i, "--pages", nullptr)) != nullptr) {
      status = ParsePages(value, options, err);
    } else {
      return UsageError(err, "unknown option: ", arg);
    }
    if (status != EXIT_DONE) return status;
  }
  int at_most;
  int needed = FilesNeeded(options->command, &at_most);
  int count = static_cast<int>(options->files.size());
  // A document names its libraries itself, for the BibTeX reader; the
  // classic rules read one library, given.
  if (is_extract && !options->classic) needed = 1;
  if (is_extract && options->classic) at_most = 2;
  if (count < needed) return UsageError(err, "missing file for: ", options->command);
  if (count > at_most) return UsageError(err, "too many files for: ", options->command);
  return EXIT_DONE;
}

int FileIsReadable(const char* path) {
  std::FILE* file = OpenInputFile(path, "r");
  if (file == nullptr) return 0;
  std::fclose(file);
  return 1;
}

int PathTooLong(const char* path, std::FILE* err) {
  std::fprintf(err,
               "tamrel: the path is too long (%zu characters; at most %zu fit): %s\n"
               "Move or rename the file so that its full path is shorter.\n",
               std::strlen(path), FILE_SLOT_SIZE - 1, path);
  return EXIT_USAGE;
}

// A path must fit where the Windows program keeps its paths.
int CheckPathLengths(const Options& options, std::FILE* err) {
  for (const char* file : options.files) {
    if (std::strlen(file) >= FILE_SLOT_SIZE) return PathTooLong(file, err);
  }
  if (options.output_dir != nullptr && std::strlen(options.output_dir) >= FILE_SLOT_SIZE) {
    return PathTooLong(options.output_dir, err);
  }
  return EXIT_DONE;
}

// The BibTeX reader's inputs must be text: a binary file given by mistake
// is refused by name before any output is written.  (The line rules read
// any bytes, as the Windows program always has.)
int RefuseBinaryInputs(const Options& options, std::FILE* err) {
  if (options.classic) return EXIT_DONE;
  for (const char* file : options.files) {
    if (CheckTextStart(file) != INPUT_NOT_TEXT) continue;
    std::fprintf(err, "tamrel: %s %s\n", file, InputProblemText(INPUT_NOT_TEXT));
    return EXIT_FAILED;
  }
  return EXIT_DONE;
}

void PrintHelp(std::FILE* out) {
  std::fprintf(out, "%s%s%s%s", Usage().c_str(), kHelpExtract, StyleHelp().c_str(), kHelpRest);
}

void PrintReport(const RunReport& report, std::FILE* err) {
  for (const std::string& line : report.lines) std::fprintf(err, "%s\n", line.c_str());
}

int RunOperation(const Options& options, Platform* console, std::FILE* out, std::FILE* err) {
  RunSetup setup;
  setup.format = FormatNamed(options.classic ? "classic" : "bibtex");
  setup.output_folder = options.output_dir != nullptr ? options.output_dir : "";
  setup.messages = console;
  const char* first = options.files.size() > 0 ? options.files[0] : "";
  const char* second = options.files.size() > 1 ? options.files[1] : "";
  RunReport report;
  int result;
  if (std::strcmp(options.command, "extract") == 0) {
    ExtractRequest request;
    request.setup = setup;
    request.document = first;
    request.libraries.assign(options.files.begin() + 1, options.files.end());
    request.reference.style = options.style;
    request.reference.page_range = options.pages_all;
    result = Extract(request, &report);
    if (result == RESULT_NEED_BIBTEX && second[0] == '\0') {
      std::fprintf(err, "tamrel: %s %s; give one after it\n", first,
                   FileIsReadable(first) ? "names no library" : "cannot be read");
    }
  } else if (std::strcmp(options.command, "compare") == 0) {
    CompareRequest request;
    request.setup = setup;
    request.master = first;
    request.second = second;
    result = Compare(request, &report);
  } else {
    CleanRequest request;
    request.setup = setup;
    request.library = first;
    result = Clean(request, &report);
  }
  for (const std::string& path : report.outputs) std::fprintf(out, "%s\n", path.c_str());
  PrintReport(report, err);
  return result == RESULT_DONE ? EXIT_DONE : EXIT_FAILED;
}

}  // namespace

int RunCommandLine(int argc, char** argv, std::FILE* out, std::FILE* err) {
  if (argc < 2) return UsageError(err, "no command given", "");
  const char* first = argv[1];
  if (std::strcmp(first, "--help") == 0 || std::strcmp(first, "-h") == 0 ||
      std::strcmp(first, "help") == 0) {
    PrintHelp(out);
    return EXIT_DONE;
  }
  if (std::strcmp(first, "--version") == 0) {
    std::fprintf(out, "%s\n", Version_string);
    return EXIT_DONE;
  }
  int at_most;
  if (FilesNeeded(first, &at_most) == 0) return UsageError(err, "unknown command: ", first);
  for (int i = 2; i < argc; i++) {
    if (std::strcmp(argv[i], "--help") == 0) {
      PrintHelp(out);
      return EXIT_DONE;
    }
  }

  Options options;
  options.command = first;
  int status = ParseArguments(argc, argv, &options, err);
  if (status != EXIT_DONE) return status;

  status = CheckPathLengths(options, err);
  if (status != EXIT_DONE) return status;
  status = RefuseBinaryInputs(options, err);
  if (status != EXIT_DONE) return status;

  ConsolePlatform console(err);
  return RunOperation(options, &console, out, err);
}
