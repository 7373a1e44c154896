#include "state/modDiv.h"

namespace tomira {

double DivSafe(const Variant& dividend, const Variant& divisor)
{
    if (dividend.IsNull() || divisor.IsNull()) {
        return 0.0;
    }
    return DivSafe(ToDblSafe(dividend), ToDblSafe(divisor));
}

double DivSafe(double dividend, double divisor)
{
    if (divisor == 0.0) {
        return 0.0;
    }
    return dividend / divisor;
}

}  // namespace tomira
