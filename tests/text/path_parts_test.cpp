#include <gtest/gtest.h>

#include "text/path_parts.h"

namespace {

struct PathCase {
  const char* path;
  const char* folder;
  const char* name;
};

const PathCase kPathCases[] = {
    {"refs/library.bib", "refs", "library.bib"},
    {"refs\\library.bib", "refs", "library.bib"},
    {"C:\\Users\\me/refs\\lib.bib", "C:\\Users\\me/refs", "lib.bib"},
    {"library.bib", "", "library.bib"},
    {"/library.bib", "/", "library.bib"},
    {"/home/me/", "/home/me", ""},
    {"a.b/c", "a.b", "c"},
    {"", "", ""},
};

TEST(PathPartsTest, FolderAndFileNameAtEitherSeparator) {
  for (const PathCase& c : kPathCases) {
    EXPECT_EQ(FolderPart(c.path), c.folder) << c.path;
    EXPECT_EQ(FileNamePart(c.path), c.name) << c.path;
  }
}

TEST(PathPartsTest, HostSeparatorsOnly) {
#ifdef _WIN32
  EXPECT_EQ(FolderPart("a\\b.tex", IsHostPathSeparator), "a");
#else
  // On Linux and macOS "\" is a letter of a file name.
  EXPECT_EQ(FolderPart("a\\b.tex", IsHostPathSeparator), "");
  EXPECT_EQ(FileNamePart("x/a\\b.tex", IsHostPathSeparator), "a\\b.tex");
#endif
  EXPECT_EQ(FolderPart("/b.tex", IsHostPathSeparator), "/");
}

TEST(PathPartsTest, EndsWithIsExactAndBounded) {
  EXPECT_TRUE(PathEndsWith("thesis.aux", ".aux"));
  EXPECT_TRUE(PathEndsWith("dir.x/thesis.aux", ".aux"));
  EXPECT_FALSE(PathEndsWith("thesis.AUX", ".aux"));  // letter case counts
  EXPECT_FALSE(PathEndsWith("aux", ".aux"));          // shorter than the tail
  EXPECT_FALSE(PathEndsWith("thesis.aux.tex", ".aux"));
  EXPECT_TRUE(PathEndsWith("", ""));
}

}  // namespace
