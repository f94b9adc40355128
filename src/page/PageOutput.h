#pragma once

#include <QByteArray>
#include <QByteArrayView>

#include <array>
#include <cstring>
#include <functional>
#include <memory>

class QIODevice;

namespace quorra {

class BackgroundWriter;

// Gathers the page's bytes in a buffer of its own and hands them to the page device a
// buffer at a time. A file is written on a thread of its own while the next buffers are
// filled; only one thread uses the device at a time. After a write fails nothing more is
// written; the device says why.
class PageOutput {
public:
    static constexpr qsizetype BufferSize = 512 * 1024;

    // written, when given, is told the bytes written so far after each write to the device,
    // on the thread that wrote them.
    explicit PageOutput(QIODevice& device, std::function<void(qint64)> written = {});
    ~PageOutput();

    // Adds bytes to the page.
    void put(QByteArrayView bytes) {
        if (bytes.size() <= BufferSize - m_used) {
            if (!bytes.isEmpty())
                std::memcpy(m_data + m_used, bytes.data(), size_t(bytes.size()));
            m_used += bytes.size();
        } else {
            putLarge(bytes);
        }
    }

    // Waits until the buffers handed over are written; false when a write failed.
    bool finishWrites();

    // Writes what the buffer holds; false when this or an earlier write failed.
    bool flush();

    bool failed() const { return m_failed; }

private:
    void putLarge(QByteArrayView bytes);
    bool handOver();
    bool writeAll(QByteArrayView bytes);

    QIODevice& m_device;
    std::function<void(qint64)> m_written;
    std::array<QByteArray, 3> m_buffers; // the others only for a file of more than one
    std::size_t m_current = 0;
    char* m_data = nullptr;
    qsizetype m_used = 0;
    qint64 m_total = 0; // written by the thread that writes
    bool m_failed = false;
    std::unique_ptr<BackgroundWriter> m_writer; // ended before the buffers are freed
};

} // namespace quorra
