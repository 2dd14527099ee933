// OpenGL model upload: texture objects and their lists, and every frame compiled into display
// lists per texture number and polygon group, which call the lists holding the vertices.
#include "render/GLModel.h"

#include <GL/gl.h>

#include <algorithm>
#include <new>
#include <vector>

#include "model/ZentorMesh.h"
#include "render/FramePreparation.h"
#include "render/GLRenderer.h"
#include "render/View.h"

cGLFrame* GLFrames[MAX_FRAMES];
int GLChunkTriangles = CHUNK_TRIS;

namespace
{
// One texture object per texture number; numbers without an image keep an image-less object,
// which leaves their triangles untextured instead of showing another number's image.
GLuint TextureNames[MAX_TEXTURES];
bool TexturesCreated = false;

// Flat shading lights a triangle by its last vertex alone, so the face normal goes with that
// vertex and the first two carry one fixed normal. Corners that share position and texture
// coordinates are then identical, and the list compiler stores each of them once.
const float SHARED_CORNER_NORMAL[3] = {0.0f, 0.0f, 1.0f};

// Triangles per chunk of a part of Count triangles; 0 when the part is not chunked.
std::size_t ChunkSize(std::size_t Count)
{
    const std::size_t Size = std::max<std::size_t>(
        {static_cast<std::size_t>(std::max(GLChunkTriangles, 1)), (Count + MAX_CHUNKS - 1) / MAX_CHUNKS});
    return Count > Size ? Size : 0;
}

// Triangles Tris[First] to Tris[End - 1] of pTris, with normals, as one batch.
void EmitTriangles(const RenderTri* pTris, const std::vector<int>& Tris, std::size_t First,
                   std::size_t End)
{
    glBegin(GL_TRIANGLES);
    for (std::size_t I = First; I < End; ++I)
    {
        const RenderTri& Tri = pTris[Tris[I]];
        for (int k = 0; k < 3; ++k)
        {
            if (k != 1)
                glNormal3fv(k == 2 ? Tri.Normal : SHARED_CORNER_NORMAL);
            glTexCoord2f(Tri.U[k], Tri.T[k]);
            glVertex3fv(Tri.V[k]);
        }
    }
    glEnd();
}

// The part a triangle's vertices go to: 1 translucent, 2 masked, 3 two-sided only,
// 4 placeholder, 0 any other type.
int PartOf(const RenderTri& Tri)
{
    switch (Tri.Type & 0x0F)
    {
    case POLY_TRANSLUCENT:
        return 1;
    case POLY_MASKED:
        return 2;
    case POLY_TWO_SIDED:
        return 3;
    case POLY_PLACEHOLDER:
        return 4;
    default:
        return 0;
    }
}

constexpr unsigned TRANSLUCENT_PART = 1u << 1;
constexpr unsigned MASKED_PART = 1u << 2;
constexpr unsigned PLACEHOLDER_PART = 1u << 4;
constexpr unsigned ALL_GROUP_PARTS = 0x1E;
constexpr unsigned TWO_SIDED_PARTS = TRANSLUCENT_PART | MASKED_PART | 1u << 3;
}

void GLReleaseTextures()
{
    if (!TexturesCreated)
        return;
    glDeleteTextures(MAX_TEXTURES, TextureNames);
    TexturesCreated = false;
}

int GLBuildTextureLists()
{
    View.RenderMode = eRenderMode::OpenGL;
    GLReleaseTextures();
    glGenTextures(MAX_TEXTURES, TextureNames);
    TexturesCreated = true;
    glPixelStorei(GL_UNPACK_ALIGNMENT, 4);
    glPixelStorei(GL_UNPACK_ROW_LENGTH, 0);
    glPixelStorei(GL_UNPACK_SKIP_ROWS, 0);
    glPixelStorei(GL_UNPACK_SKIP_PIXELS, 0);
    for (int TextureNum = 0; TextureNum < MAX_TEXTURES; ++TextureNum)
    {
        const std::uint8_t* pPixels = TheModel ? TheModel->GetTexture(TextureNum) : nullptr;
        glBindTexture(GL_TEXTURE_2D, TextureNames[TextureNum]);
        glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_S, GL_REPEAT);
        glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_T, GL_REPEAT);
        glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, GL_NEAREST);
        glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_NEAREST);
        if (pPixels)
            glTexImage2D(GL_TEXTURE_2D, 0, GL_RGB, PCX_TEXTURE_SIZE, PCX_TEXTURE_SIZE, 0, GL_RGB,
                         GL_UNSIGNED_BYTE, pPixels);
        glNewList(TEXTURE_LIST_BASE + TextureNum, GL_COMPILE);
        glBindTexture(GL_TEXTURE_2D, TextureNames[TextureNum]);
        glEndList();
    }
    glBindTexture(GL_TEXTURE_2D, 0);
    return 0;
}

cGLFrame::cGLFrame(cZentorMesh* pModel, int Frame, int ListBase, int TexListBase, int NumSlots,
                   int TwoSidedBase, int MaskedBase, int TranslucentBase, int PlaceholderBase)
    : cFrameGeometry(pModel, Frame, NumSlots), mListBase(ListBase), mTexListBase(TexListBase),
      mTwoSidedBase(TwoSidedBase), mMaskedBase(MaskedBase), mTranslucentBase(TranslucentBase),
      mPlaceholderBase(PlaceholderBase)
{
    if (pModel)
        mHeader = pModel->GetDataHeader();
}

cGLFrame::~cGLFrame()
{
    if (mSorted)
        glDeleteLists(mListBase, mNumSlots);
    if (mListsCompiled)
    {
        if (mHasTwoSided)
            glDeleteLists(mTwoSidedBase, mNumSlots);
        if (mHasMasked)
            glDeleteLists(mMaskedBase, mNumSlots);
        if (mHasTranslucent)
            glDeleteLists(mTranslucentBase, mNumSlots);
        if (mHasPlaceholder)
            glDeleteLists(mPlaceholderBase, mNumSlots);
    }
    if (mSorted)
        for (int Part = 0; Part < NUM_PARTS; ++Part)
        {
            glDeleteLists(PartBase(Part), mNumSlots);
            for (int Slot = 0; Slot < mNumSlots; ++Slot)
                glDeleteLists(ChunkBase(Part, Slot), MAX_CHUNKS);
        }
    ReleaseTris();
}

int cGLFrame::ChunkBase(int Part, int Slot) const
{
    return CHUNK_LIST_BASE +
           (Part * GROUP_LIST_SPAN + (mListBase - ALL_LIST_BASE) + Slot) * MAX_CHUNKS;
}

void cGLFrame::EmitPart(int Part, int Slot) const
{
    const std::vector<int>& Tris = mPartTris[static_cast<std::size_t>(Part * mNumSlots + Slot)];
    const std::size_t Size = ChunkSize(Tris.size());
    if (Size == 0)
    {
        EmitTriangles(mRenderTris.get(), Tris, 0, Tris.size());
        return;
    }
    for (std::size_t First = 0, Chunk = 0; First < Tris.size(); First += Size, ++Chunk)
        glCallList(ChunkBase(Part, Slot) + static_cast<int>(Chunk));
}

int cGLFrame::PartBase(int Part) const
{
    return PART_LIST_BASE + Part * GROUP_LIST_SPAN + (mListBase - ALL_LIST_BASE);
}

bool cGLFrame::PrepareNextPart()
{
    if (mComplete)
        return true;
    if (!mSorted)
    {
        SortTriangles();
        // Decoding is a part of its own unless there is nothing to compile.
        if (mRenderTris)
            return false;
    }
    if (mRenderTris && CompileNextList())
        return false;
    if (mRenderTris)
        CompileCallers();
    ReleaseTris();
    mPartTris.clear();
    mPartTris.shrink_to_fit();
    mComplete = true;
    return true;
}

void cGLFrame::SortTriangles()
{
    mSorted = true;
    if (!mModel)
        return;
    BuildTris(TCOORD_OPENGL);
    if (!mRenderTris)
        return;
    const RenderTri* pTris = mRenderTris.get();
    // Triangles of each part and texture number, in array order; numbers outside 0..slots-1
    // are dropped.
    const int NumSlots = mNumSlots > 0 ? mNumSlots : 0;
    mPartTris.assign(static_cast<std::size_t>(NUM_PARTS * NumSlots), {});
    for (int TriNum = 0; TriNum < mNumRenderTris; ++TriNum)
    {
        const int TextureNum = pTris[TriNum].TextureNum;
        if (TextureNum >= 0 && TextureNum < NumSlots)
            mPartTris[static_cast<std::size_t>(PartOf(pTris[TriNum]) * NumSlots + TextureNum)]
                .push_back(TriNum);
    }
    mPartFilled.assign(mPartTris.size(), false);
}

bool cGLFrame::CompileNextList()
{
    const int NumSlots = mNumSlots > 0 ? mNumSlots : 0;
    // Lists 0 to 4 * slots - 1 are the group parts 1 to 4; part 0, the types no group holds, is
    // only ever drawn by the all-triangles list, so its vertices go straight into that list (or
    // its chunks), one per texture number after the parts it calls.
    const int NumGroupParts = (NUM_PARTS - 1) * NumSlots;
    for (; mNextList < NumGroupParts; ++mNextList)
    {
        const int Part = 1 + mNextList / NumSlots, Slot = mNextList % NumSlots;
        const std::size_t Index = static_cast<std::size_t>(Part * NumSlots + Slot);
        if (mPartTris[Index].empty())
            continue;
        if (CompileNextChunk(Part, Slot))
            return true;
        mPartFilled[Index] = true;
        glNewList(PartBase(Part) + Slot, GL_COMPILE);
        EmitPart(Part, Slot);
        glEndList();
        ++mNextList;
        return true;
    }
    if (mNextList >= NumGroupParts + NumSlots)
        return false;
    const int Slot = mNextList - NumGroupParts;
    const std::vector<int>& Own = mPartTris[static_cast<std::size_t>(Slot)];
    if (CompileNextChunk(0, Slot))
        return true;
    ++mNextList;
    glNewList(mListBase + Slot, GL_COMPILE);
    if (!Own.empty())
    {
        glCallList(mTexListBase + Slot);
        EmitPart(0, Slot);
    }
    CallParts(Slot, ALL_GROUP_PARTS, !Own.empty());
    glEndList();
    return true;
}

bool cGLFrame::CompileNextChunk(int Part, int Slot)
{
    const std::vector<int>& Tris = mPartTris[static_cast<std::size_t>(Part * mNumSlots + Slot)];
    const std::size_t Size = ChunkSize(Tris.size());
    const std::size_t First = static_cast<std::size_t>(mNextChunk) * Size;
    if (Size == 0 || First >= Tris.size())
    {
        mNextChunk = 0;
        return false;
    }
    glNewList(ChunkBase(Part, Slot) + mNextChunk, GL_COMPILE);
    EmitTriangles(mRenderTris.get(), Tris, First, std::min(Tris.size(), First + Size));
    glEndList();
    ++mNextChunk;
    return true;
}

void cGLFrame::CallParts(int Slot, unsigned PartMask, bool bTextureCalled) const
{
    for (int Part = 1; Part < NUM_PARTS; ++Part)
    {
        if (!(PartMask & (1u << Part)) ||
            !mPartFilled[static_cast<std::size_t>(Part * mNumSlots + Slot)])
            continue;
        // A list without triangles stays empty: binding its texture would show nothing, and
        // the GL library stores an empty list without the search for room that each other
        // short list costs, a search that grows with the number of lists.
        if (!bTextureCalled)
            glCallList(mTexListBase + Slot);
        bTextureCalled = true;
        glCallList(PartBase(Part) + Slot);
    }
}

void cGLFrame::CompileCaller(int Base, unsigned PartMask) const
{
    for (int Slot = 0; Slot < mNumSlots; ++Slot)
    {
        glNewList(Base + Slot, GL_COMPILE);
        CallParts(Slot, PartMask, false);
        glEndList();
    }
}

void cGLFrame::CompileCallers()
{
    if (mHasTwoSided)
        CompileCaller(mTwoSidedBase, TWO_SIDED_PARTS);
    if (mHasMasked)
        CompileCaller(mMaskedBase, MASKED_PART);
    if (mHasTranslucent)
        CompileCaller(mTranslucentBase, TRANSLUCENT_PART);
    if (mHasPlaceholder)
        CompileCaller(mPlaceholderBase, PLACEHOLDER_PART);
    mListsCompiled = true;
}

void GLReleaseFrames()
{
    for (int Frame = 0; Frame < MAX_FRAMES; ++Frame)
        GLReleaseFrame(Frame);
}

bool GLPrepareFramePart(int Frame)
{
    if (Frame < 0 || Frame >= MAX_FRAMES)
        return true;
    if (!GLFrames[Frame])
    {
        const int Offset = FRAME_LIST_STRIDE * Frame;
        GLFrames[Frame] = new cGLFrame(TheModel, Frame, ALL_LIST_BASE + Offset, TEXTURE_LIST_BASE,
                                       MAX_TEXTURES, TWO_SIDED_LIST_BASE + Offset,
                                       MASKED_LIST_BASE + Offset, TRANSLUCENT_LIST_BASE + Offset,
                                       PLACEHOLDER_LIST_BASE + Offset);
    }
    return GLFrames[Frame]->PrepareNextPart();
}

void GLReleaseFrame(int Frame)
{
    if (Frame < 0 || Frame >= MAX_FRAMES)
        return;
    delete GLFrames[Frame];
    GLFrames[Frame] = nullptr;
}

std::size_t GLEstimateFrameBytes(int)
{
    // The GL library keeps about 100 bytes per compiled triangle (measured with the viewer's
    // load benchmark), and a few kilobytes per frame for its lists.
    constexpr std::size_t BYTES_PER_TRIANGLE = 104, BYTES_PER_FRAME = 4096;
    const std::size_t NumTris = TheModel ? TheModel->GetDataHeader()->NumPolys : 0;
    return NumTris * BYTES_PER_TRIANGLE + BYTES_PER_FRAME;
}

int GLBuildModel(const char* pszScript)
{
    GLBuildTextureLists();
    // Frames of an earlier model are cleared, so none of it survives.
    GLReleaseFrames();
    int NumFrames = TheModel ? TheModel->GetAnivHeader()->NumFrames : 0;
    if (NumFrames > MAX_FRAMES)
        NumFrames = MAX_FRAMES;
    // Frame 0 now, for the bounds and the first picture; the others when they are needed.
    StartWithFrameZero(NumFrames, GLRenderer());
    return FinishModelBuild(GLFrames[0], pszScript);
}
