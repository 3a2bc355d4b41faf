#include "convert/help_text.h"

#include "codec/strict_digit_decoder.h"
#include "convert/exit_status.h"

#include <cstdio>

namespace glyphmill::convert {

std::string usageText() {
    return R"(Usage: glyphmill-convert text-to-binary [-s NAME] [--encoding=NAME] [FILE...]
       glyphmill-convert binary-to-text [--window-rules] [--encoding=NAME]
                                        [FILE...]
       glyphmill-convert number-to-binary [NUMBER...]
       glyphmill-convert --help | --version
)";
}

std::string helpText() {
    return usageText() + R"(
Converts text to binary digits and back, and numbers to binary digits; for
scripts, pipes and files of any size. binary-to-text reads back everything
text-to-binary writes.

Commands:
  text-to-binary    Writes each byte of the input as its eight binary
                    digits, most significant first, then LF (or as -s says).
  binary-to-text    Reads groups of exactly eight "0" or "1" digits,
                    separated by any run of spaces, tabs, CR and LF or by
                    nothing, and writes the byte of each group, code 0
                    included. At the first other byte, or at the end of the
                    input when the last group is short, it stops after the
                    bytes of the good groups with
                      FILE:LINE:COLUMN: expected 8 binary digits, found 'x'
  number-to-binary  Writes the binary digits of each NUMBER's whole part, no
                    leading zeros, then LF. With no NUMBER, the numbers are
                    read from standard input, separated by white space. A
                    NUMBER is what the window's number box takes: optional
                    spaces, an optional sign, digits with an optional "."
                    and an optional exponent ("5", "5.9", ".5", "1e3").
                    Numbers from 0 to 1073741824 are converted. A refused
                    one (no number, too large, negative) gets a line on
                    standard error with the reason ("Type mismatch",
                    "Overflow"); the others are still converted. An argument
                    that starts with a single "-" is a NUMBER, not an option.

Options:
  -s NAME, --separator=NAME
              (text-to-binary) What goes between the groups of digits:
                lf     LF after each group: a group a line (the default)
                crlf   CR LF after each group: the window's answer, byte
                       for byte
                space  one space between groups, LF after the last
                none   the digits alone, no line break at the end
  --encoding=NAME
              How text is read and written:
                bytes  each byte is its own code (the default)
                utf-8  as the window does: text-to-binary reads UTF-8
                       and writes each character's Windows-1252 code;
                       binary-to-text writes each code's Windows-1252
                       character in UTF-8. A character the code page
                       lacks, or bytes that are no UTF-8, stop the tool
                       after the groups of the characters before it:
                         FILE:LINE:COLUMN: character 'C' (U+HHHH) has no
                         8-bit code
                         FILE:LINE:COLUMN: '\xHH' is no UTF-8 character
                       The round trip of text-to-binary and binary-to-text
                       gives back any UTF-8 text of such characters.
  --window-rules
              (binary-to-text) The window's rules, byte for byte: CR LF
              pairs are removed, also one split between two files; every
              other byte takes a digit position, "1" as a 1 digit and any
              other byte (a "0", a space, a lone CR or LF, a letter) as a
              0 digit; groups of eight are read as they come; a group of
              code 0 writes nothing; a short last group is completed with
              0 digits on the right. So lf and space do not come back:
              "01001000 01101001" gives "H4" and a byte 0x80.
  --strict    (binary-to-text) The default reading, named.
  --help      Shows this text.
  --version   Shows the version.
  --          Ends the options: the arguments after it are FILEs or NUMBERs.

FILE is "<stdin>" in a message for standard input; LINE counts lines (each
ended by LF) and COLUMN bytes, both from 1 within that file. A byte is shown
as itself when it is printable ASCII, else as \t, \r, \n or \xHH ('\'' and
'\\' for the quote and the backslash). "found end of input" points just past
the last byte of the last FILE that had any.

With no FILE, or when FILE is -, standard input is read. Several FILEs are
read one after another as one input, as cat joins them: a group of digits
may continue in the next file (a UTF-8 character may not). A FILE that
cannot be read, or that is the output itself ("input file is output file"),
is reported and skipped. Memory use does not grow with the input.

Exit status:
  0  success
  1  a FILE could not be read or was the output, standard input was closed,
     the output could not be written or closed (a closed pipe ends the tool
     quietly), the input had a fault, or a NUMBER was refused
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
