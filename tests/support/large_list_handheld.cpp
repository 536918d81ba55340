#include "support/large_list_handheld.h"

#include <gtest/gtest.h>

#include "device/handheld_selection.h"
#include "support/environment.h"
#include "support/succeeded.h"

namespace zvk::test {

LargeListHandheld::LargeListHandheld()
{
    EXPECT_TRUE(Succeeded(PrepareHandheldFolder(Folder(), SampleListsFolder(ZVK_SAMPLE_DIR))));
    m_dir.Write("handheld/emulator.ini",
                "[Emulator]\r\nExportDelayMs=1\r\nBandwidthBytesPerSecond=100000\r\n");
    std::string line(98, '7');
    line += "\r\n";
    constexpr int kLines = 20'000;
    m_large.reserve(line.size() * kLines);
    for (int i = 0; i < kLines; ++i)
        m_large += line;
    m_dir.Write("handheld/ZVK_CE/Data/BIG.DAT", m_large);
    SetEnvironment("ZVK_HANDHELD", Folder());
}

LargeListHandheld::~LargeListHandheld()
{
    UnsetEnvironment("ZVK_HANDHELD");
}

std::filesystem::path LargeListHandheld::Folder() const
{
    return m_dir.Path() / "handheld";
}

const TempDir& LargeListHandheld::Dir() const
{
    return m_dir;
}

const std::string& LargeListHandheld::Large() const
{
    return m_large;
}

} // namespace zvk::test
