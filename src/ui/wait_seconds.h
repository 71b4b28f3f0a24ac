#pragma once

// How long WaitSeconds waits when started at the given seconds-since-midnight clock value:
// until the clock reaches now + seconds rounded to a whole second (halves to even).
double WaitSecondsDuration(double clockNow, int seconds);

// Waits about that many seconds while the window system keeps dispatching events. The wait
// is measured once at the start, so it ends on time also across midnight.
void WaitSeconds(int seconds);
