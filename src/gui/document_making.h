#pragma once

#include <filesystem>
#include <functional>

#include "reports/report_session.h"

class QWidget;

// Makes a report or consignment note as the program does: asks "Typ zostavy"
// what it holds, has `make` write it into the working directory with the
// captions and company lines of `configurationFile`, and shows it in the
// program's viewer. A cancelled type dialog writes nothing; a failure is told in
// a "Chyba!" message that names the file and the reason, and leaves no document.
void MakeDocumentAsked(
    QWidget* owner, const std::filesystem::path& configurationFile,
    const std::function<zvk::Result<std::filesystem::path>(const zvk::DocumentSettings&)>& make);
