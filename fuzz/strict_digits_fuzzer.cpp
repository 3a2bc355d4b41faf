// The strict decoder of glyphmill-convert, fed in pieces of random sizes
// from several files, against a byte-by-byte reading of the same rules.
#include "fuzz_support.h"
#include "piece_sizes.h"
#include "strict_digit_decoder.h"

#include <cstring>
#include <memory>
#include <optional>
#include <string>
#include <vector>

using namespace glyphmill;

namespace {

struct Outcome {
    std::string codes;
    std::optional<StrictDigitDecoder::Fault> fault;
};

bool isSeparator(std::uint8_t byte) {
    return byte == ' ' || byte == '\t' || byte == '\r' || byte == '\n';
}

// Groups of eight digits, separated by runs of separators or by nothing;
// positions count lines and columns within each file.
Outcome readByteByByte(const std::vector<std::string> &files) {
    Outcome outcome;
    unsigned bits = 0;
    unsigned count = 0;
    std::uint64_t line = 1;
    std::uint64_t column = 1;
    for (const std::string &file : files) {
        line = 1;
        column = 1;
        for (const char c : file) {
            const auto byte = static_cast<std::uint8_t>(c);
            if (byte == '0' || byte == '1') {
                bits = (bits << 1) | (byte - '0');
                if (++count == 8) {
                    outcome.codes.push_back(static_cast<char>(bits));
                    bits = 0;
                    count = 0;
                }
            } else if (!isSeparator(byte) || count != 0) {
                outcome.fault = StrictDigitDecoder::Fault{line, column, byte};
                return outcome;
            }
            if (byte == '\n') {
                ++line;
                column = 1;
            } else {
                ++column;
            }
        }
    }
    if (count != 0)
        outcome.fault = StrictDigitDecoder::Fault{line, column, StrictDigitDecoder::kEndOfInput};
    return outcome;
}

Outcome decodeInPieces(const std::vector<std::string> &files, std::uint64_t startValue) {
    Outcome outcome;
    StrictDigitDecoder decoder;
    fuzz::PieceSizes sizes(startValue);
    for (const std::string &file : files) {
        decoder.startFile();
        for (std::size_t done = 0; done < file.size() && !decoder.fault();) {
            const std::size_t count =
                startValue == 0 ? file.size() : sizes.next(file.size() - done);
            const auto piece = std::make_unique<std::uint8_t[]>(count);
            std::memcpy(piece.get(), file.data() + done, count);
            const auto out =
                std::make_unique<std::uint8_t[]>(StrictDigitDecoder::outputCapacity(count));
            const std::size_t written = decoder.decode(piece.get(), count, out.get());
            outcome.codes.append(reinterpret_cast<const char *>(out.get()), written);
            done += count;
        }
        if (decoder.fault())
            break;
    }
    decoder.finish();
    outcome.fault = decoder.fault();
    return outcome;
}

std::string describe(const Outcome &outcome) {
    std::string text = "codes: " + fuzz::printable(outcome.codes);
    if (outcome.fault) {
        text += "\nfault at " + std::to_string(outcome.fault->line) + ":" +
                std::to_string(outcome.fault->column) + " found " +
                std::to_string(outcome.fault->found);
    }
    return text;
}

bool same(const Outcome &a, const Outcome &b) {
    if (a.codes != b.codes || a.fault.has_value() != b.fault.has_value())
        return false;
    return !a.fault || (a.fault->line == b.fault->line && a.fault->column == b.fault->column &&
                        a.fault->found == b.fault->found);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size) {
    if (size < sizeof(std::uint64_t))
        return 0;
    std::uint64_t startValue = 0;
    std::memcpy(&startValue, data, sizeof startValue);
    data += sizeof startValue;
    size -= sizeof startValue;

    // A byte 0xFE ends a file; the next bytes make the next file.
    std::vector<std::string> files(1);
    for (std::size_t i = 0; i < size; ++i) {
        if (data[i] == 0xFE)
            files.emplace_back();
        else
            files.back().push_back(static_cast<char>(data[i]));
    }
    std::string shown = "files:";
    for (const std::string &file : files)
        shown += "\n  " + fuzz::printable(file);

    const Outcome expected = readByteByByte(files);
    const Outcome whole = decodeInPieces(files, 0);
    fuzz::expect(same(whole, expected), "strict decoder: differs from the byte-by-byte reading",
                 shown + "\ndecoder: " + describe(whole) + "\nexpected: " + describe(expected));
    const Outcome inPieces = decodeInPieces(files, startValue | 1U);
    fuzz::expect(same(inPieces, expected),
                 "strict decoder: pieces decode differently from whole files",
                 shown + "\npieces: " + describe(inPieces) + "\nexpected: " + describe(expected));
    return 0;
}
