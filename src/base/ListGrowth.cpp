#include "base/ListGrowth.h"

namespace {
int remainingGrowths = -1; // negative: no simulated failure
}

namespace listgrowth {

void simulateFailureAfter(int allowed) { remainingGrowths = allowed; }

bool nextGrowthAllowed()
{
    if (remainingGrowths < 0)
        return true;
    if (remainingGrowths == 0)
        return false;
    --remainingGrowths;
    return true;
}

} // namespace listgrowth
