#include "dialangles.h"

#include <cmath>
#include <numbers>

double DegreesFromRadians(float radians)
{
    return double(radians) * 180.0 / std::numbers::pi;
}

float RadiansFromDegrees(double degrees)
{
    return float(degrees * std::numbers::pi / 180.0);
}

float AngleOfPoint(double cx, double cy, double x, double y)
{
    // Panel y grows downwards; the file's angles turn counter-clockwise on the screen.
    if (x == cx && y == cy)
        return 0.0f;
    return float(std::atan2(cy - y, x - cx));
}
