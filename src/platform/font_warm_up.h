#pragma once

#include "platform/platform_layer.h"

#include <QObject>
#include <QString>
#include <functional>
#include <thread>

// The desktop's font, looked up with fontconfig on a thread of its own and put to use just
// before the first window is painted. Reading fontconfig's configuration takes a few ms of
// processor time; done while the application object connects to the display or while the
// main window is built, it slowed them by as much, so it starts once the main window is on
// its way to the screen (start) and the main thread waits for it only where text is first
// drawn. Qt's own font database loads at that first text, from what fontconfig has read.
class FontWarmUp : public QObject {
public:
    struct Face {
        QString family;      // the installed family that the desktop's font resolves to
        bool hasHan = false; // whether it has Chinese glyphs of its own
    };
    using Use = std::function<void(const Face &)>;

    // family: the desktop's font as Qt names it (an alias such as "Sans Serif" too). use is
    // given the answer once, before the first window is exposed or the first dialog shows,
    // or at apply. Needs the application object.
    FontWarmUp(const QString &family, Use use);
    ~FontWarmUp() override;

    // Starts the lookup; once only.
    void start();
    // The answer (starts the lookup if need be, and waits for it); a face of the asked name
    // where fontconfig found none.
    Face answer();
    // Gives use the answer, if it has not had it yet.
    void apply();

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    static Face lookUp(const QString &family);

    const QString asked_;
    Use use_;
    bool started_ = false;
    bool applied_ = false;
    Face face_;
    std::thread thread_;
};
