// The semicolon text of any data list: the conversion must finish for every list it can
// read, and the text it writes must be that of the list's lines, one after the other.

#include <fstream>
#include <iterator>
#include <sstream>
#include <string>

#include "fuzz_scratch.h"
#include "fuzz_target.h"
#include "lists/line_reader.h"
#include "lists/semicolon_conversion.h"

namespace fs = std::filesystem;

namespace {

std::string ConvertedInMemory(std::string_view list, std::string_view listName)
{
    std::istringstream in{std::string(list)};
    zvk::LineReader lines(in);
    zvk::SemicolonConversion conversion;
    std::string text;
    std::string_view line;
    while (lines.Next(line))
        text += conversion.ConvertLine(line, listName);
    return text;
}

std::string FileBytes(const fs::path& file)
{
    std::ifstream in(file, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const std::string_view bytes = zvk::fuzz::BytesOf(data, size);
    const fs::path list = zvk::fuzz::ScratchFolder() / "LIST0001.DAT";
    zvk::fuzz::WriteScratchFile(list, bytes);
    zvk::SemicolonConversion conversion;
    const zvk::Result<fs::path> text = conversion.ConvertListToSemicolonText(list, "LIST0001.DAT");
    zvk::fuzz::Require(text.has_value(), "a readable list did not convert");
    zvk::fuzz::Require(FileBytes(*text) == ConvertedInMemory(bytes, "LIST0001.DAT"),
                       "the semicolon text is not that of the list's lines");
    return 0;
}
