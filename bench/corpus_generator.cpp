#include "corpus_generator.h"

#include <array>
#include <fstream>
#include <stdexcept>
#include <string>
#include <string_view>

#include "reports/text_format.h"

namespace fs = std::filesystem;

namespace zvk::bench {
namespace {

// A small linear congruential generator: the corpus must not depend on the
// standard library's distributions, which differ between implementations.
class Random
{
public:
    explicit Random(std::uint32_t seed) : m_state(seed) {}

    std::uint32_t Below(std::uint32_t bound)
    {
        m_state = m_state * 1664525u + 1013904223u;
        return (m_state >> 8) % bound;
    }

    template <typename T, std::size_t N> const T& Pick(const std::array<T, N>& choices)
    {
        return choices[Below(static_cast<std::uint32_t>(N))];
    }

private:
    std::uint32_t m_state;
};

constexpr std::size_t kListNameWidth = 12;
constexpr std::array<std::string_view, 7> kSpecies = {"SM", "JD", "BO", "BK", "DB", "HB", "\x8EI"};
constexpr std::array<std::string_view, 4> kAssortments = {"Vy   ", "VlA  ", "Pr1  ", "ReF  "};
constexpr std::array<std::string_view, 6> kQualities = {"I  ", "II ", "III", "IV ", "  B", " A "};
constexpr std::array<int, 8> kThicknesses = {18, 25, 32, 40, 50, 60, 80, 100};
constexpr std::array<std::string_view, 14> kPairRecords = {
    "0B", "0C", "0D", "0E", "0F", "0G", "0e", "0f", "0g", "0h", "0i", "0j", "0k", "0l"};

std::string ItemLine(Random& random, int number, bool oldest)
{
    const std::string common =
        FormatText(oldest ? "%5d" : "%6d", {number}) + std::string(random.Pick(kSpecies)) +
        std::string(random.Pick(kAssortments)) + std::string(random.Pick(kQualities));
    const std::uint32_t kind = random.Below(20);
    std::string line;
    if (kind < 12) {
        line = (kind == 0 ? "2N " : "2M ") + common + FormatText(" %-2d ", {int(random.Below(9))});
        line += FormatText("%5.2f%3d", {random.Below(900) / 100.0 + 1, int(random.Below(80) + 10)});
        line += FormatText("KO%5.2f 0", {random.Below(300) / 100.0});
        // Most logs are single pieces; some items are bundles, a few lack a count.
        const std::uint32_t pieces = random.Below(20);
        line += std::string(29, ' ') + FormatText("%3d1", {int(pieces < 16 ? 1 : pieces - 16)});
    } else if (kind < 16) {
        line = "2O " + common +
               FormatText(" %4.2f%6.2fPR%6.2f 0",
                          {random.Below(100) / 100.0, random.Below(900) / 100.0,
                           random.Below(600) / 100.0});
    } else if (kind < 19) {
        line = "2P " + common +
               FormatText(" %4.2f%4.1f%3d%3d%5.3f 0",
                          {1.0, random.Below(60) / 10.0, random.Pick(kThicknesses),
                           int(random.Below(300)), random.Below(900) / 1000.0}) +
               std::string(21, ' ') + FormatText("%3d", {int(random.Below(30) + 1)});
    } else {
        line = "2Q " + common + FormatText("KOD %4.2f%6.2f 0", {0.5, random.Below(500) / 100.0});
    }
    return line + "\r\n";
}

long WriteList(const fs::path& path, int index, const CorpusShape& shape, Random& random)
{
    std::ofstream out(path, std::ios::binary);
    const bool oldest = index % 10 == 0;
    // The header's name field holds 12 characters: "LIST10000.DAT" and later names
    // are cut there, as the text import cuts a long name.
    std::string name = path.filename().string();
    name.resize(kListNameWidth, ' ');
    out << "AD" << name << FormatText("%6d", {index})
        << (oldest            ? "Spracov 1998"
            : index % 10 == 1 ? "ZVK_CE         V 1.19"
                              : "ZVK_CE         V 3.10")
        << "\r\n";
    out << FormatText("0A%02d.%02d.26LS %-17d\r\n",
                      {int(random.Below(28) + 1), int(random.Below(12) + 1), index % 40});
    for (const std::string_view code : kPairRecords)
        out << code << FormatText("Hodnota %-12dDL-%-17d\r\n", {index % 7, index});
    for (int item = 1; item <= shape.itemsPerList; ++item)
        out << ItemLine(random, item, oldest);
    out.close();
    if (!out)
        throw std::runtime_error("cannot write " + path.string());
    return shape.itemsPerList;
}

} // namespace

long GenerateCorpus(const fs::path& folder, const CorpusShape& shape,
                    const std::function<void(int listsWritten)>& progress)
{
    fs::create_directories(folder);
    Random random(shape.seed);
    long items = 0;
    for (int index = 1; index <= shape.lists; ++index) {
        items += WriteList(folder / FormatText("LIST%04d.DAT", {index}), index, shape, random);
        if (progress)
            progress(index);
    }
    return items;
}

std::uintmax_t CorpusBytesAtMost(const CorpusShape& shape)
{
    // A list's header records take under 800 bytes and an item line under 80.
    constexpr std::uintmax_t kHeaderBytes = 800;
    constexpr std::uintmax_t kItemBytes = 80;
    return static_cast<std::uintmax_t>(shape.lists) *
           (kHeaderBytes + kItemBytes * static_cast<std::uintmax_t>(shape.itemsPerList));
}

} // namespace zvk::bench
