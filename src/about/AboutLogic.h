#pragma once
// The About box's own logic: the texts it sets on load, the registry
// lookup and the start of the system information tool. Plain C++; the
// operating system comes in through small interfaces so that every branch
// can run without it.

#include <cstdint>
#include <memory>
#include <string>

#include "about/Registry.h"
#include "state/MessageService.h"

namespace tomira {

// Where the system information tool is registered.
inline constexpr const char* kSysInfoPathKey = "SOFTWARE\\Microsoft\\Shared Tools\\MSINFO";
inline constexpr const char* kSysInfoPathValue = "PATH";
inline constexpr const char* kSysInfoLocationKey = "SOFTWARE\\Microsoft\\Shared Tools Location";
inline constexpr const char* kSysInfoLocationValue = "MSINFO";
inline constexpr const char* kSysInfoFileName = "\\MSINFO32.EXE";
// The size of the buffer a registry value is read into.
inline constexpr std::uint32_t kKeyValueBufferSize = 1024;
inline constexpr const char* kSysInfoUnavailable = "現時点ではｼｽﾃﾑ情報を使用できません";

// Whether a path names an existing ordinary file: not hidden, not a system
// file, not a folder.
class FileProbe {
public:
    virtual ~FileProbe() = default;
    virtual bool IsOrdinaryFile(const std::string& path) = 0;
};

// Starts a program from its full path, with no arguments, in a normal
// window that receives the focus, without waiting for it. False when it
// cannot be started.
class ProgramStarter {
public:
    virtual ~ProgramStarter() = default;
    virtual bool Start(const std::string& path) = 0;
};

// The file test and program start of the system the program runs on.
std::unique_ptr<FileProbe> MakeSystemFileProbe();
std::unique_ptr<ProgramStarter> MakeSystemProgramStarter();

// The texts of the About box.
struct AboutTexts {
    std::string caption;
    std::string version;
    // Three lines joined by CR LF.
    std::string title;
};
inline constexpr const char* kAboutDesignCaption = "ﾊﾞｰｼﾞｮﾝ情報";
inline constexpr const char* kAboutDescription =
    "このプログラムは、アユルヴェーダの体質を判定します。各質問にお答えいただくだけで、簡単に体質がわかるようになります"
    "。";
inline constexpr const char* kAboutDisclaimer =
    "判定の結果は体質の目安であり、医師の診断に代わるものではありません。"
    "健康に不安のある方は医師にご相談ください。";
// What the Load handler sets, in this order: caption, version, title.
AboutTexts LoadAboutTexts();

class AboutLogic {
public:
    AboutLogic(RegistryApi& registry, FileProbe& files, ProgramStarter& starter, MessageService& messages)
        : registry_(registry), files_(files), starter_(starter), messages_(messages)
    {
    }

    // Reads the value `SubKeyRef` of the key `KeyName` under `KeyRoot`
    // into `KeyVal`. True when the value was read: text (REG_SZ) gives its
    // text, a number (REG_DWORD) "&h" and eight hexadecimal digits, any
    // other type leaves `KeyVal` as it was. False, with `KeyVal` empty,
    // when the key or the value is missing or the data is over 1024 bytes.
    bool GetKeyValue(const std::int32_t& KeyRoot, const std::string& KeyName, const std::string& SubKeyRef,
                     std::string& KeyVal);

    // Finds the system information tool through the registry and starts
    // it; where that fails in any way, says that it is not available.
    void StartSysInfo();

private:
    bool FindAndStart();

    RegistryApi& registry_;
    FileProbe& files_;
    ProgramStarter& starter_;
    MessageService& messages_;
};

}  // namespace tomira
