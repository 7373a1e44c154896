// The system information tool's stand-in: records beside itself that it started, with its command line.
#include <windows.h>

#include <cstdio>
#include <string>

int main()
{
    wchar_t self[MAX_PATH];
    const DWORD length = GetModuleFileNameW(nullptr, self, MAX_PATH);
    if (length == 0 || length >= MAX_PATH) return 1;
    const std::wstring record = std::wstring(self) + L".started";
    const std::wstring partial = record + L".part";
    FILE* file = _wfopen(partial.c_str(), L"wb");
    if (file == nullptr) return 1;
    char utf8[4096] = {};
    WideCharToMultiByte(CP_UTF8, 0, GetCommandLineW(), -1, utf8, sizeof utf8 - 1, nullptr, nullptr);
    std::fprintf(file, "commandline=%s\n", utf8);
    std::fclose(file);
    // The test sees the record whole or not at all.
    return MoveFileExW(partial.c_str(), record.c_str(), MOVEFILE_REPLACE_EXISTING) ? 0 : 1;
}
