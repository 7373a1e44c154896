// The About box's registry lookup over an in-memory registry holding
// arbitrary bytes under an arbitrary type code, looked up by arbitrary
// roots and names. The lookup never crashes, closes every key it opens,
// hands back its three inputs unchanged and reads the value as the About
// box expects: a REG_DWORD of four bytes as "&h" and eight hexadecimal
// digits, a REG_SZ as its bytes less a final NUL, data over 1024 bytes as
// not found.
#include <cstdint>
#include <cstdio>
#include <string>
#include <vector>

#include <fuzzer/FuzzedDataProvider.h>

#include "FuzzCheck.h"
#include "about/AboutLogic.h"
#include "about/Registry.h"
#include "ui/MessageService.h"

using namespace tomira;

namespace {

class NoFiles : public FileProbe {
public:
    bool IsOrdinaryFile(const std::string&) override { return false; }
};

class NoStart : public ProgramStarter {
public:
    bool Start(const std::string&) override { return false; }
};

class SilentMessages : public MessageService {
public:
    void ShowMessage(const std::string&, const std::string&, MessageIcon) override {}
};

std::string Upper(std::string text)
{
    for (char& c : text) {
        if (c >= 'a' && c <= 'z') {
            c = static_cast<char>(c - 'a' + 'A');
        }
    }
    return text;
}

// A name to look up: the stored one, the stored one in other case, or any.
std::string LookupName(FuzzedDataProvider& input, const std::string& stored)
{
    switch (input.ConsumeIntegralInRange(0, 2)) {
    case 0:
        return stored;
    case 1: {
        std::string other = stored;
        for (char& c : other) {
            if (c >= 'A' && c <= 'Z') {
                c = static_cast<char>(c - 'A' + 'a');
            } else if (c >= 'a' && c <= 'z') {
                c = static_cast<char>(c - 'a' + 'A');
            }
        }
        return other;
    }
    default:
        return input.ConsumeRandomLengthString(64);
    }
}

std::int32_t AnyRoot(FuzzedDataProvider& input)
{
    switch (input.ConsumeIntegralInRange(0, 2)) {
    case 0:
        return kHKeyLocalMachine;
    case 1:
        return kHKeyCurrentUser;
    default:
        return input.ConsumeIntegral<std::int32_t>();
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    FuzzedDataProvider input(data, size);

    // What the registry holds: one value under one key.
    const std::int32_t storedRoot = input.ConsumeBool() ? kHKeyLocalMachine : kHKeyCurrentUser;
    const std::string storedKey = input.ConsumeRandomLengthString(64);
    const std::string storedName = input.ConsumeRandomLengthString(64);
    std::uint32_t storedType = 0;
    switch (input.ConsumeIntegralInRange(0, 3)) {
    case 0:
        storedType = kRegSz;
        break;
    case 1:
        storedType = kRegDword;
        break;
    case 2:
        storedType = input.ConsumeIntegralInRange<std::uint32_t>(0, 11);
        break;
    default:
        storedType = input.ConsumeIntegral<std::uint32_t>();
        break;
    }
    std::size_t dataSize = 0;
    switch (input.ConsumeIntegralInRange(0, 3)) {
    case 0:
        dataSize = 4;
        break;
    case 1:
        dataSize = input.ConsumeIntegralInRange<std::size_t>(1020, 1030);
        break;
    default:
        dataSize = input.ConsumeIntegralInRange<std::size_t>(0, 2100);
        break;
    }
    std::vector<unsigned char> stored = input.ConsumeBytes<unsigned char>(dataSize);
    stored.resize(dataSize, static_cast<unsigned char>(input.ConsumeIntegral<std::uint8_t>()));
    // Readers who may not write, or not even read.
    const std::uint32_t allowed = input.ConsumeIntegralInRange(0, 3) == 0 ? input.ConsumeIntegral<std::uint32_t>()
                                                                           : 0xFFFFFFFFu;

    InMemoryRegistry registry;
    registry.SetValue(storedRoot, storedKey, storedName, storedType, stored);
    registry.RestrictAccess(storedRoot, storedKey, allowed);
    NoFiles files;
    NoStart starter;
    SilentMessages messages;
    AboutLogic about(registry, files, starter, messages);

    // The lookup.
    const std::int32_t keyRoot = input.ConsumeBool() ? storedRoot : AnyRoot(input);
    const std::string keyName = LookupName(input, storedKey);
    const std::string valueName = LookupName(input, storedName);
    const std::string before = input.ConsumeRandomLengthString(16);
    std::int32_t root = keyRoot;
    std::string name = keyName;
    std::string value = valueName;
    std::string keyVal = before;
    const bool found = about.GetKeyValue(root, name, value, keyVal);

    FUZZ_CHECK(root == keyRoot && name == keyName && value == valueName);
    FUZZ_CHECK(registry.OpenHandles() == 0);
    FUZZ_CHECK(registry.badCloses == 0);

    const bool keyMatches = keyRoot == storedRoot && Upper(keyName) == Upper(storedKey);
    const bool mayOpen = (kKeyQueryAndWrite & ~allowed) == 0 || (kKeyRead & ~allowed) == 0;
    const bool valueMatches = Upper(valueName) == Upper(storedName);
    const bool readable = keyMatches && mayOpen && valueMatches && stored.size() <= kKeyValueBufferSize;
    FUZZ_CHECK(found == readable);
    if (!found) {
        FUZZ_CHECK(keyVal.empty());
        return 0;
    }
    switch (storedType) {
    case kRegSz: {
        std::string text(stored.begin(), stored.end());
        if (!text.empty() && text.back() == '\0') {
            text.pop_back();
        }
        FUZZ_CHECK(keyVal == text);
        break;
    }
    case kRegDword: {
        FUZZ_CHECK(keyVal.size() == 10 && keyVal.compare(0, 2, "&h") == 0);
        for (std::size_t i = 2; i < keyVal.size(); ++i) {
            const char c = keyVal[i];
            FUZZ_CHECK((c >= '0' && c <= '9') || (c >= 'A' && c <= 'F'));
        }
        if (stored.size() == 4) {
            char want[16];
            std::snprintf(want, sizeof want, "&h%02X%02X%02X%02X", stored[3], stored[2], stored[1], stored[0]);
            FUZZ_CHECK(keyVal == want);
        }
        break;
    }
    default:
        FUZZ_CHECK(keyVal == before);
        break;
    }
    return 0;
}
