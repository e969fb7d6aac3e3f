// The vertex recorder.
#include "vistral/VertexRecorder.h"

#include "vistral/Math.h"

#include <GL/gl.h>

TGLVertex3F GLBaseVertex3F;
bool GLVert3FRemove = false;
bool GLVert3FEnableEdit = false;

namespace {

// First slot number of the record.
constexpr std::int32_t GL_VERT3F_FIRST_SLOT = 1;

// Records one vertex in the next slot, transforms it, and sends the result to GL.
void EditVertex(float X, float Y, float Z) {
    TGLVertex3F& rec = GLBaseVertex3F;
    if (rec.GLVert3FCount < rec.GLVert3FMax) ++rec.GLVert3FCount;
    const std::int32_t i = rec.GLVert3FCount;
    // Checked once before any slot is touched, so a bad index writes nothing.
    vistral::CheckIndex("GLVert3F", i, GL_VERT3F_FIRST_SLOT, GL_VERT3F_SLOTS);

    rec.GLVert3FOffset[i] = TGLVector{X, Y, Z};
    TGLVector& scale = rec.GLVert3FTmpScale[i];
    if (scale.X == 0.0f && scale.Y == 0.0f && scale.Z == 0.0f) scale = TGLVector{1.0f, 1.0f, 1.0f};
    const TGLVector& move = rec.GLVert3FTmp[i];
    const TGLVector scaled = GLVector(static_cast<double>(scale.X) * X + move.X,
                                      static_cast<double>(scale.Y) * Y + move.Y,
                                      static_cast<double>(scale.Z) * Z + move.Z);
    rec.GLVert3F[i] = scaled;

    const TGLVector& posRot = rec.GLVert3FTmpPosRot[i];
    const TGLVector p =
        GLVector(static_cast<double>(posRot.X) + scaled.X, static_cast<double>(posRot.Y) + scaled.Y,
                 static_cast<double>(posRot.Z) + scaled.Z);
    TGLBaseMatrix m = {};
    MatrixEulerRad(rec.GLVert3FTmpRotate[i], m);
    const TGLVector out = MatrixVecRot(p, m);
    rec.GLVert3F[i] = out;
    if (!GLVert3FRemove) glVertex3f(out.X, out.Y, out.Z);
}

} // namespace

// Begins a primitive and re-arms the recording limit.
void GLBegin(std::uint32_t Mode) {
    if (!GLVert3FRemove) glBegin(Mode);
    GLBaseVertex3F.GLVert3FMax = GLBaseVertex3F.GLVert3FSetNum;
}

// Pass-through costs two flag tests; edit mode goes through the record.
void GLVertex3f(float X, float Y, float Z) {
    if (GLVert3FEnableEdit) {
        EditVertex(X, Y, Z);
    } else if (!GLVert3FRemove) {
        glVertex3f(X, Y, Z);
    }
}

// Ends a primitive.
void GLEnd() {
    if (!GLVert3FRemove) glEnd();
}
