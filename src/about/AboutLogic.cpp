#include "about/AboutLogic.h"

#include <algorithm>
#include <string_view>
#include <vector>

#include "about/AboutTexts.h"
#include "about/AnsiText.h"
#include "state/AppText.h"

namespace tomira {

namespace {

// Closes an opened key when the lookup ends, also by an exception.
class KeyCloser {
public:
    KeyCloser(RegistryApi& registry, RegKey key) : registry_(registry), key_(key) {}
    KeyCloser(const KeyCloser&) = delete;
    KeyCloser& operator=(const KeyCloser&) = delete;
    ~KeyCloser()
    {
        try {
            registry_.CloseKey(key_);
        } catch (...) {
            // The result of closing is of no interest, nor is its failure.
        }
    }

private:
    RegistryApi& registry_;
    RegKey key_;
};

std::string DwordText(const std::vector<unsigned char>& data)
{
    // Little-endian bytes; a shorter value counts its missing bytes as 0.
    std::uint32_t value = 0;
    for (std::size_t i = 0; i < std::min<std::size_t>(data.size(), 4); ++i) {
        value |= static_cast<std::uint32_t>(data[i]) << (8 * i);
    }
    static constexpr char kDigits[] = "0123456789ABCDEF";
    std::string text = "&h";
    for (int shift = 28; shift >= 0; shift -= 4) {
        text += kDigits[(value >> shift) & 0xF];
    }
    return text;
}

}  // namespace

bool AboutLogic::GetKeyValue(const std::int32_t& KeyRoot, const std::string& KeyName, const std::string& SubKeyRef,
                             std::string& KeyVal)
{
    const RegKey root = RootKey(KeyRoot);
    const std::string keyName = AnsiFromUtf8(KeyName);
    const std::string valueName = AnsiFromUtf8(SubKeyRef);

    RegKey key = 0;
    RegStatus status = registry_.OpenKey(root, keyName, 0, kKeyQueryAndWrite, key);
    if (status == kErrorAccessDenied) {
        // Only administrators may write below HKEY_LOCAL_MACHINE; everyone
        // else may still read the value, and reading is all this needs.
        status = registry_.OpenKey(root, keyName, 0, kKeyRead, key);
    }
    if (status != kErrorSuccess) {
        KeyVal.clear();
        return false;
    }
    const KeyCloser closer(registry_, key);

    std::vector<unsigned char> buffer(kKeyValueBufferSize, 0);
    std::uint32_t size = kKeyValueBufferSize;
    std::uint32_t type = 0;
    if (registry_.QueryValue(key, valueName, type, buffer.data(), size) != kErrorSuccess) {
        KeyVal.clear();
        return false;
    }
    buffer.resize(std::min(size, kKeyValueBufferSize));

    switch (type) {
    case kRegSz:
        // Only a final terminator goes; a text stored without one is whole.
        if (!buffer.empty() && buffer.back() == 0) {
            buffer.pop_back();
        }
        KeyVal = Utf8FromAnsi(std::string_view(reinterpret_cast<const char*>(buffer.data()), buffer.size()));
        break;
    case kRegDword:
        KeyVal = DwordText(buffer);
        break;
    default:
        break;
    }
    return true;
}

bool AboutLogic::FindAndStart()
{
    std::string path;
    if (GetKeyValue(kHKeyLocalMachine, kSysInfoPathKey, kSysInfoPathValue, path)) {
        // The full path is used as read; the start shows whether it exists.
        return starter_.Start(path);
    }
    if (!GetKeyValue(kHKeyLocalMachine, kSysInfoLocationKey, kSysInfoLocationValue, path)) {
        return false;
    }
    path += kSysInfoFileName;
    return files_.IsOrdinaryFile(path) && starter_.Start(path);
}

void AboutLogic::StartSysInfo()
{
    bool started = false;
    try {
        started = FindAndStart();
    } catch (...) {
        // Whatever failed, in the lookups, the file test or the start, the
        // user hears only that the tool is not available.
        started = false;
    }
    if (!started) {
        try {
            messages_.ShowMessage(kSysInfoUnavailable, kApplicationTitle, MessageIcon::None);
        } catch (...) {
            // Nothing is left to tell the user with; the About box stays.
        }
    }
}

}  // namespace tomira
