#pragma once
// What the About box needs of the operating system besides its registry:
// a file test and a program start. Interfaces only, so that every branch of
// the launcher can run over stand-ins; the running system's come from
// SystemTools.h.

#include <string>

namespace tomira {

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

}  // namespace tomira
