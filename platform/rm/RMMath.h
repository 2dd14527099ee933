// Vector and matrix arithmetic for frame transforms (row vectors: p' = p * M).
#pragma once

#include "platform/rm/RMTypes.h"

#include <cmath>

struct cVec3
{
    float X = 0, Y = 0, Z = 0;
};

inline cVec3 operator+(cVec3 A, cVec3 B) { return {A.X + B.X, A.Y + B.Y, A.Z + B.Z}; }
inline cVec3 operator-(cVec3 A, cVec3 B) { return {A.X - B.X, A.Y - B.Y, A.Z - B.Z}; }
inline cVec3 operator*(cVec3 A, float S) { return {A.X * S, A.Y * S, A.Z * S}; }
inline float Dot(cVec3 A, cVec3 B) { return A.X * B.X + A.Y * B.Y + A.Z * B.Z; }
inline cVec3 Cross(cVec3 A, cVec3 B)
{
    return {A.Y * B.Z - A.Z * B.Y, A.Z * B.X - A.X * B.Z, A.X * B.Y - A.Y * B.X};
}
// Limits a colour component to 0 ... 1; a value that is not a number becomes 0.
inline float Clamp01(float Value)
{
    return Value > 0 ? (Value < 1 ? Value : 1) : 0;
}

// Unit length; the zero vector stays zero.
inline cVec3 Normalize(cVec3 A)
{
    const float Length = std::sqrt(Dot(A, A));
    return Length > 0 ? A * (1.0f / Length) : A;
}

// Affine transform: a 3 x 3 part in M and a translation in T.
struct cMatrix
{
    float M[3][3] = {{1, 0, 0}, {0, 1, 0}, {0, 0, 1}};
    cVec3 T;
};

inline cVec3 TransformPoint(const cVec3& P, const cMatrix& A)
{
    return {P.X * A.M[0][0] + P.Y * A.M[1][0] + P.Z * A.M[2][0] + A.T.X,
            P.X * A.M[0][1] + P.Y * A.M[1][1] + P.Z * A.M[2][1] + A.T.Y,
            P.X * A.M[0][2] + P.Y * A.M[1][2] + P.Z * A.M[2][2] + A.T.Z};
}

inline cVec3 TransformVector(const cVec3& V, const cMatrix& A)
{
    return {V.X * A.M[0][0] + V.Y * A.M[1][0] + V.Z * A.M[2][0],
            V.X * A.M[0][1] + V.Y * A.M[1][1] + V.Z * A.M[2][1],
            V.X * A.M[0][2] + V.Y * A.M[1][2] + V.Z * A.M[2][2]};
}

// A then B: p * A * B.
inline cMatrix Multiply(const cMatrix& A, const cMatrix& B)
{
    cMatrix R;
    for (int i = 0; i < 3; ++i)
        for (int j = 0; j < 3; ++j)
            R.M[i][j] = A.M[i][0] * B.M[0][j] + A.M[i][1] * B.M[1][j] + A.M[i][2] * B.M[2][j];
    R.T = TransformPoint(A.T, B);
    return R;
}

// Inverse of an affine transform; a singular 3 x 3 part gives the identity.
inline cMatrix Inverse(const cMatrix& A)
{
    const float (*m)[3] = A.M;
    const float Det = m[0][0] * (m[1][1] * m[2][2] - m[1][2] * m[2][1]) -
                      m[0][1] * (m[1][0] * m[2][2] - m[1][2] * m[2][0]) +
                      m[0][2] * (m[1][0] * m[2][1] - m[1][1] * m[2][0]);
    cMatrix R;
    if (Det == 0)
        return R;
    const float InvDet = 1.0f / Det;
    R.M[0][0] = (m[1][1] * m[2][2] - m[1][2] * m[2][1]) * InvDet;
    R.M[0][1] = (m[0][2] * m[2][1] - m[0][1] * m[2][2]) * InvDet;
    R.M[0][2] = (m[0][1] * m[1][2] - m[0][2] * m[1][1]) * InvDet;
    R.M[1][0] = (m[1][2] * m[2][0] - m[1][0] * m[2][2]) * InvDet;
    R.M[1][1] = (m[0][0] * m[2][2] - m[0][2] * m[2][0]) * InvDet;
    R.M[1][2] = (m[0][2] * m[1][0] - m[0][0] * m[1][2]) * InvDet;
    R.M[2][0] = (m[1][0] * m[2][1] - m[1][1] * m[2][0]) * InvDet;
    R.M[2][1] = (m[0][1] * m[2][0] - m[0][0] * m[2][1]) * InvDet;
    R.M[2][2] = (m[0][0] * m[1][1] - m[0][1] * m[1][0]) * InvDet;
    const cVec3 T = TransformVector(A.T, R);
    R.T = {-T.X, -T.Y, -T.Z};
    return R;
}

// Rotation through Theta radians about Axis, clockwise when looking along the axis in this
// left-handed space: about +y, +x turns toward -z.
inline cMatrix RotationAbout(cVec3 Axis, float Theta)
{
    const cVec3 a = Normalize(Axis);
    const float c = std::cos(Theta), s = std::sin(Theta), t = 1 - c;
    cMatrix R;
    R.M[0][0] = t * a.X * a.X + c;
    R.M[0][1] = t * a.X * a.Y + s * a.Z;
    R.M[0][2] = t * a.X * a.Z - s * a.Y;
    R.M[1][0] = t * a.X * a.Y - s * a.Z;
    R.M[1][1] = t * a.Y * a.Y + c;
    R.M[1][2] = t * a.Y * a.Z + s * a.X;
    R.M[2][0] = t * a.X * a.Z + s * a.Y;
    R.M[2][1] = t * a.Y * a.Z - s * a.X;
    R.M[2][2] = t * a.Z * a.Z + c;
    return R;
}
