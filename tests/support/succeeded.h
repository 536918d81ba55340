#pragma once

#include <gtest/gtest.h>

#include "system/result.h"

namespace zvk::test {

// For ASSERT_TRUE/EXPECT_TRUE: a failed result shows its reason.
template <class T>::testing::AssertionResult Succeeded(const Result<T>& result)
{
    if (result)
        return ::testing::AssertionSuccess();
    return ::testing::AssertionFailure() << result.error().detail;
}

// The English reason of a failed result; empty for a success.
template <class T> std::string FailureDetail(const Result<T>& result)
{
    return result ? std::string() : result.error().detail;
}

} // namespace zvk::test
