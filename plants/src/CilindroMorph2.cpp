// The tapered branch cylinder.
#include "CilindroMorph2.h"

#include "vistral/RangeCheck.h"
#include "vistral/VertexRecorder.h"

#include <GL/gl.h>

#include <algorithm>
#include <cmath>

namespace {

constexpr long double PI_EXTENDED = 3.141592653589793238462643383279502884L;
constexpr long double FULL_TURN = PI_EXTENDED * 2.0L;
// Every ring's texture height is the tube length over this.
constexpr double TEXTURE_T_DIVISOR = 5.0;
// The fixed widening of each ring's top and bottom edge, independent of R.
constexpr double TOP_TAPER[CILINDRO_MAX_RINGS] = {0.0,   0.0,   0.002, 0.004, 0.006,
                                                  0.008, 0.010, 0.012, 0.014, 0.016};
constexpr double BOTTOM_TAPER[CILINDRO_MAX_RINGS] = {0.0,   0.002, 0.004, 0.006, 0.008,
                                                     0.010, 0.012, 0.014, 0.016, 0.018};

inline float Single(long double value) {
    return static_cast<float>(value);
}

} // namespace

// Rings from the top down, each a strip of alternating top and bottom vertices.
//
// Every per-vertex radial offset would be zero, so no 256 x 256 offset tables are
// kept; the ring and column counts are still clamped to the 0..255 and taper bounds.
void CilindroMorph2(float X, float Y, float Z, std::int32_t NumCircle, std::int32_t NumLine,
                    float R, float H, float TSize) {
    if (NumCircle <= 0 || NumLine <= 0) return;
    NumCircle = std::min(NumCircle, CILINDRO_MAX_RINGS);
    NumLine = std::min(NumLine, CILINDRO_MAX_COLUMNS);

    // Radius at the top (R1) and bottom (R2) edge of each ring; the values do not
    // change from column to column, so they are filled once.
    vistral::RangeArray<float, 0, CILINDRO_MAX_RINGS - 1, "R1"> R1;
    vistral::RangeArray<float, 0, CILINDRO_MAX_RINGS - 1, "R2"> R2;
    for (std::int32_t k = 0; k < CILINDRO_MAX_RINGS; ++k) {
        R1[k] = Single(static_cast<double>(R) + TOP_TAPER[k]);
        R2[k] = Single(static_cast<double>(R) + BOTTOM_TAPER[k]);
    }

    const float MajorStep = Single(static_cast<long double>(H) / NumCircle);
    const float MinorStep = Single(FULL_TURN / NumLine);
    // Each column's direction and s are the same on every ring: work them out once.
    float NX[CILINDRO_MAX_COLUMNS + 1];
    float NY[CILINDRO_MAX_COLUMNS + 1];
    float S[CILINDRO_MAX_COLUMNS + 1];
    for (std::int32_t J = 0; J <= NumLine; ++J) {
        const double A = static_cast<double>(J) * MinorStep;
        NX[J] = static_cast<float>(std::cos(A));
        NY[J] = static_cast<float>(std::sin(A));
        S[J] = Single((static_cast<long double>(H) + A) * R / TSize);
    }
    const float tTop = Single(static_cast<double>(H) / TEXTURE_T_DIVISOR / TSize);
    for (std::int32_t I = 0; I < NumCircle; ++I) {
        const float Z0 =
            Single(static_cast<long double>(H) - static_cast<long double>(I) * MajorStep);
        const float Z1 = Single(static_cast<long double>(Z0) - MajorStep);
        const float top = R1[I];
        const float bottom = R2[I];
        GLBegin(GL_TRIANGLE_STRIP);
        for (std::int32_t J = 0; J <= NumLine; ++J) {
            glNormal3f(NX[J], NY[J], 0.0f);
            glTexCoord2f(S[J], tTop);
            GLVertex3f(Single(static_cast<double>(X) + Single(static_cast<double>(top) * NX[J])),
                       Single(static_cast<double>(Y) + Single(static_cast<double>(top) * NY[J])),
                       Single(static_cast<double>(Z) + Z0));

            glNormal3f(NX[J], NY[J], 0.0f);
            glTexCoord2f(S[J], 0.0f);
            GLVertex3f(Single(static_cast<double>(X) + Single(static_cast<double>(bottom) * NX[J])),
                       Single(static_cast<double>(Y) + Single(static_cast<double>(bottom) * NY[J])),
                       Single(static_cast<double>(Z) + Z1));
        }
        GLEnd();
    }
}
