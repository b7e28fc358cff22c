#include "dsg/tagged_text_file.h"

#include "dsg/design_file.h"

#include <clocale>

#include <gtest/gtest.h>

#include "platform/recording_host.h"
#include "support/temp_dir.h"

namespace roamer::dsg {
namespace {

class TaggedTextFileTest : public ::testing::Test {
protected:
    // Opens `bytes` for reading.
    CTaggedTextFile& Reading(std::string_view bytes) {
        EXPECT_TRUE(file.OpenRead(dir.Write("in.txt", bytes)));
        return file;
    }
    test::TempDir dir;
    CTaggedTextFile file;
};

TEST_F(TaggedTextFileTest, WritersProduceExactBytes) {
    const std::string path = dir.File("out.txt");
    // A comma locale must not change a single byte.
    const std::string saved = std::setlocale(LC_ALL, nullptr);
    ASSERT_NE(std::setlocale(LC_ALL, "de_DE.UTF-8"), nullptr) << "the de_DE.UTF-8 locale is missing";
    ASSERT_TRUE(file.OpenWrite(path));
    EXPECT_TRUE(file.WriteKey("Name"));
    EXPECT_TRUE(file.WriteString("Sofa, big"));
    EXPECT_TRUE(file.WriteString(""));
    EXPECT_TRUE(file.WriteLong(-42));
    EXPECT_TRUE(file.WriteDouble(2.46));
    EXPECT_TRUE(file.WriteAngle(-1.5707963267948966));
    EXPECT_TRUE(file.WriteFloat(0.1f));
    EXPECT_TRUE(file.WriteVector(0.0f, 1.5f, -2.25f));
    EXPECT_TRUE(file.WritePoint(100.0, -0.125));
    EXPECT_TRUE(file.WriteLongPair(3, -4));
    const Vector3f vectors[] = {{0.0f, 1.5f, -2.25f}, {3.0f, 1.5f, -2.25f}};
    EXPECT_TRUE(file.WriteVectorList(vectors));
    const Point2d points[] = {{1.0, 2.0}};
    EXPECT_TRUE(file.WritePolyline(points));
    EXPECT_TRUE(file.WriteDoubleArray({}));
    EXPECT_TRUE(file.Close());
    std::setlocale(LC_ALL, saved.c_str());

    EXPECT_EQ(test::ReadWholeFile(path),
              "Name\r\n"
              "    \"Sofa, big\"\r\n"
              "    \"\"\r\n"
              "    -42\r\n"
              "    2.46000000\r\n"
              "    -1.57079632679\r\n"
              "    0.100000\r\n"
              "    0.000000,1.500000,-2.250000\r\n"
              "    100.00000000,-0.12500000\r\n"
              "    3,-4\r\n"
              "BEGIN_VECTORLIST\r\nCount\r\n    2\r\n"
              "    0.000000,1.500000,-2.250000\r\n    3.000000,1.500000,-2.250000\r\n"
              "END_VECTORLIST\r\n"
              "BEGIN_POLYLINE\r\nCount\r\n    1\r\n    1.00000000,2.00000000\r\nEND_POLYLINE\r\n"
              "BEGIN_DOUBLEARRAY\r\nCount\r\n    0\r\nEND_DOUBLEARRAY\r\n");
}

TEST_F(TaggedTextFileTest, StatesGuardEveryOperation) {
    std::string token;
    EXPECT_FALSE(file.WriteKey("x"));
    EXPECT_FALSE(file.WriteLong(1));
    EXPECT_FALSE(file.ReadFirstToken(token));
    ASSERT_TRUE(file.OpenWrite(dir.File("a.txt")));
    EXPECT_EQ(file.GetState(), CTaggedTextFile::kWriting);
    EXPECT_FALSE(file.OpenRead(dir.Write("b.txt", "x")));  // already open: untouched
    EXPECT_FALSE(file.ReadLine(token));
    EXPECT_TRUE(file.WriteKey("x"));
    EXPECT_TRUE(file.Close());
    EXPECT_EQ(file.GetState(), CTaggedTextFile::kClosed);
    EXPECT_EQ(test::ReadWholeFile(dir.File("a.txt")), "x\r\n");
    EXPECT_FALSE(file.OpenRead(dir.File("missing.txt")));
    EXPECT_EQ(file.GetState(), CTaggedTextFile::kClosed);
}

TEST_F(TaggedTextFileTest, DesignFilesAreWrittenAsVersion246) {
    RecordingHost host;
    CDesignFile design(host);
    ASSERT_TRUE(design.OpenWrite(dir.File("room.dsg")));
    EXPECT_EQ(design.GetFileVersion(), 2.46);
    EXPECT_TRUE(design.Close());
}

TEST_F(TaggedTextFileTest, DiscardLeavesTheOldFile) {
    const std::string path = dir.Write("room.dsg", "old\r\n");
    ASSERT_TRUE(file.OpenWrite(path));
    file.WriteKey("new");
    file.Discard();
    EXPECT_EQ(test::ReadWholeFile(path), "old\r\n");
    EXPECT_EQ(file.GetState(), CTaggedTextFile::kClosed);
}

TEST_F(TaggedTextFileTest, ValuesSkipBlankAndCommentLines) {
    Reading("Height\r\n\r\n   \r\n  ; a note\r\n    12.5 ; metres\r\n"
            "Count\r\n    ,skipped\r\n    7\r\n");
    double height = 0.0;
    std::int32_t count = 0;
    ASSERT_TRUE(file.FindKey("Height"));
    ASSERT_TRUE(file.ReadDouble(height));
    EXPECT_EQ(height, 12.5);
    ASSERT_TRUE(file.FindKey("Count"));
    ASSERT_TRUE(file.ReadInt(count));
    EXPECT_EQ(count, 7);
    EXPECT_FALSE(file.ReadInt(count));  // end of file
}

TEST_F(TaggedTextFileTest, FindKeyOnlySearchesForward) {
    Reading("A\r\n    1\r\nB\r\n    2\r\nA\r\n    3\r\nb\r\n");
    std::int32_t v = 0;
    ASSERT_TRUE(file.FindKey("B"));
    ASSERT_TRUE(file.FindKey("A"));  // the second A
    ASSERT_TRUE(file.ReadInt(v));
    EXPECT_EQ(v, 3);
    EXPECT_FALSE(file.FindKey("B"));  // only "b" is left: case matters
    EXPECT_FALSE(file.FindKey("A"));
}

TEST_F(TaggedTextFileTest, TokenListsTakeTheFirstLineWithTheRightCount) {
    Reading("    1.0,2.0\r\n    1 2 3 4\r\n    4.5, -1 ,2e1 ; x,y\r\n    5,6\r\n");
    float x = 0, y = 0, z = 0;
    ASSERT_TRUE(file.ReadVector(x, y, z));
    EXPECT_EQ(x, 4.5f);
    EXPECT_EQ(y, -1.0f);
    EXPECT_EQ(z, 20.0f);
    std::int32_t a = 0, b = 0;
    ASSERT_TRUE(file.ReadIntPair(a, b));
    EXPECT_EQ(a, 5);
    EXPECT_EQ(b, 6);
}

TEST_F(TaggedTextFileTest, StringsAreTheTextBetweenTheOuterQuotes) {
    Reading("    \"Sofa, big; red\"\r\n\r\n    \"\"\r\n    \"trailing\"   \r\n"
            "    unquoted\r\n    \"\r\n");
    std::string text;
    ASSERT_TRUE(file.ReadString(text));
    EXPECT_EQ(text, "Sofa, big; red");
    ASSERT_TRUE(file.ReadString(text));
    EXPECT_EQ(text, "");
    ASSERT_TRUE(file.ReadString(text));
    EXPECT_EQ(text, "trailing");
    EXPECT_FALSE(file.ReadString(text));
    EXPECT_FALSE(file.ReadString(text));
}

TEST_F(TaggedTextFileTest, ListBlocksRoundTrip) {
    const std::string path = dir.File("lists.txt");
    const std::vector<Vector3f> vectors = {{1.5f, -2.0f, 3.25f}, {0.0f, 0.0f, 0.0f}};
    const std::vector<Point2d> points = {{10.0, 20.5}, {-3.0, 4.0}};
    const std::vector<double> values = {0.5, -0.25, 1e-8};
    ASSERT_TRUE(file.OpenWrite(path));
    file.WriteVectorList(vectors);
    file.WritePolyline(points);
    file.WriteDoubleArray(values);
    ASSERT_TRUE(file.Close());

    ASSERT_TRUE(file.OpenRead(path));
    file.SetFileVersion(2.46);
    std::vector<Vector3f> readVectors;
    std::vector<Point2d> readPoints;
    std::vector<double> readValues;
    ASSERT_TRUE(file.ReadVectorList(readVectors));
    ASSERT_TRUE(file.ReadPolyline(readPoints));
    ASSERT_TRUE(file.ReadDoubleArray(readValues));
    EXPECT_EQ(readVectors, vectors);
    EXPECT_EQ(readPoints, points);
    EXPECT_EQ(readValues, values);
    file.Close();

    // Files before version 2.4 held plan coordinates at half scale.
    ASSERT_TRUE(file.OpenRead(path));
    file.SetFileVersion(2.3);
    ASSERT_TRUE(file.ReadVectorList(readVectors));
    readPoints.clear();
    ASSERT_TRUE(file.ReadPolyline(readPoints));
    EXPECT_EQ(readPoints, (std::vector<Point2d>{{20.0, 41.0}, {-6.0, 8.0}}));
}

TEST_F(TaggedTextFileTest, BrokenListBlocksLeaveNothingBehind) {
    // The count promises more items than there are: the reader runs into the end of the file.
    Reading("BEGIN_VECTORLIST\r\nCount\r\n    2147483647\r\n    1,2,3\r\nEND_VECTORLIST\r\n"
            "BEGIN_POLYLINE\r\nCount\r\n    3\r\n    1,2\r\nEND_POLYLINE\r\n");
    std::vector<Vector3f> vectors = {{9, 9, 9}};
    EXPECT_FALSE(file.ReadVectorList(vectors));
    EXPECT_EQ(vectors.size(), 1u);  // kept: the caller receives nothing on failure
    file.Close();

    Reading("BEGIN_POLYLINE\r\nCount\r\n    3\r\n    1,2\r\nEND_POLYLINE\r\n"
            "BEGIN_DOUBLEARRAY\r\nCount\r\n    1\r\n    5\r\n");
    file.SetFileVersion(2.46);
    std::vector<Point2d> points = {{7, 7}};
    EXPECT_FALSE(file.ReadPolyline(points));
    EXPECT_TRUE(points.empty());
    file.Close();

    Reading("BEGIN_DOUBLEARRAY\r\nCount\r\n    -5\r\nEND_DOUBLEARRAY\r\n");
    std::vector<double> values = {1.0};
    EXPECT_TRUE(file.ReadDoubleArray(values));  // a negative count reads no items
    EXPECT_EQ(values, std::vector<double>{1.0});
}

TEST_F(TaggedTextFileTest, LinuxAndOldMacLineEndsReadLikeWindowsOnes) {
    for (const char* end : {"\r\n", "\n", "\r"}) {
        const std::string text = std::string("Key") + end + "    5" + end + "Last" + end + "    6";
        Reading(text);
        std::int32_t v = 0;
        ASSERT_TRUE(file.FindKey("Key")) << end;
        ASSERT_TRUE(file.ReadInt(v));
        EXPECT_EQ(v, 5);
        ASSERT_TRUE(file.FindKey("Last"));
        ASSERT_TRUE(file.ReadInt(v));  // the last line has no end
        EXPECT_EQ(v, 6);
        file.Close();
    }
}

}  // namespace
}  // namespace roamer::dsg
