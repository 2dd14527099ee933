// OpenGL model upload: the texture lists and, for every animation frame, display lists per
// texture number for all triangles and for each polygon-type group, compiled at load time.
#pragma once

#include <vector>

#include "render/FrameGeometry.h"
#include "render/ViewState.h"

// Display-list ids. Texture number k's list is TEXTURE_LIST_BASE + k. Frame f's lists of a
// group start at that group's base + 9f; the group bases lie MAX_FRAMES * 9 apart so that
// no two lists of a 1000-frame model share an id.
constexpr int TEXTURE_LIST_BASE = 1001;
constexpr int FRAME_LIST_STRIDE = 9;
constexpr int GROUP_LIST_SPAN = MAX_FRAMES * FRAME_LIST_STRIDE;
constexpr int ALL_LIST_BASE = 1010;
constexpr int TWO_SIDED_LIST_BASE = ALL_LIST_BASE + GROUP_LIST_SPAN;
constexpr int MASKED_LIST_BASE = TWO_SIDED_LIST_BASE + GROUP_LIST_SPAN;
constexpr int TRANSLUCENT_LIST_BASE = MASKED_LIST_BASE + GROUP_LIST_SPAN;
constexpr int PLACEHOLDER_LIST_BASE = TRANSLUCENT_LIST_BASE + GROUP_LIST_SPAN;
// Each triangle's vertices are compiled once: those of types 2, 3, 4 and 8 into the part list
// of their type and texture number, which the all-triangles and group lists call; the others
// straight into the all-triangles list. Part p (1 to 4) of frame f, texture number k is
// PART_LIST_BASE + p * GROUP_LIST_SPAN + 9f + k.
constexpr int NUM_PARTS = 5;
constexpr int PART_LIST_BASE = PLACEHOLDER_LIST_BASE + GROUP_LIST_SPAN;
// A part, or the triangles the all-triangles list holds itself, of more than CHUNK_TRIS
// triangles is compiled as lists of up to CHUNK_TRIS triangles each, one preparation step each,
// which its list calls: chunk c of part p, frame f, texture number k is
// CHUNK_LIST_BASE + (p * GROUP_LIST_SPAN + 9f + k) * MAX_CHUNKS + c.
constexpr int CHUNK_TRIS = 8192;
constexpr int MAX_CHUNKS = (65535 + CHUNK_TRIS - 1) / CHUNK_TRIS;
constexpr int CHUNK_LIST_BASE = PART_LIST_BASE + NUM_PARTS * GROUP_LIST_SPAN;
constexpr int LAST_LIST_ID = CHUNK_LIST_BASE + NUM_PARTS * GROUP_LIST_SPAN * MAX_CHUNKS - 1;

// One frame's display lists, prepared a part at a time: the triangles decoded, then one display
// list per part, then the group lists; the triangles are freed once the lists are complete.
// Destruction deletes whatever lists exist.
class cGLFrame : public cFrameGeometry
{
public:
    cGLFrame(cZentorMesh* pModel, int Frame, int ListBase, int TexListBase, int NumSlots,
             int TwoSidedBase, int MaskedBase, int TranslucentBase, int PlaceholderBase);
    ~cGLFrame() override;

    // Does the next part of the preparation; true once the frame is complete. A frame without
    // triangles completes with no lists and draws nothing.
    bool PrepareNextPart();
    bool IsComplete() const { return mComplete; }
    // Draws the frame for a polygon filter (0 all, 2, 3, 4, 8); other values, and a frame not
    // complete, draw nothing. Leaves back-face culling on. Returns 0.
    int Draw(unsigned int Filter);

    int GetListBase() const { return mListBase; }
    int GetTwoSidedBase() const { return mTwoSidedBase; }
    int GetMaskedBase() const { return mMaskedBase; }
    int GetTranslucentBase() const { return mTranslucentBase; }
    int GetPlaceholderBase() const { return mPlaceholderBase; }

private:
    // Decodes the triangles and sorts them into the part and texture number whose list holds
    // their vertices.
    void SortTriangles();
    // Compiles the next chunk of the list at hand, or else the next part list that has
    // triangles, or the next all-triangles list, which holds the triangles of no group and calls
    // that number's parts. False when none is left.
    bool CompileNextList();
    // The triangles of part Part (0: those of no group) and texture number Slot: within the list
    // being compiled, or as calls of their chunk lists when they have more than CHUNK_TRIS.
    void EmitPart(int Part, int Slot) const;
    // Compiles the next chunk list of part Part and texture number Slot when it is chunked and
    // one is left; false otherwise, ready for the next part.
    bool CompileNextChunk(int Part, int Slot);
    int ChunkBase(int Part, int Slot) const;
    // Compiles the group lists, which call the part lists.
    void CompileCallers();
    // Compiles one list per texture number at Base calling the texture list and the parts
    // whose bit is set in PartMask.
    void CompileCaller(int Base, unsigned PartMask) const;
    // Calls the filled parts of PartMask for texture number Slot, preceded by its texture
    // list unless bTextureCalled.
    void CallParts(int Slot, unsigned PartMask, bool bTextureCalled) const;
    int PartBase(int Part) const;
    void CallLists(int Base) const;
    void WirePass() const;

    int mListBase;
    int mTexListBase;
    int mTwoSidedBase;
    int mMaskedBase;
    int mTranslucentBase;
    int mPlaceholderBase;
    bool mSorted = false;
    bool mComplete = false;
    bool mListsCompiled = false;     // the group lists exist
    int mNextList = 0;               // the next list CompileNextList looks at
    int mNextChunk = 0;              // the next chunk of that list's triangles
    std::vector<bool> mPartFilled;   // part * slots + texture number: that part list exists
    std::vector<std::vector<int>> mPartTris;  // part * slots + texture number: its triangles
};

// The prepared frames, index = frame number; null where none is prepared.
extern cGLFrame* GLFrames[MAX_FRAMES];
// Triangles per chunk list: CHUNK_TRIS, unless a test sets fewer. A part never gets more than
// MAX_CHUNKS chunks; its chunks are larger when it would.
extern int GLChunkTriangles;

// Builds the texture lists, prepares frame 0 of TheModel and takes its bounds into
// ModelBounds; frames 1 to MAX_FRAMES - 1 wait for preparation (FramePreparation.h), which
// calls GLPrepareFramePart. 0 when frame 0 was prepared; otherwise tells the user that pszScript
// has no mesh and returns 1. Throws std::bad_alloc when frame 0 runs out of memory.
int GLBuildModel(const char* pszScript);
// Does the next part of frame Frame of TheModel, starting it unless it exists; true once it is
// complete. Throws std::bad_alloc when memory runs out.
bool GLPrepareFramePart(int Frame);
// Deletes frame Frame's lists, complete or not.
void GLReleaseFrame(int Frame);
// What frame Frame's lists are estimated to hold in the GL library, from the triangle count.
std::size_t GLEstimateFrameBytes(int Frame);
// Sets RenderMode to OpenGL and compiles the nine texture lists from TheModel: each binds a texture
// object holding that number's image, uploaded here once, or an image-less one so that
// triangles of an unmapped number draw untextured. Returns 0.
int GLBuildTextureLists();
// Frees every prepared frame and its display lists; GLFrames becomes all null.
void GLReleaseFrames();
// Deletes the texture objects of the last GLBuildTextureLists.
void GLReleaseTextures();
