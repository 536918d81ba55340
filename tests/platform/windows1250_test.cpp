#include "platform/windows1250.h"

#include <gtest/gtest.h>

namespace zvk {
namespace {

TEST(Windows1250Test, EncodesSlovakLettersAndMarksTheRest)
{
    EXPECT_EQ(Utf8ToWindows1250("Píla Ľubietová, Šťastný"), "P\xEDla \xBCubietov\xE1, \x8A\x9D"
                                                            "astn\xFD");
    EXPECT_EQ(Utf8ToWindows1250("€ ä ô ř"), "\x80 \xE4 \xF4 \xF8");
    EXPECT_EQ(Utf8ToWindows1250("日本"), "??");
    EXPECT_EQ(Utf8ToWindows1250("😀"), "?");
    // Bytes that are no UTF-8 (a truncated sequence, a stray continuation byte).
    EXPECT_EQ(Utf8ToWindows1250("a\xC3"), "a?");
    EXPECT_EQ(Utf8ToWindows1250("\x80x"), "?x");
    EXPECT_EQ(Utf8ToWindows1250(std::string("a\0b", 3)), std::string("a\0b", 3));

    EXPECT_TRUE(Utf8FitsWindows1250("Píla Ľubietová, Šťastný € ?"));
    EXPECT_FALSE(Utf8FitsWindows1250("Horný 😀"));
    EXPECT_FALSE(Utf8FitsWindows1250("日本"));
    EXPECT_FALSE(Utf8FitsWindows1250("a\xC3"));
}

TEST(Windows1250Test, FileNamesLoseTheirFolder)
{
    EXPECT_EQ(FileNameInWindows1250("/tmp/Zväzok/Meranie ľavý.dat"), "Meranie \xBE"
                                                                     "av\xFD.dat");
}

} // namespace
} // namespace zvk
