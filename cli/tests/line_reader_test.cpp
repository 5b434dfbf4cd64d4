#include "cli/line_reader.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "cli/tests/string_byte_source.h"

namespace tamrel::cli {
namespace {

using namespace std::string_literals;

struct LineCase {
  const char* name;
  std::string input;
  std::vector<std::string> lines;
};

const LineCase kLineCases[] = {
    {"empty input has no lines", "", {}},
    {"one line", "240\t720\n", {"240\t720"}},
    {"last line without LF", "1\n2", {"1", "2"}},
    {"only LF is one empty line", "\n", {""}},
    {"empty lines stay", "\n\n1\n\n", {"", "", "1", ""}},
    {"CR before LF is part of the line", "1\r\n2\r\n", {"1\r", "2\r"}},
    {"lone CR does not end a line", "1\r2\n\r", {"1\r2", "\r"}},
    {"other bytes pass", "\x00\x01\t \x7F\xA3\xB1\xFF\n"s, {"\x00\x01\t \x7F\xA3\xB1\xFF"s}},
    {"line longer than a refill",
     std::string(100, 'x') + "\n" + std::string(37, 'y'),
     {std::string(100, 'x'), std::string(37, 'y')}},
};

std::vector<std::string> ReadAll(LineReader& reader) {
  std::vector<std::string> lines;
  std::string_view line;
  while (reader.Next(line)) {
    lines.emplace_back(line);
    EXPECT_EQ(reader.line_number(), lines.size());
  }
  return lines;
}

// Every case with chunks and pipe pieces from one byte up, so that each LF
// falls at every place relative to a refill.
TEST(LineReaderTest, SplitsAtLfOnlyWhateverTheReadSizes) {
  for (const LineCase& c : kLineCases) {
    for (const std::size_t chunk : {1, 2, 3, 7, 64, 4096}) {
      for (const std::size_t piece : {1, 5, 1 << 20}) {
        SCOPED_TRACE(std::string(c.name) + ", chunk " + std::to_string(chunk) + ", piece " +
                     std::to_string(piece));
        StringByteSource source(c.input, piece);
        LineReader reader(source, chunk);
        EXPECT_EQ(ReadAll(reader), c.lines);
      }
    }
  }
}

TEST(LineReaderTest, StaysAtTheEndOnceThere) {
  StringByteSource source("a\n");
  LineReader reader(source, 4);
  std::string_view line;
  ASSERT_TRUE(reader.Next(line));
  EXPECT_FALSE(reader.Next(line));
  EXPECT_FALSE(reader.Next(line));
  EXPECT_EQ(reader.line_number(), 1u);
}

TEST(LineReaderTest, LineStaysValidUntilTheNextCall) {
  // The second line arrives with a refill that moves the buffer's bytes.
  StringByteSource source("first\nsecond line, long\nthird", 3);
  LineReader reader(source, 4);
  std::string_view line;
  ASSERT_TRUE(reader.Next(line));
  EXPECT_EQ(line, "first");
  ASSERT_TRUE(reader.Next(line));
  EXPECT_EQ(line, "second line, long");
  ASSERT_TRUE(reader.Next(line));
  EXPECT_EQ(line, "third");
  EXPECT_EQ(reader.line_number(), 3u);
}

}  // namespace
}  // namespace tamrel::cli
