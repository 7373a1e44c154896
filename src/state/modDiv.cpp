#include "state/modDiv.h"

namespace tomira {

double DivSafe(const Variant& dividend, const Variant& divisor)
{
    if (dividend.IsNull() || divisor.IsNull()) {
        return 0.0;
    }
    const double d = ToDblSafe(divisor);
    if (d == 0.0) {
        return 0.0;
    }
    return ToDblSafe(dividend) / d;
}

}  // namespace tomira
