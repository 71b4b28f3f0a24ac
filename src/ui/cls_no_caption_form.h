#pragma once

#include <QObject>
#include <QPoint>
#include <QPointer>
#include <QWidget>

// Makes a window without a system caption movable by dragging its own surface (not its
// controls) with the left button.
class clsNoCaptionForm : public QObject {
    Q_OBJECT
public:
    explicit clsNoCaptionForm(QObject *parent = nullptr);

    // The window to make draggable.
    void setName(QWidget *vNewValue);
    QWidget *name() const { return frmForm; }

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    QPointer<QWidget> frmForm;
    QPoint down_;
    bool dragging_ = false;
};
