#include <charconv>
#include <cstdint>
#include <filesystem>
#include <iostream>
#include <stdexcept>
#include <string_view>
#include <system_error>

#include "corpus_generator.h"

namespace fs = std::filesystem;

namespace {

constexpr const char* kUsage = "usage: zvk_bench_corpus FOLDER [LISTS [ITEMS_PER_LIST [SEED]]]\n"
                               "  (the report benchmark's corpus is 2000 lists of 150 items)\n";

template <typename Number> bool ReadPositive(std::string_view text, Number& number)
{
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), number);
    return error == std::errc() && end == text.data() + text.size() && number > 0;
}

// The nearest folder of `folder` that exists: where its space will come from.
fs::path ExistingFolderOf(fs::path folder)
{
    std::error_code ec;
    folder = fs::absolute(folder, ec);
    while (!fs::exists(folder, ec) && folder.has_relative_path())
        folder = folder.parent_path();
    return folder;
}

} // namespace

// zvk_bench_corpus FOLDER [LISTS [ITEMS_PER_LIST [SEED]]]: writes a corpus of data
// lists for trying reports by hand.
int main(int argc, char* argv[])
{
    zvk::bench::CorpusShape shape;
    const bool read = argc >= 2 && argc <= 5 && (argc < 3 || ReadPositive(argv[2], shape.lists)) &&
                      (argc < 4 || ReadPositive(argv[3], shape.itemsPerList)) &&
                      (argc < 5 || ReadPositive(argv[4], shape.seed));
    if (!read) {
        std::cerr << kUsage;
        return 2;
    }
    const fs::path folder = argv[1];
    const std::uintmax_t needed = zvk::bench::CorpusBytesAtMost(shape);
    std::error_code ec;
    const fs::space_info space = fs::space(ExistingFolderOf(folder), ec);
    if (!ec && space.available < needed) {
        std::cerr << "zvk_bench_corpus: " << shape.lists << " lists of " << shape.itemsPerList
                  << " items take up to " << needed / 1000000 << " MB, but " << folder.string()
                  << " has " << space.available / 1000000 << " MB free\n";
        return 1;
    }
    try {
        const long items = zvk::bench::GenerateCorpus(folder, shape, [&](int written) {
            if (written % 100 == 0 || written == shape.lists)
                std::cerr << "\r" << written << " of " << shape.lists << " lists written"
                          << (written == shape.lists ? "\n" : "") << std::flush;
        });
        std::cout << shape.lists << " lists, " << items << " items in " << folder.string() << '\n';
    } catch (const std::exception& failure) {
        std::cerr << "\nzvk_bench_corpus: " << failure.what() << '\n';
        return 1;
    }
    return 0;
}
