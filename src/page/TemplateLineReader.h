#pragma once

#include <QByteArray>
#include <QByteArrayView>

class QIODevice;

namespace quorra {

// Reads a template device in blocks, without holding more than a block and the line that
// runs over its end. A line ends at a carriage return (a line feed right after it belongs
// to that line end) or at a lone line feed; the last line needs no line end.
class TemplateLineReader {
public:
    static constexpr qsizetype BlockSize = 64 * 1024;
    // The longest line held: a file that runs on without a line end (a huge sparse file,
    // say) fails here rather than taking all memory.
    static constexpr qsizetype MaxLineBytes = qsizetype(256) << 20;

    explicit TemplateLineReader(QIODevice& device, qsizetype maxLineBytes = MaxLineBytes);

    // The next run of whole lines, each with its line end as it stands; a CR LF is never
    // split, and the template's last line, when it has no line end, is given one LF. Valid
    // until the next call. False at the end of the device and after a read error.
    bool readLines(QByteArrayView& lines);

    // True when a read failed; the device says why, unless a line was too long.
    bool failed() const { return m_failed; }
    bool lineTooLong() const { return m_lineTooLong; }

private:
    QIODevice& m_device;
    qsizetype m_maxLineBytes;
    QByteArray m_buffer;
    qsizetype m_start = 0; // the bytes before it have been given out
    qsizetype m_size = 0;  // the bytes read
    bool m_atEnd = false;
    bool m_failed = false;
    bool m_lineTooLong = false;
};

} // namespace quorra
