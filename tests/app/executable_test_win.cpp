// The program file itself, as it ships: read back from the built 32-bit exe.
#include <windows.h>

#include <gtest/gtest.h>

#include <cstring>
#include <set>
#include <sstream>
#include <string>
#include <vector>

#include "support/windows_win.h"

// tests/data/imports.txt
extern const char* const kImportsText;

namespace {

// The build passes the folder of the shipped programs on this machine; Wine
// shows the Unix file system as drive Z:.
std::wstring ReleasePath(const wchar_t* name) {
    std::string folder = CORVALIN_RELEASE_BIN;
    std::wstring windows = folder.rfind('/', 0) == 0 ? L"Z:" : L"";
    for (char c : folder) windows += c == '/' ? L'\\' : static_cast<wchar_t>(c);
    return windows + L"\\" + name;
}

// Resource types by number: the RT_ names are narrow in this build.
const LPCWSTR kIcon = MAKEINTRESOURCEW(3);
const LPCWSTR kIconGroup = MAKEINTRESOURCEW(14);
const LPCWSTR kManifest = MAKEINTRESOURCEW(24);

const IMAGE_NT_HEADERS32* Headers(const std::vector<char>& bytes) {
    const auto* dos = reinterpret_cast<const IMAGE_DOS_HEADER*>(bytes.data());
    return reinterpret_cast<const IMAGE_NT_HEADERS32*>(bytes.data() + dos->e_lfanew);
}

// "PROGRAM DLL FUNCTION" for each function that a PE32 file imports by name.
std::set<std::string> Imports(const char* program, const std::vector<char>& bytes) {
    const IMAGE_NT_HEADERS32* nt = Headers(bytes);
    const auto* sections = IMAGE_FIRST_SECTION(nt);
    auto at = [&](DWORD rva) {
        for (WORD i = 0; i < nt->FileHeader.NumberOfSections; ++i) {
            const IMAGE_SECTION_HEADER& section = sections[i];
            if (rva >= section.VirtualAddress && rva < section.VirtualAddress + section.SizeOfRawData) {
                return bytes.data() + (rva - section.VirtualAddress + section.PointerToRawData);
            }
        }
        return bytes.data();
    };
    std::set<std::string> imports;
    DWORD rva = nt->OptionalHeader.DataDirectory[IMAGE_DIRECTORY_ENTRY_IMPORT].VirtualAddress;
    for (auto* dll = reinterpret_cast<const IMAGE_IMPORT_DESCRIPTOR*>(at(rva)); dll->Name != 0; ++dll) {
        for (auto* thunk = reinterpret_cast<const IMAGE_THUNK_DATA32*>(at(dll->OriginalFirstThunk));
             thunk->u1.AddressOfData != 0; ++thunk) {
            const char* name = IMAGE_SNAP_BY_ORDINAL32(thunk->u1.Ordinal)
                                   ? "<by ordinal>"
                                   : reinterpret_cast<const IMAGE_IMPORT_BY_NAME*>(at(thunk->u1.AddressOfData))->Name;
            imports.insert(std::string(program) + " " + at(dll->Name) + " " + name);
        }
    }
    return imports;
}

class ExecutableTest : public ::testing::Test {
protected:
    void SetUp() override {
        module_ = LoadLibraryExW(ReleasePath(L"CorvalinCalc.exe").c_str(), nullptr, LOAD_LIBRARY_AS_DATAFILE);
        ASSERT_NE(module_, nullptr) << "cannot read the shipped CorvalinCalc.exe in " << CORVALIN_RELEASE_BIN;
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

TEST(Executable, ProgramsAre32BitAndImportOnlyWhatWindowsXpHas) {
    std::istringstream listed(kImportsText);
    std::set<std::string> expected, imported;
    for (std::string line; std::getline(listed, line);) {
        if (!line.empty() && line[0] != '#') expected.insert(line);
    }
    const std::pair<const char*, WORD> programs[] = {{"CorvalinCalc.exe", IMAGE_SUBSYSTEM_WINDOWS_GUI},
                                                     {"corvalin-calc.exe", IMAGE_SUBSYSTEM_WINDOWS_CUI}};
    for (const auto& [program, subsystem] : programs) {
        const std::vector<char> bytes = FileBytes(ReleasePath(std::wstring(program, program + strlen(program)).c_str()));
        ASSERT_GT(bytes.size(), 4096u) << program;
        const IMAGE_NT_HEADERS32* nt = Headers(bytes);
        ASSERT_EQ(nt->Signature, IMAGE_NT_SIGNATURE);
        EXPECT_EQ(nt->FileHeader.Machine, IMAGE_FILE_MACHINE_I386);
        EXPECT_EQ(nt->FileHeader.TimeDateStamp, 0u) << "a build must not depend on the time";
        EXPECT_EQ(nt->OptionalHeader.Magic, IMAGE_NT_OPTIONAL_HDR32_MAGIC);
        EXPECT_EQ(nt->OptionalHeader.Subsystem, subsystem);
        const std::set<std::string> imports = Imports(program, bytes);
        imported.insert(imports.begin(), imports.end());
    }
    for (const std::string& entry : imported) EXPECT_TRUE(expected.count(entry)) << "not reviewed: " << entry;
    for (const std::string& entry : expected) EXPECT_TRUE(imported.count(entry)) << "no longer imported: " << entry;
}

TEST_F(ExecutableTest, IconGroup100HoldsOne16By16ImageIn16Colours) {
    // Reserved, type 1 (icon), one entry: 16 x 16, 16 colours, one plane,
    // 4 bits a pixel, 296 bytes, in icon resource 1.
    const char group[] = "\0\0\1\0\1\0\x10\x10\x10\0\1\0\4\0\x28\1\0\0\1\0";
    EXPECT_EQ(Resource(kIconGroup, 100), std::string(group, sizeof group - 1));
    EXPECT_EQ(Resource(kIcon, 1).size(), 296u);
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
    const std::wstring path = ReleasePath(L"CorvalinCalc.exe");
    DWORD ignored = 0;
    std::vector<char> info(GetFileVersionInfoSizeW(path.c_str(), &ignored));
    ASSERT_FALSE(info.empty());
    ASSERT_TRUE(GetFileVersionInfoW(path.c_str(), 0, static_cast<DWORD>(info.size()), info.data()));

    // The fixed part: signature, structure version, file version 1.0.0.0,
    // product version 0.0.0.0, flags mask 0x3F, flags 0, VOS__WINDOWS32,
    // VFT_APP, subtype 0 and date 0.
    VS_FIXEDFILEINFO* fixed = nullptr;
    UINT length = 0;
    ASSERT_TRUE(VerQueryValueW(info.data(), L"\\", reinterpret_cast<void**>(&fixed), &length));
    const DWORD expected[] = {0xFEEF04BD, 0x10000, 0x10000, 0, 0, 0, 0x3F, 0, VOS__WINDOWS32, VFT_APP, 0, 0, 0};
    ASSERT_EQ(length, sizeof expected);
    EXPECT_EQ(std::memcmp(fixed, expected, sizeof expected), 0);
    WORD* translation = nullptr;
    ASSERT_TRUE(VerQueryValueW(info.data(), L"\\VarFileInfo\\Translation", reinterpret_cast<void**>(&translation),
                               &length));
    EXPECT_EQ(std::vector<WORD>(translation, translation + length / 2), (std::vector<WORD>{0x0409, 0x04B0}));
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
