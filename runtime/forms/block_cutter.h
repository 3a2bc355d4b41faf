#pragma once

#include <QChar>
#include <QHash>

#include <array>
#include <functional>
#include <vector>

namespace glyphmill {

// How wide a text box's lines are and each character in them; a width of 0:
// not known, a line is one line whatever its length.
struct LineMeasure {
    double width = 0;
    std::function<double(QChar)> advance;
};

// Where the blocks of a text box's document end as a text goes in, one
// character at a time. The box lays out a block whole whenever any of it is
// shown or edited, and a block per line costs more than the text itself; so
// a block ends after kLinesPerBlock lines, or once it is long, at a line end,
// and a line longer than kBlockLength is cut (TextCuts). Where the box's line
// width and the characters' widths are known, a cut goes where the box
// wraps the line anyway, so that it shows nothing of itself; these also
// tell how many lines the box shows for each block before it lays it out.
//
// A block per line costs more than the text itself (5M characters of digit
// lines filled in 55 ms CPU with blocks of 16 lines, 7 ms with 256; AMD
// EPYC, window_bench methods 0.5 3). Blocks of 4K, 16K and 64K characters
// gave the same times for a 10M-digit line (paste 0.33 s, a key 2.4 ms,
// window_bench line 10 3); the zero-width line's first extents took 247 ms
// with 4K, 390 ms with 16K, 242 ms with 64K (window_bench extents 0.06 3).
// The smallest keeps a key typed inside a full block cheapest: the box lays
// that block out again (4.4 ms in the middle of the 10M-digit line).
class BlockCutter {
  public:
    static constexpr int kLinesPerBlock = 256;
    static constexpr int kBlockLength = 1 << 12;
    explicit BlockCutter(const LineMeasure &measure = {});

    // The next character of a line (not a line end): whether a cut goes
    // before it. Called for every character of a text: kept short.
    bool cutBefore(QChar c) {
        bool wraps = false;
        if (m_width > 0) {
            const double width = c.unicode() < 256 ? m_latin1[c.unicode()] : advance(c);
            // A space hangs past the end of a line rather than start the next.
            wraps = c != u' ' && m_lineCharacters > 0 && m_lineWidth + width > m_width;
            m_lineWidth = wraps ? width : m_lineWidth + width;
        }
        if ((wraps && m_length >= kLongBlock) || m_length >= kBlockLength)
            return cutOrWrap(c, wraps);
        m_lines += wraps;
        m_lineCharacters = wraps ? 1 : m_lineCharacters + 1;
        ++m_length;
        return false;
    }
    // A line end: whether it ends the block.
    bool endsBlock() {
        m_lineWidth = 0;
        m_lineCharacters = 0;
        if (m_lineEnds + 1 >= kLinesPerBlock || m_length >= kLongBlock) {
            endBlock();
            return true;
        }
        ++m_length;
        ++m_lines;
        ++m_lineEnds;
        return false;
    }
    // Lines the box shows for each block ended so far, in order.
    const std::vector<int> &lineCounts() const { return m_lineCounts; }
    // Lines the box shows for the block so far.
    int lines() const { return m_lines; }

  private:
    // A block ends, or is cut, once it is this long: at a line end, or where
    // the box wraps; a cut without a wrap comes at kBlockLength.
    static constexpr int kLongBlock = kBlockLength / 4 * 3;

    double advance(QChar c);
    bool cutOrWrap(QChar c, bool wraps);
    void endBlock();

    double m_width;
    std::function<double(QChar)> m_advance;
    std::array<double, 256> m_latin1{};
    QHash<char16_t, double> m_others;
    // The block so far: characters and lines shown, line ends.
    int m_length = 0;
    int m_lines = 1;
    int m_lineEnds = 0;
    // The line shown so far: its width and characters.
    double m_lineWidth = 0;
    int m_lineCharacters = 0;
    std::vector<int> m_lineCounts;
};

} // namespace glyphmill
