// Renders the program's windows offscreen to PNG files for the README:
//   QT_QPA_PLATFORM=offscreen zvk_screenshots OUTPUT_FOLDER
// The windows show the sample configuration and the sample lists of the repository.
#include <filesystem>
#include <system_error>

#include <QApplication>
#include <QComboBox>
#include <QDate>
#include <QDateEdit>
#include <QDeadlineTimer>
#include <QDir>
#include <QEventLoop>

#include "gui/CDlgChooseFolder.h"
#include "gui/CKonfigDlg.h"
#include "gui/CPrehladyDlg.h"
#include "gui/CTarnwickDlg.h"
#include "gui/CTypDlg.h"
#include "gui/control_ids.h"
#include "gui/slovak_language.h"
#include "system/environment_path.h"
#include "system/user_cache_folder.h"

namespace {

bool Save(QWidget& window, const QDir& folder, const QString& name)
{
    window.show();
    QApplication::processEvents();
    return window.grab().save(folder.filePath(name));
}

// The lists are read for a value combo on a worker: "Prehľad" comes back once it is filled.
void WaitForTheLists(const CPrehladyDlg& reports)
{
    const QWidget* reportButton = zvk::FindControl(&reports, 1113);
    QDeadlineTimer deadline(30000);
    while (!reportButton->isEnabled() && !deadline.hasExpired())
        QApplication::processEvents(QEventLoop::AllEvents, 50);
}

// The report dialog as a clerk fills it: November's lists of one forest office.
void ChooseSampleCriteria(CPrehladyDlg& reports)
{
    qobject_cast<QDateEdit*>(zvk::FindControl(&reports, 1108))->setDate(QDate(2026, 11, 1));
    qobject_cast<QDateEdit*>(zvk::FindControl(&reports, 1110))->setDate(QDate(2026, 11, 30));
    qobject_cast<QComboBox*>(zvk::FindControl(&reports, 1114))->setCurrentIndex(1);
    WaitForTheLists(reports);
    qobject_cast<QComboBox*>(zvk::FindControl(&reports, 1116))->setCurrentIndex(0);
    qobject_cast<QComboBox*>(zvk::FindControl(&reports, 1117))->setCurrentIndex(2);
    WaitForTheLists(reports);
}

} // namespace

int main(int argc, char* argv[])
{
    QApplication app(argc, argv);
    zvk::InstallSlovakLanguage(app);
    if (argc != 2) {
        qCritical("usage: zvk_screenshots OUTPUT_FOLDER");
        return 2;
    }
    const QDir output(QString::fromLocal8Bit(argv[1]));
    const std::filesystem::path configuration(ZVK_SAMPLE_CONFIGURATION);
    // What zvkpc's main gives the window; nothing is transferred here, so no sample lists.
    std::error_code ec;
    const zvk::WindowContext context{std::filesystem::current_path(ec),
                                     zvk::EnvironmentPath("ZVK_HANDHELD"),
                                     {},
                                     zvk::UserCacheFolder()};
    CTarnwickDlg mainWindow(context, {QStringLiteral("zvkpc")});
    CKonfigDlg configurationEditor(configuration);
    CDlgChooseFolder chooser;
    CPrehladyDlg reports(configuration, std::filesystem::path(ZVK_SAMPLE_DIR), context);
    ChooseSampleCriteria(reports);
    CTypDlg reportType;
    const bool saved = Save(mainWindow, output, QStringLiteral("main-window.png")) &&
                       Save(configurationEditor, output, QStringLiteral("configuration.png")) &&
                       Save(chooser, output, QStringLiteral("folder-chooser.png")) &&
                       Save(reports, output, QStringLiteral("reports.png")) &&
                       Save(reportType, output, QStringLiteral("report-type.png"));
    mainWindow.done(QDialog::Rejected);
    return saved ? 0 : 1;
}
