// A day's reception and one sending over the emulated handheld's simulated link, as slow
// as the handheld's cable: each Remote API call a round trip of a millisecond, the bytes at
// 1 MB/s. Prints the medians of the runs beside the floor, the time that the link itself
// needs, and the calls made by kind; beside them the same work with the link's delay and
// bandwidth off, in runs paired with those over the link: the desktop's own work
// (conversion, durability, progress), with the emulated handheld's reading of its files.
//
// usage: zvk_bench_link [RUNS [FOLDER]]   (defaults: 5, a fresh folder under the system's
// temporary folder, removed afterwards)

#include <algorithm>
#include <chrono>
#include <cstdlib>
#include <fstream>
#include <iomanip>
#include <iostream>
#include <string>
#include <utility>
#include <vector>

#include "corpus_generator.h"
#include "cross_thread_window.h"
#include "device/handheld_emulator.h"
#include "device/receive_lists_worker.h"
#include "device/send_workers.h"
#include "hurried_clock.h"

namespace fs = std::filesystem;
using SteadyTime = std::chrono::steady_clock;

namespace {

constexpr int kLists = 40;
// About 66 bytes an item: lists of about 100 KB, and one of about 1 MB to send.
constexpr int kItemsPerList = 1520;
constexpr int kItemsOfTheSentList = 15200;
constexpr int kCallDelayMs = 1;
constexpr std::int64_t kBytesPerSecond = 1'000'000;

double Seconds(SteadyTime::duration duration)
{
    return std::chrono::duration<double>(duration).count();
}

double Median(std::vector<double> values)
{
    std::sort(values.begin(), values.end());
    return values[values.size() / 2];
}

std::string Bytes(const fs::path& file)
{
    std::ifstream in(file, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {});
}

std::uint64_t Pieces(std::uint64_t bytes)
{
    return (bytes + zvk::kTransferPieceBytes - 1) / zvk::kTransferPieceBytes;
}

// What the link needs at the least: the bytes over the bandwidth, and each call that no
// copy can do without at the call's delay.
double Floor(std::uint64_t bytes, std::uint64_t calls)
{
    return static_cast<double>(bytes) / kBytesPerSecond + calls * kCallDelayMs / 1000.0;
}

struct Measured
{
    double seconds = 0;
    zvk::LinkCallCounts calls;
};

// A fresh handheld folder whose link is slow or not.
zvk::HandheldEmulator& FreshHandheld(const fs::path& handheld, bool slowLink,
                                     std::unique_ptr<zvk::HandheldEmulator>& made)
{
    fs::remove_all(handheld);
    fs::create_directories(handheld);
    std::ofstream settings(handheld / "emulator.ini", std::ios::binary);
    settings << "[Emulator]\r\nExportDelayMs=0\r\n";
    if (slowLink)
        settings << "CallDelayMs=" << kCallDelayMs
                 << "\r\nBandwidthBytesPerSecond=" << kBytesPerSecond << "\r\n";
    settings.close();
    made = std::make_unique<zvk::HandheldEmulator>(handheld);
    return *made;
}

// One reception of the corpus, timed from the stage "receiving" to its end; the lists lie
// at the handheld's top, as its program leaves them for the desktop. Exits when the
// lists did not arrive whole.
Measured TimedReception(const fs::path& root, const fs::path& corpus, bool slowLink, bool convert)
{
    const fs::path handheld = root / "handheld";
    const fs::path desktop = root / "desktop";
    std::unique_ptr<zvk::HandheldEmulator> made;
    zvk::HandheldEmulator& emulator = FreshHandheld(handheld, slowLink, made);
    for (const auto& list : fs::directory_iterator(corpus))
        fs::copy_file(list.path(), handheld / list.path().filename());
    fs::remove_all(desktop);
    fs::create_directories(desktop);
    zvk::bench::CrossThreadWindow window(true);
    zvk::bench::HurriedClock clock;
    const bool received = zvk::ReceiveListsWorker(
        window, emulator, {.receiveFolder = desktop, .convertReceivedLists = convert}, {}, clock,
        {});
    const SteadyTime::time_point ended = SteadyTime::now();
    if (!received || window.ShownPercent() != 100 || !window.ReceivingSince()) {
        std::cerr << "reception failed: " << window.LastMessage() << '\n';
        std::exit(EXIT_FAILURE);
    }
    for (const auto& list : fs::directory_iterator(corpus))
        if (Bytes(desktop / list.path().filename()) != Bytes(list.path())) {
            std::cerr << list.path().filename() << " did not arrive whole\n";
            std::exit(EXIT_FAILURE);
        }
    return {Seconds(ended - *window.ReceivingSince()), emulator.CallCounts()};
}

// One sending of `list`, timed as a whole.
Measured TimedSending(const fs::path& root, const fs::path& list, bool slowLink)
{
    std::unique_ptr<zvk::HandheldEmulator> made;
    zvk::HandheldEmulator& emulator = FreshHandheld(root / "handheld", slowLink, made);
    zvk::bench::CrossThreadWindow window(true);
    window.ChooseListToSend(list);
    const SteadyTime::time_point started = SteadyTime::now();
    const bool sent = zvk::SendListWorker(window, emulator, root);
    const double seconds = Seconds(SteadyTime::now() - started);
    if (!sent || window.ShownPercent() != 100) {
        std::cerr << "sending failed: " << window.LastMessage() << '\n';
        std::exit(EXIT_FAILURE);
    }
    const zvk::LinkCallCounts calls = emulator.CallCounts();
    emulator.Program().WaitUntilIdle();
    if (Bytes(root / "handheld" / "ZVK_CE" / "Data" / list.filename()) != Bytes(list)) {
        std::cerr << "the list did not arrive whole\n";
        std::exit(EXIT_FAILURE);
    }
    return {seconds, calls};
}

// The median times of `runs` runs over the slow link and as many with the link off, each
// with the calls of its last run. The two take turns, so that a machine busy with other
// work for a while slows both alike.
template <typename Run> std::pair<Measured, Measured> PairedMedians(int runs, const Run& run)
{
    std::vector<double> slow;
    std::vector<double> off;
    Measured lastSlow;
    Measured lastOff;
    for (int i = 0; i < runs; ++i) {
        lastSlow = run(true);
        slow.push_back(lastSlow.seconds);
        lastOff = run(false);
        off.push_back(lastOff.seconds);
    }
    return {{Median(slow), lastSlow.calls}, {Median(off), lastOff.calls}};
}

std::string CallsInOneLine(const zvk::LinkCallCounts& calls)
{
    std::string line;
    for (std::size_t kind = 0; kind < zvk::kLinkCallKinds; ++kind) {
        const auto call = static_cast<zvk::LinkCall>(kind);
        if (calls.Of(call) == 0)
            continue;
        line += (line.empty() ? "" : ", ") + std::string(zvk::LinkCallName(call)) + " " +
                std::to_string(calls.Of(call));
    }
    return line;
}

void PrintRow(const std::string& what, const Measured& overTheLink, const Measured& linkOff,
              double floor)
{
    std::cout << std::fixed << std::setprecision(3) << "  " << std::left << std::setw(20) << what
              << std::right << std::setw(8) << overTheLink.seconds << " s " << std::setw(8) << floor
              << " s " << std::setprecision(2) << std::setw(6) << overTheLink.seconds / floor
              << std::setprecision(3) << std::setw(9) << linkOff.seconds << " s "
              << std::setprecision(1) << std::setw(6) << 100 * linkOff.seconds / floor << "%\n"
              << "    calls: " << CallsInOneLine(overTheLink.calls) << '\n';
}

} // namespace

int main(int argc, char* argv[])
{
    const int runs = argc > 1 ? std::stoi(argv[1]) : 5;
    const fs::path root =
        argc > 2 ? fs::path(argv[2]) : fs::temp_directory_path() / "zvk-link-benchmark";
    if (runs < 1) {
        std::cerr << "usage: zvk_bench_link [RUNS [FOLDER]]\n";
        return 2;
    }
    fs::remove_all(root);
    const fs::path corpus = root / "corpus";
    zvk::bench::GenerateCorpus(corpus, {kLists, kItemsPerList, 29});
    std::uint64_t bytes = 0;
    std::uint64_t unavoidable = 1; // the listing
    for (const auto& list : fs::directory_iterator(corpus)) {
        bytes += list.file_size();
        unavoidable += 3 + Pieces(list.file_size()); // open, reads, close, delete
    }
    const double receptionFloor = Floor(bytes, unavoidable);

    const fs::path sent = root / "sent" / "ZOZNAM.DAT";
    zvk::bench::GenerateCorpus(root / "sent", {1, kItemsOfTheSentList, 29});
    fs::rename(root / "sent" / "LIST0001.DAT", sent);
    const std::uint64_t sentBytes = fs::file_size(sent);
    const double sendingFloor = Floor(sentBytes, 2 + Pieces(sentBytes)); // create, writes, close

    std::cout << "link: " << kCallDelayMs << " ms a call, " << kBytesPerSecond
              << " bytes/s; medians of " << runs << " runs\n"
              << "                         time      floor  ratio   link off  of floor\n"
              << "reception of " << kLists << " lists, " << bytes << " bytes:\n";
    for (const bool convert : {false, true}) {
        const auto [slow, off] = PairedMedians(
            runs, [&](bool slowLink) { return TimedReception(root, corpus, slowLink, convert); });
        PrintRow(convert ? "with conversion" : "without conversion", slow, off, receptionFloor);
    }
    std::cout << "sending one list of " << sentBytes << " bytes:\n";
    const auto [slow, off] =
        PairedMedians(runs, [&](bool slowLink) { return TimedSending(root, sent, slowLink); });
    PrintRow("send-list", slow, off, sendingFloor);
    fs::remove_all(root);
    return EXIT_SUCCESS;
}
