// The vertex recorder: GLBegin, GLVertex3f, GLEnd and the edit-mode record.
//
// All engine and demo geometry goes through these three wrappers. Two switches:
// - GLVert3FEnableEdit false (pass-through): vertices go to GL unchanged and
//   nothing is recorded.
// - GLVert3FEnableEdit true (edit mode): each vertex takes the next slot of
//   GLBaseVertex3F (up to GLVert3FMax; further vertices overwrite that last slot)
//   and GL receives it after the slot's scale, translation, pre-rotation offset and
//   Euler rotation: Rz(A.Z) * Ry(A.Y) * Rx(A.X) * (S o v + T + P).
// - GLVert3FRemove true: nothing reaches GL (no glBegin, glVertex3f or glEnd);
//   edit mode still records and transforms.
// Slots are numbered 1..10000. In edit mode the application keeps GLVert3FSetNum
// within 1..10000 and resets GLVert3FCount itself; a slot outside 1..10000 stops
// the program with a "range error" before anything is written.
#pragma once

#include "vistral/RangeCheck.h"
#include "vistral/Types.h"

#include <cstdint>

// Number of slots of the vertex record, numbered 1..GL_VERT3F_SLOTS.
constexpr std::int32_t GL_VERT3F_SLOTS = 10000;

// The edit-mode record: six slot arrays and the counters that walk them.
struct TGLVertex3F {
    // Final vertex of each slot, after scale, translation and rotation (output).
    vistral::RangeArray<TGLVector, 1, GL_VERT3F_SLOTS, "GLVert3F"> GLVert3F;
    // Translation added after scaling (input).
    vistral::RangeArray<TGLVector, 1, GL_VERT3F_SLOTS, "GLVert3FTmp"> GLVert3FTmp;
    // Euler angles in degrees: X roll, Y pitch, Z yaw (input).
    vistral::RangeArray<TGLVector, 1, GL_VERT3F_SLOTS, "GLVert3FTmpRotate"> GLVert3FTmpRotate;
    // Offset added just before the rotation and kept in the result (input).
    vistral::RangeArray<TGLVector, 1, GL_VERT3F_SLOTS, "GLVert3FTmpPosRot"> GLVert3FTmpPosRot;
    // Per-axis scale; (0, 0, 0) means "not set" and becomes (1, 1, 1) on first use (input).
    vistral::RangeArray<TGLVector, 1, GL_VERT3F_SLOTS, "GLVert3FTmpScale"> GLVert3FTmpScale;
    // The vertex exactly as the caller gave it (output).
    vistral::RangeArray<TGLVector, 1, GL_VERT3F_SLOTS, "GLVert3FOffset"> GLVert3FOffset;
    // Slot of the vertex recorded last.
    std::int32_t GLVert3FCount;
    // Highest slot the recording may advance to; GLBegin sets it to GLVert3FSetNum.
    std::int32_t GLVert3FMax;
    // Number of slots of the current vertex set, chosen by the application.
    std::int32_t GLVert3FSetNum;
};

// The record; all zero at start.
extern TGLVertex3F GLBaseVertex3F;
// When true nothing is sent to GL. False at start and after OGLWindowSetting.
extern bool GLVert3FRemove;
// When true vertices are recorded and transformed per slot. False at start and after
// OGLWindowSetting.
extern bool GLVert3FEnableEdit;

// glBegin(Mode) unless GLVert3FRemove; always re-arms GLVert3FMax := GLVert3FSetNum.
void GLBegin(std::uint32_t Mode);
// One vertex, passed through or recorded and transformed (see above).
void GLVertex3f(float X, float Y, float Z);
// glEnd unless GLVert3FRemove.
void GLEnd();
