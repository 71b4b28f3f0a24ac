#pragma once

#include <QWidget>

class QColor;

// The extra windows' common frame: captionless, skinned, of a fixed size and centred on the
// screen; each loads before it shows and, when it goes (closed, or its load failed), says so
// once and deletes itself.
class SkinnedWindow : public QWidget {
    Q_OBJECT
public:
    SkinnedWindow(const QString &caption, QSize size, QWidget *parent = nullptr);

    bool isLoading() const { return loading_; }

    // A list drawn in the given colour on black, as the catalogue windows list their entries.
    static void ListInColourOnBlack(QWidget *list, const QColor &text);

signals:
    // The window is loaded and on the screen.
    void loaded();
    // The window is going: closed, or what it needed could not be had.
    void unloaded();

protected:
    void setLoading(bool loading) { loading_ = loading; }
    // The window goes without being shown or after being closed: unloaded() once, then deleted.
    void unload();
    void paintEvent(QPaintEvent *) override;
    void closeEvent(QCloseEvent *event) override;

private:
    bool loading_ = false;
    bool unloaded_ = false;
};
