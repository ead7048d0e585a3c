#include "store/random.h"

#include <QTime>

void Random::Randomize()
{
    seed_ = static_cast<uint32_t>(QTime::currentTime().msecsSinceStartOfDay());
}

int Random::Next(int n)
{
    seed_ = seed_ * 134775813u + 1u;
    if (n <= 0)
        return 0;
    return static_cast<int>((uint64_t(seed_) * uint64_t(uint32_t(n))) >> 32);
}
