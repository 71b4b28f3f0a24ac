// Replays inputs through a fuzz target, for the test suite: every file named, and every file
// in every folder named (a missing folder is an empty one). Without libFuzzer, so the suite
// runs the corpus and every crash ever found with the ordinary and the sanitizer builds.
#include <QByteArray>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <cstdint>
#include <cstdio>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size);

namespace {
int replay(const QString &path) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        std::fprintf(stderr, "cannot read %s\n", qPrintable(path));
        return 1;
    }
    const QByteArray bytes = file.readAll();
    LLVMFuzzerTestOneInput(reinterpret_cast<const uint8_t *>(bytes.constData()),
                           static_cast<size_t>(bytes.size()));
    return 0;
}
} // namespace

int main(int argc, char *argv[]) {
    int failures = 0;
    int inputs = 0;
    for (int i = 1; i < argc; ++i) {
        const QString path = QString::fromLocal8Bit(argv[i]);
        if (QFileInfo(path).isDir()) {
            for (const QFileInfo &f : QDir(path).entryInfoList(QDir::Files, QDir::Name)) {
                failures += replay(f.filePath());
                ++inputs;
            }
        } else if (QFileInfo::exists(path)) {
            failures += replay(path);
            ++inputs;
        }
    }
    std::printf("%d inputs replayed\n", inputs);
    return failures == 0 ? 0 : 1;
}
