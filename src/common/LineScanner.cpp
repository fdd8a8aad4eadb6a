#include "common/LineScanner.h"

#include <cstring>

namespace {

constexpr char kCR = 13;
constexpr char kLF = 10;
constexpr char kEofMark = 26;

bool endsText(char c) {
    return c == kCR || c == kEofMark;
}

// The first `c` in [from, to), or `to`. The range is never empty here, so
// memchr never sees a null pointer.
const char* find(const char* from, const char* to, char c) {
    const void* found = std::memchr(from, c, static_cast<std::size_t>(to - from));
    return found ? static_cast<const char*>(found) : to;
}

} // namespace

bool LineScanner::next(ScannedLine& line) {
    const char* const p = m_data.data();
    const qsizetype size = m_data.size();
    qsizetype i = m_pos;
    while (i < size && static_cast<unsigned char>(p[i]) <= 32 && !endsText(p[i]))
        ++i;
    if (i >= size || endsText(p[i]))
        return false;
    line.begin = m_pos;
    line.textBegin = i;
    // Character 26 is rare: look for it only within the text before the CR.
    const char* const cr = find(p + i, p + size, kCR);
    i = find(p + i, cr, kEofMark) - p;
    line.textEnd = i;
    if (i < size && p[i] == kCR) {
        ++i;
        if (i < size && p[i] == kLF)
            ++i;
    }
    line.end = i;
    m_pos = i;
    return true;
}
