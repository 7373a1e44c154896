#pragma once
// Null-safe conversions of possibly missing values, usually the text of a
// text box, into strings and numbers.

#include <cstdint>
#include <stdexcept>
#include <string>
#include <string_view>
#include <variant>

namespace tomira {

// Anything that stands for its text, such as a text box.
class TextSource {
public:
    virtual ~TextSource() = default;
    virtual std::string Text() const = 0;
};

struct EmptyValue {};
struct NullValue {};

// A tagged value: Empty, Null, Integer (16-bit), Double, String, or a
// reference to a text source whose value is its text.
class Variant {
public:
    enum class Tag { Empty, Null, Integer, Double, String, TextRef };

    Variant() = default;
    Variant(EmptyValue) {}
    Variant(NullValue v) : value_(v) {}
    Variant(std::int16_t v) : value_(v) {}
    Variant(double v) : value_(v) {}
    Variant(std::string v) : value_(std::move(v)) {}
    Variant(const char* v) : value_(std::string(v)) {}
    Variant(const TextSource& box) : value_(&box) {}
    // A text source is referred to, not copied: it must outlive the value.
    Variant(const TextSource&&) = delete;

    static Variant Null() { return Variant(NullValue{}); }

    Tag tag() const { return static_cast<Tag>(value_.index()); }
    bool IsNull() const { return tag() == Tag::Null; }
    std::int16_t AsInteger() const { return std::get<std::int16_t>(value_); }
    double AsDouble() const { return std::get<double>(value_); }
    // The text of a String or of a text source.
    std::string AsText() const;

    // Comparison with the empty string: Empty and the empty text are equal
    // to it; a number never is; Null equals nothing.
    bool EqualsEmptyString() const;

private:
    std::variant<EmptyValue, NullValue, std::int16_t, double, std::string, const TextSource*> value_;
};

// A conversion that failed. The caller decides what the user sees.
class ConversionError : public std::runtime_error {
public:
    enum class Kind {
        NotANumber,  // the text is not a number (type mismatch)
        Overflow,    // the number is too large for the result type
    };
    ConversionError(Kind kind, const std::string& what) : std::runtime_error(what), kind_(kind) {}
    Kind kind() const { return kind_; }

private:
    Kind kind_;
};

// Reads a number typed by a person. Accepted: an optional sign, digits with
// at most one decimal point (at least one digit), surrounded by ASCII
// blanks or ideographic spaces (U+3000). Full-width digits, signs and point
// count like their ASCII forms; U+2212 and U+FF0D count as minus signs.
// Anything else (letters, units, group separators, exponents, "inf", "nan",
// hexadecimal, blank-only text, tabs, line breaks) throws NotANumber; a
// number beyond the range of a double throws Overflow.
double ParseNumberText(std::string_view utf8);

std::string ToStrSafe(const Variant& value);
// Nearest integer, halves to even; outside -32768..32767 throws Overflow.
std::int16_t ToIntSafe(const Variant& value);
double ToDblSafe(const Variant& value);

// Rounds to the nearest 16-bit integer, halves to even; throws Overflow
// when the result does not fit (or for NaN and infinities).
std::int16_t RoundToInteger(double value);

}  // namespace tomira
