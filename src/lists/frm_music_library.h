#pragma once

#include <QWidget>

class QGroupBox;
class QListWidget;
class QListWidgetItem;
class Session;

// The music library: the singer albums of the application folder's "music" folder; a
// double-click appends an album to the playlist. The folder is read when the window opens.
class frmMusicLibrary : public QWidget {
    Q_OBJECT
public:
    explicit frmMusicLibrary(Session &session, QWidget *parent = nullptr);

    QGroupBox *Frame1;
    QListWidget *filMusicLib;

    void filMusicLib_DblClick(QListWidgetItem *item);

private:
    void Form_Load();

    Session &session_;
    QString folder_;
};
