#include "state/modConvert.h"

#include <charconv>
#include <cmath>
#include <cstdio>

namespace tomira {

namespace {

// Decodes one UTF-8 code point at text[pos]; returns false on a malformed
// sequence. Overlong forms and surrogates count as malformed.
bool NextCodePoint(std::string_view text, std::size_t& pos, char32_t& out)
{
    const auto byte = [&](std::size_t i) { return static_cast<unsigned char>(text[i]); };
    const unsigned char lead = byte(pos);
    int length = 0;
    char32_t cp = 0;
    if (lead < 0x80) {
        out = lead;
        ++pos;
        return true;
    } else if ((lead & 0xE0) == 0xC0) {
        length = 2;
        cp = lead & 0x1F;
    } else if ((lead & 0xF0) == 0xE0) {
        length = 3;
        cp = lead & 0x0F;
    } else if ((lead & 0xF8) == 0xF0) {
        length = 4;
        cp = lead & 0x07;
    } else {
        return false;
    }
    if (pos + length > text.size()) {
        return false;
    }
    for (int i = 1; i < length; ++i) {
        const unsigned char c = byte(pos + i);
        if ((c & 0xC0) != 0x80) {
            return false;
        }
        cp = (cp << 6) | (c & 0x3F);
    }
    static constexpr char32_t kMinimum[] = {0, 0, 0x80, 0x800, 0x10000};
    if (cp < kMinimum[length] || cp > 0x10FFFF || (cp >= 0xD800 && cp <= 0xDFFF)) {
        return false;
    }
    pos += length;
    out = cp;
    return true;
}

constexpr Converted<double> kNotANumber{0.0, ConversionFault::NotANumber};
constexpr Converted<double> kOverflow{0.0, ConversionFault::Overflow};

template <typename T>
T ValueOrThrow(const Converted<T>& converted)
{
    if (converted.fault == ConversionFault::NotANumber) {
        throw ConversionError("not a number");
    }
    if (converted.fault == ConversionFault::Overflow) {
        throw ConversionError("number out of range");
    }
    return converted.value;
}

}  // namespace

bool IsBlank(char32_t c) { return c == U' ' || c == U'\t' || c == U'\u3000'; }

bool IsBlankOnly(std::string_view utf8)
{
    std::size_t pos = 0;
    char32_t c = 0;
    while (pos < utf8.size()) {
        if (!NextCodePoint(utf8, pos, c) || !IsBlank(c)) {
            return false;
        }
    }
    return true;
}

Converted<double> TryParseNumberText(std::string_view utf8)
{
    // Fold the text into ASCII: "[-]digits[.digits]", with blanks allowed
    // only around it.
    std::string ascii;
    bool negative = false;
    bool pointSeen = false;
    bool digitSeen = false;
    bool bodyStarted = false;
    bool bodyEnded = false;
    std::size_t pos = 0;
    while (pos < utf8.size()) {
        char32_t c = 0;
        if (!NextCodePoint(utf8, pos, c)) {
            return kNotANumber;
        }
        if (IsBlank(c)) {
            if (bodyStarted) {
                bodyEnded = true;
            }
            continue;
        }
        if (bodyEnded) {
            return kNotANumber;  // something after the trailing blanks
        }
        if (c >= U'\uFF10' && c <= U'\uFF19') {
            c = U'0' + (c - U'\uFF10');
        } else if (c == U'\uFF0E') {
            c = U'.';
        } else if (c == U'\uFF0B') {
            c = U'+';
        } else if (c == U'\uFF0D' || c == U'\u2212') {
            c = U'-';
        }
        if (c >= U'0' && c <= U'9') {
            ascii.push_back(static_cast<char>(c));
            digitSeen = true;
        } else if (c == U'.') {
            if (pointSeen) {
                return kNotANumber;
            }
            pointSeen = true;
            ascii.push_back('.');
        } else if ((c == U'+' || c == U'-') && !bodyStarted) {
            negative = (c == U'-');
        } else {
            return kNotANumber;
        }
        bodyStarted = true;
    }
    if (!digitSeen) {
        return kNotANumber;  // empty, blank-only, a sign or a point alone
    }
    double value = 0.0;
    const char* first = ascii.data();
    const char* last = ascii.data() + ascii.size();
    const auto [ptr, ec] = std::from_chars(first, last, value, std::chars_format::fixed);
    if (ec == std::errc::result_out_of_range) {
        // Too large, or so small that it reads as zero.
        const auto point = ascii.find('.');
        const std::string_view whole(ascii.data(), point == std::string::npos ? ascii.size() : point);
        if (whole.find_first_not_of('0') != std::string_view::npos) {
            return kOverflow;
        }
        value = 0.0;
    } else if (ec != std::errc() || ptr != last) {
        return kNotANumber;
    }
    if (!std::isfinite(value)) {
        return kOverflow;
    }
    return {negative ? -value : value, std::nullopt};
}

std::string Variant::AsText() const
{
    if (const auto* text = std::get_if<std::string>(&value_)) {
        return *text;
    }
    return std::string();
}

bool Variant::EqualsEmptyString() const
{
    switch (tag()) {
    case Tag::Empty:
        return true;
    case Tag::String:
        return AsText().empty();
    case Tag::Null:
    case Tag::Integer:
    case Tag::Double:
        return false;
    }
    return false;
}

Converted<std::int16_t> TryRoundToInteger(double value)
{
    const double rounded = std::nearbyint(value);  // the default mode rounds halves to even
    if (!std::isfinite(value) || rounded < -32768.0 || rounded > 32767.0) {
        return {0, ConversionFault::Overflow};
    }
    return {static_cast<std::int16_t>(rounded), std::nullopt};
}

std::string ToStrSafe(const Variant& value)
{
    if (value.IsNull() || value.EqualsEmptyString()) {
        return std::string();
    }
    switch (value.tag()) {
    case Variant::Tag::Integer:
        return std::to_string(value.AsInteger());
    case Variant::Tag::Double: {
        char buffer[64];
        std::snprintf(buffer, sizeof buffer, "%.15g", value.AsDouble());
        return buffer;
    }
    default:
        return value.AsText();
    }
}

Converted<double> TryToDblSafe(const Variant& value)
{
    if (value.IsNull() || value.EqualsEmptyString()) {
        return {0.0, std::nullopt};
    }
    switch (value.tag()) {
    case Variant::Tag::Integer:
        return {static_cast<double>(value.AsInteger()), std::nullopt};
    case Variant::Tag::Double:
        return {value.AsDouble(), std::nullopt};
    default:
        return TryParseNumberText(value.AsText());
    }
}

Converted<std::int16_t> TryToIntSafe(const Variant& value)
{
    const Converted<double> number = TryToDblSafe(value);
    if (number.fault) {
        return {0, number.fault};
    }
    return TryRoundToInteger(number.value);
}

double ParseNumberText(std::string_view utf8) { return ValueOrThrow(TryParseNumberText(utf8)); }
std::int16_t ToIntSafe(const Variant& value) { return ValueOrThrow(TryToIntSafe(value)); }
double ToDblSafe(const Variant& value) { return ValueOrThrow(TryToDblSafe(value)); }

}  // namespace tomira
