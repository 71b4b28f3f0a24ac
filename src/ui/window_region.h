#pragma once

#include <QRect>
#include <QSize>

class QWidget;

// The rounded outline of a skinned window: a rounded rectangle from (left, top) up to, but
// not including, (right, bottom), in pixels from the window's outer top-left corner, with
// corner ellipses of corner × corner pixels.
struct RoundRegion {
    int left = 0;
    int top = 0;
    int right = 0;
    int bottom = 0;
    int corner = 0;
    bool operator==(const RoundRegion &) const = default;
};

// Cuts away the frame and caption (if the window has them) and rounds the corners. The
// outline starts one pixel in from the left and top edges, as the original skins expect.
RoundRegion RoundRegionFor(double outerWidth, double outerHeight, int innerWidth, int innerHeight,
                           int corner);

// Clips the window to its rounded outline.
void SetWindowRoundRegion(QWidget *window, int corner);
