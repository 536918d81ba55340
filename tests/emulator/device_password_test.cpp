#include <gtest/gtest.h>

#include <chrono>
#include <functional>
#include <string>

#include "device_rig.h"
#include "link/frame_io.h"
#include "support/succeeded.h"
#include "wire/control_words.h"
#include "wire/password_words.h"

namespace zvk {
namespace {

using namespace std::chrono_literals;

class DevicePasswordTest : public test::WireDeviceTest
{
};

// The desktop gives a password as `bytes` (its length field and text): what the device says.
std::string Give(TcpConnection& control, const std::string& bytes)
{
    if (!WriteBytes(control, bytes, test::Within(10s), {}))
        return "not sent";
    const Result<std::string> reply =
        ReadBytes(control, wire::kPasswordReplyBytes, test::Within(10s), {});
    const Result<bool> accepted =
        reply ? wire::DecodePasswordReply(*reply) : Result<bool>(Unexpected(reply.error()));
    return !accepted ? "no reply" : *accepted ? "accepted" : "refused";
}

// The length field as some desktops send it: 8 bytes, the 2 of the length and 6 zeros.
std::string WithLongLength(const std::string& encoded)
{
    return encoded.substr(0, 2) + std::string(6, '\0') + encoded.substr(2);
}

std::string Unlock(TcpConnection& control)
{
    if (!WriteBytes(control, wire::EncodeUnlockRequest(), test::Within(10s), {}))
        return "not sent";
    const Result<std::uint32_t> reply = ReadWord(control, test::Within(10s), {});
    if (!reply)
        return "no reply";
    if (*reply != 0)
        return "locked";
    return WriteBytes(control, wire::EncodeUnlockAcknowledgement(), test::Within(10s), {})
               ? "unlocked"
               : "not sent";
}

struct PasswordCase
{
    const char* what;
    wire::PasswordStyle style;
    bool refused; // the refuse-password fault
    std::function<std::string(TcpConnection& control, std::uint32_t key)> script;
    const char* expected;
};

TEST_F(DevicePasswordTest, EachStyleLetsTheRightPasswordInAndTheDesktopTryAgain)
{
    const auto give = [](std::u16string password, bool longLength = false) {
        return [password, longLength](TcpConnection& control, std::uint32_t key) {
            const std::string encoded = wire::EncodePassword(password, key);
            return Give(control, longLength ? WithLongLength(encoded) : encoded);
        };
    };
    const auto twice = [](auto first, auto second) {
        return [first, second](TcpConnection& control, std::uint32_t key) {
            const std::string before = first(control, key);
            return before + ", " + second(control, key);
        };
    };
    const auto unlock = [](TcpConnection& control, std::uint32_t) { return Unlock(control); };
    const PasswordCase cases[] = {
        {"on the desktop", wire::PasswordStyle::OnDesktop, false,
         twice(give(u"zlé heslo"), give(u"Heslo7")), "refused, accepted, session"},
        {"an 8-byte length", wire::PasswordStyle::OnDesktop, false, give(u"Heslo7", true),
         "accepted, session"},
        {"refused", wire::PasswordStyle::OnDesktop, true,
         twice(give(u"Heslo7"), give(u"Heslo7", true)), "refused, refused, no session"},
        {"on the handheld", wire::PasswordStyle::OnHandheld, false, unlock, "unlocked, session"},
        {"kept locked", wire::PasswordStyle::OnHandheld, true, twice(unlock, unlock),
         "locked, locked, no session"},
    };
    int row = 0;
    for (const PasswordCase& c : cases) {
        SCOPED_TRACE(c.what);
        Fresh("handheld" + std::to_string(++row));
        emulator::WireDeviceOptions options = Options();
        options.passwordStyle = c.style;
        options.password = u"Heslo7";
        options.faults.refusePassword = c.refused;
        Start(options);
        Result<TcpConnection> control = Connect();
        ASSERT_TRUE(test::Succeeded(control));
        EXPECT_EQ(wire::PasswordStyleOf(m_info->passwordKey), c.style);
        const std::string seen = c.script(*control, m_info->passwordKey);
        const bool session = m_desktop->OpenSession(*control, 1, 1500ms).has_value();
        EXPECT_EQ(seen + (session ? ", session" : ", no session"), c.expected);
        m_device.reset();
    }
}

} // namespace
} // namespace zvk
