#pragma once

#include <filesystem>
#include <string>
#include <vector>

namespace zvk::bench {

// One run of `zvk report` as a process of its own, so that its time and its peak
// memory are its own.
struct ReportRun
{
    double seconds = -1.0; // below 0 when the report failed
    long peakKilobytes = 0;
};

// `zvk report --folder FOLDER --output OUTPUT --config (the sample configuration)`
// with `arguments` after them; its standard output (the document's path) is dropped.
ReportRun RunReport(const std::filesystem::path& zvk, const std::filesystem::path& folder,
                    const std::filesystem::path& output, const std::vector<std::string>& arguments);

// The median of `values` (which it sorts).
double Median(std::vector<double> values);

// A fresh folder for the reports' header indexes, which the reports run here use
// through XDG_CACHE_HOME, so that the user's own cache is left alone.
std::filesystem::path UseCacheFolderIn(const std::filesystem::path& root);

} // namespace zvk::bench
