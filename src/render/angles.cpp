#include "render/angles.h"

#include <cmath>

namespace roamer::render {

bool NearlyEqual(double a, double b) { return std::fabs(a - b) < kAngleTolerance; }

double NormalizeHeading(double a) {
    if (NearlyEqual(a, 0.0) || NearlyEqual(a, kTwoPi)) return 0.0;
    if (a >= kTwoPi) return a - kTwoPi;
    if (a < 0.0) return a + kTwoPi;
    return a;
}

double NormalizeTilt(double b) { return NearlyEqual(b, 0.0) ? 0.0 : b; }

rm::Vector3 HeadingDirection(double a) {
    return {static_cast<float>(-std::sin(a)), 0.0f, static_cast<float>(std::cos(a))};
}

rm::Vector3 TiltDirection(double b) {
    return {0.0f, static_cast<float>(std::sin(b)), static_cast<float>(std::cos(b))};
}

rm::Vector3 TiltUp(double b) {
    return {0.0f, static_cast<float>(std::cos(b)), static_cast<float>(-std::sin(b))};
}

}  // namespace roamer::render
