#include "page/TemplateLineReader.h"

#include <QIODevice>

#include <cstring>

namespace quorra {

namespace {

// The first carriage return or line feed in [from, to), or to.
const char* findLineEnd(const char* from, const char* to) {
    for (; from != to; ++from) {
        if (*from == '\r' || *from == '\n')
            return from;
    }
    return to;
}

} // namespace

TemplateLineReader::TemplateLineReader(QIODevice& device)
    : m_device(device) {}

bool TemplateLineReader::fill() {
    m_pos = 0;
    m_size = 0;
    if (m_atEnd || m_error)
        return false;
    if (m_block.size() != BlockSize)
        m_block.resize(BlockSize);
    const qint64 n = m_device.read(m_block.data(), BlockSize);
    if (n < 0) {
        m_error = true;
        m_errorString = m_device.errorString();
        return false;
    }
    if (n == 0) {
        m_atEnd = true;
        return false;
    }
    m_size = qsizetype(n);
    return true;
}

bool TemplateLineReader::readLine(QByteArrayView& line) {
    m_carry.resize(0);
    bool carrying = false;
    for (;;) {
        if (m_pos == m_size && !fill()) {
            if (m_error || !carrying)
                return false;
            line = m_carry;
            return true;
        }
        const char* block = m_block.constData();
        if (m_skipLineFeed) {
            m_skipLineFeed = false;
            if (block[m_pos] == '\n') {
                ++m_pos;
                continue;
            }
        }
        const char* start = block + m_pos;
        const char* end = block + m_size;
        const char* stop = findLineEnd(start, end);
        if (stop == end) {
            m_carry.append(start, end - start);
            carrying = true;
            m_pos = m_size;
            continue;
        }
        m_skipLineFeed = *stop == '\r';
        m_pos = stop + 1 - block;
        if (carrying) {
            m_carry.append(start, stop - start);
            line = m_carry;
        } else {
            line = QByteArrayView(start, stop - start);
        }
        return true;
    }
}

} // namespace quorra
