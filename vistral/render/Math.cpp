// Vector and matrix math.
#include "vistral/Math.h"

#include <cmath>

vistral::RangeArray<double, 1, 3, "FNormal"> FNormal = {{0.0, 0.0, 0.0}};

namespace {

// The processor's pi, extended precision.
constexpr long double PI_EXTENDED = 3.141592653589793238462643383279502884L;
constexpr long double HALF_TURN_DEGREES = 180.0L;

// Rounds to single precision, the storage type of every vector and matrix element.
inline float Single(long double value) {
    return static_cast<float>(value);
}

// Normalises (X, Y, Z) in place; a zero length counts as 1, so nothing divides by zero.
void ReduceToUnit(double& X, double& Y, double& Z) {
    float length = static_cast<float>(std::sqrt(X * X + Y * Y + Z * Z));
    if (length == 0.0f) length = 1.0f;
    X = X / length;
    Y = Y / length;
    Z = Z / length;
}

} // namespace

// A vector of the three values rounded to single precision.
TGLVector GLVector(double X, double Y, double Z) {
    return TGLVector{static_cast<float>(X), static_cast<float>(Y), static_cast<float>(Z)};
}

// Degrees to radians, multiplication first.
float DegToRad(float Degree) {
    return Single(static_cast<long double>(Degree) * PI_EXTENDED / HALF_TURN_DEGREES);
}

// Roll about X, pitch about Y, yaw about Z (radians) as a row-per-axis rotation block.
void MatrixEulerDeg(TGLVector Ang, TGLBaseMatrix& Result) {
    const float CR = static_cast<float>(std::cos(static_cast<double>(Ang.X)));
    const float SR = static_cast<float>(std::sin(static_cast<double>(Ang.X)));
    const float CP = static_cast<float>(std::cos(static_cast<double>(Ang.Y)));
    const float SP = static_cast<float>(std::sin(static_cast<double>(Ang.Y)));
    const float CY = static_cast<float>(std::cos(static_cast<double>(Ang.Z)));
    const float SY = static_cast<float>(std::sin(static_cast<double>(Ang.Z)));

    Result[0][0] = Single(static_cast<long double>(CY) * CP);
    Result[0][1] = Single(static_cast<long double>(SY) * CP);
    // Never a negative zero: the identity's [0][2] must read +0.0.
    Result[0][2] = SP == 0.0f ? 0.0f : -SP;

    const float SRSP = Single(static_cast<long double>(SR) * SP);
    const float CRSP = Single(static_cast<long double>(CR) * SP);

    Result[1][0] = Single(static_cast<long double>(CY) * SRSP - static_cast<long double>(SY) * CR);
    Result[1][1] = Single(static_cast<long double>(SY) * SRSP + static_cast<long double>(CY) * CR);
    Result[1][2] = Single(static_cast<long double>(CP) * SR);

    Result[2][0] = Single(static_cast<long double>(CY) * CRSP + static_cast<long double>(SY) * SR);
    Result[2][1] = Single(static_cast<long double>(SY) * CRSP - static_cast<long double>(CY) * SR);
    Result[2][2] = Single(static_cast<long double>(CP) * CR);
}

// The Euler matrix from angles in degrees.
void MatrixEulerRad(TGLVector Ang, TGLBaseMatrix& Result) {
    MatrixEulerDeg(TGLVector{DegToRad(Ang.X), DegToRad(Ang.Y), DegToRad(Ang.Z)}, Result);
}

// Vec times the 3x3 block: element [i][j] weighs input i into output j.
TGLVector MatrixVecRot(TGLVector Vec, const TGLBaseMatrix& Ang) {
    const long double x = Vec.X, y = Vec.Y, z = Vec.Z;
    return TGLVector{Single(Ang[0][0] * x + Ang[1][0] * y + Ang[2][0] * z),
                     Single(Ang[0][1] * x + Ang[1][1] * y + Ang[2][1] * z),
                     Single(Ang[0][2] * x + Ang[1][2] * y + Ang[2][2] * z)};
}

// (V1 - V2) x (V2 - V3), normalised, into FNormal.
void FindNormal(double V1X, double V1Y, double V1Z, double V2X, double V2Y, double V2Z, double V3X,
                double V3Y, double V3Z) {
    const double ax = V1X - V2X, ay = V1Y - V2Y, az = V1Z - V2Z;
    const double bx = V2X - V3X, by = V2Y - V3Y, bz = V2Z - V3Z;
    double x = ay * bz - az * by;
    double y = az * bx - ax * bz;
    double z = ax * by - ay * bx;
    ReduceToUnit(x, y, z);
    FNormal[1] = x;
    FNormal[2] = y;
    FNormal[3] = z;
}
