#pragma once

#include <filesystem>
#include <optional>

#include "reports/report_session.h"

class QWidget;

// Asks "Typ zostavy" what a report or consignment note holds: the settings that make
// it in `documentFolder` (the window's working folder) with the captions and company
// lines of `configurationFile`; none when the user cancelled, and then nothing is written.
std::optional<zvk::DocumentSettings>
AskDocumentSettings(QWidget* owner, const std::filesystem::path& configurationFile,
                    const std::filesystem::path& documentFolder);

// Shows a made document in the program's viewer, or tells why there is none in a
// "Chyba!" message that names the file and the reason; a stop the user asked for
// needs no message.
void ShowMadeDocument(QWidget* owner, const zvk::Result<std::filesystem::path>& made);
