// Range reduction to a quarter turn about 0, then Taylor series in double far past float's
// precision, rounded once to float.
#include "world/game_trig.h"

#include <cmath>

namespace {
constexpr double HALF_PI_HIGH = 1.5707963267341256;     // pi / 2 in two parts: the first exact
constexpr double HALF_PI_LOW  = 6.0771005065061922e-11; // in 33 bits, so k * it is exact
constexpr double TWO_OVER_PI  = 0.63661977236758134;
constexpr int QUADRANTS       = 4;

// sin and cos of r, |r| <= pi / 4: every term to r^17 (the next is below 1e-19).
double sinNear(double r) {
    const double r2 = r * r;
    return r *
           (1.0 + r2 * (-1.0 / 6 +
                        r2 * (1.0 / 120 +
                              r2 * (-1.0 / 5040 +
                                    r2 * (1.0 / 362880 +
                                          r2 * (-1.0 / 39916800 +
                                                r2 * (1.0 / 6227020800.0 +
                                                      r2 * (-1.0 / 1307674368000.0 +
                                                            r2 * (1.0 / 355687428096000.0)))))))));
}

double cosNear(double r) {
    const double r2 = r * r;
    return 1.0 + r2 * (-1.0 / 2 +
                       r2 * (1.0 / 24 +
                             r2 * (-1.0 / 720 +
                                   r2 * (1.0 / 40320 +
                                         r2 * (-1.0 / 3628800 +
                                               r2 * (1.0 / 479001600.0 +
                                                     r2 * (-1.0 / 87178291200.0 +
                                                           r2 * (1.0 / 20922789888000.0))))))));
}

// x = k * pi / 2 + r; the quadrant k mod 4 picks the function and the sign.
double turned(float radians, bool cosine) {
    const double x = radians;
    if (!std::isfinite(x)) return x - x; // NaN, as the library gives
    const double k = std::floor(x * TWO_OVER_PI + 0.5);
    const double r = (x - k * HALF_PI_HIGH) - k * HALF_PI_LOW;
    int quadrant   = static_cast<int>(std::fmod(k, QUADRANTS));
    if (quadrant < 0) quadrant += QUADRANTS;
    if (cosine) quadrant = (quadrant + 1) % QUADRANTS;
    switch (quadrant) {
    case 0:
        return sinNear(r);
    case 1:
        return cosNear(r);
    case 2:
        return -sinNear(r);
    default:
        return -cosNear(r);
    }
}
} // namespace

float gameSin(float radians) {
    return static_cast<float>(turned(radians, false));
}

float gameCos(float radians) {
    return static_cast<float>(turned(radians, true));
}
