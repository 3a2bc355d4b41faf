#include "convert/conversions.h"

#include "codec/digit_stream_decoder.h"
#include "codec/number_to_binary.h"
#include "codec/strict_digit_decoder.h"
#include "codec/text_to_binary.h"
#include "convert/exit_status.h"
#include "convert/help_text.h"
#include "convert/input_files.h"
#include "convert/output_stream.h"

#include <cstdint>
#include <cstdio>
#include <memory>

namespace glyphmill::convert {
namespace {

using Buffer = std::unique_ptr<std::uint8_t[]>;

Buffer makeBuffer(std::size_t size) {
    return std::make_unique_for_overwrite<std::uint8_t[]>(size);
}

int statusOf(const InputFiles &files, const OutputStream &output) {
    return files.failed() || output.failed() ? kExitFailure : kExitSuccess;
}

int runStrict(InputFiles &files, const Streams &streams, std::size_t bufferSize) {
    const Buffer input = makeBuffer(bufferSize);
    const Buffer codes = makeBuffer(StrictDigitDecoder::outputCapacity(bufferSize));
    OutputStream output(streams);
    StrictDigitDecoder decoder;
    std::string lastFile = "<stdin>";
    while (!decoder.fault() && files.openNext()) {
        // A file that gives no byte (empty, unreadable) leaves the positions
        // of the file before, where a short group at the end was left.
        bool started = false;
        while (!decoder.fault()) {
            const auto piece = files.next(input.get(), bufferSize);
            if (piece.empty())
                break;
            if (!started) {
                started = true;
                decoder.startFile();
                lastFile = files.displayName();
            }
            if (!output.write(codes.get(), decoder.decode(piece.data(), piece.size(), codes.get())))
                return kExitFailure;
        }
    }
    decoder.finish();
    if (const auto &fault = decoder.fault()) {
        ::dprintf(streams.errors, "%s:%llu:%llu: expected 8 binary digits, found %s\n",
                  lastFile.c_str(), static_cast<unsigned long long>(fault->line),
                  static_cast<unsigned long long>(fault->column),
                  describeFound(fault->found).c_str());
        return kExitFailure;
    }
    return statusOf(files, output);
}

} // namespace

int runTextToBinary(const std::vector<std::string> &files, const Streams &streams,
                    std::size_t bufferSize) {
    InputFiles inputs(files, streams);
    const Buffer input = makeBuffer(bufferSize);
    const auto lines = std::make_unique_for_overwrite<char[]>(bufferSize * kDigitLineLength);
    OutputStream output(streams);
    while (inputs.openNext()) {
        for (auto piece = inputs.next(input.get(), bufferSize); !piece.empty();
             piece = inputs.next(input.get(), bufferSize)) {
            writeDigitLines(piece.data(), piece.size(), lines.get());
            if (!output.write(lines.get(), piece.size() * kDigitLineLength))
                return kExitFailure;
        }
    }
    return statusOf(inputs, output);
}

int runBinaryToText(const std::vector<std::string> &files, bool strict, const Streams &streams,
                    std::size_t bufferSize) {
    InputFiles inputs(files, streams);
    if (strict)
        return runStrict(inputs, streams, bufferSize);
    const Buffer input = makeBuffer(bufferSize);
    const Buffer codes = makeBuffer(DigitStreamDecoder::outputCapacity(bufferSize));
    OutputStream output(streams);
    DigitStreamDecoder decoder;
    while (inputs.openNext()) {
        for (auto piece = inputs.next(input.get(), bufferSize); !piece.empty();
             piece = inputs.next(input.get(), bufferSize)) {
            if (!output.write(codes.get(), decoder.decode(piece.data(), piece.size(), codes.get())))
                return kExitFailure;
        }
    }
    if (!output.write(codes.get(), decoder.finish(codes.get())))
        return kExitFailure;
    return statusOf(inputs, output);
}

int runNumberToBinary(const std::vector<std::string> &numbers, const Streams &streams) {
    OutputStream output(streams);
    std::string lines;
    bool refusedAny = false;
    for (const std::string &number : numbers) {
        // Only ASCII characters can make up a number; wider ones need no
        // exact decoding to be refused.
        std::u16string text;
        for (const char c : number)
            text.push_back(static_cast<unsigned char>(c));
        const NumberToBinaryResult result = numberToBinary(text);
        if (result.converted && !result.error) {
            lines.append(result.digits.begin(), result.digits.end());
            lines.push_back('\n');
            continue;
        }
        // Lines so far go out first, so that a terminal shows both in order.
        output.write(lines.data(), lines.size());
        lines.clear();
        const RuntimeError error = result.error ? *result.error : RuntimeError::typeMismatch();
        ::dprintf(streams.errors, "%s: number \"%s\" refused: %s\n", kToolName, number.c_str(),
                  error.description().c_str());
        refusedAny = true;
    }
    output.write(lines.data(), lines.size());
    return refusedAny || output.failed() ? kExitFailure : kExitSuccess;
}

} // namespace glyphmill::convert
