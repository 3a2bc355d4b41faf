#include "runtime/forms/block_cutter.h"

namespace glyphmill {
namespace {

// A block ends at a line end, or is cut where the box wraps, once it is
// this long; a cut without a wrap comes at kBlockLength.
constexpr int kLongBlock = BlockCutter::kBlockLength / 4 * 3;
// A cut is put off past a character that belongs to the one before it,
// though no further than this.
constexpr int kMaxPutOff = 64;

bool belongsToPrevious(QChar c) {
    return c.isLowSurrogate() || QChar::isMark(c.unicode());
}

} // namespace

BlockCutter::BlockCutter(const LineMeasure &measure)
    : m_width(measure.advance ? measure.width : 0)
    , m_advance(measure.advance) {
    if (m_width > 0) {
        for (char16_t c = 0; c < 256; ++c)
            m_latin1[c] = m_advance(QChar(c));
    }
}

double BlockCutter::advance(QChar c) {
    if (c.unicode() < 256)
        return m_latin1[c.unicode()];
    auto found = m_others.constFind(c.unicode());
    if (found == m_others.cend())
        found = m_others.insert(c.unicode(), c.isSurrogate() ? 0 : m_advance(c));
    return *found;
}

bool BlockCutter::cutBefore(QChar c) {
    bool wraps = false;
    if (m_width > 0) {
        const double width = advance(c);
        // A space hangs past the end of a line rather than start the next.
        wraps = c != u' ' && m_lineCharacters > 0 && m_lineWidth + width > m_width;
        m_lineWidth = wraps ? width : m_lineWidth + width;
    }
    const bool cut = (wraps && m_length >= kLongBlock) ||
                     (m_length >= kBlockLength &&
                      (!belongsToPrevious(c) || m_length >= kBlockLength + kMaxPutOff));
    if (cut) {
        endBlock();
        if (!wraps)
            m_lineWidth = m_width > 0 ? advance(c) : 0;
    } else if (wraps) {
        ++m_lines;
    }
    m_lineCharacters = cut || wraps ? 1 : m_lineCharacters + 1;
    ++m_length;
    return cut;
}

bool BlockCutter::endsBlock() {
    const bool ends = m_lineEnds + 1 >= kLinesPerBlock || m_length >= kLongBlock;
    if (ends) {
        endBlock();
    } else {
        ++m_length;
        ++m_lines;
        ++m_lineEnds;
    }
    m_lineWidth = 0;
    m_lineCharacters = 0;
    return ends;
}

void BlockCutter::endBlock() {
    m_lineCounts.push_back(m_lines);
    m_length = 0;
    m_lines = 1;
    m_lineEnds = 0;
}

} // namespace glyphmill
