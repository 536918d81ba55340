#include "config/device_configuration.h"

#include <utility>
#include <vector>

#include <gtest/gtest.h>

#include "support/succeeded.h"
#include "support/temp_dir.h"

namespace fs = std::filesystem;

namespace zvk {
namespace {

using test::ReadBytes;
using test::Succeeded;
using test::TempDir;

TEST(DeviceConfigurationTest, ValuesAreCutToWhatTheHandheldTakes)
{
    TempDir dir;
    const fs::path file = dir.Write(
        "ZVK.INI", "[firma]\r\nFirma1=" + std::string(50, 'a') +
                       "\r\n[HLAVICKA]\r\n"
                       "Riadok29=Popis dlhsi nez osemnast\r\n[Akosti]\r\nAkost24=\"  B\"\r\n"
                       "Akost1=ABCD\r\n");
    const DeviceConfiguration configuration = LoadDeviceConfiguration(file);
    EXPECT_EQ(configuration.companyLines[0], std::string(40, 'a'));
    EXPECT_EQ(configuration.rowCaptions[28], "Popis dlhsi nez os");
    EXPECT_EQ(configuration.qualityCodes[23], "  B");
    EXPECT_EQ(configuration.qualityCodes[0], "ABC");
    EXPECT_EQ(configuration.companyLines[1], "");
    EXPECT_EQ(QuotedQualityCode("B"), "\"  B\"");
    EXPECT_EQ(QuotedQualityCode("  B"), "\"  B\"");
    EXPECT_EQ(QuotedQualityCode(""), "\"   \"");
}

// Each limit itself: a value of exactly its length is kept whole and its line left as
// it stands; one character more is cut and written back cut.
TEST(DeviceConfigurationTest, ValueOfExactlyItsLimitStaysAndOneMoreIsCut)
{
    TempDir dir;
    const std::string caption18 = "Lokalita a sklad 1";
    const fs::path file = dir.Write(
        "ZVK.INI", "[Firma]\r\nFirma1=" + std::string(40, 'a') +
                       "\r\nFirma2=" + std::string(80, 'b') + "\r\nFirma3=" + std::string(81, 'c') +
                       "\r\n[Hlavicka]\r\nRiadok1=" + caption18 + "\r\nRiadok2=" + caption18 +
                       "X\r\n[Akosti]\r\nAkost1=ABC\r\nAkost2=ABCD\r\n");
    const DeviceConfiguration configuration = LoadDeviceConfiguration(file);
    EXPECT_EQ(configuration.companyLines[0], std::string(40, 'a'));
    EXPECT_EQ(configuration.companyLines[1], std::string(80, 'b'));
    EXPECT_EQ(configuration.companyLines[2], std::string(80, 'c'));
    EXPECT_EQ(configuration.rowCaptions[0], caption18);
    EXPECT_EQ(configuration.rowCaptions[1], caption18);
    EXPECT_EQ(configuration.qualityCodes[0], "ABC");
    EXPECT_EQ(configuration.qualityCodes[1], "ABC");

    ASSERT_TRUE(Succeeded(SaveDeviceConfiguration(file, configuration)));
    const std::string saved = ReadBytes(file);
    for (const std::string& line :
         {"Firma1=" + std::string(40, 'a') + "\r\n", "Firma2=" + std::string(80, 'b') + "\r\n",
          "Firma3=" + std::string(80, 'c') + "\r\n", "Riadok1=" + caption18 + "\r\n",
          "Riadok2=" + caption18 + "\r\n", std::string("Akost1=ABC\r\n"),
          std::string("Akost2=\"ABC\"\r\n")})
        EXPECT_NE(saved.find(line), std::string::npos) << line << "\n" << saved;
}

TEST(DeviceConfigurationTest, UntouchedKeysKeepTheirLinesAndBlanksAtTheEndsReadBack)
{
    TempDir dir;
    const fs::path sample = dir.Path() / "ZVK.INI";
    fs::copy_file(test::SampleConfiguration(), sample);
    const std::string before = ReadBytes(sample);
    ASSERT_NE(before.find("Riadok1=\"Lesn\xE1 spr\xE1va: \"\r\n"), std::string::npos);
    EXPECT_TRUE(Succeeded(SaveDeviceConfiguration(sample, LoadDeviceConfiguration(sample))));
    EXPECT_EQ(ReadBytes(sample), before);

    // Blanks typed at either end, and quotes of the text's own, read back as typed;
    // a value longer than its limit is written back cut; a missing key is written.
    const fs::path file = dir.Write("edited.ini", "[Firma]\r\nFirma1=Lesy\r\n[Hlavicka]\r\n"
                                                  "Riadok29=Popis dlhsi nez osemnast\r\n");
    DeviceConfiguration edited = LoadDeviceConfiguration(file);
    edited.companyLines[0] = " Lesy ";
    edited.rowCaptions[0] = "Lokalita: ";
    edited.rowCaptions[1] = "\"Sklad\"";
    edited.rowCaptions[2] = "Odberate\xBE";
    EXPECT_TRUE(Succeeded(SaveDeviceConfiguration(file, edited)));
    const std::string saved = ReadBytes(file);
    for (const char* line :
         {"Firma1=\" Lesy \"\r\n", "Riadok1=\"Lokalita: \"\r\n", "Riadok2=\"\"Sklad\"\"\r\n",
          "Riadok3=Odberate\xBE\r\n", "Riadok29=Popis dlhsi nez os\r\n", "Firma2=\r\n"})
        EXPECT_NE(saved.find(line), std::string::npos) << line << "\n" << saved;
    const DeviceConfiguration reread = LoadDeviceConfiguration(file);
    EXPECT_EQ(reread.companyLines[0], " Lesy ");
    EXPECT_EQ(reread.rowCaptions[0], "Lokalita: ");
    EXPECT_EQ(reread.rowCaptions[1], "\"Sklad\"");
}

// Each kind of text that the reading would change on its own, as typed in the editor:
// blanks or a tab at one end only must be kept as surely as at both.
TEST(DeviceConfigurationTest, EveryTextReadsBackAsTyped)
{
    TempDir dir;
    const fs::path file = dir.Write("ZVK.INI", "[Firma]\r\n");
    const std::vector<std::pair<std::string, std::string>> cases = {
        {"  Lesy", "\"  Lesy\""}, {"Lesy  ", "\"Lesy  \""},
        {"\tLesy", "\"\tLesy\""}, {"Lesy\t", "\"Lesy\t\""},
        {"Lesy SR", "Lesy SR"},   {"\"Lesy\"", "\"\"Lesy\"\""},
        {" ", "\" \""},           {"\"", "\""}};
    for (const auto& [typed, line] : cases) {
        DeviceConfiguration edited = LoadDeviceConfiguration(file);
        edited.companyLines[0] = typed;
        ASSERT_TRUE(Succeeded(SaveDeviceConfiguration(file, edited))) << typed;
        EXPECT_NE(ReadBytes(file).find("Firma1=" + line + "\r\n"), std::string::npos)
            << "[" << typed << "]\n"
            << ReadBytes(file);
        EXPECT_EQ(LoadDeviceConfiguration(file).companyLines[0], typed);
    }
}

// A configuration kept elsewhere and linked to is saved where it lies; the link stays.
TEST(DeviceConfigurationTest, ALinkedConfigurationIsSavedWhereItLies)
{
    TempDir dir;
    const fs::path kept = dir.Write("shared/ZVK.INI", "[Firma]\r\nFirma1=Stara\r\n");
    const fs::path link = dir.Path() / "ZVK.INI";
    fs::create_directory_symlink("shared", dir.Path() / "linked");
    fs::create_symlink("linked/ZVK.INI", link);
    DeviceConfiguration configuration = LoadDeviceConfiguration(link);
    configuration.companyLines[0] = "Nova";
    ASSERT_TRUE(Succeeded(SaveDeviceConfiguration(link, configuration)));
    EXPECT_TRUE(fs::is_symlink(link));
    EXPECT_EQ(LoadDeviceConfiguration(kept).companyLines[0], "Nova");
    EXPECT_EQ(test::ListFolder(dir.Path() / "shared"), "ZVK.INI");
}

TEST(DeviceConfigurationTest, ASaveThatCannotBeWrittenLeavesTheFileAsItWas)
{
    TempDir dir;
    const std::string before = "[Firma]\r\nFirma1=Lesy\r\n";
    const fs::path file = dir.Write("locked/ZVK.INI", before);
    fs::permissions(dir.Path() / "locked", fs::perms::owner_read | fs::perms::owner_exec |
                                               fs::perms::others_read | fs::perms::others_exec);
    DeviceConfiguration configuration;
    configuration.companyLines[0] = "Nove";
    EXPECT_TRUE(
        test::AsOrdinaryUser([&] { return !SaveDeviceConfiguration(file, configuration); }));
    EXPECT_EQ(ReadBytes(file), before);
}

// A value with a line break would add keys of its own: the whole save is refused.
TEST(DeviceConfigurationTest, AValueWithALineBreakRefusesTheWholeSave)
{
    TempDir dir;
    DeviceConfiguration configuration;
    configuration.rowCaptions[3] = "Riadok\r\nAkost1=X";
    const Result<> refused = SaveDeviceConfiguration(dir.Path() / "new.ini", configuration);
    ASSERT_FALSE(refused);
    EXPECT_EQ(refused.error().detail, "the value of INI key \"Riadok4\" contains a line break");
    EXPECT_FALSE(fs::exists(dir.Path() / "new.ini"));
}

} // namespace
} // namespace zvk
