#include "support/TestFolder.h"

#include <QtTest>

namespace quorra::test {

void copyShippedData(const QString& folder) {
    const QDir data(QStringLiteral(QUORRA_SOURCE_DATA));
    for (QDirIterator it(data.path(), QDir::Files, QDirIterator::Subdirectories); it.hasNext();) {
        const QString from = it.next();
        const QString to = folder + u'/' + data.relativeFilePath(from);
        QDir().mkpath(QFileInfo(to).path());
        if (!from.endsWith(u"/CMakeLists.txt"))
            QFile::copy(from, to);
    }
}

TestFolder::TestFolder(Contents contents) {
    if (contents == ShippedData)
        copyShippedData(m_dir.path());
}

void TestFolder::write(const QString& name, const QByteArray& bytes) const {
    QFile file(filePath(name));
    QVERIFY2(file.open(QIODevice::WriteOnly | QIODevice::Truncate), qPrintable(file.errorString()));
    QCOMPARE(file.write(bytes), bytes.size());
}

QByteArray readFile(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

void compareGolden(const QByteArray& actual, const QString& name) {
    const QString path = QStringLiteral(QUORRA_TEST_DATA "/golden/") + name;
    if (qEnvironmentVariableIntValue("QUORRA_UPDATE_GOLDEN") == 1) {
        QFile file(path);
        QVERIFY(file.open(QIODevice::WriteOnly) && file.write(actual) == actual.size());
    }
    QCOMPARE(actual.split('\n'), readFile(path).split('\n'));
}

QStringList filesIn(const QString& folder) {
    return QDir(folder).entryList(QDir::Files | QDir::Hidden | QDir::NoDotAndDotDot, QDir::Name);
}

FileSizeLimit::FileSizeLimit(qint64 bytes) {
    getrlimit(RLIMIT_FSIZE, &m_previous);
    rlimit limit = m_previous;
    limit.rlim_cur = bytes < 0 ? m_previous.rlim_cur : rlim_t(bytes);
    if (setrlimit(RLIMIT_FSIZE, &limit) != 0)
        qFatal("cannot set the file-size limit");
}

FileSizeLimit::~FileSizeLimit() {
    setrlimit(RLIMIT_FSIZE, &m_previous);
}

} // namespace quorra::test
