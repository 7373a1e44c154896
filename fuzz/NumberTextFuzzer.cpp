// Arbitrary bytes as a field's text: every conversion gives a finite value or a fault, and they agree.
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <string>

#include "state/modConvert.h"

using namespace tomira;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const std::string text(reinterpret_cast<const char*>(data), size);
    const Converted<double> number = TryParseNumberText(text);
    const Converted<double> asDouble = TryToDblSafe(Variant(text));
    const Converted<std::int16_t> asInteger = TryToIntSafe(Variant(text));
    if (!number.fault && (!std::isfinite(number.value) || asDouble.fault || asDouble.value != number.value)) {
        std::abort();
    }
    // Only the empty text reads as 0 without being a number; blank-only text is never a number.
    if ((number.fault && !text.empty() && !asInteger.fault) || (IsBlankOnly(text) && !number.fault)) {
        std::abort();
    }
    return 0;
}
