#include "support/InMemoryRegistry.h"

#include <algorithm>

namespace tomira {

std::string InMemoryRegistry::Fold(std::string text)
{
    // The registry compares names without case; ASCII is enough here.
    for (char& c : text) {
        if (c >= 'a' && c <= 'z') {
            c = static_cast<char>(c - 'a' + 'A');
        }
    }
    return text;
}

InMemoryRegistry::Key& InMemoryRegistry::KeyAt(std::int32_t root, const std::string& subKey)
{
    return keys_[{RootKey(root), Fold(subKey)}];
}

void InMemoryRegistry::SetValue(std::int32_t root, const std::string& subKey, const std::string& valueName,
                                std::uint32_t type, std::vector<unsigned char> data)
{
    KeyAt(root, subKey).values[Fold(valueName)] = Value{type, std::move(data)};
}

void InMemoryRegistry::SetText(std::int32_t root, const std::string& subKey, const std::string& valueName,
                               const std::string& text, bool withTerminator)
{
    std::vector<unsigned char> data(text.begin(), text.end());
    if (withTerminator) {
        data.push_back(0);
    }
    SetValue(root, subKey, valueName, kRegSz, std::move(data));
}

void InMemoryRegistry::SetDword(std::int32_t root, const std::string& subKey, const std::string& valueName,
                                std::uint32_t value)
{
    SetValue(root, subKey, valueName, kRegDword,
             {static_cast<unsigned char>(value), static_cast<unsigned char>(value >> 8),
              static_cast<unsigned char>(value >> 16), static_cast<unsigned char>(value >> 24)});
}

void InMemoryRegistry::AddKey(std::int32_t root, const std::string& subKey) { KeyAt(root, subKey); }

void InMemoryRegistry::RestrictAccess(std::int32_t root, const std::string& subKey, std::uint32_t allowedAccess)
{
    KeyAt(root, subKey).allowedAccess = allowedAccess;
}

RegStatus InMemoryRegistry::OpenKey(RegKey root, const std::string& subKey, std::uint32_t, std::uint32_t access,
                                    RegKey& key)
{
    accessRequested.push_back(access);
    key = 0;
    if (root != RootKey(kHKeyLocalMachine) && root != RootKey(kHKeyCurrentUser) && open_.count(root) == 0) {
        return kErrorInvalidHandle;
    }
    const auto found = keys_.find({root, Fold(subKey)});
    if (found == keys_.end()) {
        return kErrorFileNotFound;
    }
    if ((access & ~found->second.allowedAccess) != 0) {
        return kErrorAccessDenied;
    }
    key = nextHandle_++;
    open_[key] = &found->second;
    return kErrorSuccess;
}

RegStatus InMemoryRegistry::QueryValue(RegKey key, const std::string& valueName, std::uint32_t& type,
                                       unsigned char* data, std::uint32_t& size)
{
    const auto handle = open_.find(key);
    if (handle == open_.end()) {
        return kErrorInvalidHandle;
    }
    const auto found = handle->second->values.find(Fold(valueName));
    if (found == handle->second->values.end()) {
        return kErrorFileNotFound;
    }
    const Value& value = found->second;
    const auto needed = static_cast<std::uint32_t>(value.data.size());
    type = value.type;
    if (data == nullptr) {
        size = needed;
        return kErrorSuccess;
    }
    if (needed > size) {
        size = needed;
        return kErrorMoreData;
    }
    std::copy(value.data.begin(), value.data.end(), data);
    size = needed;
    return kErrorSuccess;
}

void InMemoryRegistry::CloseKey(RegKey key)
{
    if (open_.erase(key) == 0) {
        ++badCloses;
    }
}

}  // namespace tomira
