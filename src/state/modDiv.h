#pragma once

#include "state/modConvert.h"

namespace tomira {

// dividend ÷ divisor as a Double; 0 when either is Null or the divisor is 0.
double DivSafe(const Variant& dividend, const Variant& divisor);

}  // namespace tomira
