#include "runtime/forms/block_cutter.h"

namespace glyphmill {
namespace {

// A cut is put off past a character that belongs to the one before it
// (a surrogate pair's second half, a mark), though no further than this.
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

bool BlockCutter::cutOrWrap(QChar c, bool wraps) {
    const bool cut = wraps || !belongsToPrevious(c) || m_length >= kBlockLength + kMaxPutOff;
    if (cut) {
        endBlock();
        if (!wraps)
            m_lineWidth = m_width > 0 ? advance(c) : 0;
    } else {
        m_lines += wraps;
    }
    m_lineCharacters = cut || wraps ? 1 : m_lineCharacters + 1;
    ++m_length;
    return cut;
}

void BlockCutter::endBlock() {
    m_lineCounts.push_back(m_lines);
    m_length = 0;
    m_lines = 1;
    m_lineEnds = 0;
}

} // namespace glyphmill
