#pragma once

#include <filesystem>
#include <istream>
#include <string>
#include <string_view>

#include "files/earlier_version.h"
#include "system/result.h"

namespace zvk {

// Builds a data list of logs from a measurement text: after a line starting with
// "FmoR" come seven value lines per log (item number, species, quality, diameter
// class, length, diameter, volume); each log becomes one long-wood item.

// The data list bytes for the text; `listFileName` is the list's own file name
// in Windows-1250, of which the header keeps the first 12 characters.
std::string DataListFromMeasurementText(std::istream& text, std::string_view listFileName);

// The data list that the import of `textPath` writes: beside the text file, with
// its name and the extension ".dat".
std::filesystem::path DataListPathFor(const std::filesystem::path& textPath);

// The data list an import wrote, and the earlier list of its name that it replaced, where
// one with other bytes was there.
struct ImportedList
{
    std::filesystem::path list;
    std::optional<KeptVersion> kept;
};

// Reads the text file and writes its data list beside it, whole or not at all, keeping an
// earlier list of the name with other bytes (KeepEarlierVersion); the list, or why there
// is none.
Result<ImportedList> ImportMeasurementText(const std::filesystem::path& textPath);

} // namespace zvk
