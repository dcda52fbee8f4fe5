#include "ModelLimits.h"

#include <algorithm>
#include <cmath>

namespace modLoad {

int LastPolyNumber(const CarRecord& car)
{
    // Halves cannot occur for a whole PolyPointCount; lrint rounds to nearest.
    return static_cast<int>(std::lrint(car.PolyPointCount / 3.0 - 1.0));
}

int ClaimedPolys(const CarRecord& car)
{
    return LastPolyNumber(car) + 1;
}

int UsedPolys(const CarRecord& car)
{
    return std::min(ClaimedPolys(car), MaxPolys);
}

}  // namespace modLoad
