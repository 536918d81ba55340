#pragma once

#include <string>

#include "system/result.h"

namespace zvk {

// A list that a reception did not finish, and why, for the closing message that each
// window words in its own language.
struct ListFailure
{
    enum class Step
    {
        ReadingHandheld,    // the handheld did not give the list whole: it stays there
        WritingList,        // its desktop copy could not be written: it stays on the handheld
        Converting,         // it was received, but its semicolon text could not be written
        DeletingOnHandheld, // it was received, but the handheld did not delete it: it
                            // comes again with the next reception
        Journaling,         // it was received, but the journal could not name it: it stays
                            // on the handheld, and the reception took nothing more
    };

    // The list's name as the user knows it (UTF-8).
    std::string list;
    Step step = Step::ReadingHandheld;
    // Why, with the desktop file and the system's reason; no file for ReadingHandheld.
    Failure failure;
};

} // namespace zvk
