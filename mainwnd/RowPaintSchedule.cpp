#include "mainwnd/RowPaintSchedule.h"

bool RowPaintSchedule::RowAdded(Clock::time_point now, bool moreWaiting) {
    if (!m_firstWaiting) {
        if (!moreWaiting) {
            return true;
        }
        m_firstWaiting = now;
        return false;
    }
    return !moreWaiting || now >= Deadline();
}
