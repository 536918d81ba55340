// The reports' header index as read back from the user's cache folder, where a crash,
// a full disk or another program may have left anything: the input is the file of an
// index of three lists, made for no folder in particular (an empty path). Whatever it holds is read
// without harm, and an index that is accepted reads back the same after it is written again.

#include <string>

#include "fuzz_target.h"
#include "reports/header_index.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const zvk::FolderLists lists{{}, {"A.DAT", "B.DAT", "C.DAT"}};
    const zvk::HeaderIndex read =
        zvk::HeaderIndex::Deserialized(zvk::fuzz::BytesOf(data, size), lists);
    const zvk::HeaderIndex again = zvk::HeaderIndex::Deserialized(read.Serialized(), lists);
    for (std::size_t list = 0; list < lists.names.size(); ++list) {
        for (const zvk::FileStamp& stamp : {zvk::FileStamp{}, zvk::FileStamp{1, 2, 3, 4, 5}}) {
            const zvk::ListHeader* first = read.KeptHeader(list, stamp);
            const zvk::ListHeader* second = again.KeptHeader(list, stamp);
            zvk::fuzz::Require((first == nullptr) == (second == nullptr),
                               "a list the index knew is lost when it is written again");
            if (first == nullptr)
                continue;
            zvk::fuzz::Require(first->dated == second->dated &&
                                   first->firstDate == second->firstDate &&
                                   first->lastDate == second->lastDate &&
                                   first->values.size() == second->values.size(),
                               "a header reads back otherwise");
            for (std::size_t value = 0; value < first->values.size(); ++value)
                zvk::fuzz::Require(read.Texts().Text(first->values[value].text) ==
                                       again.Texts().Text(second->values[value].text),
                                   "a header value reads back otherwise");
        }
    }
    return 0;
}
