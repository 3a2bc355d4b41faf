#include "convert/help_text.h"

#include "codec/strict_digit_decoder.h"
#include "convert/exit_status.h"

#include <cstdio>

namespace glyphmill::convert {

std::string usageText() {
    return R"(Usage: glyphmill-convert text-to-binary [FILE...]
       glyphmill-convert binary-to-text [--strict] [FILE...]
       glyphmill-convert number-to-binary NUMBER...
       glyphmill-convert --help | --version
)";
}

std::string helpText() {
    return usageText() + R"(
Converts bytes to binary digits and back, and numbers to binary digits, by the
rules of the Glyphmill window; for scripts, pipes and files of any size.

Commands:
  text-to-binary    Writes every input byte as its eight binary digits, most
                    significant first, followed by CR LF. A byte is a character
                    in the Windows-1252 code page: this is the window's answer
                    for the same text, byte for byte.
  binary-to-text    Reads binary digits and writes the bytes they encode. CR LF
                    pairs are ignored, also a pair split between two files.
                    Every other byte takes a digit position: "1" is a 1 digit,
                    any other byte (a "0", a space, a lone CR or LF, a letter)
                    a 0 digit. The digits are read in groups of eight as they
                    come; a group of code 0 writes nothing; a short last group
                    is completed with 0 digits on the right.
  number-to-binary  Writes the binary digits of each NUMBER's whole part, no
                    leading zeros, then LF. A NUMBER is what the window's number
                    box takes: optional spaces, an optional sign, digits with
                    an optional "." and an optional exponent ("5", " 5.9",
                    ".5", "1e3"). Numbers from 0 to 1073741824 are converted. A
                    refused one (no number, too large, negative) gets a line on
                    standard error with the reason ("Type mismatch",
                    "Overflow"); the others are still converted. An argument
                    that starts with a single "-" is a NUMBER, not an option.

Options:
  --strict    (binary-to-text) For data that must be exact: the input must be
              groups of exactly eight "0" or "1" digits, separated by any run
              of spaces, tabs, CR and LF, or by nothing. Every group writes
              its byte, code 0 included. At the first other byte, or at the
              end of the input when the last group is short, it stops after
              the bytes of the good groups with
                FILE:LINE:COLUMN: expected 8 binary digits, found 'x'
              FILE is "<stdin>" for standard input; LINE counts lines (each
              ended by LF) and COLUMN bytes, both from 1 within that file; the
              byte is shown as itself when it is printable ASCII, else as \t,
              \r, \n or \xHH ('\'' and '\\' for the quote and the backslash);
              "found end of input" when the last group is short, placed just
              after the last byte of the last FILE that had any.
  --help      Shows this text.
  --version   Shows the version.
  --          Ends the options: the arguments after it are FILEs or NUMBERs.

With no FILE, or when FILE is -, standard input is read. Several FILEs are read
one after another as one input, as cat joins them: a group of digits may
continue in the next file. A FILE that cannot be read, or that is the output
itself (the output file, or /dev/stdout when the output is a pipe: "input file
is output file"), is reported and skipped. Memory use does not grow with the
size of the input.

Exit status:
  0  success
  1  a FILE could not be read or was the output file, standard input was
     closed, the output could not be written (a closed pipe
     ends the tool quietly), --strict found a fault, or a NUMBER was refused
  2  usage error
)";
}

std::string describeFound(int found) {
    switch (found) {
    case StrictDigitDecoder::kEndOfInput:
        return "end of input";
    case '\t':
        return R"('\t')";
    case '\r':
        return R"('\r')";
    case '\n':
        return R"('\n')";
    case '\'':
        return R"('\'')";
    case '\\':
        return R"('\\')";
    default:
        break;
    }
    if (found >= 0x20 && found < 0x7F)
        return std::string("'") + static_cast<char>(found) + "'";
    char escaped[16];
    std::snprintf(escaped, sizeof escaped, "'\\x%02X'", static_cast<unsigned>(found) & 0xFFU);
    return escaped;
}

} // namespace glyphmill::convert
