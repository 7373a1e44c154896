#pragma once
// A registry for tests, with the Windows behaviour of the three operations.

#include <map>
#include <string>
#include <vector>

#include "about/Registry.h"

namespace tomira {

// A registry held in memory, with the Windows behaviour of the three
// operations: key and value names without regard to ASCII case, any bytes
// under any type code, ERROR_MORE_DATA with the needed size when the buffer
// is too small. It keeps count of open handles and of the access asked for.
class InMemoryRegistry : public RegistryApi {
public:
    void SetValue(std::int32_t root, const std::string& subKey, const std::string& valueName, std::uint32_t type,
                  std::vector<unsigned char> data);
    void SetText(std::int32_t root, const std::string& subKey, const std::string& valueName, const std::string& text,
                 bool withTerminator = true);
    void SetDword(std::int32_t root, const std::string& subKey, const std::string& valueName, std::uint32_t value);
    // Creates a key without values.
    void AddKey(std::int32_t root, const std::string& subKey);
    // Opening this key with any access beyond `allowedAccess` is denied,
    // as for a user who may only read it.
    void RestrictAccess(std::int32_t root, const std::string& subKey, std::uint32_t allowedAccess);

    RegStatus OpenKey(RegKey root, const std::string& subKey, std::uint32_t options, std::uint32_t access,
                      RegKey& key) override;
    RegStatus QueryValue(RegKey key, const std::string& valueName, std::uint32_t& type, unsigned char* data,
                         std::uint32_t& size) override;
    void CloseKey(RegKey key) override;

    // Handles opened and not yet closed.
    std::size_t OpenHandles() const { return open_.size(); }
    // Closes of handles that were not open.
    int badCloses = 0;
    // Every access mask asked for, in order.
    std::vector<std::uint32_t> accessRequested;

private:
    struct Value {
        std::uint32_t type;
        std::vector<unsigned char> data;
    };
    struct Key {
        std::map<std::string, Value> values;
        std::uint32_t allowedAccess = 0xFFFFFFFFu;
    };
    static std::string Fold(std::string text);
    Key& KeyAt(std::int32_t root, const std::string& subKey);

    std::map<std::pair<RegKey, std::string>, Key> keys_;
    std::map<RegKey, const Key*> open_;
    RegKey nextHandle_ = 0x1000;
};

}  // namespace tomira
