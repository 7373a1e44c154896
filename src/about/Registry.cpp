// The registry of the system: Windows's, through advapi32's ANSI functions;
// elsewhere none.
#include "about/Registry.h"

#ifdef _WIN32

#include <windows.h>

namespace tomira {

namespace {

// Handles travel as 64-bit integers; the predefined roots are negative
// 32-bit values that Windows sign-extends to pointer width.
HKEY ToHandle(RegKey key) { return reinterpret_cast<HKEY>(static_cast<INT_PTR>(key)); }
RegKey FromHandle(HKEY key) { return static_cast<RegKey>(reinterpret_cast<INT_PTR>(key)); }

class WindowsRegistry : public RegistryApi {
public:
    RegStatus OpenKey(RegKey root, const std::string& subKey, std::uint32_t options, std::uint32_t access,
                      RegKey& key) override
    {
        HKEY opened = nullptr;
        const LONG status = RegOpenKeyExA(ToHandle(root), subKey.c_str(), options, access, &opened);
        key = status == ERROR_SUCCESS ? FromHandle(opened) : 0;
        return status;
    }
    RegStatus QueryValue(RegKey key, const std::string& valueName, std::uint32_t& type, unsigned char* data,
                         std::uint32_t& size) override
    {
        DWORD valueType = 0;
        DWORD valueSize = size;
        const LONG status = RegQueryValueExA(ToHandle(key), valueName.c_str(), nullptr, &valueType, data, &valueSize);
        type = valueType;
        size = valueSize;
        return status;
    }
    void CloseKey(RegKey key) override { RegCloseKey(ToHandle(key)); }
};

}  // namespace

std::unique_ptr<RegistryApi> MakeSystemRegistry() { return std::make_unique<WindowsRegistry>(); }

}  // namespace tomira

#else

namespace tomira {

std::unique_ptr<RegistryApi> MakeSystemRegistry() { return std::make_unique<NoRegistry>(); }

}  // namespace tomira

#endif
