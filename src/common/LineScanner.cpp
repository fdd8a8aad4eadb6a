#include "common/LineScanner.h"

namespace {

constexpr char kCR = 13;
constexpr char kLF = 10;
constexpr char kEofMark = 26;

bool endsText(char c) {
    return c == kCR || c == kEofMark;
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
    while (i < size && !endsText(p[i]))
        ++i;
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
