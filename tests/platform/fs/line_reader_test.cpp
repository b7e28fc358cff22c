#include "platform/fs/line_reader.h"

#include <sys/stat.h>

#include <gtest/gtest.h>

#include "support/temp_dir.h"

namespace roamer::fs {
namespace {

std::vector<std::string> Lines(const test::TempDir& dir, std::string_view bytes) {
    InputFile file;
    EXPECT_TRUE(file.Open(dir.Write("lines.txt", bytes)));
    LineReader reader(file);
    std::vector<std::string> lines;
    std::string line;
    while (reader.ReadLine(line)) lines.push_back(line);
    EXPECT_FALSE(reader.Failed());
    return lines;
}

using L = std::vector<std::string>;

TEST(LineReader, AcceptsEveryLineEnd) {
    test::TempDir dir;
    EXPECT_EQ(Lines(dir, "a\r\nb\r\n"), (L{"a", "b"}));
    EXPECT_EQ(Lines(dir, "a\nb\n"), (L{"a", "b"}));
    EXPECT_EQ(Lines(dir, "a\rb\r"), (L{"a", "b"}));
    EXPECT_EQ(Lines(dir, "a\r\n\r\nb"), (L{"a", "", "b"}));  // blank line kept, last line read
    EXPECT_EQ(Lines(dir, "a\n\rb"), (L{"a", "", "b"}));      // LF CR is two line ends
    EXPECT_EQ(Lines(dir, ""), L{});
    EXPECT_EQ(Lines(dir, "\r\n"), L{""});
}

TEST(LineReader, LinesSpanningBlocksAndLongLines) {
    test::TempDir dir;
    // A CR at the end of one block and its LF at the start of the next make one line end.
    std::string bytes(LineReader::kBlockSize - 1, 'x');
    bytes += "\r\nnext\r\n";
    L lines = Lines(dir, bytes);
    ASSERT_EQ(lines.size(), 2u);
    EXPECT_EQ(lines[0].size(), LineReader::kBlockSize - 1);
    EXPECT_EQ(lines[1], "next");

    const std::string longLine(200000, 'y');
    lines = Lines(dir, "a\r\n" + longLine + "\r\nb");
    EXPECT_EQ(lines, (L{"a", longLine, "b"}));
}

TEST(LineReader, CutsLinesLongerThanItsLimit) {
    test::TempDir dir;
    InputFile file;
    ASSERT_TRUE(file.Open(dir.Write("long.txt", std::string(300000, 'z') + "\r\nshort\r\n")));
    LineReader reader(file, 1000);
    std::string line;
    ASSERT_TRUE(reader.ReadLine(line));
    EXPECT_EQ(line, std::string(1000, 'z'));
    EXPECT_TRUE(reader.LineWasCut());
    ASSERT_TRUE(reader.ReadLine(line));  // the rest of the long line is skipped
    EXPECT_EQ(line, "short");
    EXPECT_FALSE(reader.LineWasCut());
}

TEST(InputFile, RefusesWhatIsNotARegularFile) {
    test::TempDir dir;
    ASSERT_EQ(::mkfifo(dir.File("pipe").c_str(), 0600), 0);
    InputFile file;
    EXPECT_FALSE(file.Open(dir.File("pipe")));  // must not wait for a writer
    EXPECT_FALSE(file.Open(dir.Path()));
    EXPECT_FALSE(file.Open(dir.File("missing")));
    EXPECT_FALSE(file.Open(""));
    EXPECT_FALSE(file.Open("/dev/zero"));
}

}  // namespace
}  // namespace roamer::fs
