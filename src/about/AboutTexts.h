#pragma once
// The About box's words and where it looks for the system information
// tool.

#include <cstdint>
#include <string>

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

}  // namespace tomira
