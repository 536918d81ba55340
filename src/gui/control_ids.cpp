#include "gui/control_ids.h"

#include <QVariant>
#include <QWidget>

namespace zvk {

void SetControlId(QWidget* control, int id)
{
    control->setProperty(kControlIdProperty, id);
}

QWidget* FindControl(const QWidget* dialog, int id)
{
    // Ids repeat across dialogs, so a dialog opened over this one (a child window)
    // is not searched.
    const auto children = dialog->findChildren<QWidget*>(Qt::FindDirectChildrenOnly);
    for (QWidget* child : children) {
        if (child->isWindow())
            continue;
        const QVariant value = child->property(kControlIdProperty);
        if (value.isValid() && value.toInt() == id)
            return child;
        if (QWidget* inner = FindControl(child, id))
            return inner;
    }
    return nullptr;
}

} // namespace zvk
