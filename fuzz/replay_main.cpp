// Runs a fuzz target's LLVMFuzzerTestOneInput once on every file of the folders given, as a
// test: its corpus and the inputs of its earlier findings. A property that fails traps, and
// a sanitizer report ends the run.

#include <QDirIterator>
#include <QFile>

#include <cstdint>
#include <cstdio>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size);

int main(int argc, char** argv) {
    QStringList files;
    for (int i = 1; i < argc; ++i) {
        for (QDirIterator it(QString::fromLocal8Bit(argv[i]), QDir::Files); it.hasNext();) {
            if (const QString file = it.next(); !file.endsWith(QLatin1String(".md")))
                files += file;
        }
    }
    files.sort();
    for (const QString& name : std::as_const(files)) {
        QFile file(name);
        if (!file.open(QIODevice::ReadOnly))
            return std::fprintf(stderr, "cannot read %s\n", qPrintable(name)), 1;
        const QByteArray bytes = file.readAll();
        std::fprintf(stderr, "%s\n", qPrintable(name));
        LLVMFuzzerTestOneInput(reinterpret_cast<const std::uint8_t*>(bytes.constData()),
                               std::size_t(bytes.size()));
    }
    std::printf("%lld inputs replayed\n", static_cast<long long>(files.size()));
    return files.isEmpty() ? 1 : 0;
}
