// Arbitrary bytes as the text of a field: every conversion either gives a
// value or throws a ConversionError, nothing else.
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <string>

#include "state/modConvert.h"

using namespace tomira;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const std::string text(reinterpret_cast<const char*>(data), size);
    try {
        const double value = ParseNumberText(text);
        if (!std::isfinite(value)) {
            std::abort();  // a parsed number is always finite
        }
        // Whatever parses as a number also converts as a field's text.
        if (ToDblSafe(Variant(text)) != value) {
            std::abort();
        }
    } catch (const ConversionError&) {
    }
    try {
        const std::int16_t rounded = ToIntSafe(Variant(text));
        if (text.empty() && rounded != 0) {
            std::abort();
        }
    } catch (const ConversionError&) {
    }
    (void)ToStrSafe(Variant(text));
    return 0;
}
