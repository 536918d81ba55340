#include "config/ini_document.h"

#include <random>
#include <string>
#include <tuple>
#include <utility>

#include <gtest/gtest.h>

namespace zvk {
namespace {

using namespace std::string_literals;

const std::string kSample = "; Firma1=komentar\r\n"
                            "Firma1=mimo sekcie\r\n"
                            "[firma]\n"
                            "  FIRMA1 =  Lesy \xE8. 1  \n"
                            "Akost1=\"  B\"\r\n"
                            "Akost2=\"\r\n"
                            "Firma1=druhy kluc\r\n"
                            "bez rovnitka\r\n"
                            "[Firma] text za zatvorkou\r\n"
                            "Firma2=druha sekcia\r\n"
                            "[\xC8]\r\n"
                            "Riadok1=posledny riadok";

TEST(IniDocumentTest, ReadsFirstSectionAndFirstKeyIgnoringAsciiCase)
{
    const IniDocument document(kSample);
    EXPECT_EQ(document.Value("FIRMA", "firma1"), "Lesy \xE8. 1");
    EXPECT_EQ(document.Value("Firma", "Akost1"), "  B");
    EXPECT_EQ(document.Value("Firma", "Akost2"), "\"");
    EXPECT_EQ(document.Value("\xC8", "riadok1"), "posledny riadok");
    EXPECT_EQ(document.Value("\xE8", "Riadok1"), std::nullopt);
    EXPECT_EQ(document.Value("Firma", "Firma2"), std::nullopt);
    EXPECT_EQ(document.Value("Firma", "bez rovnitka"), std::nullopt);
    EXPECT_EQ(document.Value("Hlavicka", "Firma1"), std::nullopt);
}

TEST(IniDocumentTest, AddsKeysToTheirSectionAndSectionsAtTheEnd)
{
    const std::pair<std::string, std::string> cases[] = {
        {"", "[S]\r\nk=v\r\n"},
        {"[S]\r\nx=1\r\n; pozn\r\n\r\n[T]\r\ny=2\r\n",
         "[S]\r\nx=1\r\n; pozn\r\nk=v\r\n\r\n[T]\r\ny=2\r\n"},
        {"[s]\n\n", "[s]\nk=v\r\n\n"},
        {"[S]\r\nx=1", "[S]\r\nx=1\r\nk=v\r\n"},
        {"[T]\ny=1\n\n", "[T]\ny=1\n\n[S]\r\nk=v\r\n"},
        {"[T]\r\ny=1", "[T]\r\ny=1\r\n[S]\r\nk=v\r\n"},
    };
    for (const auto& [before, after] : cases) {
        IniDocument document(before);
        EXPECT_TRUE(document.SetValue("S", "k", "v")) << before;
        EXPECT_EQ(document.Bytes(), after) << before;
    }
}

// A byte-order mark that an editor put first hides no section and stays; lines that end
// in a lone CR are lines like any other.
TEST(IniDocumentTest, ReadsPastAByteOrderMarkAndLinesEndingInACarriageReturn)
{
    const std::pair<std::string, std::string> cases[] = {
        {"\xEF\xBB\xBF[Firma]\r\nFirma1=Lesy\r\n", "\xEF\xBB\xBF[Firma]\r\nFirma1=Lesy\r\nk=v\r\n"},
        {"[Firma]\rFirma1=Lesy\r", "[Firma]\rFirma1=Lesy\rk=v\r\n"},
    };
    for (const auto& [before, after] : cases) {
        IniDocument document(before);
        EXPECT_EQ(document.Value("Firma", "Firma1"), "Lesy") << before;
        EXPECT_TRUE(document.SetValue("Firma", "k", "v")) << before;
        EXPECT_EQ(document.Bytes(), after) << before;
    }
    IniDocument markOnly("\xEF\xBB\xBF");
    EXPECT_TRUE(markOnly.SetValue("Firma", "k", "v"));
    EXPECT_EQ(markOnly.Bytes(), "\xEF\xBB\xBF[Firma]\r\nk=v\r\n");
}

TEST(IniDocumentTest, RefusesNamesAndValuesThatWouldCorruptTheFile)
{
    const std::tuple<std::string, std::string, std::string> cases[] = {
        {"", "k", "v"},   {"a]b", "k", "v"}, {"a\nb", "k", "v"}, {"a\rb", "k", "v"},
        {"S", "", "v"},   {"S", "a=b", "v"}, {"S", "[k", "v"},   {"S", ";k", "v"},
        {"S", " k", "v"}, {"S", "k\n", "v"}, {"S", "k", "a\rb"}, {"S", "k", "a\n[T]"},
    };
    for (const auto& [section, key, value] : cases) {
        IniDocument document("[S]\r\nk=1\r\n");
        EXPECT_FALSE(document.SetValue(section, key, value)) << section << '|' << key;
        EXPECT_EQ(document.Bytes(), "[S]\r\nk=1\r\n");
    }
}

TEST(IniDocumentTest, SurvivesBinaryGarbage)
{
    std::mt19937 random(1250);
    std::string garbage(64 * 1024, '\0');
    for (char& c : garbage)
        c = static_cast<char>(random());
    garbage += "\0[\0]\0=\0\n[\n=\n"s;
    IniDocument document(garbage);
    EXPECT_EQ(document.Value("Firma", "Firma1"), std::nullopt);
    ASSERT_TRUE(document.SetValue("Firma", "Firma1", "a\0b"s));
    EXPECT_EQ(document.Value("Firma", "Firma1"), "a\0b"s);
    EXPECT_EQ(document.Bytes().substr(0, garbage.size()), garbage);
}

} // namespace
} // namespace zvk
