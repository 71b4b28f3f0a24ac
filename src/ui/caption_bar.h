#pragma once

#include <QString>

class QLabel;
class QWidget;

// The caption band of a skinned window: the program's icon and the caption on the left, "-"
// (minimise) and "×" (close) on the right. Icon and caption let presses through, so they drag
// the window like its background.
struct CaptionBar {
    QLabel *icon;
    QLabel *caption;
    QLabel *minButton;
    QLabel *closeButton;
};

CaptionBar MakeCaptionBar(QWidget *window, const QString &caption, int windowWidth);
