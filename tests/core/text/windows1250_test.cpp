#include "text/windows1250.h"

#include <gtest/gtest.h>

#include "text/path_text.h"

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
    const std::filesystem::path path = PathFromText("/tmp/Zväzok/Meranie ľavý.dat");
    EXPECT_EQ(FileNameInWindows1250(path), "Meranie \xBE"
                                           "av\xFD.dat");
    EXPECT_EQ(FileNameInUtf16(path), u"Meranie \u013Eav\u00FD.dat");
}

TEST(Windows1250Test, FileNamesThatAreNoUtf8AreReadInTheCodePage)
{
    EXPECT_EQ(FileNameInUtf16("/h/lat\xE8in.DAT"), u"lat\u010Din.DAT");
    EXPECT_EQ(FileNameInWindows1250("/h/lat\xE8in.DAT"), "lat\xE8in.DAT");
    // "Áż" in the code page, not an overlong form of a character.
    EXPECT_EQ(FileNameInUtf16("\xC1\xBF.DAT"), u"\u00C1\u017C.DAT");
    // Every byte of a name goes back to itself, the code page's unassigned ones too.
    for (int byte = 0x80; byte <= 0xFF; ++byte) {
        const std::string name = std::string("x") + static_cast<char>(byte);
        EXPECT_EQ(Utf16ToWindows1250(FileNameInUtf16(name)), name) << byte;
    }
    EXPECT_FALSE(Utf16ToWindows1250(u"\u65E5").has_value());
}

} // namespace
} // namespace zvk
