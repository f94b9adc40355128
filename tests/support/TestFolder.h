#pragma once

#include <QTemporaryDir>

#include <sys/resource.h>

namespace quorra::test {

// The bytes of a file, or an empty array when it cannot be read.
QByteArray readFile(const QString& path);

// A temporary application folder, optionally filled with the shipped data files.
class TestFolder {
public:
    enum Contents { Empty, ShippedData };
    explicit TestFolder(Contents contents = ShippedData);
    QString path() const { return m_dir.path(); }
    QString filePath(const QString& name) const { return m_dir.filePath(name); }
    // Writes bytes to a file of the folder, replacing it; fails the test on error.
    void write(const QString& name, const QByteArray& bytes) const;
    QByteArray read(const QString& name) const { return readFile(filePath(name)); }

private:
    QTemporaryDir m_dir;
};

// Compares bytes with the golden file tests/data/golden/<name> line by line, naming the first
// line that differs; with QUORRA_UPDATE_GOLDEN=1 it first writes the file anew (to review
// the difference after a deliberate change).
void compareGolden(const QByteArray& actual, const QString& name);

// Copies the shipped data files (catalogue, help, templates, images) into a folder.
void copyShippedData(const QString& folder);

// The files of a folder, hidden ones included, by name.
QStringList filesIn(const QString& folder);

// While it lives, the kernel refuses to write any file of this process past the given
// size (RLIMIT_FSIZE), as a full disk does; a negative size leaves the limit as it was.
// The signal the kernel sends then (SIGXFSZ) is left as it is: the program under test must
// ignore it itself.
class FileSizeLimit {
public:
    explicit FileSizeLimit(qint64 bytes);
    ~FileSizeLimit();

private:
    rlimit m_previous{};
};

} // namespace quorra::test
