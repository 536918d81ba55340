#include "lists/semicolon_conversion.h"

#include <array>
#include <fstream>
#include <initializer_list>
#include <vector>

#include "lists/data_list.h"
#include "lists/line_reader.h"
#include "platform/ascii.h"
#include "platform/atomic_file.h"
#include "platform/input_file.h"

namespace fs = std::filesystem;

namespace zvk {
namespace {

struct Column
{
    std::size_t start = 0;
    std::size_t width = 0; // 0: a column this record leaves empty
};

constexpr Column kEmpty{};

// Item number, species and the two assortment parts and quality: the same
// columns in every kind of item.
constexpr std::array<Column, 5> kCommonColumns = {{{3, 6}, {9, 2}, {11, 2}, {13, 3}, {16, 3}}};

// The remaining 8 columns of an item line and the output positions of its decimal points.
struct ItemLayout
{
    std::string_view code;
    std::array<Column, 8> columns;
    std::vector<std::size_t> decimalCommas;
};

const std::array<ItemLayout, 4>& ItemLayouts()
{
    // clang-format off
    static const std::array<ItemLayout, 4> layouts = {{
        {"2M", {{{20, 2}, {23, 5}, {28, 3}, {31, 2}, {33, 5}, {38, 2}, {69, 3}, {40, 21}}}, {26, 39}},
        {"2O", {{{20, 4}, {24, 6}, kEmpty,  {30, 2}, {32, 6}, {38, 2}, kEmpty,  {40, 21}}}, {22, 29, 40}},
        {"2Q", {{{19, 3}, {23, 4}, kEmpty,  kEmpty,  {27, 6}, {33, 2}, kEmpty,  {35, 21}}}, {26, 35}},
        {"2P", {{{20, 4}, {24, 4}, {28, 3}, {31, 3}, {34, 5}, {39, 2}, {62, 3}, {41, 21}}}, {22, 28, 40}},
    }};
    // clang-format on
    return layouts;
}

const ItemLayout* ItemLayoutOf(std::string_view code)
{
    for (const ItemLayout& layout : ItemLayouts())
        if (layout.code == code)
            return &layout;
    return nullptr;
}

void AppendJoined(std::string& out, std::initializer_list<std::string_view> parts)
{
    bool first = true;
    for (std::string_view part : parts) {
        if (!first)
            out += ';';
        out += part;
        first = false;
    }
    out += "\r\n";
}

std::string ItemLine(const ItemLayout& layout, std::string_view line)
{
    std::string out;
    for (const Column& column : kCommonColumns)
        out += Field(line, column.start, column.width) + ';';
    for (std::size_t i = 0; i < layout.columns.size(); ++i) {
        if (i > 0)
            out += ';';
        out += Field(line, layout.columns[i].start, layout.columns[i].width);
    }
    for (std::size_t position : layout.decimalCommas)
        out[position] = ',';
    out += "\r\n";
    return out;
}

} // namespace

std::string SemicolonConversion::ConvertLine(std::string_view line, std::string_view listName)
{
    const std::string_view code = RecordCode(line);
    std::string out;
    if (code == "AD") {
        m_versionInForce = FormatVersionOf(line);
        if (VersionAbove(m_versionInForce, kWideNameVersion))
            AppendJoined(out, {listName, Field(line, 16, 6), Field(line, 22, 21)});
        else
            AppendJoined(out, {listName, Field(line, 14, 6), Field(line, 20, 21)});
    } else if (code == "0A") {
        AppendJoined(out, {" ", Field(line, 2, 8)});
        AppendJoined(out, {" ", Field(line, 10, 20)});
    } else if (IsHeaderValueRecord(code)) {
        AppendJoined(out, {" ", Field(line, 2, 20)});
        AppendJoined(out, {" ", Field(line, 22, 20)});
    } else if (const ItemLayout* layout = ItemLayoutOf(code)) {
        out = ItemLine(*layout, NormalizeItemLine(line, m_versionInForce));
    }
    return out;
}

const std::string& SemicolonConversion::VersionInForce() const
{
    return m_versionInForce;
}

WriteOutcome SemicolonConversion::ConvertListToSemicolonText(const fs::path& listPath,
                                                             std::string_view listName,
                                                             std::stop_token stop)
{
    WriteOutcome outcome;
    const std::optional<fs::path> output = SemicolonTextPathFor(listPath);
    if (!output) {
        outcome.error = listPath.string() + " is not a data list (its name does not end in .dat)";
        return outcome;
    }
    outcome.output = *output;
    Result<std::ifstream> opened = OpenInputFile(listPath);
    if (!opened) {
        outcome.error = opened.error().detail;
        outcome.failure = opened.error().file;
        return outcome;
    }
    std::ifstream& list = *opened;
    AtomicFileWriter writer(*output);
    LineReader lines(list);
    std::string_view line;
    while (writer.IsOpen() && !stop.stop_requested() && lines.Next(line))
        writer.Write(ConvertLine(line, listName));
    if (list.bad()) {
        outcome.error = "cannot read " + listPath.string();
        outcome.failure = {listPath, std::make_error_code(std::errc::io_error),
                           FileFailure::Access::Reading};
        return outcome;
    }
    if (stop.stop_requested()) {
        outcome.error = "stopped before " + output->string() + " was finished";
        outcome.failure = {*output, std::make_error_code(std::errc::operation_canceled),
                           FileFailure::Access::Writing};
        return outcome;
    }
    if (Result<> committed = writer.Commit(); !committed) {
        outcome.failure = committed.error().file;
        outcome.error = committed.error().detail;
    }
    return outcome;
}

std::optional<fs::path> SemicolonTextPathFor(const fs::path& listPath)
{
    if (!EqualsIgnoringAsciiCase(listPath.extension().string(), ".dat"))
        return std::nullopt;
    fs::path output = listPath;
    output.replace_extension(".csv");
    return output;
}

} // namespace zvk
