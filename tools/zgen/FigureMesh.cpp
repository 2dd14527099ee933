// FigureMesh: the sample character, a jointed figure of boxes with a cape, a hair tail, a
// cap peak and a blade, posed frame by frame for its Still, Walk, Wave and Spin sequences.
#include "tools/zgen/GenParts.h"

#include <cmath>

namespace
{
constexpr float PI = 3.14159265358979f;

struct cVec
{
    float X, Y, Z;
};

cVec operator+(cVec A, cVec B) { return {A.X + B.X, A.Y + B.Y, A.Z + B.Z}; }
cVec operator-(cVec A, cVec B) { return {A.X - B.X, A.Y - B.Y, A.Z - B.Z}; }

// Rigid transform: rotation rows R and translation T; applied as R * p + T.
struct cXform
{
    float R[3][3] = {{1, 0, 0}, {0, 1, 0}, {0, 0, 1}};
    cVec T = {0, 0, 0};

    cVec Apply(cVec P) const
    {
        return {R[0][0] * P.X + R[0][1] * P.Y + R[0][2] * P.Z + T.X,
                R[1][0] * P.X + R[1][1] * P.Y + R[1][2] * P.Z + T.Y,
                R[2][0] * P.X + R[2][1] * P.Y + R[2][2] * P.Z + T.Z};
    }
};

cXform Compose(const cXform& A, const cXform& B)
{
    cXform C;
    for (int i = 0; i < 3; ++i)
        for (int j = 0; j < 3; ++j)
            C.R[i][j] = A.R[i][0] * B.R[0][j] + A.R[i][1] * B.R[1][j] + A.R[i][2] * B.R[2][j];
    C.T = A.Apply(B.T);
    return C;
}

// Rotation by degrees about the X axis, then the Z axis, then the Y axis, around Pivot.
cXform Rotation(cVec Pivot, float DegX, float DegZ, float DegY)
{
    const float ax = DegX * PI / 180, az = DegZ * PI / 180, ay = DegY * PI / 180;
    cXform X, Z, Y;
    X.R[1][1] = std::cos(ax); X.R[1][2] = -std::sin(ax);
    X.R[2][1] = std::sin(ax); X.R[2][2] = std::cos(ax);
    Z.R[0][0] = std::cos(az); Z.R[0][1] = -std::sin(az);
    Z.R[1][0] = std::sin(az); Z.R[1][1] = std::cos(az);
    Y.R[0][0] = std::cos(ay); Y.R[0][2] = std::sin(ay);
    Y.R[2][0] = -std::sin(ay); Y.R[2][2] = std::cos(ay);
    cXform M = Compose(Y, Compose(Z, X));
    M.T = Pivot - M.Apply(Pivot) + M.T;
    return M;
}

// The jointed parts; each turns about its pivot relative to its parent.
enum ePart
{
    P_PELVIS, P_TORSO, P_HEAD, P_RUPPER, P_RFORE, P_LUPPER, P_LFORE,
    P_RTHIGH, P_RSHIN, P_LTHIGH, P_LSHIN, NUM_PARTS
};

struct cJoint
{
    int Parent;
    cVec Pivot;
};

// The figure faces +Z with Y up; its right side is at -X. Feet at Y -200, crown at +200.
const cJoint JOINTS[NUM_PARTS] = {
    {-1, {0, -10, 0}},          // pelvis
    {P_PELVIS, {0, 10, 0}},     // torso, bends at the waist
    {P_TORSO, {0, 135, 0}},     // head, turns at the neck
    {P_TORSO, {-70, 122, 0}},   // right upper arm, at the shoulder
    {P_RUPPER, {-70, 45, 0}},   // right forearm, at the elbow
    {P_TORSO, {70, 122, 0}},    // left upper arm
    {P_LUPPER, {70, 45, 0}},    // left forearm
    {P_PELVIS, {-25, -15, 0}},  // right thigh, at the hip
    {P_RTHIGH, {-25, -105, 0}}, // right shin, at the knee
    {P_PELVIS, {25, -15, 0}},   // left thigh
    {P_LTHIGH, {25, -105, 0}},  // left shin
};

// A texture rectangle in texels: left, top, right, bottom (V counts rows from the top).
struct cRect
{
    std::uint8_t U0, V0, U1, V1;
};

struct cBoxDef
{
    int Part;
    cVec Min, Max;
    std::uint8_t TextureNum;
    cRect Front, Back, Side;
};

// Texture areas; the painters in TextureArt.cpp draw the same rectangles.
constexpr cRect SKIN_FACE = {0, 0, 127, 127}, SKIN_HAIR = {128, 0, 255, 127},
                SKIN_PLAIN = {0, 128, 127, 255}, SKIN_HAND = {128, 128, 255, 255};
constexpr cRect CLOTH_TUNIC = {0, 0, 127, 127}, CLOTH_STRIPES = {128, 0, 255, 127},
                CLOTH_TROUSERS = {0, 128, 127, 191}, CLOTH_BOOTS = {0, 192, 127, 255},
                CLOTH_CAPE = {128, 128, 191, 255}, CLOTH_VISOR = {192, 128, 255, 191},
                CLOTH_METAL = {192, 192, 255, 255};

const cBoxDef BOXES[] = {
    {P_PELVIS, {-45, -25, -24}, {45, 10, 24}, FIGURE_TEX_CLOTH, CLOTH_TROUSERS, CLOTH_TROUSERS, CLOTH_TROUSERS},
    {P_TORSO, {-55, 10, -28}, {55, 130, 28}, FIGURE_TEX_CLOTH, CLOTH_TUNIC, CLOTH_STRIPES, CLOTH_STRIPES},
    {P_HEAD, {-12, 128, -12}, {12, 148, 12}, FIGURE_TEX_SKIN, SKIN_PLAIN, SKIN_PLAIN, SKIN_PLAIN},
    {P_HEAD, {-28, 145, -30}, {28, 200, 30}, FIGURE_TEX_SKIN, SKIN_FACE, SKIN_HAIR, SKIN_PLAIN},
    {P_RUPPER, {-82, 45, -12}, {-58, 128, 12}, FIGURE_TEX_CLOTH, CLOTH_STRIPES, CLOTH_STRIPES, CLOTH_STRIPES},
    {P_RFORE, {-80, -25, -10}, {-60, 45, 10}, FIGURE_TEX_CLOTH, CLOTH_STRIPES, CLOTH_STRIPES, CLOTH_STRIPES},
    {P_RFORE, {-80, -50, -11}, {-60, -25, 11}, FIGURE_TEX_SKIN, SKIN_HAND, SKIN_HAND, SKIN_PLAIN},
    {P_LUPPER, {58, 45, -12}, {82, 128, 12}, FIGURE_TEX_CLOTH, CLOTH_STRIPES, CLOTH_STRIPES, CLOTH_STRIPES},
    {P_LFORE, {60, -25, -10}, {80, 45, 10}, FIGURE_TEX_CLOTH, CLOTH_STRIPES, CLOTH_STRIPES, CLOTH_STRIPES},
    {P_LFORE, {60, -50, -11}, {80, -25, 11}, FIGURE_TEX_SKIN, SKIN_HAND, SKIN_HAND, SKIN_PLAIN},
    {P_RTHIGH, {-43, -105, -16}, {-7, -15, 16}, FIGURE_TEX_CLOTH, CLOTH_TROUSERS, CLOTH_TROUSERS, CLOTH_TROUSERS},
    {P_RSHIN, {-41, -185, -14}, {-9, -105, 14}, FIGURE_TEX_CLOTH, CLOTH_TROUSERS, CLOTH_TROUSERS, CLOTH_TROUSERS},
    {P_RSHIN, {-42, -200, -16}, {-8, -185, 34}, FIGURE_TEX_CLOTH, CLOTH_BOOTS, CLOTH_BOOTS, CLOTH_BOOTS},
    {P_LTHIGH, {7, -105, -16}, {43, -15, 16}, FIGURE_TEX_CLOTH, CLOTH_TROUSERS, CLOTH_TROUSERS, CLOTH_TROUSERS},
    {P_LSHIN, {9, -185, -14}, {41, -105, 14}, FIGURE_TEX_CLOTH, CLOTH_TROUSERS, CLOTH_TROUSERS, CLOTH_TROUSERS},
    {P_LSHIN, {8, -200, -16}, {42, -185, 34}, FIGURE_TEX_CLOTH, CLOTH_BOOTS, CLOTH_BOOTS, CLOTH_BOOTS},
};

// Box faces by outward normal, with in-face right and up axes (Right x Up = normal), so the
// corners -R-U, +R-U, +R+U, -R+U run counter-clockwise seen from outside.
struct cFaceAxes
{
    cVec Normal, Right, Up;
};
const cFaceAxes FACES[6] = {
    {{0, 0, 1}, {1, 0, 0}, {0, 1, 0}},   // front
    {{0, 0, -1}, {-1, 0, 0}, {0, 1, 0}}, // back
    {{1, 0, 0}, {0, 0, -1}, {0, 1, 0}},
    {{-1, 0, 0}, {0, 0, 1}, {0, 1, 0}},
    {{0, 1, 0}, {1, 0, 0}, {0, 0, -1}},
    {{0, -1, 0}, {1, 0, 0}, {0, 0, 1}},
};

// Type bytes of the loose pieces; the peak carries a flag in the high nibble that the
// renderers must ignore.
constexpr std::uint8_t TYPE_NORMAL = 0x00, TYPE_PEAK = 0x12, TYPE_HAIR = 0x03, TYPE_CAPE = 0x04,
                       TYPE_BLADE = 0x08;

constexpr int CAPE_COLS = 2, CAPE_ROWS = 3;

struct cPose
{
    float DegX[NUM_PARTS] = {};
    float DegZ[NUM_PARTS] = {};
    float SpinY = 0;
    float Bob = 0;
    float CapeSwing = 0;  // how far back the cape's hem flies, in units
};

// Rest-pose vertices with the part that carries each, and the triangles over them.
class cFigureBuilder
{
public:
    cFigureBuilder()
    {
        for (const cBoxDef& Box : BOXES)
            AddBox(Box);
        AddHairTail();
        AddPeak();
        AddCape();
        AddBlade();
    }

    std::vector<std::uint32_t> PackFrame(const cPose& Pose) const
    {
        cXform World[NUM_PARTS];
        for (int p = 0; p < NUM_PARTS; ++p)
        {
            cXform Local = Rotation(JOINTS[p].Pivot, Pose.DegX[p], Pose.DegZ[p], 0);
            if (JOINTS[p].Parent < 0)
            {
                cXform Root = Rotation({0, 0, 0}, 0, 0, Pose.SpinY);
                Root.T.Y += Pose.Bob;
                World[p] = Compose(Root, Local);
            }
            else
                World[p] = Compose(World[JOINTS[p].Parent], Local);
        }
        std::vector<std::uint32_t> Words(mRest.size());
        for (std::size_t v = 0; v < mRest.size(); ++v)
        {
            cVec P = mRest[v];
            if (mCapeRow[v] > 0)
                P.Z -= Pose.CapeSwing * static_cast<float>(mCapeRow[v]) / CAPE_ROWS;
            const cVec W = World[mPart[v]].Apply(P);
            Words[v] = PackVertex(static_cast<int>(std::lround(W.X)), static_cast<int>(std::lround(W.Y)),
                                  static_cast<int>(std::lround(W.Z)));
        }
        return Words;
    }

    int NumVertices() const { return static_cast<int>(mRest.size()); }
    const std::vector<MeshTri>& Tris() const { return mTris; }

private:
    int AddVertex(int Part, cVec P, int CapeRow = 0)
    {
        mRest.push_back(P);
        mPart.push_back(Part);
        mCapeRow.push_back(CapeRow);
        return static_cast<int>(mRest.size()) - 1;
    }

    void AddTri(int A, int B, int C, std::uint8_t Type, std::uint8_t TextureNum, const std::uint8_t UV[3][2])
    {
        MeshTri Tri{};
        Tri.iVertex[0] = static_cast<std::uint16_t>(A);
        Tri.iVertex[1] = static_cast<std::uint16_t>(B);
        Tri.iVertex[2] = static_cast<std::uint16_t>(C);
        Tri.Type = Type;
        Tri.TextureNum = TextureNum;
        for (int k = 0; k < 3; ++k)
        {
            Tri.UV[k][0] = UV[k][0];
            Tri.UV[k][1] = UV[k][1];
        }
        mTris.push_back(Tri);
    }

    // Quad A B C D counter-clockwise seen from its front, textured with Rect upright.
    void AddQuad(int A, int B, int C, int D, std::uint8_t Type, std::uint8_t TextureNum, cRect Rect)
    {
        const std::uint8_t First[3][2] = {{Rect.U0, Rect.V1}, {Rect.U1, Rect.V1}, {Rect.U1, Rect.V0}};
        const std::uint8_t Second[3][2] = {{Rect.U0, Rect.V1}, {Rect.U1, Rect.V0}, {Rect.U0, Rect.V0}};
        AddTri(A, B, C, Type, TextureNum, First);
        AddTri(A, C, D, Type, TextureNum, Second);
    }

    void AddBox(const cBoxDef& Box)
    {
        const int Base = AddVertex(Box.Part, Box.Min);
        for (int c = 1; c < 8; ++c)
            AddVertex(Box.Part, {(c & 1) ? Box.Max.X : Box.Min.X, (c & 2) ? Box.Max.Y : Box.Min.Y,
                                 (c & 4) ? Box.Max.Z : Box.Min.Z});
        // Corner index of the box corner lying in direction Dir from the centre.
        auto Corner = [&](cVec Dir) {
            return Base + (Dir.X > 0 ? 1 : 0) + (Dir.Y > 0 ? 2 : 0) + (Dir.Z > 0 ? 4 : 0);
        };
        for (int f = 0; f < 6; ++f)
        {
            const cFaceAxes& F = FACES[f];
            const cRect Rect = f == 0 ? Box.Front : f == 1 ? Box.Back : Box.Side;
            AddQuad(Corner(F.Normal - F.Right - F.Up), Corner(F.Normal + F.Right - F.Up),
                    Corner(F.Normal + F.Right + F.Up), Corner(F.Normal - F.Right + F.Up), TYPE_NORMAL,
                    Box.TextureNum, Rect);
        }
    }

    // A masked hank of hair hanging behind the head, facing backwards.
    void AddHairTail()
    {
        const int A = AddVertex(P_HEAD, {20, 120, -34});
        const int B = AddVertex(P_HEAD, {-20, 120, -34});
        const int C = AddVertex(P_HEAD, {-20, 190, -32});
        const int D = AddVertex(P_HEAD, {20, 190, -32});
        AddQuad(A, B, C, D, TYPE_HAIR, FIGURE_TEX_SKIN, SKIN_HAIR);
    }

    // A translucent cap peak jutting forward from the hairline, its top facing up.
    void AddPeak()
    {
        const int A = AddVertex(P_HEAD, {-30, 192, 30});
        const int B = AddVertex(P_HEAD, {30, 192, 30});
        const int C = AddVertex(P_HEAD, {30, 187, 58});
        const int D = AddVertex(P_HEAD, {-30, 187, 58});
        AddQuad(D, C, B, A, TYPE_PEAK, FIGURE_TEX_CLOTH, CLOTH_VISOR);
    }

    // A two-sided cape from the shoulders down the back, its outside facing backwards.
    void AddCape()
    {
        int Grid[CAPE_ROWS + 1][CAPE_COLS + 1];
        for (int r = 0; r <= CAPE_ROWS; ++r)
            for (int c = 0; c <= CAPE_COLS; ++c)
            {
                const float X = 52.0f - 104.0f * static_cast<float>(c) / CAPE_COLS;
                const float Y = 128.0f - 188.0f * static_cast<float>(r) / CAPE_ROWS;
                Grid[r][c] = AddVertex(P_TORSO, {X, Y, -31.0f - 3.0f * static_cast<float>(r)}, r);
            }
        for (int r = 0; r < CAPE_ROWS; ++r)
            for (int c = 0; c < CAPE_COLS; ++c)
            {
                const auto U = [](int Col) { return static_cast<std::uint8_t>(128 + 63 * Col / CAPE_COLS); };
                const auto V = [](int Row) { return static_cast<std::uint8_t>(128 + 127 * Row / CAPE_ROWS); };
                AddQuad(Grid[r + 1][c], Grid[r + 1][c + 1], Grid[r][c + 1], Grid[r][c], TYPE_CAPE,
                        FIGURE_TEX_CAPE, {U(c), V(r), U(c + 1), V(r + 1)});
            }
    }

    // The weapon placeholder: one triangle pointing forward out of the right hand.
    void AddBlade()
    {
        const int A = AddVertex(P_RFORE, {-70, -46, 4});
        const int B = AddVertex(P_RFORE, {-70, -40, 110});
        const int C = AddVertex(P_RFORE, {-70, -34, 4});
        const std::uint8_t UV[3][2] = {{192, 255}, {255, 224}, {192, 192}};
        AddTri(A, B, C, TYPE_BLADE, FIGURE_TEX_CLOTH, UV);
    }

    std::vector<cVec> mRest;
    std::vector<int> mPart;
    std::vector<int> mCapeRow;
    std::vector<MeshTri> mTris;
};

struct cSeqDef
{
    const char* pszName;
    int NumFrames;
};
const cSeqDef SEQUENCES[] = {{"Still", 1}, {"Walk", 16}, {"Wave", 12}, {"Spin", 16}};

cPose WalkPose(int Step)
{
    const float Phase = 2 * PI * static_cast<float>(Step) / 16;
    const float Swing = std::sin(Phase);
    cPose Pose;
    Pose.DegX[P_RTHIGH] = -30 * Swing;
    Pose.DegX[P_LTHIGH] = 30 * Swing;
    // The knee of the leg swinging forward bends, the other stays nearly straight.
    Pose.DegX[P_RSHIN] = 35 * std::fmax(0.0f, std::cos(Phase + PI / 4));
    Pose.DegX[P_LSHIN] = 35 * std::fmax(0.0f, -std::cos(Phase + PI / 4));
    Pose.DegX[P_RUPPER] = 25 * Swing;
    Pose.DegX[P_LUPPER] = -25 * Swing;
    Pose.DegX[P_RFORE] = -20;
    Pose.DegX[P_LFORE] = -20;
    Pose.DegX[P_TORSO] = -4;
    Pose.Bob = 4 * std::fabs(std::cos(Phase));
    Pose.CapeSwing = 14 + 8 * std::sin(2 * Phase);
    return Pose;
}

cPose WavePose(int Step)
{
    const float Lift = std::sin(PI * static_cast<float>(Step) / 12);
    cPose Pose;
    // The right arm swings out sideways and up, then the forearm waves to and fro.
    Pose.DegZ[P_RUPPER] = -150 * Lift;
    Pose.DegZ[P_RFORE] = 35 * std::sin(4 * PI * static_cast<float>(Step) / 12) * Lift;
    Pose.DegZ[P_HEAD] = 8 * Lift;
    Pose.DegZ[P_LUPPER] = 6 * Lift;
    return Pose;
}

cPose SpinPose(int Step)
{
    cPose Pose;
    Pose.SpinY = 360.0f * static_cast<float>(Step) / 16;
    Pose.DegZ[P_RUPPER] = -20;
    Pose.DegZ[P_LUPPER] = 20;
    Pose.CapeSwing = 20;
    return Pose;
}

// Pose of frame Frame within the cycle Still, Walk, Wave, Spin.
cPose CyclePose(int Frame)
{
    int Index = Frame % 45;
    if (Index < 1)
        return cPose{};
    Index -= 1;
    if (Index < 16)
        return WalkPose(Index);
    Index -= 16;
    if (Index < 12)
        return WavePose(Index);
    return SpinPose(Index - 12);
}
} // namespace

cMeshBuild BuildFigure(int NumFrames)
{
    const cFigureBuilder Builder;
    cMeshBuild Build;
    Build.NumVertices = Builder.NumVertices();
    Build.Tris = Builder.Tris();
    Build.Frames.reserve(static_cast<std::size_t>(NumFrames));
    for (int f = 0; f < NumFrames; ++f)
        Build.Frames.push_back(Builder.PackFrame(CyclePose(f)));
    int Start = 0;
    for (const cSeqDef& Seq : SEQUENCES)
    {
        if (Start + Seq.NumFrames > NumFrames)
            break;
        Build.Sequences.push_back({Seq.pszName, Start, Seq.NumFrames});
        Start += Seq.NumFrames;
    }
    return Build;
}
