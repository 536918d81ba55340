#include "gui/date_doubt_text.h"

#include <QLocale>
#include <QStringList>

namespace zvk {
namespace {

// Enough names to find the lists by; the rest are counted.
constexpr qsizetype kNamesShownOfMany = 3;

// Slovak counts take one form for 1, another for 2 to 4 and a third for 5 and more.
struct SlovakForms
{
    const char* one;
    const char* few;
    const char* many;
};

QString FormFor(qsizetype count, const SlovakForms& forms)
{
    const char* form = count == 1 ? forms.one : count <= 4 ? forms.few : forms.many;
    return QString::fromUtf8(form);
}

QString Number(qsizetype count)
{
    return QLocale(QLocale::Slovak, QLocale::Slovakia).toString(qlonglong{count});
}

QString Names(const QStringList& names)
{
    if (names.size() <= kNamesShownOfMany + 1)
        return names.join(QStringLiteral(", "));
    const qsizetype more = names.size() - kNamesShownOfMany;
    return names.first(kNamesShownOfMany).join(QStringLiteral(", ")) +
           QStringLiteral(" a %1 ").arg(Number(more)) +
           FormFor(more, {"ďalší", "ďalšie", "ďalších"});
}

// "Pozor: zoznam … je …: A.DAT" for one list, "Pozor: 2 zoznamy … sú …: A.DAT, B.DAT"
// for more; nothing for none.
QString Line(const QStringList& names, const SlovakForms& subject, const SlovakForms& verb,
             const char* rest)
{
    if (names.isEmpty())
        return {};
    const qsizetype count = names.size();
    const QString subjectText = FormFor(count, subject);
    return QStringLiteral("Pozor: ") +
           (count == 1 ? subjectText : Number(count) + QLatin1Char(' ') + subjectText) +
           QLatin1Char(' ') + FormFor(count, verb) + QString::fromUtf8(rest) +
           QStringLiteral(": ") + Names(names);
}

} // namespace

QString DateDoubtText(const std::vector<DoubtfulDate>& lists)
{
    QStringList undated;
    QStringList impossibleLeftOut;
    QStringList impossibleHeld;
    for (const DoubtfulDate& list : lists) {
        QStringList& names = list.doubt == DateDoubt::NoDateRecord ? undated
                             : list.inDocument                     ? impossibleHeld
                                                                   : impossibleLeftOut;
        names << QString::fromStdString(list.list);
    }
    constexpr SlovakForms kUndated = {"zoznam bez dátumu", "zoznamy bez dátumu",
                                      "zoznamov bez dátumu"};
    constexpr SlovakForms kImpossible = {"zoznam s neplatným dátumom",
                                         "zoznamy s neplatným dátumom",
                                         "zoznamov s neplatným dátumom"};
    constexpr SlovakForms kIs = {"je", "sú", "je"};
    constexpr SlovakForms kIsNot = {"nie je", "nie sú", "nie je"};
    QStringList lines = {
        Line(undated, kUndated, kIs, " v každom prehľade"),
        Line(impossibleLeftOut, kImpossible, kIsNot, " v tomto prehľade"),
        Line(impossibleHeld, kImpossible, kIs, " v tomto prehľade"),
    };
    lines.removeAll(QString());
    return lines.join(QLatin1Char('\n'));
}

} // namespace zvk
