#include <functional>
#include <optional>
#include <string>
#include <thread>

#include <QApplication>
#include <QInputDialog>
#include <QLabel>
#include <QLineEdit>
#include <QTest>
#include <QTimer>
#include <QWidget>

#include "gui/handheld_password_prompt.h"

namespace {

zvk::wire::DeviceInfo Handheld()
{
    zvk::wire::DeviceInfo info;
    info.name = u"ZVK-Hron 7";
    info.passwordKey = 0x1234;
    return info;
}

// What the link asks of the prompt, on a thread of its own as the link's connection does.
std::optional<std::u16string> AskFromTheLink(HandheldPasswordPrompt& prompt, bool refused)
{
    std::optional<std::u16string> answer;
    std::thread link([&] { answer = prompt.Password(Handheld(), refused); });
    link.join();
    return answer;
}

} // namespace

// The password of a handheld that wants it typed on the desktop: the link is never kept
// waiting for the clerk, the window asks in a dialog of its own, and the next connection
// tries what was typed.
class HandheldPasswordPromptTest : public QObject
{
    Q_OBJECT

private slots:
    void theClerkIsAskedWhileTheLinkGoesOnAndTheNextConnectionTriesIt()
    {
        QWidget window;
        HandheldPasswordPrompt prompt(&window);
        // Asked twice before the dialog shows: one dialog.
        QCOMPARE(AskFromTheLink(prompt, false), std::nullopt);
        QCOMPARE(AskFromTheLink(prompt, false), std::nullopt);
        QCOMPARE(Answer(u"šľahačka", true),
                 QStringLiteral("Heslo zariadenia|Zariadenie ZVK-Hron 7 je chránené heslom.\n"
                                "Zadajte jeho heslo a prenos spustite znova:"));
        QCOMPARE(AskFromTheLink(prompt, false), std::u16string(u"šľahačka"));
        QCOMPARE(AskFromTheLink(prompt, false), std::u16string(u"šľahačka"));
        // Refused: forgotten, and asked again in other words; "Zrušiť" types nothing.
        QCOMPARE(AskFromTheLink(prompt, true), std::nullopt);
        QCOMPARE(Answer(u"zle", false),
                 QStringLiteral("Heslo zariadenia|Zariadenie ZVK-Hron 7 heslo neprijalo.\n"
                                "Zadajte jeho heslo a prenos spustite znova:"));
        QCOMPARE(AskFromTheLink(prompt, false), std::nullopt);
        QCOMPARE(Answer(u"heslo", true).section(u'|', 0, 0), QStringLiteral("Heslo zariadenia"));
        QCOMPARE(AskFromTheLink(prompt, false), std::u16string(u"heslo"));
    }

private:
    // Types `typed` into the dialog that the window's thread shows next, hidden as a
    // password, then presses OK or "Zrušiť"; gives back the dialog's title and text.
    static QString Answer(const std::u16string& typed, bool confirm)
    {
        QString shown;
        bool answered = false;
        QTimer poll;
        poll.setInterval(5);
        QObject::connect(&poll, &QTimer::timeout, [&] {
            auto* dialog = qobject_cast<QInputDialog*>(QApplication::activeModalWidget());
            if (dialog == nullptr || answered)
                return;
            answered = true;
            auto* edit = dialog->findChild<QLineEdit*>();
            QCOMPARE(edit->echoMode(), QLineEdit::Password);
            // Typed as an input method types letters that no key of the test has.
            edit->insert(QString::fromStdU16String(typed));
            shown = dialog->windowTitle() + u'|' + dialog->labelText();
            if (confirm)
                dialog->accept();
            else
                dialog->reject();
        });
        poll.start();
        while (!answered || QApplication::activeModalWidget() != nullptr)
            QCoreApplication::processEvents(QEventLoop::AllEvents, 10);
        QCoreApplication::processEvents();
        return shown;
    }
};

QTEST_MAIN(HandheldPasswordPromptTest)
#include "handheld_password_prompt_test.moc"
