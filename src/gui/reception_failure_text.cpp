#include "gui/reception_failure_text.h"

#include <algorithm>

#include "gui/file_failure_text.h"
#include "gui/paths.h"
#include "gui/program_texts.h"

namespace zvk {
namespace {

// A message box stays on the screen: a group names at most this many lists.
constexpr std::size_t kNamedFailures = 20;

QString ReasonText(const ListFailure& failure)
{
    switch (failure.step) {
    case ListFailure::Step::ReadingHandheld:
        return kReasonNotFromHandheld;
    case ListFailure::Step::DeletingOnHandheld:
        return kReasonNotDeletedOnHandheld;
    case ListFailure::Step::Journaling:
        return kReasonNotJournaled.arg(SystemReasonText(failure.failure.file.reason));
    case ListFailure::Step::WritingList:
    case ListFailure::Step::Converting:
        break;
    }
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
    std::vector<const ListFailure*> stillOnHandheld;
    for (const ListFailure& failure : failures) {
        switch (failure.step) {
        case ListFailure::Step::Converting:
            notConverted.push_back(&failure);
            break;
        case ListFailure::Step::DeletingOnHandheld:
        case ListFailure::Step::Journaling:
            stillOnHandheld.push_back(&failure);
            break;
        case ListFailure::Step::ReadingHandheld:
        case ListFailure::Step::WritingList:
            notReceived.push_back(&failure);
            break;
        }
    }
    QString message;
    AppendGroup(message, kListsNotReceived, notReceived);
    AppendGroup(message, kListsNotConverted, notConverted);
    AppendGroup(message, kListsStillOnHandheld, stillOnHandheld);
    return message;
}

QString KeptVersionsMessage(const std::vector<KeptVersion>& kept)
{
    QString message = kEarlierListsKept;
    for (const KeptVersion& version : kept)
        message += QLatin1Char('\n') + ToDisplayPath(version.list.filename()) +
                   QStringLiteral(": ") + ToDisplayPath(version.keptAs);
    return message;
}

} // namespace zvk
