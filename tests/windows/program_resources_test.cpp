// What Windows reads from zvk.exe and zvkpc.exe besides their code, read as Windows reads
// it: the version that Explorer's Properties show, and the application manifest, through
// the activation context that Windows makes of it when the program starts.

#include <cstring>
#include <ostream>
#include <string>
#include <vector>

// The resource types and ids of the system's headers as wide names.
#define UNICODE
#include <windows.h>

#include <gtest/gtest.h>

namespace {

struct Program
{
    std::wstring path;
    std::wstring file;
    std::wstring description;
};

const std::wstring kVersion = L"" ZVK_VERSION_TEXT;

std::vector<Program> Programs()
{
    std::vector<Program> programs{{L"" ZVK_CLI_PATH, L"zvk.exe", L"ZVK PC command-line tool"}};
#ifdef ZVK_WINDOW_PROGRAM_PATH
    programs.push_back({L"" ZVK_WINDOW_PROGRAM_PATH, L"zvkpc.exe",
                        L"ZVK PC – prenos zoznamov z prenosného počítača"});
#endif
    return programs;
}

// A test's name shows the program's file, not its bytes.
void PrintTo(const Program& program, std::ostream* out)
{
    *out << std::string(program.file.begin(), program.file.end());
}

class ProgramResources : public testing::TestWithParam<Program>
{
protected:
    const std::wstring& Path() const
    {
        return GetParam().path;
    }
};

// The version block of the file, as Explorer's Properties read it.
std::vector<char> VersionBlock(const std::wstring& path)
{
    std::vector<char> block(GetFileVersionInfoSizeW(path.c_str(), nullptr));
    if (block.empty() ||
        !GetFileVersionInfoW(path.c_str(), 0, static_cast<DWORD>(block.size()), block.data()))
        return {};
    return block;
}

std::wstring VersionText(std::vector<char>& block, const std::wstring& name)
{
    struct Translation
    {
        WORD language;
        WORD codePage;
    };
    Translation* translations = nullptr;
    UINT size = 0;
    if (!VerQueryValueW(block.data(), L"\\VarFileInfo\\Translation",
                        reinterpret_cast<void**>(&translations), &size) ||
        size != sizeof(Translation))
        return L"(not one translation)";
    wchar_t key[64];
    swprintf(key, 64, L"\\StringFileInfo\\%04x%04x\\", translations->language,
             translations->codePage);
    wchar_t* text = nullptr;
    if (!VerQueryValueW(block.data(), (key + name).c_str(), reinterpret_cast<void**>(&text), &size))
        return L"(missing)";
    return text;
}

TEST_P(ProgramResources, VersionNamesTheProductItsVersionAndTheProgram)
{
    std::vector<char> block = VersionBlock(Path());
    ASSERT_FALSE(block.empty()) << "no version resource";
    VS_FIXEDFILEINFO* fixed = nullptr;
    UINT size = 0;
    ASSERT_TRUE(VerQueryValueW(block.data(), L"\\", reinterpret_cast<void**>(&fixed), &size));
    EXPECT_EQ(fixed->dwSignature, 0xFEEF04BDu);
    const DWORD major = MAKELONG(ZVK_VERSION_MINOR, ZVK_VERSION_MAJOR);
    EXPECT_EQ(fixed->dwFileVersionMS, major);
    EXPECT_EQ(fixed->dwProductVersionMS, major);
    EXPECT_EQ(fixed->dwFileType, static_cast<DWORD>(VFT_APP));
    EXPECT_EQ(VersionText(block, L"ProductName"), L"ZVK PC");
    EXPECT_EQ(VersionText(block, L"ProductVersion"), kVersion);
    EXPECT_EQ(VersionText(block, L"FileVersion"), kVersion);
    EXPECT_EQ(VersionText(block, L"OriginalFilename"), GetParam().file);
    EXPECT_EQ(VersionText(block, L"FileDescription"), GetParam().description);
}

BOOL CALLBACK CountName(HMODULE, LPCWSTR, LPWSTR name, LONG_PTR names)
{
    reinterpret_cast<std::vector<ULONG_PTR>*>(names)->push_back(
        IS_INTRESOURCE(name) ? reinterpret_cast<ULONG_PTR>(name) : 0);
    return TRUE;
}

BOOL CALLBACK CountLanguage(HMODULE, LPCWSTR, LPCWSTR, WORD, LONG_PTR count)
{
    ++*reinterpret_cast<int*>(count);
    return TRUE;
}

// One manifest only, the program's own: a second one (the compiler's default manifest, or
// one in another language) would leave which of them Windows takes to chance.
TEST_P(ProgramResources, ManifestIsTheOnlyOneWithTheStartingId)
{
    const HMODULE module = LoadLibraryExW(
        Path().c_str(), nullptr, LOAD_LIBRARY_AS_DATAFILE | LOAD_LIBRARY_AS_IMAGE_RESOURCE);
    ASSERT_NE(module, nullptr);
    std::vector<ULONG_PTR> names;
    EnumResourceNamesW(module, RT_MANIFEST, CountName, reinterpret_cast<LONG_PTR>(&names));
    int languages = 0;
    EnumResourceLanguagesW(module, RT_MANIFEST, MAKEINTRESOURCEW(1), CountLanguage,
                           reinterpret_cast<LONG_PTR>(&languages));
    FreeLibrary(module);
    EXPECT_EQ(names, std::vector<ULONG_PTR>{1}) << "the ids of the manifests";
    EXPECT_EQ(languages, 1);
}

// The manifest as Windows understands it: a misspelt element or namespace is not an error
// there, only a setting that is not made.
class ActivationContext
{
public:
    explicit ActivationContext(const std::wstring& program)
    {
        ACTCTXW context{};
        context.cbSize = sizeof(context);
        context.dwFlags = ACTCTX_FLAG_RESOURCE_NAME_VALID;
        context.lpSource = program.c_str();
        context.lpResourceName = CREATEPROCESS_MANIFEST_RESOURCE_ID;
        m_context = CreateActCtxW(&context);
    }
    ~ActivationContext()
    {
        if (m_context != INVALID_HANDLE_VALUE)
            ReleaseActCtx(m_context);
    }
    ActivationContext(const ActivationContext&) = delete;
    ActivationContext& operator=(const ActivationContext&) = delete;

    bool Made() const
    {
        return m_context != INVALID_HANDLE_VALUE;
    }

    std::wstring WindowsSetting(const wchar_t* name) const
    {
        wchar_t value[64] = L"";
        SIZE_T written = 0;
        if (!QueryActCtxSettingsW(0, m_context,
                                  L"http://schemas.microsoft.com/SMI/2016/WindowsSettings", name,
                                  value, 64, &written))
            return L"(not set)";
        return value;
    }

    ACTCTX_REQUESTED_RUN_LEVEL RunLevel() const
    {
        ACTIVATION_CONTEXT_RUN_LEVEL_INFORMATION level{};
        if (!QueryActCtxW(0, m_context, nullptr, RunlevelInformationInActivationContext, &level,
                          sizeof(level), nullptr))
            return ACTCTX_RUN_LEVEL_NUMBERS;
        return level.RunLevel;
    }

    // The ids of the supported systems. Newer systems give each a field more than the
    // compiler's headers know, so the ids are looked for among the bytes.
    bool SupportsOs(const GUID& os) const
    {
        std::vector<char> information(1024);
        SIZE_T size = 0;
        if (!QueryActCtxW(0, m_context, nullptr, CompatibilityInformationInActivationContext,
                          information.data(), information.size(), &size))
            return false;
        for (std::size_t at = 0; at + sizeof(os) <= size; at += 4) {
            if (std::memcmp(information.data() + at, &os, sizeof(os)) == 0)
                return true;
        }
        return false;
    }

private:
    HANDLE m_context = INVALID_HANDLE_VALUE;
};

TEST_P(ProgramResources, ManifestRunsTheProgramAsAProgramOfWindows10And11)
{
    const ActivationContext context(Path());
    ASSERT_TRUE(context.Made()) << "Windows makes no activation context of the manifest";
    const GUID windows10{
        0x8e0f7a12, 0xbfb3, 0x4fe8, {0xb9, 0xa5, 0x48, 0xfd, 0x50, 0xa1, 0x5a, 0x9a}};
    EXPECT_TRUE(context.SupportsOs(windows10));
    EXPECT_EQ(context.RunLevel(), ACTCTX_RUN_LEVEL_AS_INVOKER);
    EXPECT_EQ(context.WindowsSetting(L"longPathAware"), L"true");
    // What Qt asks Windows for at its start; set here already, Qt's request is refused in
    // silence and the setting stays.
    EXPECT_EQ(context.WindowsSetting(L"dpiAwareness"), L"PerMonitorV2");
}

INSTANTIATE_TEST_SUITE_P(Programs, ProgramResources, testing::ValuesIn(Programs()),
                         [](const testing::TestParamInfo<Program>& program) {
                             const std::wstring& file = program.param.file;
                             return std::string(file.begin(), file.end() - 4);
                         });

} // namespace
