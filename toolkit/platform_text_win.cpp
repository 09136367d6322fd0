#include "toolkit/platform_text_win.h"

#include <cstdio>

// The empty text, like one that cannot be converted, gets a length of 0.
std::wstring ToWideText(const Text& text) {
    const int bytes = static_cast<int>(text.size());
    const int length = MultiByteToWideChar(CP_ACP, MB_PRECOMPOSED, text.data(), bytes, nullptr, 0);
    std::wstring wide(static_cast<size_t>(length), L'\0');
    MultiByteToWideChar(CP_ACP, MB_PRECOMPOSED, text.data(), bytes, wide.data(), length);
    return wide;
}

// The lengths count the terminating zero, which goes where the text keeps
// its own; 0 means the conversion failed.
Text FromWideText(const wchar_t* wide) {
    if (!wide) return Text();
    const int length = WideCharToMultiByte(CP_ACP, 0, wide, -1, nullptr, 0, nullptr, nullptr);
    if (length == 0) return Text();
    Text text(static_cast<size_t>(length - 1), '\0');
    WideCharToMultiByte(CP_ACP, 0, wide, -1, text.data(), length, nullptr, nullptr);
    return text;
}

Text CurrentDateText() {
    SYSTEMTIME now;
    GetLocalTime(&now);
    char date[16];
    int length = std::snprintf(date, sizeof date, "%02u-%02u-%04u", unsigned{now.wMonth},
                               unsigned{now.wDay}, unsigned{now.wYear});
    return Text(date, static_cast<size_t>(length));
}

int ShowMessage(const Text& text, const Text& caption, UINT style) {
    Sleep(5);
    return MessageBoxW(nullptr, ToWideText(text).c_str(), ToWideText(caption).c_str(), style);
}
