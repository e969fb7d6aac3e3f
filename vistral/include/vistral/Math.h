// Vector and matrix math: GLVector, DegToRad, Euler matrices, FindNormal.
//
// Pure computation on singles and doubles; no GL call. Mind the names of the two
// Euler builders: MatrixEulerDeg takes radians and MatrixEulerRad takes degrees.
#pragma once

#include "vistral/RangeCheck.h"
#include "vistral/Types.h"

// Pi / 180, for applications that convert degrees themselves.
constexpr double PIDIV180 = 0.017453292519943296;

// The unit normal left by the last FindNormal, x y z at 1..3; zero at start.
extern vistral::RangeArray<double, 1, 3, "FNormal"> FNormal;

// A vector of the three values, each rounded to single precision.
TGLVector GLVector(double X, double Y, double Z);

// Degrees to radians: Degree * pi / 180 in extended precision, rounded to single.
float DegToRad(float Degree);

// Rotation matrix from roll Ang.X, pitch Ang.Y and yaw Ang.Z, all in RADIANS.
// Writes the upper-left 3x3 block of Result (row i = image of axis i); the fourth
// row and column are left as they were.
void MatrixEulerDeg(TGLVector Ang, TGLBaseMatrix& Result);

// The same rotation matrix from angles in DEGREES.
void MatrixEulerRad(TGLVector Ang, TGLBaseMatrix& Result);

// Vec turned by the 3x3 block of Ang: Rz(yaw) * Ry(pitch) * Rx(roll) * Vec for an
// Euler matrix. Sums in extended precision, rounded to single.
TGLVector MatrixVecRot(TGLVector Vec, const TGLBaseMatrix& Ang);

// Unit normal of the triangle V1 V2 V3, (V2 - V1) x (V3 - V1) normalised, into FNormal.
// Counter-clockwise corners as seen by the viewer give a normal towards the viewer;
// degenerate corners give (0, 0, 0).
void FindNormal(double V1X, double V1Y, double V1Z, double V2X, double V2Y, double V2Z, double V3X,
                double V3Y, double V3Z);
