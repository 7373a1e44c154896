#pragma once

#include <string>

namespace tomira {

// Every number shown to the user: at least one digit before the point and
// exactly one after it, no grouping, a leading "-" when negative. The value
// is rounded on its shortest decimal form (the digits a person reads), a
// value exactly halfway between two tenths away from zero: 0.15 gives 0.2,
// 18.45 gives 18.5, -0.25 gives -0.3. A value that rounds to zero is "0.0".
// Throws std::domain_error for NaN and infinities.
std::string FormatDisplay(double value);

}  // namespace tomira
