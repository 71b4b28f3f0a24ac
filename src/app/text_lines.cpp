#include "text_lines.h"

namespace TextLines {

QStringList Read(const QString &text) {
    QStringList lines;
    qsizetype pos = 0;
    while (pos < text.size()) {
        qsizetype cr = text.indexOf(QLatin1Char('\r'), pos);
        if (cr < 0)
            cr = text.size();
        lines << text.mid(pos, cr - pos);
        pos = cr + 1;
        if (pos < text.size() && text.at(pos) == QLatin1Char('\n'))
            ++pos;
    }
    return lines;
}

} // namespace TextLines
