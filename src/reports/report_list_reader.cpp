#include "reports/report_list_reader.h"

#include "lists/line_reader.h"
#include "platform/input_file.h"

namespace zvk {

ReportListReader::ReportListReader(const std::filesystem::path& list) : m_path(list)
{
    std::string error;
    if (!OpenInputFile(m_path, m_in, error))
        throw UnreadableListError(error);
}

bool ReportListReader::Next(std::string& line)
{
    if (ReadLine(m_in, line))
        return true;
    if (m_in.bad())
        throw UnreadableListError("cannot read " + m_path.string());
    return false;
}

} // namespace zvk
