#pragma once
// The three registry operations the About box relies on, with the status
// codes, handles, types and bytes of the Windows registry's ANSI functions
// (RegOpenKeyExA, RegQueryValueExA, RegCloseKey). Names go in as bytes of
// the system's ANSI code page, data comes back as the raw bytes.

#include <cstdint>
#include <memory>
#include <string>

namespace tomira {

// A Windows status code (LONG); 0 is success.
using RegStatus = std::int32_t;
inline constexpr RegStatus kErrorSuccess = 0;
inline constexpr RegStatus kErrorFileNotFound = 2;
inline constexpr RegStatus kErrorAccessDenied = 5;
inline constexpr RegStatus kErrorInvalidHandle = 6;
inline constexpr RegStatus kErrorMoreData = 234;

// A key handle. The predefined roots are 32-bit values (HKEY_LOCAL_MACHINE
// is 0x80000002); as handles they are sign-extended, as Windows does.
using RegKey = std::int64_t;
inline constexpr std::int32_t kHKeyCurrentUser = static_cast<std::int32_t>(0x80000001u);
inline constexpr std::int32_t kHKeyLocalMachine = static_cast<std::int32_t>(0x80000002u);
constexpr RegKey RootKey(std::int32_t root) { return static_cast<RegKey>(root); }

// Access mask: query value, set value, create subkey, enumerate subkeys,
// notify, create link and read control.
inline constexpr std::uint32_t kKeyQueryAndWrite = 0x2003F;
// Read access only (KEY_READ).
inline constexpr std::uint32_t kKeyRead = 0x20019;

// Registry type codes.
inline constexpr std::uint32_t kRegSz = 1;
inline constexpr std::uint32_t kRegBinary = 3;
inline constexpr std::uint32_t kRegDword = 4;

class RegistryApi {
public:
    virtual ~RegistryApi() = default;
    // RegOpenKeyExA(root, subKey, options, access, &key).
    virtual RegStatus OpenKey(RegKey root, const std::string& subKey, std::uint32_t options, std::uint32_t access,
                              RegKey& key) = 0;
    // RegQueryValueExA(key, valueName, nullptr, &type, data, &size): `size`
    // is the buffer's size on entry and the data's size on return.
    virtual RegStatus QueryValue(RegKey key, const std::string& valueName, std::uint32_t& type, unsigned char* data,
                                 std::uint32_t& size) = 0;
    // RegCloseKey(key); its result is of no interest.
    virtual void CloseKey(RegKey key) = 0;
};

// The registry of the system the program runs on: advapi32 on Windows,
// elsewhere a registry that has no keys at all.
std::unique_ptr<RegistryApi> MakeSystemRegistry();

// For systems without a registry: every key is missing.
class NoRegistry : public RegistryApi {
public:
    RegStatus OpenKey(RegKey, const std::string&, std::uint32_t, std::uint32_t, RegKey& key) override
    {
        key = 0;
        return kErrorFileNotFound;
    }
    RegStatus QueryValue(RegKey, const std::string&, std::uint32_t&, unsigned char*, std::uint32_t&) override
    {
        return kErrorInvalidHandle;
    }
    void CloseKey(RegKey) override {}
};

}  // namespace tomira
