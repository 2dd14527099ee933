// OpenGL model upload: texture objects and their lists, and every frame compiled into display
// lists per texture number and polygon group.
#include "render/GLModel.h"

#include <GL/gl.h>

#include <new>
#include <string>
#include <vector>

#include "model/ZentorMesh.h"
#include "render/GLScene.h"
#include "render/RenderHooks.h"

cGLFrame* GLFrames[MAX_FRAMES];

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

bool InGroup(const RenderTri& Tri, int Group)
{
    const int PolyType = Tri.Type & 0x0F;
    if (Group == POLY_TWO_SIDED)
        return PolyType == POLY_TRANSLUCENT || PolyType == POLY_MASKED ||
               PolyType == POLY_TWO_SIDED;
    return PolyType == Group;
}
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
    RenderMode = 1;
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
    if (!pModel)
        return;
    mHeader = pModel->GetDataHeader();
    BuildTris(TCOORD_OPENGL);
    CompileLists();
    ReleaseTris();
}

cGLFrame::~cGLFrame()
{
    if (mListsCompiled)
    {
        glDeleteLists(mListBase, mNumSlots);
        if (mHasTwoSided)
            glDeleteLists(mTwoSidedBase, mNumSlots);
        if (mHasMasked)
            glDeleteLists(mMaskedBase, mNumSlots);
        if (mHasTranslucent)
            glDeleteLists(mTranslucentBase, mNumSlots);
        if (mHasPlaceholder)
            glDeleteLists(mPlaceholderBase, mNumSlots);
    }
    ReleaseTris();
}

void cGLFrame::CompileGroup(int Base, int Group, bool bWithNormals) const
{
    const RenderTri* pTris = mRenderTris.get();
    // Triangles of each texture number, in array order; numbers outside 0..slots-1 are dropped.
    std::vector<std::vector<int>> BySlot(mNumSlots > 0 ? mNumSlots : 0);
    for (int TriNum = 0; TriNum < mNumRenderTris; ++TriNum)
    {
        const int TextureNum = pTris[TriNum].TextureNum;
        if (TextureNum >= 0 && TextureNum < mNumSlots && (Group == 0 || InGroup(pTris[TriNum], Group)))
            BySlot[TextureNum].push_back(TriNum);
    }
    for (int Slot = 0; Slot < mNumSlots; ++Slot)
    {
        glNewList(Base + Slot, GL_COMPILE);
        glCallList(mTexListBase + Slot);
        glBegin(GL_TRIANGLES);
        for (int TriNum : BySlot[Slot])
        {
            const RenderTri& Tri = pTris[TriNum];
            for (int k = 0; k < 3; ++k)
            {
                if (bWithNormals && k != 1)
                    glNormal3fv(k == 2 ? Tri.Normal : SHARED_CORNER_NORMAL);
                glTexCoord2f(Tri.U[k], Tri.T[k]);
                glVertex3fv(Tri.V[k]);
            }
        }
        glEnd();
        glEndList();
    }
}

int cGLFrame::CompileLists()
{
    if (!mRenderTris)
        return 1;
    // Group lists carry no normal: they draw with the normal the previous list left current.
    CompileGroup(mListBase, 0, true);
    if (mHasTwoSided)
        CompileGroup(mTwoSidedBase, POLY_TWO_SIDED, false);
    if (mHasMasked)
        CompileGroup(mMaskedBase, POLY_MASKED, false);
    if (mHasTranslucent)
        CompileGroup(mTranslucentBase, POLY_TRANSLUCENT, false);
    if (mHasPlaceholder)
        CompileGroup(mPlaceholderBase, POLY_PLACEHOLDER, false);
    mListsCompiled = true;
    return 0;
}

int GLBuildModel(const char* pszScript)
{
    GLBuildTextureLists();
    int NumFrames = TheModel ? TheModel->GetAnivHeader()->NumFrames : 0;
    if (NumFrames > MAX_FRAMES)
        NumFrames = MAX_FRAMES;
    for (int Frame = 0; Frame < MAX_FRAMES; ++Frame)
    {
        // Frames past the new count are cleared too, so none of an earlier model survives.
        if (GLFrames[Frame])
        {
            GLFrames[Frame]->ReleaseTris();
            delete GLFrames[Frame];
            GLFrames[Frame] = nullptr;
        }
        if (Frame >= NumFrames)
            continue;
        const int Offset = FRAME_LIST_STRIDE * Frame;
        GLFrames[Frame] = new (std::nothrow)
            cGLFrame(TheModel, Frame, ALL_LIST_BASE + Offset, TEXTURE_LIST_BASE, MAX_TEXTURES,
                     TWO_SIDED_LIST_BASE + Offset, MASKED_LIST_BASE + Offset,
                     TRANSLUCENT_LIST_BASE + Offset, PLACEHOLDER_LIST_BASE + Offset);
        if (BuildProgressHook)
            BuildProgressHook(Frame + 1, NumFrames);
    }
    if (GLFrames[0])
    {
        GLFrames[0]->GetBounds(ModelBounds.MinX, ModelBounds.MaxX, ModelBounds.MinY,
                               ModelBounds.MaxY, ModelBounds.MinZ, ModelBounds.MaxZ);
        return 0;
    }
    const std::string Text = std::string("The file ") + (pszScript ? pszScript : "") +
                             " does not contain any mesh information.";
    ShowRendererMessage(Text.c_str(), "Error");
    return 1;
}
