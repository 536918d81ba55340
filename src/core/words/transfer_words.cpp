#include "words/transfer_words.h"

#include <array>
#include <cassert>
#include <cstddef>
#include <utility>

#include "text/path_text.h"

namespace zvk::words {
namespace {

template <typename Enum> constexpr std::size_t kCountOf = static_cast<std::size_t>(Enum::Count);

// A table holds one row for each enumerator, in the enumerators' order, so that an enumerator
// is its row's index.
template <typename Table> constexpr bool RowsFollowTheirEnumerators(const Table& table)
{
    for (std::size_t i = 0; i < table.size(); ++i) {
        if (static_cast<std::size_t>(table[i].key) != i)
            return false;
    }
    return true;
}

template <typename Table, typename Enum> const auto& RowOf(const Table& table, Enum key)
{
    const auto row = static_cast<std::size_t>(key);
    assert(row < table.size());
    return table[row];
}

struct OutcomeRow
{
    TransferOutcome key;
    std::string_view caption;
    std::string_view text;
    bool errorIcon;
};

constexpr std::string_view kSendSucceeded = "Prenos bol úspešne ukončený.";

constexpr std::array<OutcomeRow, kCountOf<TransferOutcome>> kOutcomes{{
    {TransferOutcome::HandheldBusy, kCaptionError,
     "*** Prenosný počítač práve používa iný prenos ***", false},
    {TransferOutcome::HandheldNotConnected, kCaptionWarning,
     "Pripojte počítač pomocou Microsoft ActiveSync a znova spustite prenosový program!", true},
    {TransferOutcome::HandheldProgramNotStarted, kCaptionError,
     "*** Program prenosného počítača sa nepodarilo spustiť ***", true},
    {TransferOutcome::ConfigurationIsDataList, kCaptionError,
     "*** Zvolený súbor je zoznam, nie konfiguračný súbor! ***", false},
    {TransferOutcome::SendFailed, kCaptionError,
     "*** Súbor sa nepodarilo zapísať do prenosného počítača! ***", false},
    {TransferOutcome::ConfigurationSent, kCaptionNotice, kSendSucceeded, false},
    {TransferOutcome::ListSent, kCaptionNotice, kSendSucceeded, false},
    {TransferOutcome::SearchFailed, kCaptionError, "*** CeFindAllFiles failed. ***", false},
    {TransferOutcome::NothingToReceive, kCaptionError, "*** Neexistujú žiadne zoznamy ***", false},
    {TransferOutcome::Received, kCaptionNotice, "Príjem bol úspešne ukončený.", false},
}};
static_assert(RowsFollowTheirEnumerators(kOutcomes));

// A stage's status line, or the heading of what a transfer could not have.
template <typename Enum> struct TextRow
{
    Enum key;
    std::string_view text;
};

template <typename Enum> using TextTable = std::array<TextRow<Enum>, kCountOf<Enum>>;

constexpr TextTable<TransferStage> kStages{{
    {TransferStage::SendingConfiguration, "Stav: Prenos konfigurácie..."},
    {TransferStage::PreparingExport, "Stav: Vytváranie súborov..."},
    {TransferStage::Receiving, "Stav: Príjem dát..."},
}};
static_assert(RowsFollowTheirEnumerators(kStages));

constexpr TextTable<Unavailable> kUnavailable{{
    {Unavailable::Handheld, "*** Prenosný počítač nie je k dispozícii ***"},
    {Unavailable::ReceiveFolder, "*** Priečinok príjmu sa nedá vytvoriť ***"},
    {Unavailable::Configuration, "*** Konfiguračný súbor chýba! ***"},
    {Unavailable::ListToSend, "*** Zoznam sa nedá otvoriť! ***"},
}};
static_assert(RowsFollowTheirEnumerators(kUnavailable));

} // namespace

Message OutcomeMessage(TransferOutcome outcome)
{
    const OutcomeRow& row = RowOf(kOutcomes, outcome);
    return {row.caption, std::string(row.text), row.errorIcon};
}

Message ReceiveFolderInHandheldMessage(const std::filesystem::path& receiveFolder,
                                       const std::filesystem::path& handheldFolder)
{
    std::string text = "*** Zoznamy sa nedajú prijať do priečinka prenosného počítača ***";
    text += "\nPriečinok príjmu: " + PathText(receiveFolder);
    text += "\nPriečinok prenosného počítača: " + PathText(handheldFolder);
    return {kCaptionError, std::move(text), true};
}

std::string_view StageStatus(TransferStage stage)
{
    return RowOf(kStages, stage).text;
}

std::string_view UnavailableHeading(Unavailable what)
{
    return RowOf(kUnavailable, what).text;
}

} // namespace zvk::words
