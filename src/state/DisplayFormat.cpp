#include "state/DisplayFormat.h"

#include <charconv>
#include <cmath>
#include <stdexcept>

namespace tomira {

std::string FormatDisplay(double value)
{
    if (!std::isfinite(value)) {
        throw std::domain_error("only finite numbers can be shown");
    }
    // The shortest decimal that reads back as the same double: the digits
    // a person would read for this value.
    char buffer[400];
    const auto result = std::to_chars(buffer, buffer + sizeof buffer, std::fabs(value), std::chars_format::fixed);
    std::string digits(buffer, result.ptr);
    const auto point = digits.find('.');
    std::string whole = point == std::string::npos ? digits : digits.substr(0, point);
    const std::string fraction = point == std::string::npos ? std::string() : digits.substr(point + 1);

    // Keep one decimal; the second decides, half away from zero.
    std::string kept = whole + (fraction.empty() ? '0' : fraction[0]);
    if (fraction.size() >= 2 && fraction[1] >= '5') {
        std::size_t i = kept.size();
        while (i > 0) {
            --i;
            if (kept[i] == '9') {
                kept[i] = '0';
            } else {
                ++kept[i];
                break;
            }
            if (i == 0) {
                kept.insert(kept.begin(), '1');
            }
        }
    }
    const bool zero = kept.find_first_not_of('0') == std::string::npos;
    std::string out = (value < 0 && !zero) ? "-" : "";
    out += kept.substr(0, kept.size() - 1);
    out += '.';
    out += kept.back();
    return out;
}

}  // namespace tomira
