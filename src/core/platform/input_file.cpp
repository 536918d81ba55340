#include "platform/input_file.h"

#include <array>
#include <cerrno>
#include <system_error>

#include "platform/path_text.h"
#include "platform/worded_error_category.h"

namespace fs = std::filesystem;

namespace zvk {
namespace {

std::string RefusalWords(int value)
{
    switch (static_cast<InputRefusal>(value)) {
    case InputRefusal::NotARegularFile:
        return "is not a regular file";
    }
    return "is refused";
}

} // namespace

const std::error_category& InputRefusalCategory()
{
    static const WordedErrorCategory category("input refusal", &RefusalWords);
    return category;
}

std::error_code make_error_code(InputRefusal refusal)
{
    return {static_cast<int>(refusal), InputRefusalCategory()};
}

Result<std::ifstream> OpenInputFile(const fs::path& path)
{
    std::error_code ec;
    // A folder opens as a stream on some systems and then reads as empty.
    const fs::file_status status = fs::status(path, ec);
    if (fs::is_directory(status))
        return Fail(PathText(path) + " is a folder",
                    {path, std::make_error_code(std::errc::is_a_directory)});
    if (fs::exists(status) && !fs::is_regular_file(status)) {
        const std::error_code reason = InputRefusal::NotARegularFile;
        return Fail(PathText(path) + " " + reason.message(), {path, reason});
    }
    std::ifstream in(path, std::ios::binary);
    if (!in.is_open()) {
        const std::error_code reason(errno, std::generic_category());
        return Fail("cannot open " + PathText(path) + ": " + reason.message(), {path, reason});
    }
    return in;
}

Result<std::string> ReadWholeFile(const fs::path& path)
{
    std::string bytes;
    if (Result<> read = ReadWholeFileInto(path, bytes); !read)
        return Unexpected(std::move(read).error());
    return bytes;
}

Result<> ReadWholeFileInto(const fs::path& path, std::string& bytes)
{
    bytes.clear();
    Result<std::ifstream> in = OpenInputFile(path);
    if (!in)
        return Unexpected(std::move(in).error());
    std::error_code unknown; // the size only spares copies while the bytes come in
    const std::uintmax_t size = fs::file_size(path, unknown);
    if (!unknown)
        bytes.reserve(static_cast<std::size_t>(size));
    std::array<char, 1 << 16> block;
    while (*in) {
        in->read(block.data(), static_cast<std::streamsize>(block.size()));
        bytes.append(block.data(), static_cast<std::size_t>(in->gcount()));
    }
    if (in->bad())
        return Fail("cannot read " + PathText(path),
                    {path, std::make_error_code(std::errc::io_error)});
    return {};
}

} // namespace zvk
