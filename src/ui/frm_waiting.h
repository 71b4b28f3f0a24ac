#pragma once

#include <QWidget>

class QLabel;

// The loading splash shown while the main window loads its data.
class frmWaiting : public QWidget {
    Q_OBJECT
public:
    explicit frmWaiting(QWidget *parent = nullptr);
    QLabel *lblInformation;

protected:
    void paintEvent(QPaintEvent *) override;
};
