// Writes the program's icon as PNG files of the desktop's usual sizes, for the install:
// write_icons FOLDER writes FOLDER/SIZExSIZE/apps/org.tonaply.Tonaply.png.
#include "skin.h"

#include <QDir>
#include <QGuiApplication>
#include <QPixmap>

int main(int argc, char *argv[]) {
    QGuiApplication app(argc, argv);
    if (argc < 2)
        return 2;
    const QDir root(QString::fromLocal8Bit(argv[1]));
    for (int size : {16, 22, 24, 32, 48, 64, 128, 256}) {
        const QString folder = root.filePath(QStringLiteral("%1x%1/apps").arg(size));
        if (!QDir().mkpath(folder) ||
            !Skin::ProgramIcon(size).save(QDir(folder).filePath("org.tonaply.Tonaply.png")))
            return 1;
    }
    return 0;
}
