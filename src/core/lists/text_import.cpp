#include "lists/text_import.h"

#include <charconv>
#include <cstdint>
#include <fstream>
#include <limits>

#include "files/atomic_file.h"
#include "files/input_file.h"
#include "lists/data_list.h"
#include "lists/line_reader.h"
#include "lists/record_layout.h"
#include "lists/record_line_builder.h"
#include "system/local_time.h"
#include "text/ascii.h"
#include "text/path_text.h"
#include "text/windows1250.h"

namespace fs = std::filesystem;

namespace zvk {
namespace {

constexpr std::string_view kMarker = "FmoR";
// What the import writes where the handheld would identify itself and the list.
constexpr std::string_view kProgram = "ZVK_CE         V 3.02";
constexpr int kListNumber = 0;
constexpr std::string_view kAssortment = "Vy";
constexpr std::string_view kMerCode = "KO";
constexpr int kPartCode = 0;
constexpr int kPieces = 1;
constexpr std::string_view kClosingFlag = "1";

// One log as the measurement text gives it; values stay until the next log overwrites them.
struct Log
{
    std::uint32_t itemNumber = 0;
    std::string species;
    std::string quality;
    std::string diameterClass;
    float length = 0;
    std::int32_t diameter = 0;
    float volume = 0;
};

enum class Expect
{
    Marker,
    ItemNumber,
    Species,
    Quality,
    DiameterClass,
    Length,
    Diameter,
    Volume,
};

// Reads an unsigned integer as "%lu" does on the handheld's desktop: a minus sign
// wraps around, a value too large for 32 bits is the largest one.
std::uint32_t UnsignedValue(std::string_view prefix)
{
    const std::int64_t value = ReadInteger(prefix);
    if (value > static_cast<std::int64_t>(std::numeric_limits<std::uint32_t>::max()))
        return std::numeric_limits<std::uint32_t>::max();
    return static_cast<std::uint32_t>(value);
}

std::int32_t SignedValue(std::string_view prefix)
{
    const std::int64_t value = ReadInteger(prefix);
    if (value > std::numeric_limits<std::int32_t>::max())
        return std::numeric_limits<std::int32_t>::max();
    if (value < std::numeric_limits<std::int32_t>::min())
        return std::numeric_limits<std::int32_t>::min();
    return static_cast<std::int32_t>(value);
}

template <typename T> std::string Digits(T value)
{
    char digits[24];
    const auto result = std::to_chars(digits, digits + sizeof digits, value);
    return std::string(digits, result.ptr);
}

// A decimal with the field's decimals, as "%.2f" writes it for two: rounded as
// printf rounds, with a point whatever the locale.
std::string Decimal(float value, const RecordField& field)
{
    char digits[64];
    const auto result = std::to_chars(digits, digits + sizeof digits, static_cast<double>(value),
                                      std::chars_format::fixed, static_cast<int>(field.decimals));
    return std::string(digits, result.ptr);
}

std::string HeaderLine(std::string_view listFileName)
{
    return RecordLineBuilder(kListHeaderCode)
        .Text(kListHeader.fileName, listFileName.substr(0, kListHeader.fileName.width))
        .Number(kListHeader.listNumber, Digits(kListNumber))
        .Text(kListHeader.program, kProgram)
        .Line();
}

// The second part of the assortment, the note and the unread columns before the
// piece count stay blank.
std::string ItemLine(const Log& log)
{
    return RecordLineBuilder(kLongWoodCode)
        .Number(kItem.itemNumber, Digits(log.itemNumber))
        .Text(kItem.species, log.species)
        .Text(kItem.assortment, kAssortment)
        .Text(kItem.quality, log.quality)
        .Text(kLongWood.diameterClass, log.diameterClass)
        .Number(kLongWood.length, Decimal(log.length, kLongWood.length))
        .Number(kLongWood.diameter, Digits(log.diameter))
        .Text(kLongWood.merCode, kMerCode)
        .Number(kLongWood.volume, Decimal(log.volume, kLongWood.volume))
        .Number(kLongWood.partCode, Digits(kPartCode))
        .Number(kLongWood.pieces, Digits(kPieces))
        .Text(kLongWood.closingFlag, kClosingFlag)
        .Line();
}

// Moves the reader on by one value line; returns the item line once a log is complete.
class MeasurementReader
{
public:
    std::string Take(std::string_view line)
    {
        switch (m_expect) {
        case Expect::Marker:
            if (line.substr(0, kMarker.size()) == kMarker)
                m_expect = Expect::ItemNumber;
            break;
        case Expect::ItemNumber:
            if (const auto number = IntegerPrefix(line); !number.empty()) {
                m_log.itemNumber = UnsignedValue(number);
                m_expect = Expect::Species;
            } else {
                m_expect = Expect::Marker;
            }
            break;
        case Expect::Species:
            TakeText(line, 2, m_log.species, Expect::Quality);
            break;
        case Expect::Quality:
            TakeText(line, 0, m_log.quality, Expect::DiameterClass);
            break;
        case Expect::DiameterClass:
            TakeText(line, 1, m_log.diameterClass, Expect::Length);
            break;
        case Expect::Length:
            TakeDecimal(line, m_log.length, Expect::Diameter);
            break;
        case Expect::Diameter:
            if (const auto number = IntegerPrefix(line); !number.empty()) {
                m_log.diameter = SignedValue(number);
                m_expect = Expect::Volume;
            }
            break;
        case Expect::Volume:
            if (TakeDecimal(line, m_log.volume, Expect::ItemNumber))
                return ItemLine(m_log);
            break;
        }
        return {};
    }

    // Blank lines carry no value, except where an empty quality code is allowed.
    bool SkipsBlankLines() const
    {
        return m_expect != Expect::Quality;
    }

private:
    void TakeText(std::string_view line, std::size_t minimumLength, std::string& value, Expect next)
    {
        if (line.size() >= minimumLength) {
            value = line;
            m_expect = next;
        }
    }

    bool TakeDecimal(std::string_view line, float& value, Expect next)
    {
        const std::string_view number = DecimalPrefix(line);
        if (number.empty())
            return false;
        value = ReadDecimalAsFloat(number);
        m_expect = next;
        return true;
    }

    Expect m_expect = Expect::Marker;
    Log m_log;
};

// The value of a measurement line: white space at both ends removed, and a
// decimal comma read as a point.
std::string ValueOf(std::string_view line)
{
    std::string value(TrimWhiteSpace(line));
    for (char& c : value)
        if (c == ',')
            c = '.';
    return value;
}

} // namespace

std::string DataListFromMeasurementText(std::istream& text, std::string_view listFileName)
{
    std::string list = HeaderLine(listFileName) + std::string(kImportMarkerRecord) + "\r\n";
    MeasurementReader reader;
    LineReader lines(text);
    std::string_view line;
    while (lines.Next(line)) {
        const std::string value = ValueOf(line);
        if (value.empty() && reader.SkipsBlankLines())
            continue;
        list += reader.Take(value);
    }
    return list;
}

fs::path DataListPathFor(const fs::path& textPath)
{
    fs::path list = textPath;
    list.replace_extension(".dat");
    return list;
}

Result<ImportedList> ImportMeasurementText(const fs::path& textPath)
{
    // In any letter case: on Windows "x.DAT" and "x.dat" are one file.
    if (HasDataListName(textPath))
        return Fail(PathText(textPath) + " is already a data list");
    const fs::path output = DataListPathFor(textPath);
    Result<std::ifstream> text = OpenInputFile(textPath);
    if (!text)
        return Unexpected(std::move(text).error());
    const std::string list = DataListFromMeasurementText(*text, FileNameInWindows1250(output));
    if (text->bad())
        return Fail("cannot read " + PathText(textPath),
                    {textPath, std::make_error_code(std::errc::io_error)});
    Result<std::optional<KeptVersion>> kept = KeepEarlierVersion(output, list, CurrentLocalTime());
    if (!kept)
        return Unexpected(std::move(kept).error());
    if (Result<> written = WriteFileAtomically(output, list); !written)
        return Unexpected(std::move(written).error());
    return ImportedList{output, std::move(kept).value()};
}

} // namespace zvk
