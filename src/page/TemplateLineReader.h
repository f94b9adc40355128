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

    // runMarker: what readRun keeps out of its runs of lines; empty, it is held by no line.
    explicit TemplateLineReader(QIODevice& device, QByteArray runMarker = {});

    // The next line without its line end, valid until the next call. False at the end of
    // the device and after a read error.
    bool readLine(QByteArrayView& line);

    // The next piece of the template, valid until the next call: either a run of whole
    // lines that all end in CR LF and none of which holds the run marker, given as they
    // stand with their line ends (plain is true), or the next line without its line end,
    // as readLine gives it (plain is false). Calls of readLine and readRun may be mixed.
    // False at the end of the device and after a read error.
    bool readRun(QByteArrayView& piece, bool& plain);

    bool hasError() const { return m_error; }
    QString errorString() const { return m_errorString; }

private:
    bool fill();

    QIODevice& m_device;
    QByteArray m_block;
    qsizetype m_pos = 0;
    qsizetype m_size = 0;
    // Found ahead in the block by readRun, kept while not passed: the first line end
    // other than CR LF, and the first place of the run marker (m_size when none).
    qsizetype m_oddEnd = -1;
    qsizetype m_markerAt = -1;
    const QByteArray m_marker;
    QByteArray m_carry; // a line that runs over the end of a block
    bool m_skipLineFeed = false;
    bool m_atEnd = false;
    bool m_error = false;
    QString m_errorString;
};

} // namespace quorra
