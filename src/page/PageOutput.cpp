#include "page/PageOutput.h"

#include <QFileDevice>

#include <condition_variable>
#include <deque>
#include <mutex>
#include <thread>

namespace quorra {

// Runs writes in the order they are started, one at a time, on a thread of its own. After
// a write fails, the writes still waiting are dropped.
class BackgroundWriter {
public:
    // most: how many writes may be started and not finished at once.
    BackgroundWriter(std::function<bool(QByteArrayView)> write, std::size_t most)
        : m_write(std::move(write))
        , m_most(most)
        , m_thread([this] { run(); }) {}

    // Waits for the writes started, then ends the thread.
    ~BackgroundWriter() {
        {
            const std::lock_guard lock(m_mutex);
            m_stop = true;
        }
        m_changed.notify_all();
        m_thread.join();
    }

    // Waits until fewer than most writes are unfinished; false when a write failed.
    // Otherwise starts writing bytes, which must stay as they are until the write is done.
    bool start(QByteArrayView bytes) {
        std::unique_lock lock(m_mutex);
        m_changed.wait(lock, [this] { return !m_ok || m_jobs.size() + m_writing < m_most; });
        if (!m_ok)
            return false;
        m_jobs.push_back(bytes);
        lock.unlock();
        m_changed.notify_all();
        return true;
    }

    // Waits until every write started is done; false when a write failed.
    bool wait() {
        std::unique_lock lock(m_mutex);
        m_changed.wait(lock, [this] { return m_jobs.empty() && m_writing == 0; });
        return m_ok;
    }

private:
    void run() {
        std::unique_lock lock(m_mutex);
        for (;;) {
            m_changed.wait(lock, [this] { return !m_jobs.empty() || m_stop; });
            if (m_jobs.empty())
                return;
            const QByteArrayView job = m_jobs.front();
            m_jobs.pop_front();
            m_writing = 1;
            lock.unlock();
            const bool ok = m_write(job);
            lock.lock();
            m_writing = 0;
            if (!ok) {
                m_ok = false;
                m_jobs.clear();
            }
            m_changed.notify_all();
        }
    }

    std::function<bool(QByteArrayView)> m_write;
    const std::size_t m_most;
    std::mutex m_mutex;
    std::condition_variable m_changed;
    std::deque<QByteArrayView> m_jobs; // started, not yet being written
    std::size_t m_writing = 0;         // 1 while a write runs
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
// in the next buffer.
bool PageOutput::handOver() {
    if (m_failed)
        return false;
    if (!m_writer && qobject_cast<QFileDevice*>(&m_device)) {
        for (std::size_t i = 1; i < m_buffers.size(); ++i)
            m_buffers[i] = QByteArray(BufferSize, Qt::Uninitialized);
        // While one buffer is written and the next waits for it, the third is filled.
        m_writer = std::make_unique<BackgroundWriter>(
            [this](QByteArrayView bytes) { return writeAll(bytes); }, m_buffers.size() - 1);
    }
    const QByteArrayView full(m_data, m_used);
    m_failed = m_writer ? !m_writer->start(full) : !writeAll(full);
    if (m_failed)
        return false;
    if (m_writer)
        m_current = (m_current + 1) % m_buffers.size();
    m_data = m_buffers[m_current].data();
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
