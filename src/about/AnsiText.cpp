#include "about/AnsiText.h"

#ifdef _WIN32
#include <windows.h>
#endif

namespace tomira {

#ifdef _WIN32

namespace {

std::wstring Widen(std::string_view text, UINT codePage)
{
    if (text.empty()) {
        return {};
    }
    const int length = MultiByteToWideChar(codePage, 0, text.data(), static_cast<int>(text.size()), nullptr, 0);
    if (length <= 0) {
        return {};
    }
    std::wstring wide(static_cast<std::size_t>(length), L'\0');
    MultiByteToWideChar(codePage, 0, text.data(), static_cast<int>(text.size()), wide.data(), length);
    return wide;
}

std::string Narrow(std::wstring_view wide, UINT codePage)
{
    if (wide.empty()) {
        return {};
    }
    const int length =
        WideCharToMultiByte(codePage, 0, wide.data(), static_cast<int>(wide.size()), nullptr, 0, nullptr, nullptr);
    if (length <= 0) {
        return {};
    }
    std::string narrow(static_cast<std::size_t>(length), '\0');
    WideCharToMultiByte(codePage, 0, wide.data(), static_cast<int>(wide.size()), narrow.data(), length, nullptr,
                        nullptr);
    return narrow;
}

}  // namespace

std::string AnsiFromUtf8(std::string_view utf8) { return Narrow(Widen(utf8, CP_UTF8), CP_ACP); }

std::string Utf8FromAnsi(std::string_view ansi) { return Narrow(Widen(ansi, CP_ACP), CP_UTF8); }

std::wstring WideFromUtf8(std::string_view utf8) { return Widen(utf8, CP_UTF8); }

std::string Utf8FromWide(std::wstring_view wide) { return Narrow(wide, CP_UTF8); }

#else

std::string AnsiFromUtf8(std::string_view utf8) { return std::string(utf8); }

std::string Utf8FromAnsi(std::string_view ansi) { return std::string(ansi); }

#endif

}  // namespace tomira
