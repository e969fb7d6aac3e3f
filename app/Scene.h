// The demo's scene: its textures, four tree display lists, the model callbacks the
// tree generator calls back into, the textured quad and the per-frame drawing.
//
// Image files are looked up by their bare names in the current folder only. A missing
// or unreadable image is not reported: its slot binds whatever texture it then holds
// (the default texture 0 for a slot never loaded) and the scene is built and drawn
// all the same.
#pragma once

#include "vistral/RangeCheck.h"

#include <cstdint>

// How many trees the scene shows.
constexpr int TREE_COUNT = 4;

// Display-list names of the four trees, indices 0 to 3; 0 until OpenGL_CreateList has run.
extern vistral::RangeArray<std::uint32_t, 0, TREE_COUNT - 1, "Tree"> Tree;

// Loads the five textures, then compiles Tree[0] to Tree[3] in this order. Needs a
// current GL context; builds new lists on every call (the scene is built once).
void OpenGL_CreateList();
// Loads the five images into their BMP and TGA slots, in the order of the slot table.
void OpenGL_Texture();

// Bark material: binds the bark texture (BMP slot 1).
void MatAlbero();
// One leaf sprite (TGA slot 0), a 2 by 2 square in the local XY plane.
void MdlFoglieAlbero();
// One flower sprite (TGA slot 1), a 0.1 by 0.1 square in the local XY plane.
void MdlFioreAlbero();
// One fruit sphere of radius 0.08 (BMP slot 2).
void MdlFruttoAlbero();

// A textured, two-sided, lit quadrilateral. P1-P2 is one edge, P3-P4 the opposite
// one (P3 next to P1); the texture repeats TU times along P1-P2 and TV times along
// P3-P1; all four corners share the normal of (P2 - P1) x (P1 - P3). Must not be
// called inside a caller's GLBegin / GLEnd. Ends with culling on, colour white and
// two-sided lighting off, whatever it found.
void Quad(float X1, float Y1, float Z1, float X2, float Y2, float Z2, float X3, float Y3, float Z3,
          float X4, float Y4, float Z4, float TU, float TV, float Alpha);

// Draws one frame of the scene into the back buffer: clears colour and depth, rebuilds
// projection and GL defaults from the current window size, places the camera (Z key
// zoom, 35 degree tilt, mouse navigation), draws the ground and calls the four trees.
void OpenGL_Draw();
