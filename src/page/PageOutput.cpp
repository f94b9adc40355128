#include "page/PageOutput.h"

#include <QFileDevice>

#include <condition_variable>
#include <mutex>
#include <thread>

namespace quorra {

// Runs writes, one at a time, on a thread of its own.
class BackgroundWriter {
public:
    explicit BackgroundWriter(std::function<bool(QByteArrayView)> write)
        : m_write(std::move(write))
        , m_thread([this] { run(); }) {}

    // Waits for the write in progress, then ends the thread.
    ~BackgroundWriter() {
        {
            const std::lock_guard lock(m_mutex);
            m_stop = true;
        }
        m_changed.notify_all();
        m_thread.join();
    }

    // Waits for the write in progress; false when a write failed. Otherwise starts writing
    // bytes, which must stay as they are until the next start or wait.
    bool start(QByteArrayView bytes) {
        std::unique_lock lock(m_mutex);
        m_changed.wait(lock, [this] { return !m_busy; });
        if (!m_ok)
            return false;
        m_job = bytes;
        m_busy = true;
        lock.unlock();
        m_changed.notify_all();
        return true;
    }

    // Waits for the write in progress; false when a write failed.
    bool wait() {
        std::unique_lock lock(m_mutex);
        m_changed.wait(lock, [this] { return !m_busy; });
        return m_ok;
    }

private:
    void run() {
        std::unique_lock lock(m_mutex);
        for (;;) {
            m_changed.wait(lock, [this] { return m_busy || m_stop; });
            if (!m_busy)
                return;
            lock.unlock();
            const bool ok = m_write(m_job);
            lock.lock();
            m_ok = ok;
            m_busy = false;
            m_changed.notify_all();
        }
    }

    std::function<bool(QByteArrayView)> m_write;
    std::mutex m_mutex;
    std::condition_variable m_changed;
    QByteArrayView m_job;
    bool m_busy = false;
    bool m_ok = true;
    bool m_stop = false;
    std::thread m_thread; // started last, when everything it uses is made
};

PageOutput::PageOutput(QIODevice& device, std::function<void(qint64)> written)
    : m_device(device)
    , m_written(std::move(written)) {
    m_buffers[0] = QByteArray(BufferSize, Qt::Uninitialized);
    m_data = m_buffers[0].data();
}

PageOutput::~PageOutput() = default;

// Bytes that do not fit: the buffer is handed over first, then bytes larger than the
// buffer go straight to the device.
void PageOutput::putLarge(QByteArrayView bytes) {
    if (!handOver())
        return;
    if (bytes.size() >= BufferSize) {
        m_failed = !finishWrites() || !writeAll(bytes);
        return;
    }
    std::memcpy(m_data, bytes.data(), size_t(bytes.size()));
    m_used = bytes.size();
}

// Hands the full buffer to the device, a file's to the thread that writes it, and goes on
// in the other buffer.
bool PageOutput::handOver() {
    if (m_failed)
        return false;
    if (!m_writer && qobject_cast<QFileDevice*>(&m_device)) {
        m_buffers[1] = QByteArray(BufferSize, Qt::Uninitialized);
        m_writer =
            std::make_unique<BackgroundWriter>([this](QByteArrayView bytes) { return writeAll(bytes); });
    }
    const QByteArrayView full(m_data, m_used);
    m_failed = m_writer ? !m_writer->start(full) : !writeAll(full);
    if (m_failed)
        return false;
    if (m_writer)
        m_current = 1 - m_current;
    m_data = m_buffers[std::size_t(m_current)].data();
    m_used = 0;
    return true;
}

bool PageOutput::finishWrites() {
    if (m_writer && !m_writer->wait())
        m_failed = true;
    return !m_failed;
}

bool PageOutput::flush() {
    if (!finishWrites())
        return false;
    m_failed = !writeAll(QByteArrayView(m_data, m_used));
    m_used = 0;
    return !m_failed;
}

// Writes every byte or fails: a short write is followed by another, which then reports
// why the rest could not be written (a full disk, a file-size limit).
bool PageOutput::writeAll(QByteArrayView bytes) {
    qint64 done = 0;
    while (done < bytes.size()) {
        const qint64 n = m_device.write(bytes.data() + done, bytes.size() - done);
        if (n <= 0)
            return false;
        done += n;
    }
    m_total += done;
    if (m_written && done > 0)
        m_written(m_total);
    return true;
}

} // namespace quorra
