#pragma once

class QCoreApplication;

namespace zvk {

// The program speaks Slovak whatever the desktop's language: Qt's own dialogs
// and buttons through Qt's Slovak translations, and dates, month and day names
// through the Slovak locale. False when the translations are not installed (the
// standard dialogs then speak English; everything else works).
bool InstallSlovakLanguage(QCoreApplication& application);

} // namespace zvk
