#include "gui/reception_failure_text.h"

#include <algorithm>

#include "gui/file_failure_text.h"
#include "gui/program_texts.h"

namespace zvk {
namespace {

// A message box stays on the screen: a group names at most this many lists.
constexpr std::size_t kNamedFailures = 20;

QString ReasonText(const ListFailure& failure)
{
    if (failure.step == ListFailure::Step::ReadingHandheld)
        return kReasonNotFromHandheld;
    return SystemReasonText(failure.failure.file.reason);
}

void AppendGroup(QString& message, const QString& heading,
                 const std::vector<const ListFailure*>& group)
{
    if (group.empty())
        return;
    if (!message.isEmpty())
        message += QLatin1Char('\n');
    message += heading;
    const std::size_t named = std::min(group.size(), kNamedFailures);
    for (std::size_t i = 0; i < named; ++i)
        message += QLatin1Char('\n') + QString::fromStdString(group[i]->list) +
                   QStringLiteral(": ") + ReasonText(*group[i]);
    if (group.size() > named)
        message += QLatin1Char('\n') + kMoreLists.arg(group.size() - named);
}

} // namespace

QString ReceptionFailureMessage(const std::vector<ListFailure>& failures)
{
    std::vector<const ListFailure*> notReceived;
    std::vector<const ListFailure*> notConverted;
    for (const ListFailure& failure : failures)
        (failure.step == ListFailure::Step::Converting ? notConverted : notReceived)
            .push_back(&failure);
    QString message;
    AppendGroup(message, kListsNotReceived, notReceived);
    AppendGroup(message, kListsNotConverted, notConverted);
    return message;
}

} // namespace zvk
