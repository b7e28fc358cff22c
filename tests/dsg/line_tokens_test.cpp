#include "dsg/line_tokens.h"

#include <gtest/gtest.h>

namespace roamer::dsg {
namespace {

TEST(LineTokens, FirstAndTextTokens) {
    EXPECT_EQ(FirstToken("    12.5 ; comment"), "12.5");
    EXPECT_EQ(FirstToken("Version"), "Version");
    EXPECT_EQ(FirstToken("    1.0,2.0"), "1.0");
    EXPECT_EQ(FirstToken("   ;only a comment"), "");
    EXPECT_EQ(FirstToken(",x"), "");
    EXPECT_EQ(FirstToken("\tTab"), "\tTab");  // only spaces are skipped
    EXPECT_EQ(TextToken("    \"Sofa big\"  , x"), "\"Sofa big\"  ");
    EXPECT_EQ(TextToken("  a;b"), "a");
}

TEST(LineTokens, TokenLists) {
    std::vector<std::string_view> tokens;
    SplitTokens("    1.0,2.0,3.0", tokens);
    EXPECT_EQ(tokens, (std::vector<std::string_view>{"1.0", "2.0", "3.0"}));
    SplitTokens(" 1 ,, 2   3 ;4,5", tokens);
    EXPECT_EQ(tokens, (std::vector<std::string_view>{"1", "2", "3"}));
    SplitTokens(" , ;", tokens);
    EXPECT_TRUE(tokens.empty());
}

TEST(LineTokens, QuotedValuesSpanTheWholeLine) {
    std::string_view value;
    ASSERT_TRUE(QuotedValue("    \"Sofa, big; red\"", value));
    EXPECT_EQ(value, "Sofa, big; red");
    ASSERT_TRUE(QuotedValue("    \"name\"   ", value));
    EXPECT_EQ(value, "name");
    ASSERT_TRUE(QuotedValue("\"\"", value));
    EXPECT_EQ(value, "");
    ASSERT_TRUE(QuotedValue("\"a\"b\"", value));
    EXPECT_EQ(value, "a\"b");
    // A comment after the value is not part of it, even when it holds quotes.
    ASSERT_TRUE(QuotedValue("\"wood\";\"old\"", value));
    EXPECT_EQ(value, "wood");
    ASSERT_TRUE(QuotedValue("  \"CPS_GO_FRONT\" ;\"CPS_TURN_LEFT\"", value));
    EXPECT_EQ(value, "CPS_GO_FRONT");
    ASSERT_TRUE(QuotedValue("\"a; b\";note", value));
    EXPECT_EQ(value, "a; b");
    ASSERT_TRUE(QuotedValue("    \"name;\"", value));
    EXPECT_EQ(value, "name;");
    EXPECT_FALSE(QuotedValue("    \"", value));
    EXPECT_FALSE(QuotedValue("    name", value));
    EXPECT_FALSE(QuotedValue("x\"name\"", value));
}

}  // namespace
}  // namespace roamer::dsg
