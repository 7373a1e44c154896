#pragma once
// Values stored in a registry and what GetKeyValue must read from them.
// The same table runs against the in-memory registry and, on Windows,
// against the system's own registry.

#include <cstdint>
#include <string>
#include <vector>

#include "about/AboutLogic.h"
#include "about/Registry.h"

namespace tomira::testing {

// For GetKeyValue alone: no file is there and nothing ever starts.
class NoFiles : public FileProbe {
public:
    bool IsOrdinaryFile(const std::string&) override { return false; }
};

class NoStarts : public ProgramStarter {
public:
    bool Start(const std::string&) override { return false; }
};

struct KeyValueCase {
    const char* name;
    bool stored;  // false: the value is not there at all
    std::uint32_t type;
    std::vector<unsigned char> data;
    bool expectedResult;
    std::string expectedValue;  // KeyVal afterwards; it holds "before" on entry
};

inline std::vector<unsigned char> Bytes(const std::string& text) { return {text.begin(), text.end()}; }

inline std::vector<unsigned char> Filled(std::size_t count, unsigned char byte)
{
    return std::vector<unsigned char>(count, byte);
}

inline std::vector<unsigned char> TextWithNul(const std::string& text)
{
    std::vector<unsigned char> data = Bytes(text);
    data.push_back(0);
    return data;
}

inline const std::string kBefore = "before";

inline std::vector<KeyValueCase> KeyValueCases()
{
    const std::string a1023(1023, 'a');
    const std::string a1024(1024, 'a');
    // (A text of exactly 1024 bytes stored without its terminator fits on
    // Windows; Wine adds a terminator when reading, so there it does not.)
    return {
        {"TextWithTerminator", true, kRegSz, TextWithNul("C:\\Tools\\msinfo32.exe"), true, "C:\\Tools\\msinfo32.exe"},
        {"TextWithoutTerminator", true, kRegSz, Bytes("C:\\Tools"), true, "C:\\Tools"},
        {"TextWithBlanks", true, kRegSz, TextWithNul("C:\\Program Files\\Common Files\\x y.exe"), true,
         "C:\\Program Files\\Common Files\\x y.exe"},
        {"OnlyTheTerminator", true, kRegSz, TextWithNul(""), true, ""},
        {"OnlyTheLastOfTwoTerminatorsGoes", true, kRegSz, Bytes(std::string("ab\0\0", 4)), true,
         std::string("ab\0", 3)},
        {"InnerNulStays", true, kRegSz, Bytes(std::string("ab\0cd\0", 6)), true, std::string("ab\0cd", 5)},
        {"TextFillingTheBuffer", true, kRegSz, TextWithNul(a1023), true, a1023},
        {"TextOneByteTooLong", true, kRegSz, TextWithNul(a1024), false, ""},
        {"Dword261", true, kRegDword, {0x05, 0x01, 0x00, 0x00}, true, "&h00000105"},
        {"DwordZero", true, kRegDword, {0, 0, 0, 0}, true, "&h00000000"},
        {"DwordAllBytes", true, kRegDword, {0xEF, 0xBE, 0xAD, 0xDE}, true, "&hDEADBEEF"},
        {"DwordHighByteOnly", true, kRegDword, {0x00, 0x00, 0x00, 0x80}, true, "&h80000000"},
        {"BinaryLeavesTheValue", true, kRegBinary, {1, 2, 3}, true, kBefore},
        {"ExpandableTextLeavesTheValue", true, kRegExpandSz, TextWithNul("%SystemRoot%\\x"), true, kBefore},
        {"QwordLeavesTheValue", true, kRegQword, {1, 0, 0, 0, 0, 0, 0, 0}, true, kBefore},
        {"BinaryFillingTheBuffer", true, kRegBinary, Filled(1024, 0x5A), true, kBefore},
        {"BinaryOverTheBuffer", true, kRegBinary, Filled(1025, 0x5A), false, ""},
        {"LongBinaryIsNotFound", true, kRegBinary, Filled(4000, 0x5A), false, ""},
        {"MissingValue", false, kRegNone, {}, false, ""},
    };
}

}  // namespace tomira::testing
