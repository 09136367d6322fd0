// The program file itself, as it ships: read back from the built 32-bit exe.
#include <windows.h>

#include <gtest/gtest.h>

#include <fstream>
#include <iterator>
#include <string>
#include <vector>

namespace {

// The build passes the product's path on this machine; Wine shows the
// Unix file system as drive Z:.
std::wstring ProductPath() {
    std::string path = CORVALIN_PRODUCT_EXE;
    std::wstring windows = path.rfind('/', 0) == 0 ? L"Z:" : L"";
    for (char c : path) windows += c == '/' ? L'\\' : static_cast<wchar_t>(c);
    return windows;
}

std::vector<char> FileBytes(const std::wstring& path) {
    HANDLE file = CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr);
    std::vector<char> bytes;
    if (file == INVALID_HANDLE_VALUE) return bytes;
    bytes.resize(GetFileSize(file, nullptr));
    DWORD read = 0;
    ReadFile(file, bytes.data(), static_cast<DWORD>(bytes.size()), &read, nullptr);
    CloseHandle(file);
    return bytes;
}

// Resource types by number: the RT_ names are narrow in this build.
const LPCWSTR kIcon = MAKEINTRESOURCEW(3);
const LPCWSTR kIconGroup = MAKEINTRESOURCEW(14);
const LPCWSTR kManifest = MAKEINTRESOURCEW(24);

// The names in the import table of a PE32 file.
std::vector<std::string> ImportedDlls(const std::vector<char>& bytes) {
    const auto* dos = reinterpret_cast<const IMAGE_DOS_HEADER*>(bytes.data());
    const auto* nt = reinterpret_cast<const IMAGE_NT_HEADERS32*>(bytes.data() + dos->e_lfanew);
    const auto* sections = IMAGE_FIRST_SECTION(nt);
    auto offsetOf = [&](DWORD rva) -> size_t {
        for (WORD i = 0; i < nt->FileHeader.NumberOfSections; ++i) {
            const IMAGE_SECTION_HEADER& section = sections[i];
            if (rva >= section.VirtualAddress && rva < section.VirtualAddress + section.SizeOfRawData) {
                return rva - section.VirtualAddress + section.PointerToRawData;
            }
        }
        return 0;
    };
    std::vector<std::string> names;
    DWORD rva = nt->OptionalHeader.DataDirectory[IMAGE_DIRECTORY_ENTRY_IMPORT].VirtualAddress;
    for (auto* entry = reinterpret_cast<const IMAGE_IMPORT_DESCRIPTOR*>(bytes.data() + offsetOf(rva));
         entry->Name != 0; ++entry) {
        names.emplace_back(bytes.data() + offsetOf(entry->Name));
    }
    return names;
}

class ExecutableTest : public ::testing::Test {
protected:
    void SetUp() override {
        module_ = LoadLibraryExW(ProductPath().c_str(), nullptr, LOAD_LIBRARY_AS_DATAFILE);
        ASSERT_NE(module_, nullptr) << "cannot read " << CORVALIN_PRODUCT_EXE;
    }
    void TearDown() override { FreeLibrary(module_); }

    std::string Resource(LPCWSTR type, int id) {
        HRSRC found = FindResourceExW(module_, type, MAKEINTRESOURCEW(id), MAKELANGID(LANG_ENGLISH, SUBLANG_ENGLISH_US));
        if (!found) return std::string();
        const char* data = static_cast<const char*>(LockResource(LoadResource(module_, found)));
        return std::string(data, SizeofResource(module_, found));
    }
    HMODULE module_ = nullptr;
};

TEST(Executable, IsA32BitGuiProgramWithoutRuntimeLibraries) {
    const std::vector<char> bytes = FileBytes(ProductPath());
    ASSERT_GT(bytes.size(), 4096u);
    const auto* dos = reinterpret_cast<const IMAGE_DOS_HEADER*>(bytes.data());
    ASSERT_EQ(dos->e_magic, IMAGE_DOS_SIGNATURE);
    const auto* nt = reinterpret_cast<const IMAGE_NT_HEADERS32*>(bytes.data() + dos->e_lfanew);
    ASSERT_EQ(nt->Signature, IMAGE_NT_SIGNATURE);
    EXPECT_EQ(nt->FileHeader.Machine, IMAGE_FILE_MACHINE_I386);
    EXPECT_EQ(nt->OptionalHeader.Magic, IMAGE_NT_OPTIONAL_HDR32_MAGIC);
    EXPECT_EQ(nt->OptionalHeader.Subsystem, IMAGE_SUBSYSTEM_WINDOWS_GUI);
    // Only the system's own DLLs: nothing from the compiler beside the exe.
    const std::vector<std::string> dlls = ImportedDlls(bytes);
    EXPECT_GE(dlls.size(), 3u);
    for (const std::string& dll : dlls) {
        EXPECT_NE(dll.rfind("lib", 0), 0u) << dll;
    }
}

TEST_F(ExecutableTest, IconGroup100HoldsOne16By16ImageIn16Colours) {
#pragma pack(push, 2)
    struct IconGroupEntry {
        BYTE width, height, colours, reserved;
        WORD planes, bitCount;
        DWORD bytes;
        WORD id;
    };
    struct IconGroup {
        WORD reserved, type, count;
        IconGroupEntry entries[1];
    };
#pragma pack(pop)
    const std::string group = Resource(kIconGroup, 100);
    ASSERT_EQ(group.size(), sizeof(IconGroup));
    const auto* icon = reinterpret_cast<const IconGroup*>(group.data());
    EXPECT_EQ(icon->type, 1);
    ASSERT_EQ(icon->count, 1);
    EXPECT_EQ(icon->entries[0].width, 16);
    EXPECT_EQ(icon->entries[0].height, 16);
    EXPECT_EQ(icon->entries[0].colours, 16);
    EXPECT_EQ(icon->entries[0].planes, 1);
    EXPECT_EQ(icon->entries[0].bitCount, 4);
    EXPECT_EQ(icon->entries[0].bytes, 296u);
    EXPECT_EQ(Resource(kIcon, icon->entries[0].id).size(), 296u);
}

TEST_F(ExecutableTest, ManifestAsksForCommonControls6AndNothingElse) {
    const std::string manifest = Resource(kManifest, 1);
    ASSERT_FALSE(manifest.empty());
    EXPECT_EQ(manifest.rfind("<?xml version=\"1.0\" encoding=\"UTF-8\" standalone=\"yes\"?>", 0), 0u);
    for (const char* wanted :
         {"xmlns=\"urn:schemas-microsoft-com:asm.v1\" manifestVersion=\"1.0\"",
          "<assemblyIdentity name=\"CorvalinCalc.exe\" processorArchitecture=\"x86\" version=\"0.0.0.0\" "
          "type=\"win32\"/>",
          "<assemblyIdentity name=\"Microsoft.Windows.Common-Controls\" version=\"6.0.0.0\" "
          "processorArchitecture=\"x86\" publicKeyToken=\"6595b64144ccf1df\" language=\"*\" type=\"win32\"/>"}) {
        EXPECT_NE(manifest.find(wanted), std::string::npos) << wanted;
    }
    for (const char* unwanted : {"trustInfo", "requestedExecutionLevel", "dpiAware", "compatibility"}) {
        EXPECT_EQ(manifest.find(unwanted), std::string::npos) << unwanted;
    }
}

TEST(Executable, VersionRecordNamesTheProductAndTheMaker) {
    const std::wstring path = ProductPath();
    DWORD ignored = 0;
    std::vector<char> info(GetFileVersionInfoSizeW(path.c_str(), &ignored));
    ASSERT_FALSE(info.empty());
    ASSERT_TRUE(GetFileVersionInfoW(path.c_str(), 0, static_cast<DWORD>(info.size()), info.data()));

    VS_FIXEDFILEINFO* fixed = nullptr;
    UINT length = 0;
    ASSERT_TRUE(VerQueryValueW(info.data(), L"\\", reinterpret_cast<void**>(&fixed), &length));
    EXPECT_EQ(fixed->dwFileVersionMS, 0x00010000u);
    EXPECT_EQ(fixed->dwFileVersionLS, 0u);
    EXPECT_EQ(fixed->dwProductVersionMS, 0u);
    EXPECT_EQ(fixed->dwProductVersionLS, 0u);
    EXPECT_EQ(fixed->dwFileFlagsMask, 0x3Fu);
    EXPECT_EQ(fixed->dwFileFlags, 0u);
    EXPECT_EQ(fixed->dwFileOS, static_cast<DWORD>(VOS__WINDOWS32));
    EXPECT_EQ(fixed->dwFileType, static_cast<DWORD>(VFT_APP));
    EXPECT_EQ(fixed->dwFileSubtype, 0u);

    WORD* translation = nullptr;
    ASSERT_TRUE(VerQueryValueW(info.data(), L"\\VarFileInfo\\Translation", reinterpret_cast<void**>(&translation),
                               &length));
    ASSERT_EQ(length, 4u);
    EXPECT_EQ(translation[0], 0x0409);
    EXPECT_EQ(translation[1], 0x04B0);

    const std::pair<const wchar_t*, const wchar_t*> strings[] = {
        {L"Comments", L"Additional info"},
        {L"CompanyName", L"Maplestead, Inc."},
        {L"FileDescription", L"Corvalin Calculator"},
        {L"FileVersion", L"1.0"},
        {L"ProductVersion", L"1.0"},
        {L"LegalCopyright", L"Copyright (c) 2017 Maplestead, Inc."},
        {L"ProductName", L"Corvalin Calculator"},
    };
    for (const auto& [key, value] : strings) {
        wchar_t* found = nullptr;
        std::wstring query = std::wstring(L"\\StringFileInfo\\040904B0\\") + key;
        ASSERT_TRUE(VerQueryValueW(info.data(), query.c_str(), reinterpret_cast<void**>(&found), &length));
        EXPECT_STREQ(found, value);
    }
}

}  // namespace
