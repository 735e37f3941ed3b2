// Matrix operations written as Mesa's matrix stack and GLU's look-at compute them, operation for
// operation in single precision, so that their results equal GL's to the bit. This file is built
// without contracting multiply-adds into fused ones, which would round differently.
#include "effects/matrix.h"

#include <cmath>

// Below this length an axis has no direction; GL then leaves the matrix as it is.
static constexpr float shortest_axis = 1.0e-4f;

static float& at(Matrix4& m, int row, int column) { return m.m[4 * column + row]; }
static float at(const Matrix4& m, int row, int column) { return m.m[4 * column + row]; }

Matrix4 identity_matrix() { return {{1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1}}; }

Matrix4 multiply(const Matrix4& a, const Matrix4& b)
{
    Matrix4 p;
    for (int i = 0; i < 4; ++i) {
        const float a0 = at(a, i, 0), a1 = at(a, i, 1), a2 = at(a, i, 2), a3 = at(a, i, 3);
        for (int j = 0; j < 4; ++j)
            at(p, i, j) = a0 * at(b, 0, j) + a1 * at(b, 1, j) + a2 * at(b, 2, j) + a3 * at(b, 3, j);
    }
    return p;
}

// A turn about one of the axes is set directly, without normalising the axis.
static bool axis_rotation(Matrix4& r, float s, float c, float x, float y, float z)
{
    int p, q;  // the plane of the turn, from p towards q for a positive axis
    float sign;
    if (x == 0.0f && y == 0.0f && z != 0.0f) {
        p = 0, q = 1, sign = z;
    } else if (x == 0.0f && z == 0.0f && y != 0.0f) {
        p = 2, q = 0, sign = y;
    } else if (y == 0.0f && z == 0.0f && x != 0.0f) {
        p = 1, q = 2, sign = x;
    } else {
        return false;
    }
    at(r, p, p) = c;
    at(r, q, q) = c;
    at(r, p, q) = sign < 0.0f ? s : -s;
    at(r, q, p) = sign < 0.0f ? -s : s;
    return true;
}

Matrix4 rotated(const Matrix4& m, float degrees, float x, float y, float z)
{
    const float s = std::sin(static_cast<float>(degrees * M_PI / 180.0));
    const float c = std::cos(static_cast<float>(degrees * M_PI / 180.0));
    Matrix4 r = identity_matrix();
    if (!axis_rotation(r, s, c, x, y, z)) {
        const float length = std::sqrt(x * x + y * y + z * z);
        if (length <= shortest_axis)
            return m;
        x /= length;
        y /= length;
        z /= length;
        const float one_c = 1.0f - c;
        at(r, 0, 0) = (one_c * (x * x)) + c;
        at(r, 0, 1) = (one_c * (x * y)) - z * s;
        at(r, 0, 2) = (one_c * (z * x)) + y * s;
        at(r, 1, 0) = (one_c * (x * y)) + z * s;
        at(r, 1, 1) = (one_c * (y * y)) + c;
        at(r, 1, 2) = (one_c * (y * z)) - x * s;
        at(r, 2, 0) = (one_c * (z * x)) - y * s;
        at(r, 2, 1) = (one_c * (y * z)) + x * s;
        at(r, 2, 2) = (one_c * (z * z)) + c;
    }
    return multiply(m, r);
}

Matrix4 translated(const Matrix4& m, float x, float y, float z)
{
    Matrix4 t = m;
    for (int row = 0; row < 4; ++row)
        at(t, row, 3) = at(m, row, 0) * x + at(m, row, 1) * y + at(m, row, 2) * z + at(m, row, 3);
    return t;
}

Matrix4 scaled(const Matrix4& m, float x, float y, float z)
{
    Matrix4 s = m;
    for (int row = 0; row < 4; ++row) {
        at(s, row, 0) *= x;
        at(s, row, 1) *= y;
        at(s, row, 2) *= z;
    }
    return s;
}

// GLU's helpers for the look-at, in floats, the length's square root taken in double.
static void normalise(float v[3])
{
    const float length = static_cast<float>(std::sqrt(static_cast<double>(v[0] * v[0] + v[1] * v[1] + v[2] * v[2])));
    if (length == 0.0f)
        return;
    v[0] /= length;
    v[1] /= length;
    v[2] /= length;
}

static void cross(const float a[3], const float b[3], float out[3])
{
    out[0] = a[1] * b[2] - a[2] * b[1];
    out[1] = a[2] * b[0] - a[0] * b[2];
    out[2] = a[0] * b[1] - a[1] * b[0];
}

Matrix4 looked_at(const Matrix4& m, const Point& eye, const Point& centre, const Point& up)
{
    float forward[3] = {static_cast<float>(centre.x - eye.x), static_cast<float>(centre.y - eye.y),
                        static_cast<float>(centre.z - eye.z)};
    float upward[3] = {static_cast<float>(up.x), static_cast<float>(up.y), static_cast<float>(up.z)};
    float side[3];
    normalise(forward);
    cross(forward, upward, side);
    normalise(side);
    cross(side, forward, upward);
    Matrix4 view = identity_matrix();
    for (int k = 0; k < 3; ++k) {
        at(view, 0, k) = side[k];
        at(view, 1, k) = upward[k];
        at(view, 2, k) = -forward[k];
    }
    return translated(multiply(m, view), static_cast<float>(-eye.x), static_cast<float>(-eye.y),
                      static_cast<float>(-eye.z));
}
