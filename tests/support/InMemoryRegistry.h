#pragma once
// A registry in memory acting as Windows' (ERROR_MORE_DATA, access denied); records access masks and open handles.

#include <algorithm>
#include <map>
#include <string>
#include <utility>
#include <vector>

#include "about/Registry.h"

namespace tomira {

class InMemoryRegistry : public RegistryApi {
public:
    void SetValue(std::int32_t root, const std::string& key, const std::string& name, std::uint32_t type,
                  std::vector<unsigned char> data)
    {
        keys_[{RootKey(root), key}].values[name] = {type, std::move(data)};
    }
    void SetText(std::int32_t root, const std::string& key, const std::string& name, const std::string& text)
    {
        std::vector<unsigned char> data(text.begin(), text.end());
        data.push_back(0);
        SetValue(root, key, name, kRegSz, std::move(data));
    }
    // Opening this key with more than `allowed` access is denied.
    void RestrictAccess(std::int32_t root, const std::string& key, std::uint32_t allowed)
    {
        keys_[{RootKey(root), key}].allowed = allowed;
    }

    RegStatus OpenKey(RegKey root, const std::string& subKey, std::uint32_t, std::uint32_t access, RegKey& key) override
    {
        accessRequested.push_back(access);
        key = 0;
        const auto found = keys_.find({root, subKey});
        if (found == keys_.end()) return kErrorFileNotFound;
        if ((access & ~found->second.allowed) != 0) return kErrorAccessDenied;
        key = nextHandle_++;
        open_[key] = &found->second;
        return kErrorSuccess;
    }
    RegStatus QueryValue(RegKey key, const std::string& name, std::uint32_t& type, unsigned char* data,
                         std::uint32_t& size) override
    {
        const auto handle = open_.find(key);
        if (handle == open_.end()) return kErrorInvalidHandle;
        const auto found = handle->second->values.find(name);
        if (found == handle->second->values.end()) return kErrorFileNotFound;
        const auto& [valueType, bytes] = found->second;
        const auto needed = static_cast<std::uint32_t>(bytes.size());
        type = valueType;
        const bool fits = data == nullptr || needed <= size;
        if (data != nullptr && fits) std::copy(bytes.begin(), bytes.end(), data);
        size = needed;
        return fits ? kErrorSuccess : kErrorMoreData;
    }
    void CloseKey(RegKey key) override { badCloses += open_.erase(key) == 0 ? 1 : 0; }

    std::size_t OpenHandles() const { return open_.size(); }
    int badCloses = 0;                           // closes of handles that were not open
    std::vector<std::uint32_t> accessRequested;  // every access mask, in order

private:
    struct Key {
        std::map<std::string, std::pair<std::uint32_t, std::vector<unsigned char>>> values;
        std::uint32_t allowed = 0xFFFFFFFFu;
    };
    std::map<std::pair<RegKey, std::string>, Key> keys_;
    std::map<RegKey, const Key*> open_;
    RegKey nextHandle_ = 0x1000;
};

}  // namespace tomira
