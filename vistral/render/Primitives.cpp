// Sphere and segment primitives.
#include "vistral/Primitives.h"

#include "vistral/VertexRecorder.h"

#include <GL/gl.h>

#include <cmath>

namespace {

constexpr long double PI_EXTENDED = 3.141592653589793238462643383279502884L;
constexpr long double FULL_TURN = 2.0L * PI_EXTENDED;

// Rounds to single precision, the storage type of every coordinate.
inline float Single(long double value) {
    return static_cast<float>(value);
}

// Spheres with up to this many segments keep their column values in a table.
constexpr std::int32_t CACHED_SEGMENTS = 64;

// Direction and texture s of one longitude column.
struct Column {
    float X, Y, S;
};

// Column J of a sphere with the given longitude step.
Column SphereColumn(std::int32_t J, float MinorStep, long double circleDivisor, float TSize) {
    const float C = Single(static_cast<long double>(J) * MinorStep);
    return Column{static_cast<float>(std::cos(static_cast<double>(C))),
                  static_cast<float>(std::sin(static_cast<double>(C))),
                  Single(-static_cast<long double>(J) / circleDivisor / TSize)};
}

// One vertex of a ring: its normal, texture coordinate and position.
void SphereVertex(float PX, float PY, float PZ, float Radius, float X, float Y, float ringRadius,
                  float ringHeight, float s, float t) {
    if (Radius != 0.0f) {
        glNormal3f(Single(static_cast<long double>(X) * ringRadius / Radius),
                   Single(static_cast<long double>(Y) * ringRadius / Radius),
                   Single(static_cast<long double>(ringHeight) / Radius));
    }
    glTexCoord2f(s, t);
    GLVertex3f(Single(static_cast<double>(PX) + static_cast<double>(X) * ringRadius),
               Single(static_cast<double>(PY) + static_cast<double>(Y) * ringRadius),
               Single(static_cast<double>(PZ) + ringHeight));
}

} // namespace

// Latitude bands from the +Z pole to the -Z pole, one triangle strip each.
void Sfera(float PX, float PY, float PZ, float Radius, std::int32_t NumCircle, std::int32_t NumLine,
           float TSize) {
    if (NumLine <= 0) return;
    const float MajorStep = Single(PI_EXTENDED / NumLine);
    // No longitude step for NumCircle 0: the one column sits at longitude 0.
    const float MinorStep = NumCircle > 0 ? Single(FULL_TURN / NumCircle) : 0.0f;
    const long double circleDivisor = NumCircle > 0 ? NumCircle : 1;
    // The columns repeat on every band: work them out once when they fit the table.
    const bool cached = NumCircle <= CACHED_SEGMENTS;
    Column columns[CACHED_SEGMENTS + 1];
    for (std::int32_t J = 0; cached && J <= NumCircle; ++J)
        columns[J] = SphereColumn(J, MinorStep, circleDivisor, TSize);
    for (std::int32_t I = 0; I < NumLine; ++I) {
        const float A = Single(static_cast<long double>(I) * MajorStep);
        const float B = Single(static_cast<long double>(A) + MajorStep);
        const double sinA = std::sin(static_cast<double>(A)),
                     cosA = std::cos(static_cast<double>(A));
        const double sinB = std::sin(static_cast<double>(B)),
                     cosB = std::cos(static_cast<double>(B));
        const float R0 = Single(static_cast<long double>(Radius) * sinA);
        const float R1 = Single(static_cast<long double>(Radius) * sinB);
        const float Z0 = Single(static_cast<long double>(Radius) * cosA);
        const float Z1 = Single(static_cast<long double>(Radius) * cosB);
        const float tUpper = Single(static_cast<long double>(I) / NumLine / TSize);
        const float tLower = Single(static_cast<long double>(I + 1) / NumLine / TSize);
        GLBegin(GL_TRIANGLE_STRIP);
        // A 64-bit counter: with NumCircle at the 32-bit maximum a 32-bit J would overflow.
        for (std::int64_t J = 0; J <= NumCircle; ++J) {
            const auto column = static_cast<std::int32_t>(J);
            const Column col =
                cached ? columns[column] : SphereColumn(column, MinorStep, circleDivisor, TSize);
            const float X = col.X, Y = col.Y, s = col.S;
            // A point sphere has no ring radii to divide: use the unit directions.
            if (Radius == 0.0f) glNormal3f(Single(X * sinA), Single(Y * sinA), Single(cosA));
            SphereVertex(PX, PY, PZ, Radius, X, Y, R0, Z0, s, tUpper);
            if (Radius == 0.0f) glNormal3f(Single(X * sinB), Single(Y * sinB), Single(cosB));
            SphereVertex(PX, PY, PZ, Radius, X, Y, R1, Z1, s, tLower);
        }
        GLEnd();
    }
}

// Two vertices, each optionally preceded by its texture coordinate.
void LineFree(float TX1, float TY1, float TX2, float TY2, float X1, float Y1, float Z1, float X2,
              float Y2, float Z2, bool Texture) {
    if (Texture) glTexCoord2f(TX1, TY1);
    GLVertex3f(X1, Y1, Z1);
    if (Texture) glTexCoord2f(TX2, TY2);
    GLVertex3f(X2, Y2, Z2);
}

// Does nothing.
void ProcNull() {}
