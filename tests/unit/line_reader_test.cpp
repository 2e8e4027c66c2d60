// The line read, positions and appends.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "scan/line_reader.h"
#include "support/test_support.h"

namespace {

std::vector<std::string> ReadAll(const std::string& bytes) {
  TextReader reader(bytes);
  std::vector<std::string> lines;
  char line[LINE_SIZE];
  std::size_t n;
  while ((n = ReadLine(reader.get(), line)) > 0) lines.emplace_back(line, n);
  return lines;
}

TEST(LineReader, DeliversLinesWithTheirLineFeed) {
  EXPECT_EQ(ReadAll("a\nbc\n\nd"), (std::vector<std::string>{"a\n", "bc\n", "\n", "d"}));
  EXPECT_TRUE(ReadAll("").empty());
}

TEST(LineReader, CarriageReturnBeforeLineFeedIsNotDelivered) {
  EXPECT_EQ(ReadAll("a\r\nb\r\n"), ReadAll("a\nb\n"));
  // A lone carriage return is an ordinary character; so is one before another.
  EXPECT_EQ(ReadAll("a\rb\n"), (std::vector<std::string>{"a\rb\n"}));
  EXPECT_EQ(ReadAll("a\r\r\n"), (std::vector<std::string>{"a\r\n"}));
  EXPECT_EQ(ReadAll("end\r"), (std::vector<std::string>{"end\r"}));
}

TEST(LineReader, ALongLineArrivesInPieces) {
  std::string physical(600, 'x');
  auto lines = ReadAll(physical + "\n");
  ASSERT_EQ(lines.size(), 2u);
  EXPECT_EQ(lines[0], std::string(511, 'x'));
  EXPECT_EQ(lines[1], std::string(89, 'x') + "\n");

  // Exactly 511 characters: the line feed comes as a line of its own.
  lines = ReadAll(std::string(511, 'y') + "\nz\n");
  EXPECT_EQ(lines, (std::vector<std::string>{std::string(511, 'y'), "\n", "z\n"}));

  // 510 characters and CR LF: the line feed still fits the first piece.
  lines = ReadAll(std::string(510, 'w') + "\r\n");
  EXPECT_EQ(lines, (std::vector<std::string>{std::string(510, 'w') + "\n"}));
}

TEST(LineReader, NulBytesArePartOfTheLine) {
  auto lines = ReadAll(std::string("a\0b\n", 4));
  ASSERT_EQ(lines.size(), 1u);
  EXPECT_EQ(lines[0], std::string("a\0b\n", 4));
}

TEST(LineReader, CrLfAcrossTheReadBlocksStillReadsAsLf) {
  // The file is read in blocks of 64 KB; put the CR at a block's end.
  std::string bytes;
  while (bytes.size() < 65535) bytes += std::string(99, 'q') + "\n";
  bytes.resize(65535);
  bytes += "\r\nlast\r\n";
  auto lines = ReadAll(bytes);
  ASSERT_GE(lines.size(), 2u);
  EXPECT_EQ(lines.back(), "last\n");
  EXPECT_EQ(lines[lines.size() - 2].back(), '\n');
  EXPECT_EQ(lines[lines.size() - 2].find('\r'), std::string::npos);
}

TEST(LineReader, RestoresSavedPositionsNearAndFar) {
  std::string bytes;
  for (int i = 0; i < 5000; i++) bytes += "line " + std::to_string(i) + "\n";
  TextReader text(bytes);
  LineReader& reader = *text.get();
  char line[LINE_SIZE];
  ReadLine(&reader, line);
  LinePosition second = SaveLinePosition(&reader);
  for (int i = 0; i < 4000; i++) ReadLine(&reader, line);  // well past the first block
  LinePosition later = SaveLinePosition(&reader);
  ReadLine(&reader, line);
  EXPECT_STREQ(line, "line 4001\n");

  RestoreLinePosition(&reader, second);
  ReadLine(&reader, line);
  EXPECT_STREQ(line, "line 1\n");
  RestoreLinePosition(&reader, later);
  ReadLine(&reader, line);
  EXPECT_STREQ(line, "line 4001\n");
  RewindLines(&reader);
  ReadLine(&reader, line);
  EXPECT_STREQ(line, "line 0\n");
}

TEST(LineReader, AFileReadAndWrittenSeesItsOwnAppends) {
  ScratchDir dir;
  std::FILE* file = OpenInputFile(dir.File("grow.bib").c_str(), "w+");
  ASSERT_NE(file, nullptr);
  LineReader reader;
  OpenLineReader(&reader, file);
  char line[LINE_SIZE];
  EXPECT_EQ(ReadLine(&reader, line), 0u);
  AppendLine(&reader, "first\n", 6);
  RewindLines(&reader);
  EXPECT_EQ(ReadLine(&reader, line), 6u);
  EXPECT_EQ(ReadLine(&reader, line), 0u);
  AppendLine(&reader, "second\n", 7);
  AppendLine(&reader, "third\n", 6);
  RewindLines(&reader);
  std::vector<std::string> lines;
  while (ReadLine(&reader, line) > 0) lines.emplace_back(line);
  EXPECT_EQ(lines, (std::vector<std::string>{"first\n", "second\n", "third\n"}));
  std::fclose(file);
  EXPECT_EQ(ReadFile(dir.File("grow.bib")), "first\nsecond\nthird\n");
}

TEST(LineReader, OnlyRegularFilesAreOpened) {
  ScratchDir dir;
  // A device would read for ever: refused like a missing file.
  if (FileExists("/dev/zero")) {
    EXPECT_EQ(OpenInputFile("/dev/zero", "r"), nullptr);
  }
  EXPECT_EQ(OpenInputFile(dir.path().c_str(), "r"), nullptr);
  EXPECT_EQ(OpenInputFile(dir.path().c_str(), "r+"), nullptr);
  EXPECT_EQ(OpenInputFile(dir.File("absent.bib").c_str(), "r"), nullptr);
}

}  // namespace
