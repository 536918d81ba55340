#pragma once

#include <filesystem>
#include <optional>
#include <string_view>

#include "system/local_time.h"
#include "system/result.h"

namespace zvk {

// The folder beside the lists where those that others replaced are kept. Reports never
// read it: they read the lists at the top of their folder only.
inline constexpr std::string_view kReplacedListsFolder = "nahradené";

// A list that another of its name replaced, and where its earlier bytes now are.
struct KeptVersion
{
    std::filesystem::path list;
    std::filesystem::path keptAs;
};

// Keeps the earlier version of `list` before `bytes` replace it, so that a list received
// or imported again under its name never takes the measurements of an earlier one with
// it: a list there with other bytes moves into the folder of replaced lists beside it,
// under its name with the time of the replacement (LIST0001.20261208-152530.DAT), and its
// semicolon text (the same name with .csv) with it. Nothing when no list has the name or
// it holds these very bytes. A failure when the earlier list cannot be kept: the caller
// must not replace it then.
Result<std::optional<KeptVersion>> KeepEarlierVersion(const std::filesystem::path& list,
                                                      std::string_view bytes, const LocalTime& now);

} // namespace zvk
