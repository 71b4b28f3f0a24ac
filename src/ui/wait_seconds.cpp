#include "wait_seconds.h"

#include <QEventLoop>
#include <QTime>
#include <QTimer>
#include <algorithm>
#include <cmath>

double WaitSecondsDuration(double clockNow, int seconds) {
    const double target = std::nearbyint(clockNow + seconds);
    return std::max(0.0, target - clockNow);
}

void WaitSeconds(int seconds) {
    const double now = QTime::currentTime().msecsSinceStartOfDay() / 1000.0;
    const int ms = static_cast<int>(std::lround(WaitSecondsDuration(now, seconds) * 1000.0));
    if (ms <= 0)
        return;
    QEventLoop loop;
    QTimer::singleShot(ms, &loop, &QEventLoop::quit);
    loop.exec();
}
