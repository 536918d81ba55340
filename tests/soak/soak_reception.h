#pragma once

#include <cstdint>
#include <filesystem>
#include <random>
#include <string>

#include "emulator/device_faults.h"
#include "soak_ledger.h"
#include "system/result.h"

namespace zvk::soak {

// One reception of the soak, drawn from its random source: the handheld's faults
// (written to its emulator.ini), who receives (the program's transfer session in this
// process, or a `zvk receive` child process), and what happens meanwhile.
struct ReceptionPlan
{
    std::string emulatorSettings;
    // Over the wire: the device emulator's faults on the way (a dropped session, a short
    // reply, a stall).
    bool overWire = false;
    emulator::DeviceFaults wireFaults = {};
    // A fault that may make the reception fail: the handheld absent or too slow to
    // connect, a read that fails, an export that never finishes.
    bool faulty = false;
    bool inProcess = true;
    // In this process: the stop request, and the arrival of a list, at the window's
    // n-th notice (status or progress), or never (-1).
    int stopAtNotice = -1;
    int measureAtNotice = -1;
    // In a child: SIGINT, and the arrival of a list, after that many milliseconds, or
    // never (-1).
    int interruptAfterMs = -1;
    int measureAfterMs = -1;
    std::uint64_t listSeed = 0;

    // For a handheld that holds `lists` lists now, over the folder link or over the wire.
    static ReceptionPlan Draw(std::mt19937_64& random, std::size_t lists, bool overWire);
    std::string Describe() const;
};

enum class Outcome
{
    Succeeded,
    Failed,
    // A stop request or SIGINT came while it ran.
    Interrupted,
};

// The folders of the soak: the handheld's (the emulator's), the desktop's receive
// folder, and one for the children's working directory and output.
struct SoakFolders
{
    std::filesystem::path handheld;
    std::filesystem::path desktop;
    std::filesystem::path work;
};

// Runs the reception of `plan` to its end; a list that arrives meanwhile goes into
// `ledger`. A failure when zvk crashed, hung or ended with a status it never gives.
Result<Outcome> Receive(const ReceptionPlan& plan, const SoakFolders& folders, SoakLedger& ledger);

} // namespace zvk::soak
