#include "page/PageOutput.h"

#include <QIODevice>

namespace quorra {

PageOutput::PageOutput(QIODevice& device, std::function<void(qint64)> written)
    : m_device(device)
    , m_written(std::move(written))
    , m_buffer(BufferSize, Qt::Uninitialized) {}

// Bytes that do not fit: the buffer is written first, then bytes as large as the buffer go
// straight to the device.
void PageOutput::putLarge(QByteArrayView bytes) {
    if (!flush())
        return;
    if (bytes.size() >= BufferSize) {
        m_failed = !writeAll(bytes);
        return;
    }
    put(bytes);
}

bool PageOutput::flush() {
    if (!m_failed)
        m_failed = !writeAll(QByteArrayView(m_buffer.constData(), m_used));
    m_used = 0;
    return !m_failed;
}

// Writes every byte or fails: a short write is followed by another, which then reports
// why the rest could not be written (a full disk, a file-size limit).
bool PageOutput::writeAll(QByteArrayView bytes) {
    for (qint64 done = 0; done < bytes.size();) {
        const qint64 n = m_device.write(bytes.data() + done, bytes.size() - done);
        if (n <= 0)
            return false;
        done += n;
        m_total += n;
    }
    if (m_written && !bytes.isEmpty())
        m_written(m_total);
    return true;
}

} // namespace quorra
