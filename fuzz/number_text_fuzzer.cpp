// Number reading and writing: the text of any finite double reads back to the
// same double; a text reads as a number exactly when the conversion to a
// number accepts it, and then to the value the C library reads; no text
// makes them fail in any other way.
#include "fuzz_support.h"
#include "number_text.h"
#include "runtime_error.h"
#include "value_operations.h"

#include <cmath>
#include <cstdlib>
#include <cstring>
#include <optional>

using namespace glyphmill;

namespace {

std::string describe(double value) {
    char text[64];
    std::snprintf(text, sizeof text, "%.17g (%a)", value, value);
    return text;
}

bool sameDouble(double a, double b) {
    return a == b && std::signbit(a) == std::signbit(b);
}

void checkTextOfNumber(double value) {
    const std::u16string text = numberText(value);
    const std::string shown = "number: " + describe(value) + "\ntext: " + fuzz::printable(text);
    // Plain notation: an optional minus, digits, at most one point with
    // digits after it.
    std::size_t points = 0;
    for (std::size_t i = 0; i < text.size(); ++i) {
        const char16_t c = text[i];
        const bool allowed = (c >= u'0' && c <= u'9') || (c == u'-' && i == 0) || c == u'.';
        fuzz::expect(allowed, "number text: a character outside plain notation", shown);
        points += c == u'.' ? 1 : 0;
    }
    fuzz::expect(points <= 1 && !text.empty() && text.back() != u'.' && text != u"-",
                 "number text: malformed", shown);
    fuzz::expect(readsAsNumber(text), "number text: does not read as a number", shown);
    // Zero of either sign is written "0".
    const double expected = value == 0.0 ? 0.0 : value;
    fuzz::expect(sameDouble(textToNumber(text), expected),
                 "number text: does not read back to the same double", shown);
    fuzz::expect(sameDouble(leadingNumber(text), expected), "number text: leading number differs",
                 shown);
    fuzz::expect(sameDouble(textToNumber(u"  " + text + u"  "), expected),
                 "number text: spaces around change the number", shown);
}

// The number the C library reads from a whole text, which holds nothing
// but a number in the forms both accept.
double libraryReading(std::u16string_view core) {
    const std::string ascii(core.begin(), core.end());
    return std::strtod(ascii.c_str(), nullptr);
}

void checkReading(const std::u16string &text) {
    const std::string shown = "text: " + fuzz::printable(text);
    const bool reads = readsAsNumber(text);
    std::optional<double> value;
    try {
        value = textToNumber(text);
    } catch (const RuntimeError &error) {
        if (error.number() == error_number::kTypeMismatch) {
            fuzz::expect(!reads, "reading: a number was refused as no number", shown);
        } else {
            fuzz::expect(error.number() == error_number::kOverflow,
                         "reading: an error other than overflow or type mismatch",
                         shown + "\nerror: " + error.description());
            fuzz::expect(reads, "reading: an overflow for a text that is no number", shown);
        }
    }
    if (value) {
        fuzz::expect(reads, "reading: a text that is no number gave a number", shown);
        fuzz::expect(std::isfinite(*value), "reading: a number that is not finite", shown);
        fuzz::expect(sameDouble(leadingNumber(text), *value),
                     "reading: the leading number differs from the whole number",
                     shown + "\nwhole: " + describe(*value) +
                         "\nleading: " + describe(leadingNumber(text)));
        checkTextOfNumber(*value);
    }
    if (reads) {
        const std::size_t start = text.find_first_not_of(u' ');
        const std::size_t end = text.find_last_not_of(u' ') + 1;
        const double library = libraryReading(std::u16string_view(text).substr(start, end - start));
        if (std::isinf(library)) {
            fuzz::expect(!value, "reading: a number beyond a double was accepted", shown);
        } else {
            fuzz::expect(value && sameDouble(*value, library),
                         "reading: differs from the C library's reading",
                         shown + "\nread: " + (value ? describe(*value) : "refused") +
                             "\nC library: " + describe(library));
        }
    }
    // Any text at all: a number, or the overflow error.
    try {
        const double leading = leadingNumber(text);
        fuzz::expect(std::isfinite(leading), "leading number: not finite", shown);
    } catch (const RuntimeError &error) {
        fuzz::expect(error.number() == error_number::kOverflow,
                     "leading number: an error other than overflow", shown);
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size) {
    if (size >= sizeof(double)) {
        double value = 0;
        std::memcpy(&value, data, sizeof value);
        if (std::isfinite(value))
            checkTextOfNumber(value);
    }
    checkReading(fuzz::textFromBytes(data, size));
    return 0;
}
