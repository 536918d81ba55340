#include "support/slovak_collation.h"

#include <QCollator>
#include <QLocale>

namespace zvk::test {

bool SystemSortsSlovak()
{
    const QCollator collator(QLocale(QLocale::Slovak, QLocale::Slovakia));
    return collator.compare(QStringLiteral("čerešňa"), QStringLiteral("Cesta")) > 0 &&
           collator.compare(QStringLiteral("chata"), QStringLiteral("hora")) > 0;
}

} // namespace zvk::test
