#include "convert/conversions.h"

#include "codec/digit_group_encoder.h"
#include "codec/digit_stream_decoder.h"
#include "codec/strict_digit_decoder.h"
#include "convert/exit_status.h"
#include "convert/help_text.h"
#include "convert/input_files.h"
#include "convert/output_stream.h"
#include "convert/system_files.h"
#include "convert/utf8_reader.h"

#include <cstdint>
#include <memory>
#include <span>
#include <string>
#include <utility>

namespace glyphmill::convert {
namespace {

using Buffer = std::unique_ptr<std::uint8_t[]>;
using Piece = std::span<const std::uint8_t>;

Buffer makeBuffer(std::size_t size) {
    return std::make_unique_for_overwrite<std::uint8_t[]>(size);
}

int statusOf(const InputFiles &files, const OutputStream &output) {
    return files.failed() || output.failed() ? kExitFailure : kExitSuccess;
}

// The first fault in the input, reported as FILE:LINE:COLUMN: MESSAGE.
int reportFault(const Streams &streams, const std::string &file, std::uint64_t line,
                std::uint64_t column, const std::string &message) {
    system_files::writeMessage(streams.errors, file + ":" + std::to_string(line) + ":" +
                                                   std::to_string(column) + ": " + message + "\n");
    return kExitFailure;
}

// Hands every piece of every file to `step`, and calls `newFile` before the
// first piece of each file that has one: a file that gives no byte (empty,
// unreadable) leaves the positions of the file before. Stops where either
// returns false.
template <typename NewFile, typename Step>
void forEachPiece(InputFiles &files, std::uint8_t *buffer, std::size_t size, NewFile newFile,
                  Step step) {
    while (files.openNext()) {
        bool started = false;
        for (Piece piece = files.next(buffer, size); !piece.empty();
             piece = files.next(buffer, size)) {
            if (!std::exchange(started, true) && !newFile())
                return;
            if (!step(piece))
                return;
        }
    }
}

// What the decoded codes become: the bytes themselves, or with
// --encoding=utf-8 their characters in UTF-8.
class CodeOutput {
  public:
    CodeOutput(const Streams &streams, Encoding encoding, std::size_t codes)
        : m_output(streams)
        , m_text(encoding == Encoding::Utf8 ? makeBuffer(3 * codes + 1) : nullptr) {}

    bool write(const std::uint8_t *codes, std::size_t count) {
        if (!m_text)
            return m_output.write(codes, count);
        return m_output.write(m_text.get(), writeCodesAsUtf8(codes, count, m_text.get()));
    }
    const OutputStream &stream() const { return m_output; }

  private:
    OutputStream m_output;
    Buffer m_text;
};

int runWindowRules(InputFiles &files, const Streams &streams, Encoding encoding,
                   std::size_t bufferSize) {
    const Buffer input = makeBuffer(bufferSize);
    const std::size_t capacity = DigitStreamDecoder::outputCapacity(bufferSize);
    const Buffer codes = makeBuffer(capacity);
    CodeOutput output(streams, encoding, capacity);
    DigitStreamDecoder decoder;
    forEachPiece(
        files, input.get(), bufferSize, [] { return true; },
        [&](Piece piece) {
            return output.write(codes.get(),
                                decoder.decode(piece.data(), piece.size(), codes.get()));
        });
    if (!output.stream().failed())
        output.write(codes.get(), decoder.finish(codes.get()));
    return statusOf(files, output.stream());
}

} // namespace

int runTextToBinary(const CommandLine &line, const Streams &streams, std::size_t bufferSize) {
    InputFiles files(line.operands, streams);
    const bool utf8 = line.encoding == Encoding::Utf8;
    const Buffer input = makeBuffer(bufferSize);
    const Buffer codes = makeBuffer(utf8 ? bufferSize + 64 : 0);
    const auto groups = std::make_unique_for_overwrite<char[]>(
        DigitGroupEncoder::outputCapacity(bufferSize + 1) + 1);
    OutputStream output(streams);
    DigitGroupEncoder encoder(line.separator);
    Utf8Reader reader;
    std::string file = "<stdin>";
    const auto encode = [&](const std::uint8_t *from, std::size_t count) {
        return output.write(groups.get(), encoder.encode(from, count, groups.get()));
    };
    forEachPiece(
        files, input.get(), bufferSize,
        [&] {
            if (utf8)
                reader.startFile();
            file = reader.fault() ? file : files.displayName();
            return !reader.fault();
        },
        [&](Piece piece) {
            if (!utf8)
                return encode(piece.data(), piece.size());
            return encode(codes.get(), reader.read(piece.data(), piece.size(), codes.get())) &&
                   !reader.fault();
        });
    if (output.failed())
        return kExitFailure;
    reader.finish();
    output.write(groups.get(), encoder.finish(groups.get()));
    if (const auto &fault = reader.fault())
        return reportFault(streams, file, fault->line, fault->column, fault->message);
    return statusOf(files, output);
}

int runBinaryToText(const CommandLine &line, const Streams &streams, std::size_t bufferSize) {
    InputFiles files(line.operands, streams);
    if (line.windowRules)
        return runWindowRules(files, streams, line.encoding, bufferSize);
    const Buffer input = makeBuffer(bufferSize);
    const std::size_t capacity = StrictDigitDecoder::outputCapacity(bufferSize);
    const Buffer codes = makeBuffer(capacity);
    CodeOutput output(streams, line.encoding, capacity);
    StrictDigitDecoder decoder;
    std::string file = "<stdin>";
    forEachPiece(
        files, input.get(), bufferSize,
        [&] {
            decoder.startFile();
            file = files.displayName();
            return true;
        },
        [&](Piece piece) {
            return output.write(codes.get(),
                                decoder.decode(piece.data(), piece.size(), codes.get())) &&
                   !decoder.fault();
        });
    if (output.stream().failed())
        return kExitFailure;
    decoder.finish();
    if (const auto &fault = decoder.fault())
        return reportFault(streams, file, fault->line, fault->column,
                           "expected 8 binary digits, found " + describeFound(fault->found));
    return statusOf(files, output.stream());
}

} // namespace glyphmill::convert
