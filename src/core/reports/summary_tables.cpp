#include "reports/summary_tables.h"

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "reports/document_words.h"
#include "reports/text_format.h"

namespace zvk {
namespace {

struct GroupSums
{
    std::int64_t count = 0;
    double volume = 0.0;
    double stackedVolume = 0.0;

    void Add(const CSort& record)
    {
        count = AddCounts(count, record.count);
        volume += record.volume;
        stackedVolume += record.stackedVolume;
    }
};

// Counts are printed unsigned, as the summary always printed them: a negative one (pieces
// entered below zero) as the 32-bit number it always showed.
std::uint64_t Pieces(std::int64_t count)
{
    return count < 0 ? std::uint64_t{static_cast<std::uint32_t>(count)}
                     : static_cast<std::uint64_t>(count);
}

// A subtotal level groups the records that share their first `keyFields` of
// species, assortment and quality.
struct SubtotalLevel
{
    int keyFields = 0;
    std::string (*line)(const CSort& group, const GroupSums& sums);
};

struct TableLayout
{
    std::string_view heading;
    std::string (*detail)(const CSort& record);
    std::vector<SubtotalLevel> levels; // the finest first
    std::string (*grandTotal)(const GroupSums& sums);
    bool emptyLineAfterSpecies = false; // between species, not after the last
    bool emptyLineAfterTable = false;
};

bool SameGroup(const CSort& a, const CSort& b, int keyFields)
{
    return a.species == b.species && (keyFields < 2 || a.assortment == b.assortment) &&
           (keyFields < 3 || a.quality == b.quality);
}

const TableLayout& LongWoodTable()
{
    static const TableLayout layout{
        document_words::kLongWoodSummaryHeading,
        [](const CSort& r) {
            return FormatText(
                "   %5lu    %s    %s    %s    %s   %10.2f",
                {Pieces(r.count), r.species, r.assortment, r.quality, r.sizeClass, r.volume});
        },
        {{3,
          [](const CSort& g, const GroupSums& s) {
              return FormatText("   %5lu    %s    %s    %s  .....  %10.2f",
                                {Pieces(s.count), g.species, g.assortment, g.quality, s.volume});
          }},
         {2,
          [](const CSort& g, const GroupSums& s) {
              return FormatText("   %5lu    %s    %s  ............  %10.2f",
                                {Pieces(s.count), g.species, g.assortment, s.volume});
          }},
         {1,
          [](const CSort& g, const GroupSums& s) {
              return FormatText("   %5lu    %s  ..................  %10.2f",
                                {Pieces(s.count), g.species, s.volume});
          }}},
        [](const GroupSums& s) {
            return FormatText("   %5lu                            %10.2f",
                              {Pieces(s.count), s.volume});
        },
        false,
        true};
    return layout;
}

const TableLayout& StackedWoodTable()
{
    static const TableLayout layout{
        document_words::kStackedWoodSummaryHeading,
        [](const CSort& r) {
            return FormatText(
                "   %5lu    %s    %s    %s %8.2f%10.2f",
                {Pieces(r.count), r.species, r.assortment, r.quality, r.stackedVolume, r.volume});
        },
        {{2,
          [](const CSort& g, const GroupSums& s) {
              return FormatText(
                  "   %5lu    %s    %s  ..... %8.2f%10.2f",
                  {Pieces(s.count), g.species, g.assortment, s.stackedVolume, s.volume});
          }},
         {1,
          [](const CSort& g, const GroupSums& s) {
              return FormatText("   %5lu    %s  ............%8.2f%10.2f",
                                {Pieces(s.count), g.species, s.stackedVolume, s.volume});
          }}},
        [](const GroupSums& s) {
            return FormatText("   %5lu                    %8.2f%10.2f",
                              {Pieces(s.count), s.stackedVolume, s.volume});
        },
        false,
        false};
    return layout;
}

const TableLayout& SawnTimberTable()
{
    static const TableLayout layout{
        document_words::kSawnTimberSummaryHeading,
        [](const CSort& r) {
            return FormatText(
                "   %5lu    %s    %s    %3s   %s   %10.3f",
                {Pieces(r.count), r.species, r.assortment, r.quality, r.sizeClass, r.volume});
        },
        {{3,
          [](const CSort& g, const GroupSums& s) {
              return FormatText("   %5lu    %s    %s    %3s   ...   %10.3f",
                                {Pieces(s.count), g.species, g.assortment, g.quality, s.volume});
          }},
         {1,
          [](const CSort& g, const GroupSums& s) {
              return FormatText("   %5lu    %s    ...............   %10.3f",
                                {Pieces(s.count), g.species, s.volume});
          }}},
        [](const GroupSums& s) {
            return FormatText("   %5lu                            %10.3f",
                              {Pieces(s.count), s.volume});
        },
        true,
        false};
    return layout;
}

void WriteBoldLine(ReportDocument& document, const std::string& text)
{
    document.WriteControl(ControlWord::Bold);
    document.WriteText(text);
    document.WriteControl(ControlWord::BoldOff);
    document.NewLine();
}

// Writes the subtotals of levels 0 to `highest` for the group that `previous` ended,
// the finest first, and starts those levels again from zero.
void CloseLevels(ReportDocument& document, const TableLayout& layout, std::size_t highest,
                 const CSort& previous, std::vector<GroupSums>& sums, bool lastGroup)
{
    for (std::size_t level = 0; level <= highest; ++level) {
        WriteBoldLine(document, layout.levels[level].line(previous, sums[level]));
        if (layout.emptyLineAfterSpecies && !lastGroup && layout.levels[level].keyFields == 1)
            document.NewLine();
        sums[level] = {};
    }
}

void WriteTable(ReportDocument& document, const SummaryList& list, const TableLayout& layout)
{
    if (list.Empty())
        return;
    document.WriteControl(ControlWord::Bold);
    document.WriteControl(ControlWord::Underline);
    document.WriteText(layout.heading);
    document.NewLine();
    document.WriteControl(ControlWord::UnderlineOff);
    document.WriteControl(ControlWord::BoldOff);

    std::vector<GroupSums> sums(layout.levels.size());
    GroupSums total;
    const CSort* previous = nullptr;
    for (const CSort& record : list) {
        if (previous != nullptr) {
            // The coarsest level whose group changed closes with every finer one.
            for (std::size_t level = layout.levels.size(); level-- > 0;) {
                if (!SameGroup(*previous, record, layout.levels[level].keyFields)) {
                    CloseLevels(document, layout, level, *previous, sums, false);
                    break;
                }
            }
        }
        document.WriteText(layout.detail(record));
        document.NewLine();
        for (GroupSums& level : sums)
            level.Add(record);
        total.Add(record);
        previous = &record;
    }
    CloseLevels(document, layout, layout.levels.size() - 1, *previous, sums, true);
    WriteBoldLine(document, "------------------------------------------------");
    WriteBoldLine(document, layout.grandTotal(total));
    if (layout.emptyLineAfterTable)
        document.NewLine();
}

} // namespace

void WriteSummaries(ReportDocument& document, const SummaryLists& lists)
{
    WriteTable(document, lists.longWood, LongWoodTable());
    WriteTable(document, lists.stackedWood, StackedWoodTable());
    WriteTable(document, lists.sawnTimber, SawnTimberTable());
}

} // namespace zvk
