#pragma once
// The file test and program start of the system the program runs on:
// Windows' file attributes and CreateProcess; elsewhere stat, with hidden
// files named by a leading dot, and no program to start.

#include <memory>

#include "about/SystemAccess.h"

namespace tomira {

std::unique_ptr<FileProbe> MakeSystemFileProbe();
std::unique_ptr<ProgramStarter> MakeSystemProgramStarter();

}  // namespace tomira
