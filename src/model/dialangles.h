#pragma once

// A dial's file keeps its needle angles in radians, counter-clockwise from the positive x axis
// with y growing downwards on the panel (the needle at angle a points to cx + r cos a,
// cy - r sin a); the editor shows them in degrees.

double DegreesFromRadians(float radians);
// The nearest single-precision angle in radians.
float RadiansFromDegrees(double degrees);

// The angle (radians, -pi..pi) of the point x, y seen from the centre cx, cy: the angle a
// needle drawn from that centre towards the point has. 0 when the point is the centre.
float AngleOfPoint(double cx, double cy, double x, double y);
