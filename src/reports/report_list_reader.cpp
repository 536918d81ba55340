#include "reports/report_list_reader.h"

#include <fstream>

#include "lists/line_reader.h"
#include "platform/input_file.h"

namespace zvk {

bool ForEachListLine(const std::filesystem::path& list,
                     const std::function<bool(std::string_view line)>& handle)
{
    std::ifstream in;
    std::string error;
    if (!OpenInputFile(list, in, error))
        throw UnreadableListError(error);
    LineReader lines(in);
    std::string_view line;
    while (lines.Next(line))
        if (!handle(line))
            return false;
    if (in.bad())
        throw UnreadableListError("cannot read " + list.string());
    return true;
}

} // namespace zvk
