#pragma once

#include <string>

namespace glyphmill::test {

inline const std::string kUsage =
    "Usage: glyphmill-convert text-to-binary [-s NAME] [--encoding=NAME] [FILE...]\n"
    "       glyphmill-convert binary-to-text [--window-rules] [--encoding=NAME]\n"
    "                                        [FILE...]\n"
    "       glyphmill-convert number-to-binary [NUMBER...]\n"
    "       glyphmill-convert --help | --version\n";

inline std::string usageError(const std::string &problem) {
    return "glyphmill-convert: " + problem + "\n" + kUsage +
           "Try 'glyphmill-convert --help' for more information.\n";
}

// A number-to-binary word the tool does not convert, and why.
inline std::string refused(const std::string &number, const std::string &reason = "Type mismatch") {
    return "glyphmill-convert: number \"" + number + "\" refused: " + reason + "\n";
}

inline const std::string kTooLong =
    refused(std::string(32, '1') + "...", "longer than 65536 characters");

// A file, or a standard stream, that could not be read or written.
inline std::string cannotRead(const std::string &file, const std::string &reason) {
    return "glyphmill-convert: " + file + ": " + reason + "\n";
}

} // namespace glyphmill::test
