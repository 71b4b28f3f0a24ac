#pragma once

#include <QString>

// The system clipboard, plain text only.
class Clipboard {
public:
    virtual ~Clipboard() = default;
    // Clears the clipboard, then puts the text on it.
    virtual void setText(const QString &text) = 0;
};
