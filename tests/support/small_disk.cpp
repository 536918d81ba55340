#include "support/small_disk.h"

#ifdef __linux__
#include <cerrno>
#include <system_error>

#include <sys/mount.h>
#endif

namespace zvk::test {

SmallDisk::SmallDisk(std::size_t bytes)
{
#ifdef __linux__
    const std::string options = "size=" + std::to_string(bytes);
    m_mounted = mount("tmpfs", m_dir.Path().c_str(), "tmpfs", 0, options.c_str()) == 0;
    if (!m_mounted)
        m_whyNot = "cannot mount a tmpfs of " + std::to_string(bytes) +
                   " bytes: " + std::generic_category().message(errno);
#else
    (void)bytes;
    m_whyNot = "a small disk needs Linux's tmpfs";
#endif
}

SmallDisk::~SmallDisk()
{
#ifdef __linux__
    if (m_mounted)
        umount(m_dir.Path().c_str());
#endif
}

bool SmallDisk::Mounted() const
{
    return m_mounted;
}

const std::string& SmallDisk::WhyNot() const
{
    return m_whyNot;
}

const std::filesystem::path& SmallDisk::Path() const
{
    return m_dir.Path();
}

} // namespace zvk::test
