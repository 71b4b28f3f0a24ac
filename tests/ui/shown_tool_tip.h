#pragma once

#include <QString>
#include <QTextDocument>

// The text a tool tip shows: Qt reads it as markup when it looks like markup.
inline QString shownToolTip(const QString &tip) {
    QTextDocument shown;
    if (Qt::mightBeRichText(tip))
        shown.setHtml(tip);
    else
        shown.setPlainText(tip);
    return shown.toPlainText();
}
