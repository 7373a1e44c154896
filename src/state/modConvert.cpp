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

[[noreturn]] void NotANumber()
{
    throw ConversionError(ConversionError::Kind::NotANumber, "not a number");
}

[[noreturn]] void Overflow()
{
    throw ConversionError(ConversionError::Kind::Overflow, "number out of range");
}

bool IsBlank(char32_t c) { return c == U' ' || c == U'\u3000'; }

}  // namespace

double ParseNumberText(std::string_view utf8)
{
    // Fold the text into ASCII: "[-]digits[.digits]", with blanks allowed
    // only around it.
    std::string ascii;
    bool negative = false;
    bool signSeen = false;
    bool pointSeen = false;
    bool digitSeen = false;
    bool bodyStarted = false;
    bool bodyEnded = false;
    std::size_t pos = 0;
    while (pos < utf8.size()) {
        char32_t c = 0;
        if (!NextCodePoint(utf8, pos, c)) {
            NotANumber();
        }
        if (IsBlank(c)) {
            if (bodyStarted) {
                bodyEnded = true;
            }
            continue;
        }
        if (bodyEnded) {
            NotANumber();  // something after the trailing blanks
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
                NotANumber();
            }
            pointSeen = true;
            ascii.push_back('.');
        } else if ((c == U'+' || c == U'-') && !bodyStarted) {
            signSeen = true;
            negative = (c == U'-');
        } else {
            NotANumber();
        }
        bodyStarted = true;
    }
    (void)signSeen;
    if (!digitSeen) {
        NotANumber();  // empty, blank-only, a sign or a point alone
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
            Overflow();
        }
        value = 0.0;
    } else if (ec != std::errc() || ptr != last) {
        NotANumber();
    }
    if (!std::isfinite(value)) {
        Overflow();
    }
    return negative ? -value : value;
}

std::string Variant::AsText() const
{
    if (const auto* text = std::get_if<std::string>(&value_)) {
        return *text;
    }
    if (const auto* const* box = std::get_if<const TextSource*>(&value_)) {
        return (*box)->Text();
    }
    return std::string();
}

bool Variant::EqualsEmptyString() const
{
    switch (tag()) {
    case Tag::Empty:
        return true;
    case Tag::String:
    case Tag::TextRef:
        return AsText().empty();
    case Tag::Null:
    case Tag::Integer:
    case Tag::Double:
        return false;
    }
    return false;
}

std::int16_t RoundToInteger(double value)
{
    if (!std::isfinite(value)) {
        Overflow();
    }
    const double rounded = std::nearbyint(value);  // the default mode rounds halves to even
    if (rounded < -32768.0 || rounded > 32767.0) {
        Overflow();
    }
    return static_cast<std::int16_t>(rounded);
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

std::int16_t ToIntSafe(const Variant& value)
{
    if (value.IsNull() || value.EqualsEmptyString()) {
        return 0;
    }
    switch (value.tag()) {
    case Variant::Tag::Integer:
        return value.AsInteger();
    case Variant::Tag::Double:
        return RoundToInteger(value.AsDouble());
    default:
        return RoundToInteger(ParseNumberText(value.AsText()));
    }
}

double ToDblSafe(const Variant& value)
{
    if (value.IsNull() || value.EqualsEmptyString()) {
        return 0.0;
    }
    switch (value.tag()) {
    case Variant::Tag::Integer:
        return value.AsInteger();
    case Variant::Tag::Double:
        return value.AsDouble();
    default:
        return ParseNumberText(value.AsText());
    }
}

}  // namespace tomira
