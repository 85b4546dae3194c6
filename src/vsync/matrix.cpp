#include "vsync/matrix.h"

#include <cmath>

namespace tsln {
namespace {

// Worked in double and stored as float: the stored value is then the nearest
// float to the exact one, whatever the compiler does with float temporaries.
struct Vec {
    double x, y, z;
};

Vec Sub(const Vec& a, const Vec& b) {
    return {a.x - b.x, a.y - b.y, a.z - b.z};
}
double Dot(const Vec& a, const Vec& b) {
    return a.x * b.x + a.y * b.y + a.z * b.z;
}
Vec Cross(const Vec& a, const Vec& b) {
    return {a.y * b.z - a.z * b.y, a.z * b.x - a.x * b.z, a.x * b.y - a.y * b.x};
}
Vec Normalize(const Vec& v) {
    const double length = std::sqrt(Dot(v, v));
    return {v.x / length, v.y / length, v.z / length};
}
Vec Widen(const Vector3& v) {
    return {v.x, v.y, v.z};
}

}  // namespace

Matrix4 MatrixIdentity() {
    Matrix4 r;
    for (int i = 0; i < 4; ++i)
        r.m[i][i] = 1.0f;
    return r;
}

Matrix4 MatrixMultiply(const Matrix4& a, const Matrix4& b) {
    Matrix4 r;
    for (int row = 0; row < 4; ++row) {
        for (int col = 0; col < 4; ++col) {
            double sum = 0.0;
            for (int k = 0; k < 4; ++k)
                sum += static_cast<double>(a.m[row][k]) * b.m[k][col];
            r.m[row][col] = static_cast<float>(sum);
        }
    }
    return r;
}

Matrix4 MatrixRotationY(float radians) {
    const float c = static_cast<float>(std::cos(static_cast<double>(radians)));
    const float s = static_cast<float>(std::sin(static_cast<double>(radians)));
    Matrix4 r = MatrixIdentity();
    r.m[0][0] = c;
    r.m[0][2] = -s;
    r.m[2][0] = s;
    r.m[2][2] = c;
    return r;
}

Matrix4 MatrixLookAtLH(const Vector3& eye, const Vector3& target, const Vector3& up) {
    const Vec e = Widen(eye);
    const Vec zAxis = Normalize(Sub(Widen(target), e));
    const Vec xAxis = Normalize(Cross(Widen(up), zAxis));
    const Vec yAxis = Cross(zAxis, xAxis);
    const Vec axes[3] = {xAxis, yAxis, zAxis};
    Matrix4 r;
    for (int col = 0; col < 3; ++col) {
        r.m[0][col] = static_cast<float>(axes[col].x);
        r.m[1][col] = static_cast<float>(axes[col].y);
        r.m[2][col] = static_cast<float>(axes[col].z);
        r.m[3][col] = static_cast<float>(-Dot(axes[col], e));
    }
    r.m[3][3] = 1.0f;
    return r;
}

Matrix4 MatrixPerspectiveFovLH(float fovY, float aspect, float zNear, float zFar) {
    const double yScale = 1.0 / std::tan(static_cast<double>(fovY) / 2.0);
    const double depth = static_cast<double>(zFar) - zNear;
    Matrix4 r;
    r.m[0][0] = static_cast<float>(yScale / aspect);
    r.m[1][1] = static_cast<float>(yScale);
    r.m[2][2] = static_cast<float>(zFar / depth);
    r.m[2][3] = 1.0f;
    r.m[3][2] = static_cast<float>(-static_cast<double>(zNear) * zFar / depth);
    return r;
}

}  // namespace tsln
