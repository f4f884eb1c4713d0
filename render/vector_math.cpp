// Vector helpers: cross product, normalisation, triangle normals.
#include "render/vector_math.h"

#include <cmath>

void crossProduct(const float* a, const float* b, float* out) {
    if (a == nullptr || b == nullptr || out == nullptr)
        return;
    const float x = a[1] * b[2] - a[2] * b[1];
    const float y = a[2] * b[0] - a[0] * b[2];
    const float z = a[0] * b[1] - a[1] * b[0];
    out[0] = x;
    out[1] = y;
    out[2] = z;
}

void normalize(float* v) {
    if (v == nullptr)
        return;
    const float length = std::sqrt(v[0] * v[0] + v[1] * v[1] + v[2] * v[2]);
    if (length == 0.0f)
        return;
    v[0] /= length;
    v[1] /= length;
    v[2] /= length;
}

void faceNormal(const float* p, const float* q, const float* r, float* out) {
    if (p == nullptr || q == nullptr || r == nullptr || out == nullptr)
        return;
    const float u[3] = {q[0] - p[0], q[1] - p[1], q[2] - p[2]};
    const float v[3] = {r[0] - p[0], r[1] - p[1], r[2] - p[2]};
    crossProduct(u, v, out);
    normalize(out);
}
