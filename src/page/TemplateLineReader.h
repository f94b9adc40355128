#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QString>

class QIODevice;

namespace quorra {

// Reads a template device line by line without holding more than one block and one line.
// A line ends at a carriage return (a line feed right after it belongs to that line end)
// or at a lone line feed; the last line needs no line end.
class TemplateLineReader {
public:
    static constexpr qsizetype BlockSize = 64 * 1024;

    explicit TemplateLineReader(QIODevice& device);

    // The next line without its line end, valid until the next call. False at the end of
    // the device and after a read error.
    bool readLine(QByteArrayView& line);

    bool hasError() const { return m_error; }
    QString errorString() const { return m_errorString; }

private:
    bool fill();

    QIODevice& m_device;
    QByteArray m_block;
    qsizetype m_pos = 0;
    qsizetype m_size = 0;
    QByteArray m_carry; // a line that runs over the end of a block
    bool m_skipLineFeed = false;
    bool m_atEnd = false;
    bool m_error = false;
    QString m_errorString;
};

} // namespace quorra
