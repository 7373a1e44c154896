#include "about/SystemTools.h"

#ifdef _WIN32
#include <windows.h>

#include <algorithm>
#include <cctype>

#include "about/AnsiText.h"
#else
#include <sys/stat.h>
#endif

namespace tomira {

namespace {

#ifdef _WIN32

class WindowsFileProbe : public FileProbe {
public:
    bool IsOrdinaryFile(const std::string& path) override
    {
        if (path.empty()) {
            return false;
        }
        const DWORD attributes = GetFileAttributesW(WideFromUtf8(path).c_str());
        if (attributes == INVALID_FILE_ATTRIBUTES) {
            return false;
        }
        return (attributes & (FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM | FILE_ATTRIBUTE_DIRECTORY)) == 0;
    }
};

// CreateProcess hands batch files to the command interpreter on its own;
// Windows ignores trailing dots and blanks of a file name.
bool NamesBatchFile(std::string path)
{
    while (!path.empty() && (path.back() == '.' || path.back() == ' ')) {
        path.pop_back();
    }
    if (path.size() < 4) {
        return false;
    }
    std::string extension = path.substr(path.size() - 4);
    std::transform(extension.begin(), extension.end(), extension.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    return extension == ".bat" || extension == ".cmd";
}

class WindowsProgramStarter : public ProgramStarter {
public:
    bool Start(const std::string& path) override
    {
        // One program image, named in full: no shell, no command
        // interpreter, no arguments, nothing split off at a blank.
        if (path.empty() || path.find('"') != std::string::npos || NamesBatchFile(path)) {
            return false;
        }
        const std::wstring application = WideFromUtf8(path);
        DWORD binaryType = 0;
        if (!GetBinaryTypeW(application.c_str(), &binaryType) ||
            (binaryType != SCS_32BIT_BINARY && binaryType != SCS_64BIT_BINARY)) {
            return false;
        }
        // The program sees its own quoted path as its whole command line.
        std::wstring commandLine = L"\"" + application + L"\"";
        STARTUPINFOW startup{};
        startup.cb = sizeof startup;
        startup.dwFlags = STARTF_USESHOWWINDOW;
        startup.wShowWindow = SW_SHOWNORMAL;
        PROCESS_INFORMATION process{};
        if (!CreateProcessW(application.c_str(), commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr,
                            &startup, &process)) {
            return false;
        }
        // Its window may come to the front; nobody waits for it.
        AllowSetForegroundWindow(process.dwProcessId);
        CloseHandle(process.hThread);
        CloseHandle(process.hProcess);
        return true;
    }
};

#else

// Hidden files begin with a dot.
class PosixFileProbe : public FileProbe {
public:
    bool IsOrdinaryFile(const std::string& path) override
    {
        const std::size_t slash = path.find_last_of('/');
        const std::string name = slash == std::string::npos ? path : path.substr(slash + 1);
        if (name.empty() || name.front() == '.') {
            return false;
        }
        struct stat status {};
        return stat(path.c_str(), &status) == 0 && S_ISREG(status.st_mode);
    }
};

// No system information tool is registered here, so there is nothing that
// could be started.
class NoProgramStarter : public ProgramStarter {
public:
    bool Start(const std::string&) override { return false; }
};

#endif

}  // namespace

#ifdef _WIN32
std::unique_ptr<FileProbe> MakeSystemFileProbe() { return std::make_unique<WindowsFileProbe>(); }
std::unique_ptr<ProgramStarter> MakeSystemProgramStarter() { return std::make_unique<WindowsProgramStarter>(); }
#else
std::unique_ptr<FileProbe> MakeSystemFileProbe() { return std::make_unique<PosixFileProbe>(); }
std::unique_ptr<ProgramStarter> MakeSystemProgramStarter() { return std::make_unique<NoProgramStarter>(); }
#endif

}  // namespace tomira
