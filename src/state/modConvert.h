#pragma once
// Null-safe conversions of possibly missing values, usually the text of a
// text box, into strings and numbers.

#include <cstdint>
#include <optional>
#include <stdexcept>
#include <string>
#include <string_view>
#include <variant>

namespace tomira {

struct EmptyValue {};
struct NullValue {};

// A tagged value: Empty, Null, Integer (16-bit), Double or String.
class Variant {
public:
    enum class Tag { Empty, Null, Integer, Double, String };

    Variant() = default;
    Variant(EmptyValue) {}
    Variant(NullValue v) : value_(v) {}
    Variant(std::int16_t v) : value_(v) {}
    Variant(double v) : value_(v) {}
    Variant(std::string v) : value_(std::move(v)) {}
    Variant(const char* v) : value_(std::string(v)) {}

    static Variant Null() { return Variant(NullValue{}); }

    Tag tag() const { return static_cast<Tag>(value_.index()); }
    bool IsNull() const { return tag() == Tag::Null; }
    std::int16_t AsInteger() const { return std::get<std::int16_t>(value_); }
    double AsDouble() const { return std::get<double>(value_); }
    // The text of a String; empty for the other kinds.
    std::string AsText() const;

    // Comparison with the empty string: Empty and the empty text are equal
    // to it; a number never is; Null equals nothing.
    bool EqualsEmptyString() const;

private:
    std::variant<EmptyValue, NullValue, std::int16_t, double, std::string> value_;
};

// Why a conversion failed. The caller decides what the user sees.
enum class ConversionFault {
    NotANumber,  // the text is not a number (type mismatch)
    Overflow,    // the number is too large for the result type
};

// The result of a conversion: the value, or why there is none.
template <typename T>
struct Converted {
    T value{};
    std::optional<ConversionFault> fault;
};

// A failed conversion, for the callers that let it travel as an exception.
class ConversionError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// The blanks a person may leave around a number or alone in a field: the
// ASCII blank, the tab and the ideographic space (U+3000).
bool IsBlank(char32_t c);
// Whether UTF-8 text holds nothing but blanks (true for the empty text).
bool IsBlankOnly(std::string_view utf8);

// Reads a number typed by a person. Accepted: an optional sign, digits with
// at most one decimal point (at least one digit), with blanks around it.
// Full-width digits, signs and point count like their ASCII forms; U+2212
// and U+FF0D count as minus signs. Anything else (letters, units, group
// separators, exponents, "inf", "nan", hexadecimal, blank-only text, line
// breaks) is NotANumber; a number beyond the range of a double, Overflow.
Converted<double> TryParseNumberText(std::string_view utf8);
// Rounds to the nearest 16-bit integer, halves to even; Overflow when the
// result does not fit (or for NaN and infinities).
Converted<std::int16_t> TryRoundToInteger(double value);
// Null and empty give 0; a number or a number's text gives its value.
Converted<std::int16_t> TryToIntSafe(const Variant& value);
Converted<double> TryToDblSafe(const Variant& value);

// The same conversions, throwing ConversionError where the above give a fault.
double ParseNumberText(std::string_view utf8);
std::int16_t ToIntSafe(const Variant& value);
double ToDblSafe(const Variant& value);

std::string ToStrSafe(const Variant& value);

}  // namespace tomira
