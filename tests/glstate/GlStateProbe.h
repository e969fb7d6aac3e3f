// Reading GL state back for the glstate tests.
#pragma once

#include <GL/gl.h>

#include <array>
#include <cmath>

namespace glstate_test {

using Matrix = std::array<GLfloat, 16>;

// The current matrix of the given stack (GL_PROJECTION_MATRIX or GL_MODELVIEW_MATRIX).
inline Matrix ReadMatrix(GLenum which) {
    Matrix m{};
    glGetFloatv(which, m.data());
    return m;
}

inline Matrix Identity() {
    return {1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1};
}

// gluPerspective's matrix, written out from its definition (column-major).
inline Matrix Perspective(double fovyDeg, double aspect, double zNear, double zFar) {
    const double f = 1.0 / std::tan(fovyDeg / 2.0 * M_PI / 180.0);
    Matrix m{};
    m[0] = static_cast<GLfloat>(f / aspect);
    m[5] = static_cast<GLfloat>(f);
    m[10] = static_cast<GLfloat>((zFar + zNear) / (zNear - zFar));
    m[11] = -1.0f;
    m[14] = static_cast<GLfloat>(2.0 * zFar * zNear / (zNear - zFar));
    return m;
}

// glOrtho's matrix, written out from its definition (column-major).
inline Matrix Ortho(double l, double r, double b, double t, double n, double f) {
    Matrix m{};
    m[0] = static_cast<GLfloat>(2.0 / (r - l));
    m[5] = static_cast<GLfloat>(2.0 / (t - b));
    m[10] = static_cast<GLfloat>(-2.0 / (f - n));
    m[12] = static_cast<GLfloat>(-(r + l) / (r - l));
    m[13] = static_cast<GLfloat>(-(t + b) / (t - b));
    m[14] = static_cast<GLfloat>(-(f + n) / (f - n));
    m[15] = 1.0f;
    return m;
}

// Element-wise comparison with a relative tolerance, for gtest's EXPECT_TRUE.
inline bool Near(const Matrix& a, const Matrix& b, float tolerance = 1e-5f) {
    for (int i = 0; i < 16; ++i) {
        const float scale = std::fmax(1.0f, std::fabs(b[i]));
        if (!(std::fabs(a[i] - b[i]) <= tolerance * scale)) return false;
    }
    return true;
}

inline bool IsOn(GLenum cap) {
    return glIsEnabled(cap) == GL_TRUE;
}

inline GLint GetInt(GLenum what) {
    GLint v = 0;
    glGetIntegerv(what, &v);
    return v;
}

inline std::array<GLfloat, 4> GetFloat4(GLenum what) {
    std::array<GLfloat, 4> v{};
    glGetFloatv(what, v.data());
    return v;
}

} // namespace glstate_test
