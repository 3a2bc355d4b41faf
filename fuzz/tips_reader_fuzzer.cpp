// The tips file reader: any bytes in a file give lines that hold no line end
// and that join, with the line ends, to the file's text; the text is the
// UTF-8 reading of a valid UTF-8 file (as the C library's converter reads
// it) and the code page reading of any other file.
#include "fuzz_support.h"
#include "line_input.h"
#include "runtime_error.h"
#include "text_file_encoding.h"

#include <cerrno>
#include <iconv.h>
#include <optional>
#include <sys/mman.h>
#include <unistd.h>
#include <vector>

using namespace glyphmill;

namespace {

// An in-memory file that the reader opens by name, as it opens help.cfg.
int g_file = -1;
std::string g_fileName;

// The UTF-16 text of valid UTF-8 as the C library's converter reads it;
// nothing when it refuses the bytes.
std::optional<std::u16string> libraryUtf8(std::string_view bytes) {
    static const iconv_t converter = iconv_open("UTF-16LE", "UTF-8");
    iconv(converter, nullptr, nullptr, nullptr, nullptr);
    std::vector<char> out(bytes.size() * 2 + 4);
    std::string in(bytes);
    char *inPointer = in.data();
    std::size_t inLeft = in.size();
    char *outPointer = out.data();
    std::size_t outLeft = out.size();
    if (iconv(converter, &inPointer, &inLeft, &outPointer, &outLeft) ==
        static_cast<std::size_t>(-1))
        return std::nullopt;
    std::u16string text;
    for (const char *p = out.data(); p + 1 < outPointer; p += 2)
        text.push_back(static_cast<char16_t>(static_cast<std::uint8_t>(p[0]) |
                                             (static_cast<std::uint8_t>(p[1]) << 8)));
    return text;
}

std::vector<std::u16string> splitLines(const std::u16string &text) {
    std::vector<std::u16string> lines;
    std::u16string line;
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] == u'\r' || text[i] == u'\n') {
            lines.push_back(line);
            line.clear();
            if (text[i] == u'\r' && i + 1 < text.size() && text[i + 1] == u'\n')
                ++i;
        } else {
            line.push_back(text[i]);
        }
    }
    if (!line.empty())
        lines.push_back(line);
    return lines;
}

std::vector<std::u16string> readAll(LineInput &input, const std::string &shown) {
    std::vector<std::u16string> lines;
    while (!input.atEnd())
        lines.push_back(input.readLine());
    try {
        input.readLine();
        fuzz::fail("tips reader: reading past the end raised no error", shown);
    } catch (const RuntimeError &error) {
        fuzz::expect(error.number() == 62, "tips reader: reading past the end raised another error",
                     shown);
    }
    return lines;
}

} // namespace

extern "C" int LLVMFuzzerInitialize(int *, char ***) {
    g_file = memfd_create("help.cfg", 0);
    if (g_file < 0) {
        std::perror("memfd_create");
        std::abort();
    }
    g_fileName = "/proc/self/fd/" + std::to_string(g_file);
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size) {
    const std::string_view bytes(reinterpret_cast<const char *>(data), size);
    const std::string shown = "file: " + fuzz::printable(bytes);
    const std::u16string text = decodeTextFile(bytes);

    std::string_view withoutMark = bytes;
    if (withoutMark.substr(0, 3) == "\xEF\xBB\xBF")
        withoutMark.remove_prefix(3);
    const std::optional<std::u16string> library = libraryUtf8(withoutMark);
    fuzz::expect(isValidUtf8(bytes) == library.has_value(),
                 "tips reader: UTF-8 validity differs from the C library's converter", shown);
    if (library) {
        fuzz::expect(text == *library, "tips reader: UTF-8 text differs from the C library's",
                     shown + "\ntext: " + fuzz::printable(text) +
                         "\nC library: " + fuzz::printable(*library));
    } else {
        fuzz::expect(text.size() == size, "tips reader: a code page text of another length", shown);
        for (std::size_t i = 0; i < size; ++i) {
            fuzz::expect(text[i] == Windows1252::decode(data[i]),
                         "tips reader: a byte read as another character",
                         shown + "\nat " + std::to_string(i));
        }
    }

    LineInput fromText;
    fromText.openText(text);
    const std::vector<std::u16string> lines = readAll(fromText, shown);
    fuzz::expect(lines == splitLines(text), "tips reader: lines differ from the line ends", shown);

    if (ftruncate(g_file, 0) != 0 || pwrite(g_file, data, size, 0) != static_cast<ssize_t>(size)) {
        std::perror("help.cfg");
        std::abort();
    }
    LineInput fromFile;
    fuzz::expect(fromFile.open(g_fileName), "tips reader: a readable file did not open", shown);
    fuzz::expect(readAll(fromFile, shown) == lines,
                 "tips reader: a file reads differently from its text", shown);
    return 0;
}
