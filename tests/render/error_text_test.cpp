#include "render/error_text.h"

#include <string>

#include <gtest/gtest.h>

namespace roamer::render {
namespace {

std::int32_t Platform(std::uint32_t n) { return static_cast<std::int32_t>(0x88760000u + n); }

TEST(ErrorText, EveryGroupHasItsTexts) {
    EXPECT_STREQ(ErrorText(0), "No error.");
    EXPECT_STREQ(ErrorText(1), "Unrecognized error value.");
    EXPECT_STREQ(ErrorText(-2103), "Unrecognized error value.");
    EXPECT_STREQ(ErrorText(-5002), "Unrecognized error value.");
    EXPECT_STREQ(ErrorText(static_cast<std::int32_t>(0x80070057u)),
                 "One or more of the parameters passed to the function are incorrect.");
    EXPECT_STREQ(ErrorText(static_cast<std::int32_t>(0x80004005u)), "Generic failure.");
    EXPECT_STREQ(ErrorText(static_cast<std::int32_t>(0x80004001u)), "Action not supported.");
    EXPECT_STREQ(ErrorText(Platform(150)), "Rectangle provided was invalid.");
    EXPECT_STREQ(ErrorText(Platform(255)), "Requested item was not found.");
    EXPECT_STREQ(ErrorText(Platform(565)), "Software emulation not available.");
    EXPECT_STREQ(ErrorText(Platform(700)), "D3DERR_BADMAJORVERSION");
    EXPECT_STREQ(ErrorText(Platform(750)), "D3DERR_LIGHT_SET_FAILED");
    EXPECT_STREQ(ErrorText(Platform(787)), "The file was not found.");
    EXPECT_STREQ(ErrorText(Platform(790)), "D3DRMERR_BADVALUE");
    EXPECT_STREQ(ErrorText(Platform(793)), "D3DRMERR_UNABLETOEXECUTE");
    // Codes between the listed ones have no text of their own.
    for (std::uint32_t n : {0u, 6u, 500u, 590u, 726u, 780u, 794u})
        EXPECT_STREQ(ErrorText(Platform(n)), "Unrecognized error value.") << n;
}

TEST(ErrorText, EveryListedDisplayStatusHasASentence) {
    std::vector<std::uint32_t> listed = {5,   10,  20,  40,  55,  90,  95,  100, 110, 120, 130,
                                         145, 150, 160, 170, 180, 205, 210, 212, 215, 220, 225,
                                         230, 240, 250, 255, 260, 280, 290, 310, 316, 317, 320,
                                         330, 335, 340, 350, 360, 380, 382, 384, 387, 400, 410,
                                         420, 430, 440, 450, 460, 470, 480, 490, 510, 520, 537,
                                         540};
    for (std::uint32_t n = 560; n <= 589; ++n) listed.push_back(n);
    for (std::uint32_t n : listed) {
        const std::string text = ErrorText(Platform(n));
        EXPECT_NE(text, "Unrecognized error value.") << n;
        EXPECT_EQ(text.back(), '.') << n;
    }
}

}  // namespace
}  // namespace roamer::render
