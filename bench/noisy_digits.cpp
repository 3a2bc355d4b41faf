// Writes binary digits with the noise a hand-edited file has, for the
// comparison with basenc: spaces, lone CR or LF, CR LF pairs in odd places and
// other characters among runs of "0" and "1". Fixed random source, so every
// run writes the same bytes. The digits come to a whole number of groups, so
// that basenc -d -i takes the file too. Usage: noisy_digits MEBIBYTES > FILE
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <random>
#include <vector>

int main(int argc, char *argv[]) {
    const long mebibytes = argc > 1 ? std::strtol(argv[1], nullptr, 10) : 64;
    std::mt19937_64 random(20240611);
    std::vector<char> block(1 << 20);
    static constexpr char kNoise[] = {' ', ' ', '\r', '\n', '\t', 'x', '2', '.'};
    std::uint64_t digits = 0;
    for (long written = 0; written < mebibytes; ++written) {
        for (std::size_t i = 0; i < block.size(); ++i) {
            const std::uint64_t roll = random();
            if ((roll & 31U) == 0)
                block[i] = kNoise[(roll >> 5) & 7U];
            else if ((roll & 63U) == 1 && i + 1 < block.size()) {
                block[i++] = '\r';
                block[i] = '\n';
            } else {
                block[i] = (roll >> 8) & 1U ? '1' : '0';
                ++digits;
            }
        }
        if (std::fwrite(block.data(), 1, block.size(), stdout) != block.size())
            return 1;
    }
    for (; digits % 8 != 0; ++digits)
        std::fputc('0', stdout);
    return 0;
}
