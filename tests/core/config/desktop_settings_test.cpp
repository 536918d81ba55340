#include "config/desktop_settings.h"

#include <gtest/gtest.h>

#include "support/temp_dir.h"

namespace zvk {
namespace {

using test::TempDir;

TEST(DesktopSettingsTest, MissingFileGivesTheWorkingDirectoryAndNoConversion)
{
    TempDir dir;
    const DesktopSettings settings(dir.Path());
    EXPECT_EQ(settings.File(), dir.Path() / "ZVKServer.ini");
    EXPECT_EQ(settings.ReceiveFolder(), dir.Path());
    EXPECT_EQ(settings.ConfigurationPath(), dir.Path());
    EXPECT_FALSE(settings.ConvertReceivedLists());
    EXPECT_EQ(settings.HandheldFolder(), "");
}

TEST(DesktopSettingsTest, ReadsTheProgramsSectionAfreshEachTime)
{
    TempDir dir;
    const std::string longFolder = "/data/" + std::string(400, 'z');
    dir.Write("ZVKServer.ini", "[zvk]\r\nKonvert=1\r\n[ZVKPC]\r\nImportpath=" + longFolder +
                                   "\r\nKonfig=/etc/ZVK.INI\r\nKonvert=2\r\n"
                                   "Zariadenie=/media/zvk\r\n");
    const DesktopSettings settings(dir.Path());
    // Paths are never cut; only the value 1 turns the conversion on.
    EXPECT_EQ(settings.ReceiveFolder(), longFolder);
    EXPECT_EQ(settings.ConfigurationPath(), "/etc/ZVK.INI");
    EXPECT_FALSE(settings.ConvertReceivedLists());
    EXPECT_EQ(settings.HandheldFolder(), "/media/zvk");
    dir.Write("ZVKServer.ini", "[zvkpc]\r\nKonvert=1\r\n");
    EXPECT_TRUE(settings.ConvertReceivedLists());
}

} // namespace
} // namespace zvk
