#pragma once

#include <QObject>
#include <QPoint>

class QAbstractItemView;

// The mouse and keys of a list box, as the window's handlers want them: a right-button press
// (which leaves the marks and the current entry as they are, and opens no menu of Qt's own),
// a key pressed in the list, and a left double-click once the view has made the clicked
// entry current. Serves the song lists, the channel lists and the Flash list alike.
class ListInput : public QObject {
    Q_OBJECT
public:
    // Watches the view and its viewport for as long as the view lives.
    explicit ListInput(QAbstractItemView *view);

signals:
    void rightPressed(const QPoint &globalPos);
    void keyDown(int key);
    void doubleClicked();

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    // Compared by address only: events still come while the view is being destroyed.
    QObject *view_;
    QObject *viewport_;
};
