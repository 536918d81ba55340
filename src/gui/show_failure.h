#pragma once

#include <QString>

#include "system/result.h"

class QWidget;

namespace zvk {

// A file operation that failed, told in a modal "Chyba!" box: `heading` (what could not be
// done), then on a line of its own the file and the reason in the program's language. A
// failure that concerns no file is told in its English detail, the only words it has.
void ShowFailure(QWidget* owner, const QString& heading, const Failure& failure);

} // namespace zvk
