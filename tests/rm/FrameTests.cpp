// Frame transforms: rotations replacing or combining, positions and orientations relative to
// other frames, and what a camera's placement does to the picture.
#include "tests/rm/RMTestScene.h"

#include <cmath>

namespace
{
const float HALF_PI = 1.5707963f;

// Where a point of the frame's space lands in its parent's.
D3DVECTOR Apply(IDirect3DRMFrame2* pFrame, D3DVECTOR P)
{
    D3DRMMATRIX4D M;
    pFrame->GetTransform(M);
    return {P.x * M[0][0] + P.y * M[1][0] + P.z * M[2][0] + M[3][0],
            P.x * M[0][1] + P.y * M[1][1] + P.z * M[2][1] + M[3][1],
            P.x * M[0][2] + P.y * M[1][2] + P.z * M[2][2] + M[3][2]};
}

void ExpectNear(D3DVECTOR Actual, D3DVECTOR Expected)
{
    EXPECT_NEAR(Actual.x, Expected.x, 1e-5);
    EXPECT_NEAR(Actual.y, Expected.y, 1e-5);
    EXPECT_NEAR(Actual.z, Expected.z, 1e-5);
}
}

TEST(RMFrame, RotationReplacesOrCombines)
{
    cTestScene Scene(8, 8);
    IDirect3DRMFrame2* pFrame = nullptr;
    ASSERT_EQ(Scene.mRoot->CreateFrame(Scene.mScene, &pFrame), D3DRM_OK);

    // Clockwise looking along +y: +x turns to -z.
    ASSERT_EQ(pFrame->AddRotation(D3DRMCOMBINE_REPLACE, 0, 1, 0, HALF_PI), D3DRM_OK);
    ExpectNear(Apply(pFrame, {1, 0, 0}), {0, 0, -1});

    // Replacing forgets the earlier rotation and position.
    pFrame->SetPosition(Scene.mScene, 3, 4, 5);
    pFrame->AddRotation(D3DRMCOMBINE_REPLACE, 0, 1, 0, HALF_PI);
    ExpectNear(Apply(pFrame, {1, 0, 0}), {0, 0, -1});
    ExpectNear(Apply(pFrame, {0, 0, 0}), {0, 0, 0});

    // After: the x rotation acts on the already turned point; -z turns to +y.
    pFrame->AddRotation(D3DRMCOMBINE_AFTER, 1, 0, 0, HALF_PI);
    ExpectNear(Apply(pFrame, {1, 0, 0}), {0, 1, 0});

    // Before: the x rotation acts first, leaving +x alone.
    pFrame->AddRotation(D3DRMCOMBINE_REPLACE, 0, 1, 0, HALF_PI);
    pFrame->AddRotation(D3DRMCOMBINE_BEFORE, 1, 0, 0, HALF_PI);
    ExpectNear(Apply(pFrame, {1, 0, 0}), {0, 0, -1});
    ExpectNear(Apply(pFrame, {0, 1, 0}), {1, 0, 0});

    // After keeps the position and turns it with the rest.
    pFrame->AddRotation(D3DRMCOMBINE_REPLACE, 0, 1, 0, 0);
    pFrame->SetPosition(Scene.mScene, 0, 0, 2);
    pFrame->AddRotation(D3DRMCOMBINE_AFTER, 0, 1, 0, HALF_PI);
    ExpectNear(Apply(pFrame, {0, 0, 0}), {2, 0, 0});

    EXPECT_EQ(pFrame->AddRotation(D3DRMCOMBINE_AFTER, 0, 0, 0, 1), D3DRMERR_BADVALUE);
    pFrame->Release();
}

TEST(RMFrame, PositionsAndOrientationsAreRelativeToTheReference)
{
    cTestScene Scene(8, 8);
    IDirect3DRMFrame2 *pParent = nullptr, *pChild = nullptr;
    ASSERT_EQ(Scene.mRoot->CreateFrame(Scene.mScene, &pParent), D3DRM_OK);
    ASSERT_EQ(Scene.mRoot->CreateFrame(pParent, &pChild), D3DRM_OK);
    EXPECT_EQ(pChild->GetParentFrame(), pParent);
    pParent->SetPosition(Scene.mScene, 10, 0, 0);
    pParent->AddRotation(D3DRMCOMBINE_AFTER, 0, 1, 0, HALF_PI);  // parent axes: x -> -z, z -> +x

    // Placed in scene coordinates, stored relative to the turned, moved parent.
    ASSERT_EQ(pChild->SetPosition(Scene.mScene, 1, 2, 3), D3DRM_OK);
    D3DVECTOR Position;
    pChild->GetPosition(Scene.mScene, &Position);
    ExpectNear(Position, {1, 2, 3});
    pChild->GetPosition(pParent, &Position);
    ExpectNear(Apply(pParent, Position), {1, 2, 3});

    // Placed relative to the parent: 1 along the parent's z is +x in the scene.
    pChild->SetPosition(pParent, 0, 0, 1);
    pChild->GetPosition(Scene.mScene, &Position);
    ExpectNear(Position, {1, 0, -10});

    // Orientation: z along the given direction, y along the up vector, x completing the
    // left-handed set.
    ASSERT_EQ(pChild->SetOrientation(Scene.mScene, 0, 0, -1, 0, 1, 0), D3DRM_OK);
    D3DVECTOR Origin, Tip;
    pChild->GetPosition(Scene.mScene, &Origin);
    IDirect3DRMFrame2* pProbe = nullptr;
    Scene.mRoot->CreateFrame(pChild, &pProbe);
    pProbe->SetPosition(pChild, 1, 0, 0);
    pProbe->GetPosition(Scene.mScene, &Tip);
    ExpectNear({Tip.x - Origin.x, Tip.y - Origin.y, Tip.z - Origin.z}, {-1, 0, 0});
    pProbe->SetPosition(pChild, 0, 0, 1);
    pProbe->GetPosition(Scene.mScene, &Tip);
    ExpectNear({Tip.x - Origin.x, Tip.y - Origin.y, Tip.z - Origin.z}, {0, 0, -1});
    EXPECT_EQ(pChild->SetOrientation(Scene.mScene, 0, 1, 0, 0, 1, 0), D3DRMERR_BADVALUE);

    pProbe->Release();
    pChild->Release();
    pParent->Release();
}

TEST(RMFrame, MovingTheCameraBackShrinksAndTurningTheModelMovesIt)
{
    cTestScene Scene(64, 64);
    Scene.mViewport->SetField(1.0f);
    IDirect3DRMFrame2* pModel = nullptr;
    ASSERT_EQ(Scene.mRoot->CreateFrame(Scene.mScene, &pModel), D3DRM_OK);
    IDirect3DRMMesh* pSquare = Scene.AddSquare(1.0f, 0.0f, D3DRMRENDER_UNLITFLAT);
    Scene.mScene->DeleteVisual(pSquare);
    pModel->AddVisual(pSquare);

    // The square at the origin, the camera 2 units behind it: 32 pixels wide.
    Scene.mCamera->SetPosition(Scene.mScene, 0, 0, -2);
    const cMemoryPresenter& Picture = Scene.Draw();
    EXPECT_NE(Picture.At(16, 32), cTestScene::BACKGROUND);
    EXPECT_EQ(Picture.At(15, 32), cTestScene::BACKGROUND);

    // Twice as far: half the width.
    Scene.mCamera->SetPosition(Scene.mScene, 0, 0, -4);
    Scene.Draw();
    EXPECT_EQ(Picture.At(23, 32), cTestScene::BACKGROUND);
    EXPECT_NE(Picture.At(24, 32), cTestScene::BACKGROUND);

    // Turned a quarter about y the square is seen edge on and vanishes.
    pModel->AddRotation(D3DRMCOMBINE_REPLACE, 0, 1, 0, HALF_PI);
    Scene.Draw();
    int Covered = 0;
    for (std::uint32_t Pixel : Picture.mPixels)
        Covered += Pixel != cTestScene::BACKGROUND;
    EXPECT_EQ(Covered, 0);
    pModel->Release();
}
