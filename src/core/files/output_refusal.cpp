#include "files/output_refusal.h"

#include "system/worded_error_category.h"

namespace zvk {
namespace {

std::string RefusalWords(int value)
{
    switch (static_cast<OutputRefusal>(value)) {
    case OutputRefusal::ReadOnly:
        return "is read-only";
    case OutputRefusal::DataListName:
        return "has the name of a data list (.dat)";
    case OutputRefusal::SameAsInput:
        return "is a file the document is made from";
    case OutputRefusal::WrittenInThisRun:
        return "was written a moment ago from another list of the same name";
    }
    return "is refused";
}

} // namespace

const std::error_category& OutputRefusalCategory()
{
    static const WordedErrorCategory category("output refusal", &RefusalWords);
    return category;
}

std::error_code make_error_code(OutputRefusal refusal)
{
    return {static_cast<int>(refusal), OutputRefusalCategory()};
}

} // namespace zvk
