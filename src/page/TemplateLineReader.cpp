#include "page/TemplateLineReader.h"

#include "page/ByteSearch.h"

#include <QIODevice>

#include <algorithm>
#include <cstring>

namespace quorra {

TemplateLineReader::TemplateLineReader(QIODevice& device)
    : m_device(device) {}

// Keeps the bytes not given out (the start of a line) at the front of the buffer and reads
// a block after them. False at the end of the device and after a read error.
bool TemplateLineReader::fill() {
    if (m_atEnd || m_error)
        return false;
    const qsizetype kept = m_size - m_pos;
    char* data = m_buffer.data();
    if (m_pos > 0 && kept > 0)
        std::memmove(data, data + m_pos, size_t(kept));
    m_pos = 0;
    m_linesEnd = 0;
    m_size = kept;
    // One byte more, for the line end the last line may be given.
    const qsizetype needed = kept + BlockSize + 1;
    if (m_buffer.size() < needed)
        m_buffer.resize(std::max(needed, 2 * m_buffer.size()));
    data = m_buffer.data();
    const qint64 n = m_device.read(data + kept, BlockSize);
    if (n < 0) {
        m_error = true;
        m_errorString = m_device.errorString();
        return false;
    }
    if (n == 0) {
        m_atEnd = true;
        if (kept > 0 && data[kept - 1] != '\r' && data[kept - 1] != '\n')
            data[m_size++] = '\n';
        m_linesEnd = m_size;
        return m_size > 0;
    }
    m_size += qsizetype(n);
    // The kept bytes hold no line end but maybe their last one.
    endWholeLines(std::max<qsizetype>(kept - 1, 0));
    return true;
}

// The whole lines end after the last line end before the last byte read, or after the
// CR LF that ends the bytes: a CR as the last byte may be followed by an LF not read yet.
void TemplateLineReader::endWholeLines(qsizetype searchFrom) {
    const char* data = m_buffer.constData();
    const qsizetype end = findLastLineEnd(QByteArrayView(data, m_size), searchFrom, m_size - 1);
    if (end >= 0)
        m_linesEnd = data[end] == '\r' && data[end + 1] == '\n' ? end + 2 : end + 1;
}

bool TemplateLineReader::readLines(QByteArrayView& lines) {
    while (m_linesEnd == m_pos) {
        if (!fill())
            return false;
    }
    lines = QByteArrayView(m_buffer.constData() + m_pos, m_linesEnd - m_pos);
    m_pos = m_linesEnd;
    return true;
}

bool TemplateLineReader::readLine(QByteArrayView& line) {
    if (m_linePos == m_lines.size()) {
        if (!readLines(m_lines))
            return false;
        m_linePos = 0;
    }
    const qsizetype end = findLineEnd(m_lines, m_linePos); // every line of a run has an end
    line = m_lines.sliced(m_linePos, end - m_linePos);
    m_linePos = afterLineEnd(m_lines, end);
    return true;
}

} // namespace quorra
