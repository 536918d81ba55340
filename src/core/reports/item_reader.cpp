#include "reports/item_reader.h"

#include "lists/data_list.h"

namespace zvk {
namespace {

// Reports leave out the items of the fourth kind; the other kinds are their
// summary kinds, which take the values of the item kinds so that a line costs no
// more than one comparison more.
static_assert(static_cast<int>(SummaryKind::LongWood) == static_cast<int>(ItemKind::LongWood) &&
              static_cast<int>(SummaryKind::StackedWood) ==
                  static_cast<int>(ItemKind::StackedWood) &&
              static_cast<int>(SummaryKind::SawnTimber) == static_cast<int>(ItemKind::SawnTimber));

std::optional<SummaryKind> SummaryKindOf(std::string_view code)
{
    const std::optional<ItemKind> kind = ItemKindOf(code);
    if (!kind || *kind == ItemKind::FourthKind)
        return std::nullopt;
    return static_cast<SummaryKind>(*kind);
}

} // namespace

std::optional<SummaryKind> ItemReader::Read(std::string_view line)
{
    const std::string_view code = RecordCode(line);
    const std::optional<SummaryKind> kind = SummaryKindOf(code);
    if (!kind) {
        m_versions.ReadHeader(line);
        return kind;
    }
    m_item = m_versions.Item(line);
    return kind;
}

std::string_view ItemReader::Item() const
{
    return m_item;
}

std::int32_t CountField(std::string_view item, const RecordField& field)
{
    return static_cast<std::int32_t>(ReadInteger(FieldWithinLine(item, field)));
}

} // namespace zvk
