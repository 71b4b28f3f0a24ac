#pragma once

#include "platform/platform_layer.h"

#include "clipboard.h"

// The desktop clipboard.
class QtClipboard : public Clipboard {
public:
    void setText(const QString &text) override;
};
