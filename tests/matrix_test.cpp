// The matrix helper against GL's own matrix stack: for random matrices and arguments, every
// operation must give GL's result to the bit, or the show's frames would change where it replaced
// the stack's calls.
#include "effects/matrix.h"
#include "show_fixture.h"

#include <GL/gl.h>
#include <GL/glu.h>
#include <gtest/gtest.h>

#include <cstring>
#include <functional>
#include <random>

static Matrix4 stack_result(const Matrix4& start, const std::function<void()>& call)
{
    glMatrixMode(GL_MODELVIEW);
    glPushMatrix();
    glLoadMatrixf(start.m);
    call();
    Matrix4 result;
    glGetFloatv(GL_MODELVIEW_MATRIX, result.m);
    glPopMatrix();
    return result;
}

static bool same_bits(const Matrix4& a, const Matrix4& b) { return std::memcmp(a.m, b.m, sizeof a.m) == 0; }

TEST(Matrix, EveryOperationEqualsGlsToTheBit)
{
    std::mt19937 random(16);
    std::uniform_real_distribution<float> unit(-1.0f, 1.0f), degrees(-720.0f, 720.0f), wide(-50.0f, 50.0f);
    // Axes along x, y or z take GL's shortcut; one too short to have a direction leaves the matrix.
    const float axes[][3] = {{0, 0, 1}, {0, 0, -2}, {0, 1, 0}, {0, -1, 0}, {3, 0, 0}, {-1, 0, 0}, {0, 0, 0},
                             {1e-5f, 0, 1e-5f}, {0.3f, -0.2f, 0.9f}};
    int mismatches[5] = {};
    for (int n = 0; n < 3000; ++n) {
        Matrix4 start;
        for (float& v : start.m)
            v = wide(random);
        const float* axis = axes[n % (sizeof axes / sizeof axes[0])];
        float x = n % 2 ? axis[0] : unit(random), y = n % 2 ? axis[1] : unit(random), z = n % 2 ? axis[2] : unit(random);
        float angle = degrees(random);
        mismatches[0] += !same_bits(rotated(start, angle, x, y, z), stack_result(start, [&] { glRotatef(angle, x, y, z); }));
        mismatches[1] += !same_bits(translated(start, x, y, z), stack_result(start, [&] { glTranslatef(x, y, z); }));
        mismatches[2] += !same_bits(scaled(start, x, y, z), stack_result(start, [&] { glScalef(x, y, z); }));
        Point eye = {wide(random), wide(random), wide(random)}, centre = {unit(random), unit(random), unit(random)};
        Point up = {unit(random), unit(random), unit(random)};
        mismatches[3] += !same_bits(looked_at(start, eye, centre, up), stack_result(start, [&] {
                                        gluLookAt(eye.x, eye.y, eye.z, centre.x, centre.y, centre.z, up.x, up.y, up.z);
                                    }));
        Matrix4 other;
        for (float& v : other.m)
            v = wide(random);
        mismatches[4] += !same_bits(multiply(start, other), stack_result(start, [&] { glMultMatrixf(other.m); }));
    }
    const char* names[] = {"rotated", "translated", "scaled", "looked_at", "multiply"};
    for (int k = 0; k < 5; ++k)
        EXPECT_EQ(mismatches[k], 0) << names[k];
}
