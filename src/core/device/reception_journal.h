#pragma once

#include <cstdint>
#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

#include "system/result.h"

namespace zvk {

// The journal of a receive folder: a line for every list a reception took, so that a
// clerk can show what arrived, when, and that it was not altered since. Its name is no
// list's (.dat), so that no report reads it.
inline constexpr std::string_view kJournalName = "prijmy.log";

struct JournalEntry
{
    std::string time;         // "2026-12-08 15:35:02", the desktop's local time
    std::string handheldName; // as the handheld named the list (UTF-8)
    std::string desktopName;  // the list's file in the receive folder
    std::uint64_t size = 0;
    std::string sha256; // of the bytes written
    bool textWritten = false;
    std::string keptAs; // where an earlier list of the name went; empty when none

    friend bool operator==(const JournalEntry&, const JournalEntry&) = default;
};

// Appends `entry` to the journal in `folder`, on the disk before this returns: the
// handheld deletes the list only after it, so the journal never names a list the disk
// does not have.
Result<> AppendToJournal(const std::filesystem::path& folder, const JournalEntry& entry);

struct JournalReading
{
    std::vector<JournalEntry> entries;
    // The numbers (from 1) of lines that are no entry: named and skipped.
    std::vector<std::size_t> damagedLines;
};

// The journal of `folder`; a failure when there is none or it cannot be read.
Result<JournalReading> ReadJournal(const std::filesystem::path& folder);

// The entries of a journal's bytes, and its lines that are none.
JournalReading ParseJournal(std::string_view bytes);

// One journal line's fields, separated by tabs, and the line an entry makes.
std::string JournalLine(const JournalEntry& entry);

} // namespace zvk
