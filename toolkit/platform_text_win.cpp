#include "toolkit/platform_text_win.h"

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

namespace {

// The value's last `count` decimal digits, leading zeros included.
void PutDigits(char* at, int count, unsigned value) {
    for (int i = count - 1; i >= 0; --i, value /= 10) at[i] = static_cast<char>('0' + value % 10);
}

}  // namespace

Text CurrentDateText() {
    SYSTEMTIME now;
    GetLocalTime(&now);
    char date[] = "MM-DD-YYYY";
    PutDigits(date, 2, now.wMonth);
    PutDigits(date + 3, 2, now.wDay);
    PutDigits(date + 6, 4, now.wYear);
    return date;
}

int ShowMessage(const Text& text, const Text& caption, UINT style) {
    Sleep(5);
    return MessageBoxW(nullptr, ToWideText(text).c_str(), ToWideText(caption).c_str(), style);
}
