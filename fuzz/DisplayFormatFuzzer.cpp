// Arbitrary doubles through the display pattern: the text always has the
// form -?digits.digit and reads back within 0.05 of the value.
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <regex>
#include <stdexcept>
#include <string>

#include "state/DisplayFormat.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    if (size < sizeof(double)) {
        return 0;
    }
    double value = 0;
    std::memcpy(&value, data, sizeof value);
    std::string text;
    try {
        text = tomira::FormatDisplay(value);
    } catch (const std::domain_error&) {
        if (std::isfinite(value)) {
            std::abort();  // only NaN and infinities are refused
        }
        return 0;
    }
    static const std::regex pattern("-?[0-9]+\\.[0-9]");
    if (!std::isfinite(value) || !std::regex_match(text, pattern)) {
        std::abort();
    }
    const double back = std::strtod(text.c_str(), nullptr);
    // Within half a tenth, allowing for the value's own rounding error.
    if (std::fabs(back - value) > 0.05 + std::fabs(value) * 1e-15) {
        std::abort();
    }
    return 0;
}
