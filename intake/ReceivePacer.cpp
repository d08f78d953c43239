#include "intake/ReceivePacer.h"

bool ReceivePacer::MayRead(Clock::time_point now, bool othersWaiting) {
    if (!othersWaiting) {
        m_othersWaitingSince.reset();
        return true;
    }
    if (!m_othersWaitingSince) {
        m_othersWaitingSince = now;
        return true;
    }
    if (now - *m_othersWaitingSince < kBudget) {
        return true;
    }
    // The hold lasts until the loop has handled them, so the next notification starts afresh.
    m_othersWaitingSince.reset();
    return false;
}
