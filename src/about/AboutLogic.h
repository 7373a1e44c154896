#pragma once
// The About box's launcher of the system information tool: the registry
// lookup, the file test and the start. Plain C++; the operating system
// comes in through small interfaces (Registry.h, SystemAccess.h) so that
// every branch can run without it.

#include <cstdint>
#include <string>

#include "about/Registry.h"
#include "about/SystemAccess.h"
#include "state/MessageService.h"

namespace tomira {

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
