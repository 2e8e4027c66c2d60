#include "files/file_bytes.h"

#include <gtest/gtest.h>

#include <string>

#include "support/test_support.h"

namespace {

// Loads bytes written to a file and gives back what FileBytes holds.
std::string LoadedBytes(const std::string& bytes) {
  ScratchDir dir;
  std::string path = dir.File("library.bib");
  WriteFile(path, bytes);
  std::FILE* file = OpenInputFile(path.c_str(), "r");
  EXPECT_NE(file, nullptr);
  FileBytes loaded;
  EXPECT_EQ(loaded.Load(file), 1);
  std::string held(loaded.data() == nullptr ? "" : std::string(loaded.data(), loaded.size()));
  std::fclose(file);
  return held;
}

TEST(FileBytesTest, HoldsEveryByteOfTheFile) {
  static const char kBom[] = "\xEF\xBB\xBF@book{b, title = {\xE9t\xE9}}";
  static const char kNul[] = "nul \0 inside, and none at the end";
  const std::string cases[] = {
      std::string("@article{a,\r\n  title = {x}\r\n}\r\n"),
      std::string(kBom, sizeof kBom - 1),
      std::string(kNul, sizeof kNul - 1),
      std::string(70000, '@'),  // more than one page
  };
  for (const std::string& bytes : cases) EXPECT_EQ(LoadedBytes(bytes), bytes);
}

TEST(FileBytesTest, EmptyFileHoldsNothing) {
  ScratchDir dir;
  std::string path = dir.File("empty.bib");
  WriteFile(path, "");
  std::FILE* file = OpenInputFile(path.c_str(), "r");
  ASSERT_NE(file, nullptr);
  FileBytes loaded;
  EXPECT_EQ(loaded.Load(file), 1);
  EXPECT_EQ(loaded.size(), 0u);
  std::fclose(file);
}

TEST(FileBytesTest, LoadingAgainTakesTheNewFile) {
  ScratchDir dir;
  WriteFile(dir.File("one.bib"), "first");
  WriteFile(dir.File("two.bib"), "second file");
  std::FILE* one = OpenInputFile(dir.File("one.bib").c_str(), "r");
  std::FILE* two = OpenInputFile(dir.File("two.bib").c_str(), "r");
  FileBytes loaded;
  ASSERT_EQ(loaded.Load(one), 1);
  ASSERT_EQ(loaded.Load(two), 1);
  EXPECT_EQ(std::string(loaded.data(), loaded.size()), "second file");
  loaded.Release();
  EXPECT_EQ(loaded.size(), 0u);
  std::fclose(one);
  std::fclose(two);
}

}  // namespace
