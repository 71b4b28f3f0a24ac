#include "spaces.h"

namespace Spaces {

QString Trim(const QString &text) {
    qsizetype first = 0;
    qsizetype last = text.size();
    while (first < last && text[first] == QLatin1Char(' '))
        ++first;
    while (last > first && text[last - 1] == QLatin1Char(' '))
        --last;
    return text.mid(first, last - first);
}

bool IsBlank(QStringView text) {
    for (QChar c : text)
        if (c != QLatin1Char(' '))
            return false;
    return true;
}

} // namespace Spaces
