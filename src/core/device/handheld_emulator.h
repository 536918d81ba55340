#pragma once

#include <cstdio>
#include <filesystem>
#include <functional>
#include <map>
#include <memory>
#include <mutex>
#include <stop_token>

#include "device/clock.h"
#include "device/emulated_program.h"
#include "device/emulator_settings.h"
#include "device/remote_api.h"
#include "device/search_results.h"
#include "device/simulated_link.h"

namespace zvk {

// A handheld played by a desktop folder: its storage is the folder (see EmulatedPath),
// its program is EmulatedProgram, and emulator.ini at its top can make it absent, slow
// to connect (a second or more: too slow for the desktop, so the connection fails), or
// fail or slow down reads, and can make its link as slow as a real one (SimulatedLink),
// which counts the calls made. The settings are read when it is created and at every
// CeRapiInit; `adjust`, when given, changes them each time after they are read, so that
// whoever plays the handheld on another link can make it misbehave without writing to
// the folder. Its delays take their time from `clock`. All calls may come from any thread.
class HandheldEmulator final : public RemoteApi
{
public:
    using SettingsAdjustment = std::function<void(EmulatorSettings&)>;

    explicit HandheldEmulator(std::filesystem::path folder, Clock& clock = SteadyClock(),
                              SettingsAdjustment adjust = {});
    ~HandheldEmulator() override;

    // Holds the lock file of EmulatedTransferLock until the transfer has ended and the
    // handheld program has done what the transfer started.
    Result<ClaimOutcome> ClaimForTransfer() override;
    std::filesystem::path EmulatingFolder() const override;
    HResult CeRapiInit() override;
    HResult CeRapiUninit() override;
    CeHandle CeCreateFile(const std::u16string& path, std::uint32_t desiredAccess,
                          std::uint32_t shareMode, std::uint32_t creationDisposition,
                          std::uint32_t flagsAndAttributes) override;
    bool CeReadFile(CeHandle file, void* buffer, std::uint32_t bytesToRead,
                    std::uint32_t& bytesRead) override;
    bool CeWriteFile(CeHandle file, const void* buffer, std::uint32_t bytesToWrite,
                     std::uint32_t& bytesWritten) override;
    bool CeCloseHandle(CeHandle file) override;
    std::uint32_t CeGetFileSize(CeHandle file, std::uint32_t* sizeHigh) override;
    bool CeDeleteFile(const std::u16string& path) override;
    bool CeFindAllFiles(const std::u16string& pattern, std::uint32_t flags, std::uint32_t& count,
                        CeFindData*& found) override;
    HResult CeRapiFreeBuffer(void* buffer) override;
    bool CeCreateProcess(const std::u16string& application,
                         const std::u16string& commandLine) override;
    // A file that is not there, or a read that failed; the emulated link never breaks.
    std::uint32_t CeGetLastError() override;
    HResult CeRapiGetError() override;

    const std::filesystem::path& Folder() const;
    EmulatedProgram& Program();
    // The calls that went over its link so far, by kind.
    LinkCallCounts CallCounts() const;

private:
    struct OpenFile
    {
        std::FILE* stream = nullptr;
        std::uint64_t bytesRead = 0;
    };

    OpenFile* Find(CeHandle file);
    bool ReadFrom(CeHandle file, void* buffer, std::uint32_t bytesToRead, std::uint32_t& bytesRead);
    void Configure(const EmulatorSettings& settings);
    EmulatorSettings ReadSettings() const;

    const std::filesystem::path m_folder;
    Clock& m_clock;
    const SettingsAdjustment m_adjust;
    std::mutex m_mutex;
    EmulatorSettings m_settings;
    // Requested by CeRapiUninit: a CeRapiInit still waiting gives up.
    std::stop_source m_cancelInit;
    CeHandle m_nextHandle = 1;
    std::map<CeHandle, OpenFile> m_files;
    SearchResults m_searchResults;
    EmulatedProgram m_program;
    SimulatedLink m_link;
};

} // namespace zvk
