// Arbitrary bytes as the text of a field: every conversion either gives a
// finite value or throws a ConversionError, and all of them agree.
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
        if (!std::isfinite(value) || ToDblSafe(Variant(text)) != value) {
            std::abort();
        }
    } catch (const ConversionError&) {
    }
    try {
        if (ToIntSafe(Variant(text)) != 0 && text.empty()) {
            std::abort();
        }
    } catch (const ConversionError&) {
    }
    return 0;
}
