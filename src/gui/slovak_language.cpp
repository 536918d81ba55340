#include "gui/slovak_language.h"

#include <QCoreApplication>
#include <QLibraryInfo>
#include <QLocale>
#include <QTranslator>

namespace zvk {
namespace {

// Qt's Slovak translation keeps the texts of the standard buttons ("Zrušiť",
// "Otvoriť", "Áno") under the name they had in earlier Qt versions; Qt now asks
// for them under another, and would show them in English.
class SlovakTranslator : public QTranslator
{
public:
    using QTranslator::QTranslator;

    QString translate(const char* context, const char* sourceText,
                      const char* disambiguation = nullptr, int n = -1) const override
    {
        QString text = QTranslator::translate(context, sourceText, disambiguation, n);
        if (text.isEmpty() && qstrcmp(context, "QPlatformTheme") == 0)
            text = QTranslator::translate("QDialogButtonBox", sourceText, disambiguation, n);
        return text;
    }
};

} // namespace

bool InstallSlovakLanguage(QCoreApplication& application)
{
    const QLocale slovak(QLocale::Slovak, QLocale::Slovakia);
    QLocale::setDefault(slovak);
    auto* translator = new SlovakTranslator(&application);
    // The program installed with its own Qt (Windows) has the translation beside it;
    // elsewhere it is the system's Qt's.
    for (const QString& folder :
         {QCoreApplication::applicationDirPath() + QStringLiteral("/translations"),
          QLibraryInfo::path(QLibraryInfo::TranslationsPath)}) {
        if (translator->load(slovak, QStringLiteral("qtbase"), QStringLiteral("_"), folder))
            return QCoreApplication::installTranslator(translator);
    }
    delete translator;
    return false;
}

} // namespace zvk
