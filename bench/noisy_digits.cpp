// Writes the binary digits of the bytes on standard input with the noise a
// hand-edited file has, for the comparison with basenc. Both forms carry the
// same bytes, each by its own decoder's rules:
//   glyphmill  every character other than "1" is a 0 digit and CR LF pairs
//              are skipped, so some "0" digits become spaces, tabs, lone LFs
//              and other characters, and CR LF pairs fall anywhere;
//   basenc     (for basenc -d -i) characters outside "0" and "1" are skipped,
//              so the same characters come before those "0" digits.
// The input must hold no code 0, which the window's rules drop. Fixed random
// source, so every run writes the same bytes.
// Usage: noisy_digits glyphmill|basenc < PAYLOAD > FILE
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <random>
#include <string>

int main(int argc, char *argv[]) {
    if (argc != 2 ||
        (std::strcmp(argv[1], "glyphmill") != 0 && std::strcmp(argv[1], "basenc") != 0)) {
        std::fputs("usage: noisy_digits glyphmill|basenc < PAYLOAD > FILE\n", stderr);
        return 2;
    }
    const bool forBasenc = std::strcmp(argv[1], "basenc") == 0;
    std::mt19937_64 random(20240611);
    // No CR among them: a lone CR before an LF digit would make a pair.
    static constexpr char kNoise[] = {' ', ' ', '\t', '\n', 'x', '2', '.', ' '};
    std::string out;
    int byte = 0;
    while ((byte = std::getchar()) != EOF) {
        for (int bit = 7; bit >= 0; --bit) {
            const std::uint64_t roll = random();
            if ((roll & 63U) == 0)
                out += "\r\n";
            const bool one = ((byte >> bit) & 1) != 0;
            const char noise = kNoise[(roll >> 6) & 7U];
            // The same places get noise in both forms: one 0 digit in 32.
            if (one || ((roll >> 9) & 31U) != 0)
                out += one ? '1' : '0';
            else if (forBasenc)
                (out += noise) += '0';
            else
                out += noise;
        }
        if (out.size() >= (1U << 20)) {
            if (std::fwrite(out.data(), 1, out.size(), stdout) != out.size())
                return 1;
            out.clear();
        }
    }
    return std::fwrite(out.data(), 1, out.size(), stdout) == out.size() ? 0 : 1;
}
