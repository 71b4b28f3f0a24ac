#pragma once

#include <QString>
#include <QStringView>

// Trimming as the program's texts know it: the space character only, never tabs or line
// breaks.
namespace Spaces {

QString Trim(const QString &text);
// True when the text is empty or holds spaces only.
bool IsBlank(QStringView text);

} // namespace Spaces
