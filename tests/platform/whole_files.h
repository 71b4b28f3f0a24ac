#pragma once

#include "flash/flash_catalogue.h"

#include <QByteArray>
#include <QString>
#include <QStringEncoder>

// The two versions of each file that file_writer writes in turn, and what whole ones hold.
namespace WholeFiles {

inline const QString Server = QStringLiteral("http://data.example/");
inline const QString SongName = QStringLiteral("月亮.mp3");
inline const QString Aria2State = QStringLiteral("tonaply-aria2");

// A catalogue file large enough that a kill often lands inside its write.
inline QString FlashText(QChar version, const QString &file) {
    QString text;
    for (int i = 0; i < 4000; ++i)
        text +=
            QStringLiteral("%1动画%2-%3\r\nhttp://h/%1/%3.swf\r\n").arg(version).arg(file).arg(i);
    return text;
}
inline QByteArray FlashBytes(QChar version, const QString &file) {
    QStringEncoder encode("GB18030");
    return encode(FlashCatalogue::StoredText(FlashText(version, file)));
}

inline QByteArray SongBytes(char version) {
    return QByteArray(8 * 1024 * 1024, version);
}

} // namespace WholeFiles
