// Runs a fuzz target's LLVMFuzzerTestOneInput once on every file of the folders given, as a
// test: its corpus and the inputs of its earlier findings. A property that fails traps, and
// a sanitizer report ends the run.

#include <QDirIterator>
#include <QFile>

#include <cstdint>
#include <cstdio>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size);

int main(int argc, char** argv) {
    int replayed = 0;
    for (int i = 1; i < argc; ++i) {
        for (QDirIterator it(QString::fromLocal8Bit(argv[i]), QDir::Files); it.hasNext(); ++replayed) {
            QFile file(it.next());
            if (!file.open(QIODevice::ReadOnly))
                return std::fprintf(stderr, "cannot read %s\n", qPrintable(file.fileName())), 1;
            std::fprintf(stderr, "%s\n", qPrintable(file.fileName()));
            const QByteArray bytes = file.readAll();
            LLVMFuzzerTestOneInput(reinterpret_cast<const std::uint8_t*>(bytes.constData()),
                                   std::size_t(bytes.size()));
        }
    }
    std::printf("%d inputs replayed\n", replayed);
    return replayed == 0;
}
