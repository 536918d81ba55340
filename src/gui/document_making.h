#pragma once

#include <filesystem>
#include <functional>
#include <optional>

#include "reports/report_session.h"

class QWidget;

// Asks "Typ zostavy" what a report or consignment note holds: the settings that make
// it in the working directory with the captions and company lines of
// `configurationFile`; none when the user cancelled, and then nothing is written.
std::optional<zvk::DocumentSettings>
AskDocumentSettings(QWidget* owner, const std::filesystem::path& configurationFile);

// Shows a made document in the program's viewer, or tells why there is none in a
// "Chyba!" message that names the file and the reason.
void ShowMadeDocument(QWidget* owner, const zvk::Result<std::filesystem::path>& made);

// Makes a report or consignment note as the program does: asks what it holds, has
// `make` write it and shows it.
void MakeDocumentAsked(
    QWidget* owner, const std::filesystem::path& configurationFile,
    const std::function<zvk::Result<std::filesystem::path>(const zvk::DocumentSettings&)>& make);
