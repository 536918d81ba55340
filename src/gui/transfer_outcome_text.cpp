#include "gui/transfer_outcome_text.h"

#include <string_view>

#include "words/transfer_words.h"

namespace zvk {
namespace {

QString FromUtf8(std::string_view text)
{
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

OutcomeMessage Shown(const words::Message& message)
{
    return {FromUtf8(message.text), FromUtf8(message.caption),
            message.errorIcon ? QMessageBox::Critical : QMessageBox::Information};
}

} // namespace

OutcomeMessage TransferOutcomeMessage(TransferOutcome outcome)
{
    return Shown(words::OutcomeMessage(outcome));
}

OutcomeMessage ReceiveFolderInHandheldMessage(const std::filesystem::path& receiveFolder,
                                              const std::filesystem::path& handheldFolder)
{
    return Shown(words::ReceiveFolderInHandheldMessage(receiveFolder, handheldFolder));
}

QString StageStatus(TransferStage stage)
{
    return FromUtf8(words::StageStatus(stage));
}

QString UnavailableHeading(Unavailable what)
{
    return FromUtf8(words::UnavailableHeading(what));
}

} // namespace zvk
