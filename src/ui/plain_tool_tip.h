#pragma once

#include <QString>
#include <QTextDocument>

// A tool tip is shown as rich text whenever its text looks like markup. Song names and clip
// titles come from pages and files, so they are turned into markup that shows them as they
// are, on one line.
inline QString PlainToolTip(const QString &text) {
    return text.isEmpty() ? text : Qt::convertFromPlainText(text, Qt::WhiteSpaceNoWrap);
}
