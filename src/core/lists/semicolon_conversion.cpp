#include "lists/semicolon_conversion.h"

#include <array>
#include <fstream>
#include <initializer_list>

#include "files/atomic_file.h"
#include "files/input_file.h"
#include "files/output_refusal.h"
#include "lists/data_list.h"
#include "lists/line_reader.h"
#include "lists/record_layout.h"
#include "text/ascii.h"
#include "text/path_text.h"

namespace fs = std::filesystem;

namespace zvk {
namespace {

// The item number, species, the two assortment parts and the quality: the same
// fields in every kind of item, and the first five columns of every item line.
constexpr std::array<RecordField, 5> kCommonFields = {
    kItem.itemNumber, kItem.species, kItem.assortment, kItem.assortmentPart2, kItem.quality};

// A column this kind of item leaves empty.
constexpr RecordField kEmpty{};

// The remaining eight columns of an item line, in the order of the text.
struct ItemColumns
{
    std::string_view code;
    std::array<RecordField, 8> fields;
};

// "2N" items are not converted.
// clang-format off
constexpr std::array<ItemColumns, 4> kItemColumns = {{
    {kLongWoodCode, {kLongWood.diameterClass, kLongWood.length, kLongWood.diameter,
                     kLongWood.merCode, kLongWood.volume, kLongWood.partCode, kLongWood.pieces,
                     kLongWood.note}},
    {kStackedWoodCode, {kStackedWood.coefficient, kStackedWood.stackedVolume, kEmpty,
                        kStackedWood.merCode, kStackedWood.volume, kStackedWood.partCode, kEmpty,
                        kStackedWood.note}},
    {kFourthKindCode, {kFourthKind.code, kFourthKind.decimal, kEmpty, kEmpty, kFourthKind.volume,
                       kFourthKind.partCode, kEmpty, kFourthKind.note}},
    {kSawnTimberCode, {kSawnTimber.zkKf, kSawnTimber.length, kSawnTimber.thickness,
                       kSawnTimber.prKf, kSawnTimber.volume, kSawnTimber.partCode,
                       kSawnTimber.pieces, kSawnTimber.note}},
}};
// clang-format on

const ItemColumns* ItemColumnsOf(std::string_view code)
{
    for (const ItemColumns& columns : kItemColumns)
        if (columns.code == code)
            return &columns;
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

// A field as it stands, except that the decimal point of a decimal field becomes
// the comma that spreadsheets of the desktop read.
void AppendColumn(std::string& out, std::string_view line, RecordField field)
{
    const std::size_t column = out.size();
    out += Field(line, field);
    if (field.decimals > 0)
        out[column + field.width - field.decimals - 1] = ',';
}

std::string ItemLine(const ItemColumns& columns, std::string_view line)
{
    std::string out;
    for (const RecordField& field : kCommonFields) {
        AppendColumn(out, line, field);
        out += ';';
    }
    for (std::size_t i = 0; i < columns.fields.size(); ++i) {
        if (i > 0)
            out += ';';
        AppendColumn(out, line, columns.fields[i]);
    }
    out += "\r\n";
    return out;
}

} // namespace

std::string SemicolonConversion::ConvertLine(std::string_view line, std::string_view listName)
{
    const std::string_view code = RecordCode(line);
    std::string out;
    if (m_versions.ReadHeader(line)) {
        if (VersionAbove(m_versions.VersionInForce(), kWideNameVersion))
            AppendJoined(out, {listName, Field(line, kWideListHeader.listNumber),
                               Field(line, kWideListHeader.program)});
        else
            AppendJoined(out, {listName, Field(line, kListHeader.listNumber),
                               Field(line, kListHeader.program)});
    } else if (code == kDateRecordCode) {
        AppendJoined(out, {" ", Field(line, kDateRecord.date)});
        AppendJoined(out, {" ", Field(line, kDateRecord.value)});
    } else if (IsHeaderValueRecord(code)) {
        AppendJoined(out, {" ", Field(line, kValuePair.first)});
        AppendJoined(out, {" ", Field(line, kValuePair.second)});
    } else if (const ItemColumns* columns = ItemColumnsOf(code)) {
        out = ItemLine(*columns, m_versions.Item(line));
    }
    return out;
}

const std::string& SemicolonConversion::VersionInForce() const
{
    return m_versions.VersionInForce();
}

Result<fs::path> SemicolonConversion::ConvertListToSemicolonText(const fs::path& listPath,
                                                                 std::string_view listName,
                                                                 std::stop_token stop)
{
    const std::optional<fs::path> output = SemicolonTextPathFor(listPath);
    if (!output)
        return Fail(PathText(listPath) + " is not a data list (its name does not end in .dat)");
    if (m_written.Holds(*output)) {
        const std::error_code reason = OutputRefusal::WrittenInThisRun;
        return Fail(PathText(*output) + " " + reason.message(),
                    {*output, reason, FileFailure::Access::Writing});
    }
    Result<std::ifstream> opened = OpenInputFile(listPath);
    if (!opened)
        return Unexpected(std::move(opened).error());
    std::ifstream& list = *opened;
    AtomicFileWriter writer(*output);
    LineReader lines(list);
    std::string_view line;
    while (writer.IsOpen() && !stop.stop_requested() && lines.Next(line))
        writer.Write(ConvertLine(line, listName));
    if (list.bad())
        return Fail("cannot read " + PathText(listPath),
                    {listPath, std::make_error_code(std::errc::io_error)});
    if (stop.stop_requested())
        return Fail("stopped before " + PathText(*output) + " was finished",
                    {*output, std::make_error_code(std::errc::operation_canceled),
                     FileFailure::Access::Writing});
    if (Result<> committed = writer.Commit(); !committed)
        return Unexpected(std::move(committed).error());
    m_written.Add(*output);
    return *output;
}

std::optional<fs::path> SemicolonTextPathFor(const fs::path& listPath)
{
    if (!EqualsIgnoringAsciiCase(PathText(listPath.extension()), ".dat"))
        return std::nullopt;
    fs::path output = listPath;
    output.replace_extension(".csv");
    return output;
}

} // namespace zvk
