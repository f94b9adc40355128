#pragma once

#include <QByteArray>
#include <QByteArrayView>

#include <cstring>
#include <functional>

class QIODevice;

namespace quorra {

// Gathers the page's bytes in a buffer and writes them to the page device a buffer at a
// time, every write checked. After a write fails nothing more is written; the device says
// why.
class PageOutput {
public:
    static constexpr qsizetype BufferSize = 512 * 1024;

    // written, when given, is told the bytes written so far after each write.
    explicit PageOutput(QIODevice& device, std::function<void(qint64)> written = {});

    // Adds bytes to the page.
    void put(QByteArrayView bytes) {
        if (bytes.size() > BufferSize - m_used) {
            putLarge(bytes);
        } else if (!bytes.isEmpty()) {
            std::memcpy(m_buffer.data() + m_used, bytes.data(), size_t(bytes.size()));
            m_used += bytes.size();
        }
    }

    // Writes what the buffer holds; false when this or an earlier write failed.
    bool flush();

    bool failed() const { return m_failed; }

private:
    void putLarge(QByteArrayView bytes);
    bool writeAll(QByteArrayView bytes);

    QIODevice& m_device;
    std::function<void(qint64)> m_written;
    QByteArray m_buffer;
    qsizetype m_used = 0;
    qint64 m_total = 0;
    bool m_failed = false;
};

} // namespace quorra
