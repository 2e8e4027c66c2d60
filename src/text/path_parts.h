// The parts of a path.  As the user or a library writes it, "/" and "\"
// both part folders, on every system: a path written on Windows names the
// same file name and folder wherever it is read.  A path handed to the
// system's file calls goes by the system's own separators instead: on
// Linux and macOS "\" is a letter of a file name, and a document's
// \input{\jobname} must not be read as a file at the root.
#ifndef TAMREL_TEXT_PATH_PARTS_H
#define TAMREL_TEXT_PATH_PARTS_H

#include <cstddef>
#include <string_view>

// "/" or "\".
bool IsPathSeparator(char c);

// "/", and on Windows "\" too.
bool IsHostPathSeparator(char c);

typedef bool (*PathSeparatorTest)(char c);

// Where the file name starts: after the last separator, or 0.
std::size_t FileNameStart(std::string_view path, PathSeparatorTest is_separator = IsPathSeparator);

// 1 when path ends with tail, byte for byte ("thesis.aux", ".aux").
bool PathEndsWith(std::string_view path, std::string_view tail);

// The file name: the text after the last separator ("b.bib" of "a/b.bib").
std::string_view FileNamePart(std::string_view path, PathSeparatorTest is_separator = IsPathSeparator);

// The folder: the text before the last separator, "" for a bare file name;
// a file at the root keeps the root ("/" of "/b.bib").  A view of path.
std::string_view FolderPart(std::string_view path, PathSeparatorTest is_separator = IsPathSeparator);

#endif
