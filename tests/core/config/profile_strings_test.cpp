#include "config/profile_strings.h"

#include <filesystem>
#include <iterator>
#include <string>
#include <utility>

#include <gtest/gtest.h>

#include "config/ini_document.h"
#include "support/succeeded.h"
#include "support/temp_dir.h"

namespace fs = std::filesystem;

namespace zvk {
namespace {

using test::ListFolder;
using test::ReadBytes;
using test::Succeeded;
using test::TempDir;
using test::TestData;

TEST(ProfileStringsTest, BuildsANewConfigurationKeyByKey)
{
    const TempDir dir;
    const fs::path file = dir.Path() / "ZVK.INI";
    const char* const writes[][3] = {
        {"Firma", "Firma1", "Lesn\xE9 z\xE1vody \xE8. 3"},
        {"Firma", "Firma2", ""},
        {"Hlavicka", "Riadok1", "D\xE1tum"},
        {"Hlavicka", "Riadok2", "Odberate\xBE"},
        {"Akosti", "Akost1", "\"  A\""},
        {"Akosti", "Akost2", "\"  B\""},
    };
    for (const auto& [section, key, value] : writes)
        ASSERT_TRUE(Succeeded(WriteProfileString(file, section, key, value))) << key;
    EXPECT_EQ(ReadBytes(file), ReadBytes(TestData("ini/new_configuration.ini")));
    EXPECT_EQ(ListFolder(dir.Path()), "ZVK.INI");
    EXPECT_EQ(GetProfileString(file, "Akosti", "Akost2", "", 3), "  B");
}

TEST(ProfileStringsTest, UpdatesAnExistingFileLineByLine)
{
    const TempDir dir;
    const fs::path file = dir.Write("zvk.ini", ReadBytes(TestData("ini/existing.ini")));
    ASSERT_TRUE(Succeeded(WriteProfileString(file, "Firma", "Firma1", "Nov\xE1 firma")));
    ASSERT_TRUE(Succeeded(WriteProfileString(file, "Firma", "Firma3", "Tret\xED riadok")));
    ASSERT_TRUE(Succeeded(WriteProfileString(file, "Hlavicka", "Riadok2", "Odberate\xBE")));
    ASSERT_TRUE(Succeeded(WriteProfileString(file, "Akosti", "Akost1", "\"  B\"")));
    EXPECT_EQ(ReadBytes(file), ReadBytes(TestData("ini/existing_updated.ini")));
    EXPECT_EQ(ListFolder(dir.Path()), "zvk.ini");
}

TEST(ProfileStringsTest, ReadsDefaultsAndCutsValues)
{
    const TempDir dir;
    const std::string huge(1 << 20, 'x');
    const fs::path file =
        dir.Write("ZVKServer.ini", "[zvkpc]\r\nImportpath=/data/prijem\r\nVelky=" + huge + "\n");
    EXPECT_EQ(GetProfileString(file, "ZVKPC", "importpath", "", 299), "/data/prijem");
    EXPECT_EQ(GetProfileString(file, "zvkpc", "Importpath", "", 5), "/data");
    EXPECT_EQ(GetProfileString(file, "zvkpc", "Konfig", "/home/work", 299), "/home/work");
    EXPECT_EQ(GetProfileString(file, "zvkpc", "Konfig", "/home/work", 5), "/home");
    EXPECT_EQ(GetProfileString(file, "zvkpc", "Velky", "", 80), huge.substr(0, 80));
    EXPECT_EQ(GetProfileString(dir.Path() / "chyba.ini", "zvkpc", "Konvert", "0", 9), "0");
    EXPECT_EQ(GetProfileString(dir.Path(), "zvkpc", "Konvert", "0", 9), "0");
}

TEST(ProfileStringsTest, ReadsIntegersAsThePlatformDoes)
{
    const std::pair<std::string, int> cases[] = {
        {"1", 1},           {"  +42", 42},     {"-7", -7},
        {"12abc", 12},      {"abc", 0},        {"- 5", 0},
        {"\" 3\"", 3},      {"\"\"", -5},      {"0x1F", 31},
        {"0XfFz", 255},     {"0x", 0},         {"-0x10", -16},
        {"4294967295", -1}, {"4294967298", 2}, {"99999999999", 1215752191},
    };
    const TempDir dir;
    std::string bytes = "[S]\r\n";
    for (std::size_t i = 0; i < std::size(cases); ++i)
        bytes += "k" + std::to_string(i) + "=" + cases[i].first + "\r\n";
    const fs::path file = dir.Write("s.ini", bytes + "prazdny=\r\n");
    for (std::size_t i = 0; i < std::size(cases); ++i)
        EXPECT_EQ(GetProfileInt(file, "s", "K" + std::to_string(i), -5), cases[i].second)
            << cases[i].first;
    EXPECT_EQ(GetProfileInt(file, "S", "prazdny", -5), -5);
    EXPECT_EQ(GetProfileInt(file, "S", "chyba", -5), -5);
}

TEST(ProfileStringsTest, RefusesWritesThatWouldDamageAFile)
{
    const TempDir dir;
    const std::string original = "[Firma]\r\nFirma1=A\r\n";
    const fs::path readOnly = dir.Write("citanie.ini", original);
    fs::permissions(readOnly, fs::perms::owner_write, fs::perm_options::remove);
    const fs::path normal = dir.Write("zvk.ini", original);
    fs::create_directory(dir.Path() / "priecinok.ini");

    const Result<> refused = WriteProfileString(readOnly, "Firma", "Firma1", "B");
    ASSERT_FALSE(refused);
    EXPECT_EQ(refused.error().detail, readOnly.string() + " is read-only");
    const Result<> broken = WriteProfileString(normal, "Firma", "Firma1", "B\r\n[Akosti]");
    ASSERT_FALSE(broken);
    EXPECT_EQ(broken.error().detail, "the value of INI key \"Firma1\" contains a line break");
    const Result<> folder =
        WriteProfileString(dir.Path() / "priecinok.ini", "Firma", "Firma1", "B");
    ASSERT_FALSE(folder);
    EXPECT_EQ(folder.error().file.file, dir.Path() / "priecinok.ini");
    EXPECT_EQ(ReadBytes(readOnly), original);
    EXPECT_EQ(ReadBytes(normal), original);
    EXPECT_EQ(ListFolder(dir.Path()), "citanie.ini priecinok.ini zvk.ini");
}

TEST(ProfileStringsTest, RefusesFilesAndFoldersWithoutPermission)
{
    const TempDir dir;
    const std::string original = "[Firma]\r\nFirma1=A\r\n";
    const fs::path open = dir.Path() / "otvoreny";
    const fs::path unreadable = dir.Write("otvoreny/skryty.ini", original);
    fs::permissions(open, fs::perms::all);
    fs::permissions(unreadable, fs::perms::owner_write);
    const fs::path locked = dir.Path() / "zamknuty";
    const fs::path inside = dir.Write("zamknuty/zvk.ini", original);
    fs::permissions(locked, fs::perms::all & ~fs::perms::owner_write & ~fs::perms::group_write &
                                ~fs::perms::others_write);

    EXPECT_TRUE(test::AsOrdinaryUser([&] {
        return !WriteProfileString(unreadable, "Firma", "Firma2", "B") &&
               !WriteProfileString(inside, "Firma", "Firma1", "B") &&
               !WriteProfileString(locked / "novy.ini", "Firma", "Firma1", "B");
    }));
    fs::permissions(unreadable, fs::perms::owner_read, fs::perm_options::add);
    EXPECT_EQ(ReadBytes(unreadable), original);
    EXPECT_EQ(ReadBytes(inside), original);
    EXPECT_EQ(ListFolder(open), "skryty.ini");
    EXPECT_EQ(ListFolder(locked), "zvk.ini");
}

TEST(ProfileStringsTest, LoadsAndSavesWholeDocuments)
{
    const TempDir dir;
    const fs::path file = dir.Path() / "zvk.ini";
    Result<IniDocument> document = LoadIniDocument(file);
    ASSERT_TRUE(Succeeded(document));
    EXPECT_EQ(document->Bytes(), "");
    ASSERT_TRUE(Succeeded(document->SetValue("Firma", "Firma1", "A")));
    ASSERT_TRUE(Succeeded(SaveIniDocument(file, *document)));
    EXPECT_EQ(ReadBytes(file), "[Firma]\r\nFirma1=A\r\n");
    const Result<IniDocument> loaded = LoadIniDocument(file);
    ASSERT_TRUE(Succeeded(loaded));
    EXPECT_EQ(loaded->Bytes(), "[Firma]\r\nFirma1=A\r\n");

    const Result<IniDocument> folder = LoadIniDocument(dir.Path());
    ASSERT_FALSE(folder);
    EXPECT_EQ(folder.error().detail, dir.Path().string() + " is a folder");
}

} // namespace
} // namespace zvk
