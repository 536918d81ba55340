#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "reports/header_value_texts.h"
#include "support/temp_dir.h"
#include "support/unreadable_file.h"

namespace fs = std::filesystem;

namespace zvk {
namespace {

using test::TempDir;

// A header value as the lists hold it: 20 bytes, padded with blanks.
std::string Value(std::string_view text)
{
    return std::string(text) + std::string(20 - text.size(), ' ');
}

// A header line of two values, as the handheld writes records "0B" to "0l".
std::string Pair(std::string_view code, std::string_view first, std::string_view second)
{
    return std::string(code) + Value(first) + Value(second) + "\r\n";
}

class HeaderValueTextsTest : public ::testing::Test
{
protected:
    std::vector<std::string> Texts(int valueNumber)
    {
        const HeaderValueTexts found = ReadHeaderValueTexts(folder.Path(), valueNumber);
        EXPECT_TRUE(found.unreadable.empty());
        return found.texts;
    }

    TempDir folder;
};

TEST_F(HeaderValueTextsTest, EachTextOnceAsFirstReadWithItsBlanksAndBytes)
{
    // "horn\xE1" is "horná", "\x8A" "ari\x9A" is "Šariš": Slovak capitals fold too.
    // Lists are read in the byte order of their names: A before B before c.
    folder.Write("B.DAT", Pair("0B", "HORN\xC1", "x") + Pair("0B",
                                                             "\x8A"
                                                             "ARI\x8A",
                                                             ""));
    folder.Write("A.dat", "0A01.02.26Lesn\xE1 spr\xE1va\r\n" + Pair("0B", "horn\xE1", "") +
                              Pair("0B",
                                   "\x9A"
                                   "ari\x9A",
                                   ""));
    folder.Write("c.DaT", Pair("0B", "Doln\xFD", "") + Pair("0B", "horn\xE1 ", ""));
    folder.Write("NOTES.txt", Pair("0B", "ignored", ""));
    EXPECT_EQ(Texts(2), (std::vector<std::string>{Value("horn\xE1"),
                                                  Value("\x9A"
                                                        "ari\x9A"),
                                                  Value("Doln\xFD")}));
    // Twenty blanks are a text of their own, which a list can be chosen by.
    EXPECT_EQ(Texts(3), (std::vector<std::string>{Value(""), Value("x")}));
    EXPECT_EQ(Texts(1), std::vector<std::string>{Value("Lesn\xE1 spr\xE1va")});
}

TEST_F(HeaderValueTextsTest, EachValueFromItsOwnRecordAndOnlyBeforeTheItems)
{
    // "0E" holds values 8 and 9, "0e" values 14 and 15; a short line reads as
    // padded with blanks. A header record after a log, stacked-wood or second-log
    // item is not read; one after a sawn-timber item is.
    folder.Write("ONE.DAT", Pair("0E", "eight", "nine") + Pair("0e", "fourteen", "") + "0e\r\n" +
                                "2P     1SM\r\n" + Pair("0e", "after 2P", ""));
    folder.Write("TWO.DAT", "2M     1SM\r\n" + Pair("0e", "after 2M", ""));
    folder.Write("THREE.DAT", "2N     1SM\r\n" + Pair("0e", "after 2N", ""));
    folder.Write("FOUR.DAT", "2O     1SM\r\n" + Pair("0e", "after 2O", ""));
    EXPECT_EQ(Texts(8), std::vector<std::string>{Value("eight")});
    EXPECT_EQ(Texts(9), std::vector<std::string>{Value("nine")});
    EXPECT_EQ(Texts(14),
              (std::vector<std::string>{Value("fourteen"), Value(""), Value("after 2P")}));
}

TEST_F(HeaderValueTextsTest, AnUnreadableListIsNamedAndTheOthersAreStillRead)
{
    folder.Write("GOOD.DAT", Pair("0B", "Odberatel", ""));
    const test::UnreadableFile bad(folder.Path() / "BAD.DAT");
    fs::create_directory(folder.Path() / "FOLDER.DAT");
    const HeaderValueTexts found = ReadHeaderValueTexts(folder.Path(), 2);
    EXPECT_EQ(found.texts, std::vector<std::string>{Value("Odberatel")});
    ASSERT_EQ(found.unreadable.size(), 1u);
    EXPECT_EQ(found.unreadable[0].file, folder.Path() / "BAD.DAT");
    EXPECT_EQ(found.unreadable[0].reason, bad.Reason());
    EXPECT_EQ(found.unreadable[0].access, FileFailure::Access::Reading);

    const HeaderValueTexts none = ReadHeaderValueTexts(folder.Path() / "missing", 2);
    EXPECT_TRUE(none.texts.empty());
    ASSERT_EQ(none.unreadable.size(), 1u);
    EXPECT_EQ(none.unreadable[0].file, folder.Path() / "missing");
    EXPECT_EQ(none.unreadable[0].access, FileFailure::Access::ReadingFolder);
}

} // namespace
} // namespace zvk
