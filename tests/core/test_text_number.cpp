// The strtod path of text_to_real reads what from_chars reads, stops where it stops and refuses what it refuses.
#include <gtest/gtest.h>

#include <cmath>
#include <cstring>

#include "core/text_number.h"

TEST(TextNumber, TheStrtodPathAgreesWithFromChars)
{
    const char* const cases[] = {"0",      "1.5",   "-2.25",   "3e2",
                                 "1.5e-3", "-0",    "0.1",     "123456789.125",
                                 "1e39",   "1e-50", "1e400",   "1e-400",
                                 ".5",     "5.",    "2e",      "1.5x",
                                 "+1",     "- 1",   "0x1p3",   "inf",
                                 "nan",    "",      "e5",      "--1",
                                 "1e+2",   "7 8",   "-1e-3f6", "340282346638528859811704183484516925440"};
    for (const char* text : cases) {
        const char* last = text + std::strlen(text);
        double by_strtod = 7.0;
        double by_library = 7.0;
        std::from_chars_result mine = text_to_real_by_strtod(text, last, by_strtod);
        std::from_chars_result theirs = std::from_chars(text, last, by_library);
        EXPECT_EQ(mine.ec, theirs.ec) << text;
        EXPECT_EQ(mine.ptr - text, theirs.ptr - text) << text;
        EXPECT_TRUE(by_strtod == by_library || (std::isnan(by_strtod) && std::isnan(by_library))) << text;
        float narrow_strtod = 7.0f;
        float narrow_library = 7.0f;
        mine = text_to_real_by_strtod(text, last, narrow_strtod);
        theirs = std::from_chars(text, last, narrow_library);
        EXPECT_EQ(mine.ec, theirs.ec) << text << " as float";
        EXPECT_TRUE(narrow_strtod == narrow_library || (std::isnan(narrow_strtod) && std::isnan(narrow_library)))
            << text << " as float";
    }
}
