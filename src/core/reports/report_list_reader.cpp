#include "reports/report_list_reader.h"

#include <fstream>

#include "lists/line_reader.h"
#include "platform/input_file.h"

namespace zvk {

UnreadableListError::UnreadableListError(const std::string& message, FileFailure failure)
    : std::runtime_error(message), m_failure(std::move(failure))
{}

const FileFailure& UnreadableListError::Failure() const
{
    return m_failure;
}

bool ForEachListLine(const std::filesystem::path& list,
                     const std::function<bool(std::string_view line)>& handle)
{
    Result<std::ifstream> in = OpenInputFile(list);
    if (!in)
        throw UnreadableListError(in.error().detail, in.error().file);
    LineReader lines(*in);
    std::string_view line;
    while (lines.Next(line))
        if (!handle(line))
            return false;
    if (in->bad())
        throw UnreadableListError("cannot read " + list.string(),
                                  {list, std::make_error_code(std::errc::io_error)});
    return true;
}

} // namespace zvk
