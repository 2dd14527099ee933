// Crafted models for the renderer tests: triangles with explicit positions per frame, PCX
// textures of known colours, written as real content files so they load like any model.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

// One triangle of one frame. UV, texture number and type must match across frames (the mesh
// file holds them once); the positions may differ per frame.
struct cTestTri
{
    int P[3][3];
    std::uint8_t UV[3][2];
    std::uint8_t TextureNum;
    std::uint8_t Type;
};

struct cTestTexture
{
    int TextureNum;               // number it is mapped to
    std::uint8_t Top[3];          // colour of rows 0..127 of the image
    std::uint8_t Bottom[3];       // colour of rows 128..255
};

struct cTestSequence
{
    std::string Name;
    int StartFrame, NumFrames;
};

struct cTestModel
{
    std::vector<cTestSequence> Sequences;
    std::vector<std::vector<cTestTri>> Frames;
    std::vector<cTestTexture> Textures;
    float Scale[3] = {1.0f, 1.0f, 1.0f};
    bool WithMesh = true;
};

// Two triangles forming a square of half-size Half centred at (X, Y, Z), counter-clockwise
// seen from +Z (or from -Z when bFacingAway), UVs spanning the image's middle.
void AddQuad(std::vector<cTestTri>& Tris, int X, int Y, int Z, int Half, int TextureNum,
             int Type, bool bFacingAway = false);
// The same square in the plane x = X, facing +X (or -X when bFacingAway).
void AddSideQuad(std::vector<cTestTri>& Tris, int X, int Y, int Z, int Half, int TextureNum,
                 int Type, bool bFacingAway = false);
// Two triangles never drawn (texture number 200 is none) that stretch frame bounds to
// z = -Depth .. +Depth, so the projection has a sensible far plane.
void AddDepthAnchors(std::vector<cTestTri>& Tris, int Depth);

// Writes the model under a fresh temporary folder and returns the script path.
std::string WriteTestModel(const cTestModel& Model, const std::string& Name = "Probe");
// Removes every folder WriteTestModel made in this process.
void RemoveTestModels();
