#include "shell/WindowTimer.h"

void TTimer::SetEnabled(bool on) {
    if (on && !enabled_) armed_ = false;
    enabled_ = on;
}

void TTimer::Poll(uint64_t nowMs) {
    if (!enabled_ || Interval == 0) return;
    if (!armed_) {
        armed_ = true;
        due_ = nowMs + Interval;
        return;
    }
    if (nowMs < due_) return;
    due_ = nowMs + Interval;
    if (OnTimer) OnTimer();
}
