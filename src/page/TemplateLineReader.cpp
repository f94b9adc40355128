#include "page/TemplateLineReader.h"

#include <QIODevice>

#include <algorithm>
#include <cstring>

namespace quorra {

TemplateLineReader::TemplateLineReader(QIODevice& device, qsizetype maxLineBytes)
    : m_device(device)
    , m_maxLineBytes(maxLineBytes) {}

bool TemplateLineReader::readLines(QByteArrayView& lines) {
    while (!m_atEnd && !m_failed) {
        // The bytes not given out, the start of a line, move to the front; a block follows
        // them, and one byte more for the line end the last line may be given.
        const qsizetype kept = m_size - m_start;
        std::memmove(m_buffer.data(), m_buffer.constData() + m_start, size_t(kept));
        m_start = 0;
        m_size = kept;
        if (m_buffer.size() < kept + BlockSize + 1)
            m_buffer.resize(std::max(kept + BlockSize + 1, 2 * m_buffer.size()));
        char* data = m_buffer.data();
        const qint64 n = m_device.read(data + kept, BlockSize);
        m_failed = n < 0;
        m_atEnd = n == 0;
        if (n <= 0)
            break;
        m_size += qsizetype(n);
        // The whole lines end after the last line end before the last byte read (the kept
        // bytes hold none but maybe their last), or after the CR LF that ends the bytes:
        // the last byte, a CR, may be followed by an LF not read yet.
        const qsizetype from = std::max<qsizetype>(kept - 1, 0);
        const auto last = [&](char c) {
            const void* at = memrchr(data + from, c, size_t(m_size - 1 - from));
            return at ? static_cast<const char*>(at) - data : qsizetype(-1);
        };
        const qsizetype end = std::max(last('\r'), last('\n'));
        if (end >= 0) {
            m_start = data[end] == '\r' && data[end + 1] == '\n' ? end + 2 : end + 1;
            lines = QByteArrayView(data, m_start);
            return true;
        }
        if (m_size > m_maxLineBytes) {
            m_failed = m_lineTooLong = true;
            break;
        }
    }
    if (!m_atEnd || m_size == 0)
        return false;
    if (m_buffer[m_size - 1] != '\r' && m_buffer[m_size - 1] != '\n')
        m_buffer[m_size++] = '\n';
    lines = QByteArrayView(m_buffer.constData(), m_size);
    m_size = 0;
    return true;
}

} // namespace quorra
