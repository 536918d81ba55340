#include "config/desktop_settings.h"

#include <filesystem>
#include <optional>
#include <string>
#include <string_view>

#include <gtest/gtest.h>

#ifdef _WIN32
#include <windows.h>
#endif

#include "support/succeeded.h"
#include "support/temp_dir.h"
#include "system/settings_path_text.h"
#include "text/path_text.h"

namespace fs = std::filesystem;

namespace zvk {
namespace {

using test::ListFolder;
using test::ReadBytes;
using test::Succeeded;
using test::TempDir;

// A folder and its bytes in ZVKServer.ini under each ANSI code page of Windows: the bytes
// of the profile-string functions, which the older program wrote; none where the code page
// lacks one of its letters.
struct KeptFolder
{
    std::u8string_view folder;
    std::optional<std::string_view> cp1250;
    std::optional<std::string_view> cp1252;
};

constexpr KeptFolder kFolders[] = {
    {u8"Lesy/Príjem", "Lesy/Pr\xEDjem", "Lesy/Pr\xEDjem"},
    {u8"Lesy/Čierny Balog", "Lesy/\xC8ierny Balog", std::nullopt},
    {u8"Lesy/Ωmega 木材", std::nullopt, std::nullopt},
};

// The bytes the settings keep `kept` in here: the code page's on Windows, the file name's
// own elsewhere.
std::optional<std::string> KeptBytes(const KeptFolder& kept)
{
#ifdef _WIN32
    const UINT codePage = GetACP();
    if (codePage != 1250 && codePage != 1252) {
        ADD_FAILURE() << "no bytes known for code page " << codePage;
        return std::nullopt;
    }
    const std::optional<std::string_view> bytes = codePage == 1250 ? kept.cp1250 : kept.cp1252;
    return bytes ? std::optional<std::string>(*bytes) : std::nullopt;
#else
    return std::string(kept.folder.begin(), kept.folder.end());
#endif
}

TEST(DesktopSettingsTest, MissingFileGivesTheWorkingDirectoryAndNoConversion)
{
    TempDir dir;
    const DesktopSettings settings(dir.Path());
    EXPECT_EQ(settings.File(), dir.Path() / "ZVKServer.ini");
    EXPECT_EQ(settings.ReceiveFolder(), dir.Path());
    EXPECT_EQ(settings.ConfigurationPath(), dir.Path());
    EXPECT_FALSE(settings.ConvertReceivedLists());
    EXPECT_EQ(settings.HandheldFolder(), "");
    EXPECT_FALSE(settings.OwnHandheldLink());
    EXPECT_EQ(settings.NamedHandheldLink(), "");
}

TEST(DesktopSettingsTest, ReadsTheProgramsSectionAfreshEachTime)
{
    TempDir dir;
    const std::string longFolder = "/data/" + std::string(400, 'z');
    dir.Write("ZVKServer.ini", "[zvk]\r\nKonvert=1\r\n[ZVKPC]\r\nImportpath=" + longFolder +
                                   "\r\nKonfig=/etc/ZVK.INI\r\nKonvert=2\r\n"
                                   "Zariadenie=/media/zvk\r\nVlastneSpojenie=2\r\n"
                                   "AdresySpojenia=127.0.0.1:9990,127.0.0.2:5679\r\n");
    const DesktopSettings settings(dir.Path());
    // Paths are never cut; only the value 1 turns the conversion on.
    EXPECT_EQ(settings.ReceiveFolder(), longFolder);
    EXPECT_EQ(settings.ConfigurationPath(), "/etc/ZVK.INI");
    EXPECT_FALSE(settings.ConvertReceivedLists());
    EXPECT_EQ(settings.HandheldFolder(), "/media/zvk");
    EXPECT_FALSE(settings.OwnHandheldLink());
    EXPECT_EQ(settings.NamedHandheldLink(), "127.0.0.1:9990,127.0.0.2:5679");
    dir.Write("ZVKServer.ini", "[zvkpc]\r\nKonvert=1\r\nVlastneSpojenie=1\r\n");
    EXPECT_TRUE(settings.ConvertReceivedLists());
    EXPECT_TRUE(settings.OwnHandheldLink());
}

TEST(DesktopSettingsTest, FoldersAreReadAndWrittenInTheBytesOfTheOlderProgram)
{
    for (const KeptFolder& kept : kFolders) {
        const std::optional<std::string> bytes = KeptBytes(kept);
        if (!bytes)
            continue;
        const fs::path folder(kept.folder);
        SCOPED_TRACE(PathText(folder));
        TempDir dir;
        dir.Write("ZVKServer.ini", "[zvkpc]\r\nImportpath=" + *bytes + "\r\nKonfig=" + *bytes +
                                       "/ZVK.INI\r\nZariadenie=" + *bytes + "\r\n");
        const DesktopSettings settings(dir.Path());
        EXPECT_EQ(settings.ReceiveFolder(), folder);
        EXPECT_EQ(settings.ConfigurationPath(), folder / "ZVK.INI");
        EXPECT_EQ(settings.HandheldFolder(), folder);

        fs::remove(settings.File());
        ASSERT_TRUE(Succeeded(settings.WriteReceiveFolder(folder)));
        ASSERT_TRUE(Succeeded(settings.WriteConfigurationPath(folder)));
        EXPECT_EQ(ReadBytes(settings.File()),
                  "[zvkpc]\r\nImportpath=" + *bytes + "\r\nKonfig=" + *bytes + "\r\n");
    }
}

#ifdef _WIN32
// Only Windows keeps paths in a code page; elsewhere every folder is kept in its bytes.
TEST(DesktopSettingsTest, AFolderTheCodePageCannotHoldIsRefusedAndNothingWritten)
{
    for (const KeptFolder& kept : kFolders) {
        if (KeptBytes(kept))
            continue;
        const fs::path folder(kept.folder);
        SCOPED_TRACE(PathText(folder));
        TempDir dir;
        const std::string before = "[zvkpc]\r\nImportpath=C:\\Lesy\r\n";
        dir.Write("ZVKServer.ini", before);
        const DesktopSettings settings(dir.Path());
        for (const Result<>& written :
             {settings.WriteReceiveFolder(folder), settings.WriteConfigurationPath(folder)}) {
            ASSERT_FALSE(written);
            EXPECT_EQ(written.error().file.file, folder);
            EXPECT_EQ(written.error().file.reason, SettingsPathRefusal::NotInCodePage);
        }
        EXPECT_EQ(ReadBytes(settings.File()), before);
        EXPECT_EQ(ListFolder(dir.Path()), "ZVKServer.ini");
    }
}
#endif

} // namespace
} // namespace zvk
