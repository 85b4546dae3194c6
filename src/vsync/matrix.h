#pragma once
// The few matrix helpers the test scene needs. D3DX is not part of Windows and
// is not shipped with the program, so these follow its conventions instead:
// row vectors (v' = v x M), the translation in the fourth row, m[row][column]
// laid out like D3DMATRIX (_11 .. _44).

namespace tsln {

struct Vector3 {
    float x = 0.0f;
    float y = 0.0f;
    float z = 0.0f;
};

struct Matrix4 {
    float m[4][4] = {};
};

Matrix4 MatrixIdentity();
// a applied first, then b.
Matrix4 MatrixMultiply(const Matrix4& a, const Matrix4& b);
Matrix4 MatrixRotationY(float radians);
// Left-handed view matrix: the camera at eye looks at target, up gives the
// vertical direction on screen.
Matrix4 MatrixLookAtLH(const Vector3& eye, const Vector3& target, const Vector3& up);
// Left-handed projection; fovY is the vertical field of view in radians and
// depth maps to 0 at zNear and 1 at zFar.
Matrix4 MatrixPerspectiveFovLH(float fovY, float aspect, float zNear, float zFar);

}  // namespace tsln
