#include "platform/text/cp950.h"

#include <gtest/gtest.h>

namespace roamer::text {
namespace {

// "室內設計" in code page 950.
constexpr std::string_view kDesignBig5 = "\xAB\xC7\xA4\xBA\xB3\x5D\xAD\x70";

TEST(Cp950, ConvertsBothWaysAndKeepsAscii) {
    EXPECT_EQ(Cp950ToUtf8(kDesignBig5), "室內設計");
    EXPECT_EQ(Utf8ToCp950("室內設計"), std::string(kDesignBig5));
    EXPECT_EQ(Cp950ToUtf8("chair\\Chair01.X"), "chair\\Chair01.X");
    // Round trip of every two-byte character of the common range keeps the bytes.
    std::string all;
    for (int lead = 0xA4; lead <= 0xC6; ++lead)
        for (int trail : {0x40, 0x7E, 0xA1, 0xFE}) {
            all.push_back(static_cast<char>(lead));
            all.push_back(static_cast<char>(trail));
        }
    auto back = Utf8ToCp950(Cp950ToUtf8(all));
    ASSERT_TRUE(back);
    EXPECT_EQ(*back, all);
}

TEST(Cp950, BrokenBytesBecomeReplacementCharacters) {
    // A lead byte at the very end and a lead byte followed by an invalid trail byte.
    const std::string converted = Cp950ToUtf8("a\xAB\x01z\xAB");
    EXPECT_TRUE(IsValidUtf8(converted));
    EXPECT_EQ(converted.front(), 'a');
    EXPECT_NE(converted.find('z'), std::string::npos);
    EXPECT_NE(converted.find("\xEF\xBF\xBD"), std::string::npos);
    EXPECT_FALSE(Utf8ToCp950("\xF0\x9F\x98\x80"));  // an emoji has no code page 950 form
    EXPECT_FALSE(Utf8ToCp950("\xC3"));               // not UTF-8 at all
}

TEST(Cp950, DisplayTextPrefersUtf8) {
    EXPECT_EQ(ToDisplayText("室內設計.dsg"), "室內設計.dsg");
    EXPECT_EQ(ToDisplayText(std::string(kDesignBig5) + ".dsg"), "室內設計.dsg");
    EXPECT_FALSE(IsValidUtf8("\xC0\x80"));      // overlong
    EXPECT_FALSE(IsValidUtf8("\xED\xA0\x80"));  // surrogate
    EXPECT_TRUE(IsValidUtf8(""));
}

}  // namespace
}  // namespace roamer::text
