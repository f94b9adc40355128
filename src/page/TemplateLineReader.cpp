#include "page/TemplateLineReader.h"

#include "page/ByteSearch.h"

#include <QIODevice>

#include <algorithm>

namespace quorra {

TemplateLineReader::TemplateLineReader(QIODevice& device, QByteArray runMarker)
    : m_device(device)
    , m_marker(std::move(runMarker)) {}

bool TemplateLineReader::fill() {
    m_pos = 0;
    m_size = 0;
    m_oddEnd = -1;
    m_markerAt = -1;
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
        const qsizetype found = findLineEnd(QByteArrayView(block, m_size), m_pos);
        const char* stop = found < 0 ? end : block + found;
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

bool TemplateLineReader::readRun(QByteArrayView& piece, bool& plain) {
    for (;;) {
        if (m_pos == m_size && !fill())
            return false;
        if (!m_skipLineFeed)
            break;
        m_skipLineFeed = false;
        if (m_block[m_pos] == '\n')
            ++m_pos;
    }

    // Every line that ends before the first odd line end and before the first place of
    // the marker ends in CR LF and holds no marker; the run takes these lines.
    const QByteArrayView block(m_block.constData(), m_size);
    const auto orEnd = [this](qsizetype at) { return at < 0 ? m_size : at; };
    if (m_oddEnd < m_pos)
        m_oddEnd = orEnd(findOddLineEnd(block, m_pos));
    if (m_markerAt < m_pos)
        m_markerAt = orEnd(findBytes(block, m_pos, m_marker));
    const qsizetype lineFeed = findLastLineFeed(block, m_pos, std::min(m_oddEnd, m_markerAt));
    if (lineFeed >= 0) {
        piece = block.sliced(m_pos, lineFeed + 1 - m_pos);
        plain = true;
        m_pos = lineFeed + 1;
        return true;
    }
    plain = false;
    return readLine(piece);
}

} // namespace quorra
