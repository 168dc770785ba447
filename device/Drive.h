// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The car's drive as its firmware counts it: the race distance sent to the car and the
// maximum speed read back both convert between millimetres and the car's revolutions with
// these two values, so they must stay the same in both directions.
namespace drivo {

// Revolutions the car counts per turn of the wheel.
inline constexpr double kDriveRatio = 39.0 / 14.0; // 2.7857142857142856
// Pi as the car's formulas write it (not the full double), for the wheel's circumference.
inline constexpr double kWheelPi = 3.14159265;

inline constexpr double WheelCircumferenceMm(double diameterMm) {
    return diameterMm * kWheelPi;
}

} // namespace drivo
