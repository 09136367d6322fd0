// corvalin-calc.exe started with a wide command line, as Explorer and a
// script in any language start it: a file named in any script is read and
// written, and named back in UTF-8.
#include <windows.h>

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "print/files.h"
#include "print/writers.h"
#include "support/calculator_driver_win.h"

namespace {

std::wstring TempPath(const wchar_t* name) {
    wchar_t folder[MAX_PATH];
    const DWORD length = GetTempPathW(MAX_PATH, folder);
    return std::wstring(folder, length) + name;
}

std::string Utf8(const std::wstring& text) {
    const int size = WideCharToMultiByte(CP_UTF8, 0, text.c_str(), -1, nullptr, 0, nullptr, nullptr);
    std::string bytes(size - 1, '\0');
    WideCharToMultiByte(CP_UTF8, 0, text.c_str(), -1, &bytes[0], size, nullptr, nullptr);
    return bytes;
}

TEST(FileNames, AnyScriptsNamesAreReadWrittenAndShownInUtf8) {
    // Latin, Greek and Japanese: no ANSI code page holds them all.
    const std::wstring image = TempPath(L"\u00e9preuve \u03a9 \u65e5\u672c.png");
    const std::wstring print = TempPath(L"tirage \u00e9 \u65e5.tif");
    const std::wstring output = TempPath(L"corvalin-names.txt");
    ScopeExit remove([&] {
        for (const std::wstring* file : {&image, &print, &output}) DeleteFileW(file->c_str());
    });
    std::string error;
    const std::vector<uint8_t> noProfile, row(30, 0x80);
    const std::unique_ptr<RowSink> sink =
        WritePng(OpenFile(Utf8(image), "wb"), {30, 20, {ColorKind::Grey, false, 8}, &noProfile, {72, 1}}, error);
    ASSERT_TRUE(sink) << error;
    for (int y = 0; y < 20; ++y) sink->WriteRow(row.data());
    ASSERT_TRUE(sink->Finish()) << sink->Error();

    SECURITY_ATTRIBUTES inherited = {sizeof inherited, nullptr, TRUE};
    HANDLE out = CreateFileW(output.c_str(), GENERIC_WRITE, FILE_SHARE_READ, &inherited, CREATE_ALWAYS, 0, nullptr);
    ASSERT_NE(out, INVALID_HANDLE_VALUE);
    STARTUPINFOW startup = {};
    startup.cb = sizeof startup;
    startup.dwFlags = STARTF_USESTDHANDLES;
    startup.hStdOutput = startup.hStdError = out;
    std::wstring commandLine = L"\"" + ProgramPath(L"corvalin-calc.exe") + L"\" --print-file \"" + image +
                               L"\" --out \"" + print + L"\" --min-ppi 1 3 2";
    PROCESS_INFORMATION process = {};
    ASSERT_TRUE(CreateProcessW(nullptr, commandLine.data(), nullptr, nullptr, TRUE, 0, nullptr, nullptr, &startup,
                               &process));
    CloseHandle(out);
    DWORD code = STILL_ACTIVE;
    EXPECT_EQ(WaitForSingleObject(process.hProcess, kDeadlineMs), WAIT_OBJECT_0);
    GetExitCodeProcess(process.hProcess, &code);
    CloseHandle(process.hProcess);
    CloseHandle(process.hThread);

    std::string shown;
    HANDLE in = CreateFileW(output.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr);
    char buffer[4096];
    DWORD got = 0;
    while (ReadFile(in, buffer, sizeof buffer, &got, nullptr) && got > 0) shown.append(buffer, got);
    CloseHandle(in);
    EXPECT_EQ(code, 0u) << shown;
    EXPECT_NE(GetFileAttributesW(print.c_str()), INVALID_FILE_ATTRIBUTES) << shown;
    EXPECT_NE(shown.find("Image       " + Utf8(image) + ": 30 x 20 pixels"), std::string::npos) << shown;
    EXPECT_NE(shown.find("Print file  " + Utf8(print) + ": "), std::string::npos) << shown;
}

}  // namespace
