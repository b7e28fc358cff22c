#pragma once

#include "platform/rm/vector.h"

// Headings and tilts as the scene uses them: a heading turns about the vertical axis (0 faces +z,
// turning left increases it), a tilt turns up (positive) or down about the frame's x axis.
namespace roamer::render {

inline constexpr double kTwoPi = 6.2831852;
inline constexpr double kAngleTolerance = 1e-06;

// Two angles are taken as equal when they differ by less than 1e-06.
bool NearlyEqual(double a, double b);

// Brings a heading into [0, 2 pi) by one addition or subtraction of 2 pi; values within the
// tolerance of 0 or of 2 pi become 0.
double NormalizeHeading(double a);
// A tilt within the tolerance of 0 becomes 0; every other value stays.
double NormalizeTilt(double b);

// (-sin a, 0, cos a): the forward direction for heading a; the up vector is (0, 1, 0).
rm::Vector3 HeadingDirection(double a);
// (0, sin b, cos b) and (0, cos b, -sin b): a frame tilted by b inside its parent.
rm::Vector3 TiltDirection(double b);
rm::Vector3 TiltUp(double b);

}  // namespace roamer::render
