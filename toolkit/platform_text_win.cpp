#include "toolkit/platform_text_win.h"

#include <climits>
#include <cstdio>

std::wstring ToWideText(const Text& text) {
    if (text.empty() || text.size() > INT_MAX) return std::wstring();
    const int bytes = static_cast<int>(text.size());
    int length = MultiByteToWideChar(CP_ACP, MB_PRECOMPOSED, text.data(), bytes, nullptr, 0);
    if (length <= 0) return std::wstring();
    std::wstring wide(static_cast<size_t>(length), L'\0');
    length = MultiByteToWideChar(CP_ACP, MB_PRECOMPOSED, text.data(), bytes, wide.data(), length);
    if (length <= 0) return std::wstring();
    wide.resize(static_cast<size_t>(length));
    return wide;
}

Text FromWideText(const wchar_t* wide) {
    if (!wide || !*wide) return Text();
    int length = WideCharToMultiByte(CP_ACP, 0, wide, -1, nullptr, 0, nullptr, nullptr);
    if (length <= 1) return Text();
    Text text(static_cast<size_t>(length), '\0');
    length = WideCharToMultiByte(CP_ACP, 0, wide, -1, text.data(), length, nullptr, nullptr);
    if (length <= 1) return Text();
    text.resize(static_cast<size_t>(length) - 1);  // without the terminating zero
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
