#pragma once

#include <QValidator>

namespace zvk {

// Refuses characters that Windows-1250 cannot hold, as they are typed or pasted,
// so that every text of the configuration and the lists comes back as it was entered.
class Windows1250Validator : public QValidator
{
    Q_OBJECT

public:
    using QValidator::QValidator;
    State validate(QString& input, int& position) const override;
};

} // namespace zvk
