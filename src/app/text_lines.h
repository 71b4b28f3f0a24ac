#pragma once

#include <QString>
#include <QStringList>

// The lines of a text file as the program reads them: CR LF and a lone CR end a line, a lone
// LF stays part of its line; a last line without a line end still counts, and an empty text
// has no lines.
namespace TextLines {

QStringList Read(const QString &text);

} // namespace TextLines
