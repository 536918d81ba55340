#include "files/windows_file_name.h"

#include <gtest/gtest.h>

namespace zvk {
namespace {

using Fault = WindowsNameFault;

struct Case
{
    std::u16string name;
    std::optional<Fault> fault;
};

std::string Shown(const std::u16string& name)
{
    std::string shown;
    for (const char16_t c : name)
        shown += c >= 32 && c < 127 ? static_cast<char>(c) : '#';
    return shown;
}

// Every device name, in any letter case, alone, before one extension or two, and with
// spaces before its extension; the ports 0 and 10 are no devices.
TEST(WindowsFileNameTest, DeviceNamesAreRefusedWithAnyExtensionAndLetterCase)
{
    std::vector<std::u16string> devices = {u"CON", u"PRN", u"AUX", u"NUL"};
    for (const std::u16string port : {u"COM", u"LPT"}) {
        for (char16_t digit = u'1'; digit <= u'9'; ++digit)
            devices.push_back(port + digit);
        for (const char16_t superscript : {u'\u00B9', u'\u00B2', u'\u00B3'})
            devices.push_back(port + superscript);
    }
    for (const std::u16string& device : devices) {
        std::u16string lower;
        for (const char16_t c : device)
            lower += c >= u'A' && c <= u'Z' ? static_cast<char16_t>(c - u'A' + u'a') : c;
        const std::u16string mixed = lower.substr(0, 1) + device.substr(1);
        for (const std::u16string& name :
             {device, lower, mixed, device + u".DAT", lower + u".dat", mixed + u".txt.dat",
              device + u" .DAT", device + u"  .dat"})
            EXPECT_EQ(WindowsNameFaultOf(name), Fault::ReservedDeviceName) << Shown(name);
    }
    const Case cases[] = {
        {u"COM0.DAT", std::nullopt},     {u"LPT0.DAT", std::nullopt},
        {u"COM10.DAT", std::nullopt},    {u"LPT10", std::nullopt},
        {u"CONSOLE.DAT", std::nullopt},  {u"AUXX.DAT", std::nullopt},
        {u"XAUX.DAT", std::nullopt},     {u"COMA.DAT", std::nullopt},
        {u"DAT.AUX", std::nullopt},      {u" AUX.DAT", std::nullopt},
        {u"LIST0001.DAT", std::nullopt}, {u"Zoznam \u010D 1.dat", std::nullopt},
        {u".dat", std::nullopt},
    };
    for (const Case& c : cases)
        EXPECT_EQ(WindowsNameFaultOf(c.name), c.fault) << Shown(c.name);
}

// Each character Windows takes in no name, control characters, a dot or a space at the
// end; a name with several faults is told the first of control character, character,
// end, device.
TEST(WindowsFileNameTest, CharactersAndEndsWindowsCannotHoldAreRefused)
{
    std::vector<Case> cases;
    for (const char16_t c : std::u16string_view(u"<>:\"/\\|?*"))
        cases.push_back({u"A" + std::u16string(1, c) + u"B.DAT", Fault::ForbiddenCharacter});
    for (char16_t c = 0; c < 32; ++c)
        cases.push_back({u"A" + std::u16string(1, c) + u"B.DAT", Fault::ControlCharacter});
    const Case more[] = {
        {u"LIST.DAT.", Fault::EndsInDotOrSpace},  {u"LIST.DAT ", Fault::EndsInDotOrSpace},
        {u"LIST.", Fault::EndsInDotOrSpace},      {u"..", Fault::EndsInDotOrSpace},
        {u"AUX.", Fault::EndsInDotOrSpace},       {u"AUX:.DAT", Fault::ForbiddenCharacter},
        {u"A?B.DAT.", Fault::ForbiddenCharacter}, {u"A\tB?.DAT ", Fault::ControlCharacter},
        {u"A\u007FB.DAT", std::nullopt},          {u"A B.C.DAT", std::nullopt},
        {u"A~B#C%D&E.DAT", std::nullopt},
    };
    cases.insert(cases.end(), std::begin(more), std::end(more));
    for (const Case& c : cases)
        EXPECT_EQ(WindowsNameFaultOf(c.name), c.fault) << Shown(c.name);
}

} // namespace
} // namespace zvk
