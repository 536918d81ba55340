#include "gui/windows1250_validator.h"

#include "gui/windows1250_text.h"

namespace zvk {

QValidator::State Windows1250Validator::validate(QString& input, int& /*position*/) const
{
    return FitsWindows1250(input) ? Acceptable : Invalid;
}

} // namespace zvk
