#pragma once

#include <filesystem>

#include <QMessageBox>
#include <QString>

#include "device/transfer_outcome.h"

namespace zvk {

// A transfer's outcome as the window's message box tells it.
struct OutcomeMessage
{
    QString text;
    QString caption;
    QMessageBox::Icon icon = QMessageBox::Information;
};

OutcomeMessage TransferOutcomeMessage(TransferOutcome outcome);
// The refusal of a receive folder in the handheld's own, naming both folders.
OutcomeMessage ReceiveFolderInHandheldMessage(const std::filesystem::path& receiveFolder,
                                              const std::filesystem::path& handheldFolder);
// The status line of a transfer's step.
QString StageStatus(TransferStage stage);
// What could not be had, heading the failure's file and reason.
QString UnavailableHeading(Unavailable what);

} // namespace zvk
