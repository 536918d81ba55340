#include "system/result.h"

#include <memory>
#include <string>

#include <gtest/gtest.h>

namespace zvk {
namespace {

Result<std::unique_ptr<std::string>> Made(bool succeed)
{
    if (!succeed)
        return Fail("cannot read /data/LIST01.DAT: Permission denied",
                    {"/data/LIST01.DAT", std::make_error_code(std::errc::permission_denied)});
    return std::make_unique<std::string>("LIST01");
}

Result<> Done(bool succeed)
{
    if (!succeed)
        return Fail("stopped");
    return {};
}

TEST(ResultTest, ValueThatCanOnlyBeMovedComesOutWhole)
{
    Result<std::unique_ptr<std::string>> made = Made(true);
    ASSERT_TRUE(made.has_value());
    ASSERT_TRUE(made);
    EXPECT_EQ(made->get()->size(), 6U);
    const std::unique_ptr<std::string> taken = std::move(made).value();
    ASSERT_NE(taken, nullptr);
    EXPECT_EQ(*taken, "LIST01");

    // A moved result keeps being a value, and its move the same value.
    Result<std::unique_ptr<std::string>> first = Made(true);
    const Result<std::unique_ptr<std::string>> second = std::move(first);
    ASSERT_TRUE(second);
    EXPECT_EQ(**second, "LIST01");
}

TEST(ResultTest, FailureKeepsItsDetailAndFileWhenMovedOn)
{
    Result<std::unique_ptr<std::string>> made = Made(false);
    ASSERT_FALSE(made);
    EXPECT_FALSE(made.has_value());
    // Handed on to the result of another type, as a caller passes a failure up.
    const Result<int> passed = Unexpected(std::move(made).error());
    ASSERT_FALSE(passed);
    EXPECT_EQ(passed.error().detail, "cannot read /data/LIST01.DAT: Permission denied");
    EXPECT_EQ(passed.error().file.file, std::filesystem::path("/data/LIST01.DAT"));
    EXPECT_EQ(passed.error().file.reason, std::errc::permission_denied);
    EXPECT_EQ(passed.error().file.access, FileFailure::Access::Reading);

    const Result<int> copied = passed;
    ASSERT_FALSE(copied);
    EXPECT_EQ(copied.error().detail, passed.error().detail);
}

TEST(ResultTest, WithoutValueSucceedsByDefaultAndFailsWithTheReason)
{
    EXPECT_TRUE(Result<>());
    EXPECT_TRUE(Done(true));
    Result<> stopped = Done(false);
    ASSERT_FALSE(stopped);
    EXPECT_EQ(stopped.error().detail, "stopped");
    EXPECT_TRUE(stopped.error().file.file.empty());
    const Failure moved = std::move(stopped).error();
    EXPECT_EQ(moved.detail, "stopped");

    // The failure reaches a result with a value, and back.
    const Result<std::string> named = Unexpected(moved);
    ASSERT_FALSE(named);
    Result<> back = Unexpected(named.error());
    EXPECT_EQ(back.error().detail, "stopped");
    back = Result<>();
    EXPECT_TRUE(back);
}

} // namespace
} // namespace zvk
