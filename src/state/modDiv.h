#pragma once

#include "state/modConvert.h"

namespace tomira {

// dividend ÷ divisor as a Double; 0 when either is Null or the divisor is 0.
double DivSafe(const Variant& dividend, const Variant& divisor);
// The same for two numbers: 0 when the divisor is 0.
double DivSafe(double dividend, double divisor);

}  // namespace tomira
