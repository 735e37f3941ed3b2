// A 4 × 4 matrix on the processor, column-major like GL's (element [4·column + row]), in single
// precision with GL's rounding: every operation computes exactly what Mesa's matrix stack computes
// for the same call, so a matrix built here and handed to glLoadMatrixf or glMultMatrixf draws the
// very pixels that the stack's own calls drew, and nothing is ever read back from GL.
#pragma once

struct Matrix4 {
    float m[16];
};

Matrix4 identity_matrix();
// a · b, as glMultMatrixf(b) does to a.
Matrix4 multiply(const Matrix4& a, const Matrix4& b);
// m · R, as glRotatef(degrees, x, y, z) does to m; an axis shorter than 1e-4 leaves m as it is.
Matrix4 rotated(const Matrix4& m, float degrees, float x, float y, float z);
// m · T and m · S, as glTranslatef and glScalef do.
Matrix4 translated(const Matrix4& m, float x, float y, float z);
Matrix4 scaled(const Matrix4& m, float x, float y, float z);

struct Point {
    double x, y, z;
};
// m · V for the view from eye towards centre with up roughly up, as gluLookAt does.
Matrix4 looked_at(const Matrix4& m, const Point& eye, const Point& centre, const Point& up);
