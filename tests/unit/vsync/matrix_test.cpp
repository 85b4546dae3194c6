// Expected values were worked out by hand and checked numerically, not with
// the code under test; single-precision tolerance.
#include "vsync/matrix.h"

#include <gtest/gtest.h>

#include <cmath>

namespace tsln {
namespace {

constexpr float kTolerance = 2e-6f;

void ExpectMatrix(const Matrix4& actual, const float (&expected)[4][4], float tolerance = kTolerance) {
    for (int row = 0; row < 4; ++row) {
        for (int col = 0; col < 4; ++col) {
            EXPECT_NEAR(actual.m[row][col], expected[row][col], tolerance) << "at row " << row << ", column " << col;
        }
    }
}

// (x, y, z, 1) x m.
void Transform(const Matrix4& m, float x, float y, float z, float (&out)[4]) {
    const float v[4] = {x, y, z, 1.0f};
    for (int col = 0; col < 4; ++col) {
        out[col] = 0.0f;
        for (int k = 0; k < 4; ++k)
            out[col] += v[k] * m.m[k][col];
    }
}

TEST(Matrix, IdentityAndMultiplyInDirect3DOrder) {
    const float identity[4][4] = {{1, 0, 0, 0}, {0, 1, 0, 0}, {0, 0, 1, 0}, {0, 0, 0, 1}};
    ExpectMatrix(MatrixIdentity(), identity, 0.0f);

    Matrix4 a, b;
    const float aValues[4][4] = {{1, 2, 3, 4}, {5, 6, 7, 8}, {9, 10, 11, 12}, {13, 14, 15, 16}};
    const float bValues[4][4] = {{2, 0, 1, 0}, {0, 1, 0, 3}, {1, 0, 0, 1}, {0, 2, 1, 0}};
    for (int r = 0; r < 4; ++r) {
        for (int c = 0; c < 4; ++c) {
            a.m[r][c] = aValues[r][c];
            b.m[r][c] = bValues[r][c];
        }
    }
    const float ab[4][4] = {{5, 10, 5, 9}, {17, 22, 13, 25}, {29, 34, 21, 41}, {41, 46, 29, 57}};
    const float ba[4][4] = {{11, 14, 17, 20}, {44, 48, 52, 56}, {14, 16, 18, 20}, {19, 22, 25, 28}};
    ExpectMatrix(MatrixMultiply(a, b), ab, 0.0f);
    ExpectMatrix(MatrixMultiply(b, a), ba, 0.0f);
    ExpectMatrix(MatrixMultiply(MatrixIdentity(), a), aValues, 0.0f);
}

TEST(Matrix, RotationYTurnsLeftHanded) {
    // A quarter turn takes +x to -z and +z to +x.
    float out[4];
    Transform(MatrixRotationY(1.5707964f), 1, 0, 0, out);
    EXPECT_NEAR(out[0], 0.0f, kTolerance);
    EXPECT_NEAR(out[2], -1.0f, kTolerance);
    Transform(MatrixRotationY(1.5707964f), 0, 0, 1, out);
    EXPECT_NEAR(out[0], 1.0f, kTolerance);
    EXPECT_NEAR(out[2], 0.0f, kTolerance);

    // 30 degrees: cos 0.8660254, sin 0.5.
    const float thirty[4][4] = {{0.8660254f, 0, -0.5f, 0}, {0, 1, 0, 0}, {0.5f, 0, 0.8660254f, 0}, {0, 0, 0, 1}};
    ExpectMatrix(MatrixRotationY(0.52359878f), thirty);
}

TEST(Matrix, LookAtFromTheTestCamera) {
    // Eye (0, 5, 9) looking at the origin: z axis (0, -5, -9) / sqrt(106),
    // x axis (-1, 0, 0), y axis (0, 9, -5) / sqrt(106); the eye lies sqrt(106)
    // = 10.2956301 in front along z.
    const float expected[4][4] = {
        {-1.0f, 0.0f, 0.0f, 0.0f},
        {0.0f, 0.8741573f, -0.4856429f, 0.0f},
        {0.0f, -0.4856429f, -0.8741573f, 0.0f},
        {0.0f, 0.0f, 10.2956301f, 1.0f},
    };
    ExpectMatrix(MatrixLookAtLH({0, 5, 9}, {0, 0, 0}, {0, 1, 0}), expected, 4e-6f);
}

TEST(Matrix, PerspectiveFovLH) {
    // cot(pi/8) = 2.4142136; 500 / 499.9 = 1.0002000; -0.1 * 500 / 499.9 = -0.1000200.
    const float expected[4][4] = {
        {2.4142136f, 0, 0, 0},
        {0, 2.4142136f, 0, 0},
        {0, 0, 1.0002000f, 1.0f},
        {0, 0, -0.1000200f, 0},
    };
    ExpectMatrix(MatrixPerspectiveFovLH(0.7853982f, 1.0f, 0.1f, 500.0f), expected);
    // The aspect ratio narrows x only.
    EXPECT_NEAR(MatrixPerspectiveFovLH(0.7853982f, 4.0f / 3.0f, 0.1f, 500.0f).m[0][0], 1.8106602f, kTolerance);
}

TEST(Matrix, TheSquareSeenThroughTheTestCamera) {
    // The square's corners through view x projection, then divided by w:
    // where they land on screen (x, y in -1..1) and in depth (0..1).
    const Matrix4 viewProjection = MatrixMultiply(MatrixLookAtLH({0, 5, 9}, {0, 0, 0}, {0, 1, 0}),
                                                  MatrixPerspectiveFovLH(0.7853982f, 1.0f, 0.1f, 500.0f));
    struct Corner {
        float x, y;
        float screenX, screenY, depth, w;
    };
    const Corner corners[] = {
        {1, 1, -0.2460975f, 0.2151279f, 0.9900043f, 9.809987f},
        {-1, -1, 0.2239266f, -0.1957470f, 0.9909228f, 10.781273f},
        {1, -1, -0.2239266f, -0.1957470f, 0.9909228f, 10.781273f},
    };
    for (const auto& c : corners) {
        float out[4];
        Transform(viewProjection, c.x, c.y, 0, out);
        EXPECT_NEAR(out[3], c.w, 1e-5f) << c.x << "," << c.y;
        EXPECT_NEAR(out[0] / out[3], c.screenX, kTolerance) << c.x << "," << c.y;
        EXPECT_NEAR(out[1] / out[3], c.screenY, kTolerance) << c.x << "," << c.y;
        EXPECT_NEAR(out[2] / out[3], c.depth, kTolerance) << c.x << "," << c.y;
    }
}

}  // namespace
}  // namespace tsln
