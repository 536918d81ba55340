#include <chrono>
#include <functional>
#include <string>
#include <thread>
#include <vector>

#include <gtest/gtest.h>

#include "core/net/loopback.h"
#include "link/wire_remote_api.h"
#include "scripted_handheld.h"
#include "support/succeeded.h"
#include "support/temp_dir.h"
#include "text/path_text.h"
#include "wire/control_words.h"

namespace zvk {
namespace {

using namespace std::chrono_literals;
using test::InSession;
using wire::EncodeWords;

// UTF-16LE text with its NUL.
std::string Utf16(std::u16string_view text)
{
    std::string bytes;
    for (const char16_t c : text)
        bytes += {static_cast<char>(c & 0xFF), static_cast<char>(c >> 8)};
    return bytes + std::string(2, '\0');
}

// A string as a request carries it: its byte length with the NUL, then its text.
std::string WireString(std::u16string_view text)
{
    return EncodeWords({static_cast<std::uint32_t>((text.size() + 1) * 2)}) + Utf16(text);
}

// What a call gave back and what it left to ask about it, as one line.
std::string Outcome(RemoteApi& api, const std::string& result)
{
    return result + " last " + std::to_string(api.CeGetLastError()) + " link " +
           std::to_string(api.CeRapiGetError());
}

// Every file of the capture folder, a half-written one too.
std::vector<std::filesystem::path> Captures(const std::filesystem::path& cache)
{
    std::vector<std::filesystem::path> files;
    std::error_code ec;
    for (const auto& entry : std::filesystem::directory_iterator(cache / "link-captures", ec))
        files.push_back(entry.path());
    return files;
}

// "<result> <bytes read> <buffer>" of a read of `asked` bytes of handle 7 into dashes.
std::string ReadOf(RemoteApi& api, std::uint32_t asked)
{
    char buffer[8] = "-------";
    std::uint32_t read = 99;
    const bool done = api.CeReadFile(7, buffer, asked, read);
    return std::to_string(done) + " " + std::to_string(read) + " " + buffer;
}

std::string WriteOfAB(RemoteApi& api, CeHandle file)
{
    std::uint32_t written = 99;
    const bool done = api.CeWriteFile(file, "AB", 2, written);
    return std::to_string(done) + " " + std::to_string(written);
}

std::string SizeWithHighHalf(RemoteApi& api)
{
    std::uint32_t high = 99;
    const std::uint32_t low = api.CeGetFileSize(7, &high);
    return std::to_string(low) + " " + std::to_string(high);
}

struct CallCase
{
    const char* call;
    std::vector<std::string> replies;
    std::function<std::string(RemoteApi&)> make;
    std::vector<std::string> requests;
    std::string outcome;
};

// Each call's arguments in their places on the wire, and each reply's fields where the
// caller finds them.
TEST(WireRemoteApiTest, EachCallSendsItsArgumentsAndGivesBackTheHandheldsAnswer)
{
    const std::string nameA = WireString(u"\\a");
    const std::vector<CallCase> cases = {
        {"CeCloseHandle",
         {EncodeWords({0, 1})},
         [](RemoteApi& api) { return std::to_string(api.CeCloseHandle(0x1234)); },
         {EncodeWords({0x19, 0x1234})},
         "1 last 0 link 0"},
        {"CeCloseHandle of the invalid handle",
         {EncodeWords({6, 0})},
         [](RemoteApi& api) { return std::to_string(api.CeCloseHandle(kInvalidCeHandle)); },
         {EncodeWords({0x19, 0xFFFFFFFF})},
         "0 last 6 link 0"},
        {"CeCreateFile",
         {EncodeWords({0, 0x42})},
         [](RemoteApi& api) {
             return std::to_string(api.CeCreateFile(u"\\a", kGenericRead, kFileShareRead,
                                                    kOpenExisting, kFileAttributeNormal));
         },
         {EncodeWords({0x16}) + nameA + EncodeWords({0x80000000, 1, 3, 0x80, 0})},
         "66 last 0 link 0"},
        {"CeCreateFile refused",
         {EncodeWords({2, 0xFFFFFFFF})},
         [](RemoteApi& api) {
             return std::string(api.CeCreateFile(u"\\a", kGenericWrite, 0, kCreateAlways, 0) ==
                                        kInvalidCeHandle
                                    ? "invalid"
                                    : "valid");
         },
         {EncodeWords({0x16}) + nameA + EncodeWords({0x40000000, 0, 2, 0, 0})},
         "invalid last 2 link 0"},
        {"CeReadFile",
         {EncodeWords({0, 1, 3}) + "abc"},
         [](RemoteApi& api) { return ReadOf(api, 5); },
         {EncodeWords({0x17, 7, 5})},
         "1 3 abc---- last 0 link 0"},
        {"CeReadFile refused",
         {EncodeWords({30, 0, 0})},
         [](RemoteApi& api) { return ReadOf(api, 4); },
         {EncodeWords({0x17, 7, 4})},
         "0 0 ------- last 30 link 0"},
        {"CeWriteFile",
         {EncodeWords({0, 1, 2})},
         [](RemoteApi& api) { return WriteOfAB(api, 0xFFFFFFFE); },
         {EncodeWords({0x18, 0xFFFFFFFE, 2}) + "AB"},
         "1 2 last 0 link 0"},
        // A handheld that wrote more than it was sent has answered another request.
        {"CeWriteFile answered with more than was sent",
         {EncodeWords({0, 1, 3})},
         [](RemoteApi& api) { return WriteOfAB(api, 7); },
         {EncodeWords({0x18, 7, 2}) + "AB"},
         "0 0 last 0 link 2147500037"},
        {"CeGetFileSize with its high half",
         {EncodeWords({0, 10, 1, 4, 1, 3})},
         [](RemoteApi& api) { return SizeWithHighHalf(api); },
         {EncodeWords({0x2E, 7, 1, 4, 0})},
         "10 3 last 0 link 0"},
        {"CeGetFileSize whose high half the handheld left out",
         {EncodeWords({0, 10, 0})},
         [](RemoteApi& api) { return SizeWithHighHalf(api); },
         {EncodeWords({0x2E, 7, 1, 4, 0})},
         "10 0 last 0 link 0"},
        {"CeGetFileSize without its high half",
         {EncodeWords({0, 10, 0})},
         [](RemoteApi& api) { return std::to_string(api.CeGetFileSize(7, nullptr)); },
         {EncodeWords({0x2E, 7, 0})},
         "10 last 0 link 0"},
        {"CeDeleteFile refused",
         {EncodeWords({5, 0})},
         [](RemoteApi& api) { return std::to_string(api.CeDeleteFile(u"\\a")); },
         {EncodeWords({0x2D}) + nameA},
         "0 last 5 link 0"},
        // The process's handles are closed at once; the start's own answer stays.
        {"CeCreateProcess",
         {EncodeWords({0, 1, 0x11, 0x22, 3, 4}), EncodeWords({0, 1}), EncodeWords({6, 0})},
         [](RemoteApi& api) { return std::to_string(api.CeCreateProcess(u"\\a", u"")); },
         {EncodeWords({0x2A}) + nameA + WireString(u"") + EncodeWords({0, 0, 0, 0, 0, 0, 0}),
          EncodeWords({0x19, 0x11}), EncodeWords({0x19, 0x22})},
         "1 last 0 link 0"},
    };
    for (const CallCase& c : cases) {
        SCOPED_TRACE(c.call);
        test::TempDir cache;
        test::ScriptedHandheld session = InSession(cache.Path());
        for (const std::string& reply : c.replies)
            session.Answer(reply);
        EXPECT_EQ(Outcome(*session.desktop, c.make(*session.desktop)), c.outcome);
        for (const std::string& request : c.requests)
            EXPECT_EQ(session.Request(), request);
        EXPECT_EQ(session.desktop->CeRapiUninit(), kS_OK);
        EXPECT_TRUE(session.SentNothingMoreBeforeClosing());
        // Only a reply the desktop could not take is kept.
        EXPECT_EQ(Captures(cache.Path()).size(), c.outcome.ends_with(" link 0") ? 0u : 1u);
    }
}

// Before CeRapiInit and after CeRapiUninit no call reaches the handheld: each fails here,
// the link itself not at fault.
TEST(WireRemoteApiTest, CallsOutsideASessionFailHereAndASecondInitIsRefused)
{
    test::TempDir cache;
    test::ScriptedHandheld session = InSession(cache.Path());
    EXPECT_EQ(session.desktop->CeRapiInit(), kCeRapiE_AlreadyInitialized);
    EXPECT_EQ(session.desktop->CeRapiUninit(), kS_OK);
    EXPECT_TRUE(session.SentNothingMoreBeforeClosing());

    RemoteApi& api = *session.desktop;
    std::uint32_t count = 0;
    CeFindData* found = nullptr;
    EXPECT_EQ(Outcome(api, std::to_string(api.CeFindAllFiles(u"\\*.dat", kFafName, count, found))),
              "0 last 2250 link 0");
    EXPECT_EQ(Outcome(api, std::to_string(api.CeGetFileSize(7, nullptr))),
              "4294967295 last 2250 link 0");
    EXPECT_EQ(Outcome(api, std::to_string(api.CeCreateProcess(u"\\a", u""))), "0 last 2250 link 0");
}

struct BreakCase
{
    const char* how;
    // What the handheld sends for the read of 3 bytes, before it stops answering.
    std::string sent;
    bool closes;
    std::size_t captures;
};

// However a call breaks the session, it fails as a broken link within the reply limit, and
// the next call fails at once without a byte on the wire: a reply that comes late must
// never be taken for the next call's.
TEST(WireRemoteApiTest, ABrokenSessionFailsItsCallWithinTheLimitAndEveryLaterCallAtOnce)
{
    constexpr auto kLimit = 300ms;
    const std::string full = EncodeWords({0, 1, 3}) + "abc";
    const std::vector<BreakCase> cases = {
        {"no reply", "", false, 0},
        {"half a reply, then closed", EncodeWords({16}) + full.substr(0, 7), true, 0},
        {"more bytes than asked", EncodeWords({16, 0, 1, 4}) + "abcd", false, 1},
        {"bytes after the reply", EncodeWords({16}) + full + "x", false, 1},
    };
    for (const BreakCase& c : cases) {
        SCOPED_TRACE(c.how);
        test::TempDir cache;
        test::ScriptedHandheld session = InSession(cache.Path(), kLimit);
        ASSERT_TRUE(test::Succeeded(
            session.handheld.WriteAll(test::BytesOf(c.sent), test::Generous(), {})));
        if (c.closes)
            session.handheld.ShutdownSending();
        RemoteApi& api = *session.desktop;
        char buffer[3] = {};
        std::uint32_t read = 99;
        const auto start = std::chrono::steady_clock::now();
        EXPECT_EQ(Outcome(api, std::to_string(api.CeReadFile(7, buffer, 3, read))),
                  "0 last 0 link 2147500037");
        EXPECT_LT(std::chrono::steady_clock::now() - start, kLimit + 500ms);
        EXPECT_EQ(read, 0u);
        EXPECT_EQ(session.Request(), EncodeWords({0x17, 7, 3}));

        const auto again = std::chrono::steady_clock::now();
        EXPECT_EQ(Outcome(api, std::to_string(api.CeCloseHandle(7))), "0 last 0 link 2147500037");
        EXPECT_LT(std::chrono::steady_clock::now() - again, 100ms);
        EXPECT_EQ(api.CeRapiUninit(), kS_OK);
        EXPECT_TRUE(session.SentNothingMoreBeforeClosing());

        const std::vector<std::filesystem::path> kept = Captures(cache.Path());
        ASSERT_EQ(kept.size(), c.captures);
        if (c.captures == 1) {
            EXPECT_TRUE(PathText(kept[0].filename()).ends_with("-01-CeReadFile.txt"));
            const std::string dump = test::ReadBytes(kept[0]);
            EXPECT_NE(dump.find("CeReadFile reply"), std::string::npos) << dump;
            EXPECT_NE(dump.find("00000000  17 00 00 00 07 00 00 00 03 00 00 00"), std::string::npos)
                << dump;
            EXPECT_NE(dump.find("00000000  00 00 00 00 01 00 00 00"), std::string::npos) << dump;
        }
    }
}

// The handheld sends only what the search asked for; the desktop builds each 560-byte
// entry from it, the rest left empty, and frees the array without a word to the handheld.
TEST(WireRemoteApiTest, FoundFilesBecomeSearchEntriesWithTheirNamesAndSizes)
{
    test::TempDir cache;
    test::ScriptedHandheld session = InSession(cache.Path());
    const std::u16string longest(259, u'x');
    const std::uint32_t flags = kFafName | kFafSizeHigh | kFafSizeLow;
    session.Answer(EncodeWords({0, 1, 2}) + EncodeWords({8, 1, 500}) + Utf16(u"A.d") +
                   EncodeWords({520, 0, 7}) + Utf16(longest));

    RemoteApi& api = *session.desktop;
    std::uint32_t count = 0;
    CeFindData* found = nullptr;
    ASSERT_TRUE(api.CeFindAllFiles(u"\\*.dat", flags, count, found));
    EXPECT_EQ(session.Request(),
              EncodeWords({0x1A}) + WireString(u"\\*.dat") + EncodeWords({0xB0}));
    ASSERT_EQ(count, 2u);
    ASSERT_NE(found, nullptr);
    EXPECT_EQ(std::u16string(found[0].fileName), u"A.d");
    EXPECT_EQ(found[0].fileSizeHigh, 1u);
    EXPECT_EQ(found[0].fileSizeLow, 500u);
    EXPECT_EQ(std::u16string(found[1].fileName), longest);
    EXPECT_EQ(found[1].fileName[259], u'\0');
    EXPECT_EQ(found[1].fileSizeLow, 7u);
    EXPECT_EQ(found[1].fileAttributes, 0u);
    EXPECT_EQ(found[1].objectId, 0u);

    EXPECT_EQ(api.CeRapiFreeBuffer(found), kS_OK);
    EXPECT_EQ(api.CeRapiFreeBuffer(found), kE_FAIL);

    // A name one character longer, without its NUL, fills the entry: cut short, it would
    // name another file.
    session.Answer(EncodeWords({0, 1, 1, 520, 0, 7}) + Utf16(longest + u"x").substr(0, 520));
    EXPECT_FALSE(api.CeFindAllFiles(u"\\*.dat", flags, count, found));
    EXPECT_EQ(count, 0u);
    EXPECT_EQ(found, nullptr);
    EXPECT_EQ(api.CeRapiGetError(), kE_FAIL);
    EXPECT_EQ(Captures(cache.Path()).size(), 1u);
    EXPECT_EQ(session.Request(),
              EncodeWords({0x1A}) + WireString(u"\\*.dat") + EncodeWords({0xB0}));
    EXPECT_EQ(api.CeRapiUninit(), kS_OK);
    EXPECT_TRUE(session.SentNothingMoreBeforeClosing());
}

// The transfer's watchdog gives the link up from its own thread: a CeRapiInit still
// waiting for the handheld, and a call waiting for its reply, end at once.
TEST(WireRemoteApiThreadsTest, UninitFromAnotherThreadEndsAWaitingInitAndAWaitingCall)
{
    const auto endedSoonAfterUninit = [](RemoteApi& api, const std::function<void()>& wait) {
        const auto start = std::chrono::steady_clock::now();
        std::jthread watchdog([&api] {
            std::this_thread::sleep_for(100ms);
            EXPECT_EQ(api.CeRapiUninit(), kS_OK);
        });
        wait();
        return std::chrono::steady_clock::now() - start < 1s;
    };

    const std::unique_ptr<WireRemoteApi> silent = test::WithASilentHandheld();
    HResult init = kS_OK;
    EXPECT_TRUE(endedSoonAfterUninit(*silent, [&] { init = silent->CeRapiInit(); }));
    EXPECT_EQ(init, kE_FAIL);

    test::TempDir cache;
    test::ScriptedHandheld session = InSession(cache.Path());
    bool closed = true;
    EXPECT_TRUE(endedSoonAfterUninit(*session.desktop,
                                     [&] { closed = session.desktop->CeCloseHandle(7); }));
    EXPECT_FALSE(closed);
    EXPECT_EQ(session.desktop->CeRapiGetError(), kE_FAIL);
    EXPECT_EQ(session.Request(), EncodeWords({0x19, 7}));
    EXPECT_TRUE(session.SentNothingMoreBeforeClosing());
}

} // namespace
} // namespace zvk
