#include "platform/output_refusal.h"

namespace zvk {
namespace {

class RefusalCategory final : public std::error_category
{
public:
    const char* name() const noexcept override
    {
        return "output refusal";
    }

    std::string message(int value) const override
    {
        switch (static_cast<OutputRefusal>(value)) {
        case OutputRefusal::ReadOnly:
            return "is read-only";
        case OutputRefusal::DataListName:
            return "has the name of a data list (.dat)";
        case OutputRefusal::SameAsInput:
            return "is a file the document is made from";
        }
        return "is refused";
    }
};

} // namespace

const std::error_category& OutputRefusalCategory()
{
    static const RefusalCategory category;
    return category;
}

std::error_code make_error_code(OutputRefusal refusal)
{
    return {static_cast<int>(refusal), OutputRefusalCategory()};
}

} // namespace zvk
