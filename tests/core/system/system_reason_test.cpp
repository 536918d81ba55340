#include "system/system_reason.h"

#include <cerrno>
#include <string>

#ifdef _WIN32
#include <windows.h>
#endif

#include <gtest/gtest.h>

namespace zvk {
namespace {

// The system's own numbers: Windows' error codes there, errno values elsewhere.
#ifdef _WIN32
constexpr int kPathNotFound = ERROR_PATH_NOT_FOUND;
constexpr int kSharingViolation = ERROR_SHARING_VIOLATION;
// A number that no standard reason stands for.
constexpr int kInvalidFunction = ERROR_INVALID_FUNCTION;
#else
constexpr int kPathNotFound = ENOENT;
constexpr int kSharingViolation = EBUSY;
constexpr int kInvalidFunction = 4095;
#endif

TEST(StandardReasonTest, SystemNumbersReadTheSameOnEverySystem)
{
    const std::error_code missing = StandardReason({kPathNotFound, std::system_category()});
    EXPECT_EQ(missing, std::errc::no_such_file_or_directory);
    EXPECT_EQ(missing.category(), std::generic_category());
    EXPECT_EQ(missing.message(), "No such file or directory");
    EXPECT_EQ(StandardReason({kSharingViolation, std::system_category()}).message(),
              "Device or resource busy");
    // English whatever the user's language, never the code page's bytes.
    EXPECT_EQ(StandardReason({kInvalidFunction, std::system_category()}).message(),
              "system error " + std::to_string(kInvalidFunction));

    // Reasons that are standard already, or of the program's own, pass unchanged.
    const std::error_code full = std::make_error_code(std::errc::no_space_on_device);
    EXPECT_EQ(StandardReason(full), full);
    EXPECT_FALSE(StandardReason({}));
}

} // namespace
} // namespace zvk
