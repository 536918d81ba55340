#include "gui/transfer_outcome_text.h"

#include <string>
#include <string_view>

#include "gui/program_texts.h"
#include "platform/path_text.h"
#include "platform/texts.h"

namespace zvk {
namespace {

QString FromUtf8(std::string_view text)
{
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

OutcomeMessage Error(std::string_view text, QMessageBox::Icon icon = QMessageBox::Information)
{
    return {FromUtf8(text), kErrorCaption, icon};
}

OutcomeMessage Notice(std::string_view text)
{
    return {FromUtf8(text), kNoticeCaption, QMessageBox::Information};
}

} // namespace

OutcomeMessage TransferOutcomeMessage(TransferOutcome outcome)
{
    switch (outcome) {
    case TransferOutcome::HandheldBusy:
        return Error(texts::kHandheldBusy);
    case TransferOutcome::HandheldNotConnected:
        return {FromUtf8(texts::kHandheldNotConnected), kWarningCaption, QMessageBox::Critical};
    case TransferOutcome::HandheldProgramNotStarted:
        return Error(texts::kHandheldProgramNotStarted, QMessageBox::Critical);
    case TransferOutcome::ConfigurationIsDataList:
        return Error(texts::kConfigurationIsDataList);
    case TransferOutcome::SendFailed:
        return Error(texts::kSendFailed);
    case TransferOutcome::ConfigurationSent:
    case TransferOutcome::ListSent:
        return Notice(texts::kSendSucceeded);
    case TransferOutcome::SearchFailed:
        return Error(texts::kSearchFailed);
    case TransferOutcome::NothingToReceive:
        return Error(texts::kNoLists);
    case TransferOutcome::Received:
        return Notice(texts::kReceiveSucceeded);
    }
    return {};
}

OutcomeMessage ReceiveFolderInHandheldMessage(const std::filesystem::path& receiveFolder,
                                              const std::filesystem::path& handheldFolder)
{
    return Error(std::string(texts::kReceiveFolderInHandheld) + "\n" +
                     std::string(texts::kReceiveFolderLabel) + PathText(receiveFolder) + "\n" +
                     std::string(texts::kHandheldFolderLabel) + PathText(handheldFolder),
                 QMessageBox::Critical);
}

QString StageStatus(TransferStage stage)
{
    switch (stage) {
    case TransferStage::SendingConfiguration:
        return FromUtf8(texts::kStatusSendingConfiguration);
    case TransferStage::PreparingExport:
        return FromUtf8(texts::kStatusPreparingExport);
    case TransferStage::Receiving:
        return FromUtf8(texts::kStatusReceiving);
    }
    return {};
}

QString UnavailableHeading(Unavailable what)
{
    switch (what) {
    case Unavailable::Handheld:
        return FromUtf8(texts::kHandheldUnavailable);
    case Unavailable::ReceiveFolder:
        return FromUtf8(texts::kReceiveFolderUnusable);
    case Unavailable::Configuration:
        return FromUtf8(texts::kConfigurationMissing);
    case Unavailable::ListToSend:
        return FromUtf8(texts::kListMissing);
    }
    return {};
}

} // namespace zvk
