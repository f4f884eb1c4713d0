// The subset's matrix stacks and GLU's matrices: glMatrixMode to
// glMultMatrixd, gluPerspective, gluOrtho2D and gluProject.
#include "gl11/matrices.h"

#include <cmath>
#include <vector>

#include "gl11/gl11.h"

namespace {
constexpr unsigned PROJECTION = 0x1701;

std::vector<gl11::Matrix> stacks[2] = {{gl11::Matrix()}, {gl11::Matrix()}};
int matrixMode = gl11::modelViewStack;

gl11::Matrix& top() { return stacks[matrixMode].back(); }
}  // namespace

namespace gl11 {

// a times b in single precision, each element summed in Mesa's order.
Matrix multiply(const Matrix& a, const Matrix& b) {
    Matrix p;
    for (int i = 0; i < 4; ++i) {
        const float ai0 = a.m[i], ai1 = a.m[4 + i], ai2 = a.m[8 + i], ai3 = a.m[12 + i];
        for (int j = 0; j < 4; ++j)
            p.m[4 * j + i] = ai0 * b.m[4 * j] + ai1 * b.m[4 * j + 1] + ai2 * b.m[4 * j + 2] + ai3 * b.m[4 * j + 3];
    }
    return p;
}

const Matrix& currentMatrix(MatrixStack stack) { return stacks[stack].back(); }

void MatrixMode(unsigned mode) { matrixMode = mode == PROJECTION ? 1 : 0; }

void LoadIdentity() { top() = Matrix(); }

void PushMatrix() {
    std::vector<Matrix>& stack = stacks[matrixMode];
    stack.push_back(stack.back());
}

void PopMatrix() {
    std::vector<Matrix>& stack = stacks[matrixMode];
    if (stack.size() > 1)
        stack.pop_back();
}

void Translatef(float x, float y, float z) {
    float* m = top().m;
    for (int i = 0; i < 4; ++i)
        m[12 + i] = m[i] * x + m[4 + i] * y + m[8 + i] * z + m[12 + i];
}

void Scalef(float x, float y, float z) {
    float* m = top().m;
    for (int i = 0; i < 4; ++i) {
        m[i] *= x;
        m[4 + i] *= y;
        m[8 + i] *= z;
    }
}

void Rotatef(float angle, float x, float y, float z) {
    // Mesa takes sine and cosine in single precision.
    const float radians = static_cast<float>(static_cast<double>(angle) * M_PI / 180.0);
    const float s = std::sin(radians), c = std::cos(radians);
    Matrix r;
    float* m = r.m;
    // A turn about one axis, as Mesa builds it; any other axis by the
    // general formula.
    if (y == 0 && z == 0) {
        m[5] = m[10] = c;
        m[9] = x < 0 ? s : -s;
        m[6] = -m[9];
    } else if (x == 0 && z == 0) {
        m[0] = m[10] = c;
        m[8] = y < 0 ? -s : s;
        m[2] = -m[8];
    } else if (x == 0 && y == 0) {
        m[0] = m[5] = c;
        m[4] = z < 0 ? s : -s;
        m[1] = -m[4];
    } else {
        const float length = std::sqrt(x * x + y * y + z * z);
        x /= length;
        y /= length;
        z /= length;
        // Each product rounded as Mesa rounds it.
        const float xx = x * x, yy = y * y, zz = z * z, xy = x * y, yz = y * z, zx = z * x;
        const float xs = x * s, ys = y * s, zs = z * s, one_c = 1.0f - c;
        m[0] = (one_c * xx) + c;
        m[4] = (one_c * xy) - zs;
        m[8] = (one_c * zx) + ys;
        m[1] = (one_c * xy) + zs;
        m[5] = (one_c * yy) + c;
        m[9] = (one_c * yz) - xs;
        m[2] = (one_c * zx) - ys;
        m[6] = (one_c * yz) + xs;
        m[10] = (one_c * zz) + c;
    }
    top() = multiply(top(), r);
}

void Ortho(double left, double right, double bottom, double top_, double zNear, double zFar) {
    const float l = static_cast<float>(left), r = static_cast<float>(right), b = static_cast<float>(bottom),
                t = static_cast<float>(top_), n = static_cast<float>(zNear), f = static_cast<float>(zFar);
    Matrix o;
    o.m[0] = 2.0f / (r - l);
    o.m[12] = -(r + l) / (r - l);
    o.m[5] = 2.0f / (t - b);
    o.m[13] = -(t + b) / (t - b);
    o.m[10] = -2.0f / (f - n);
    o.m[14] = -(f + n) / (f - n);
    top() = multiply(top(), o);
}

void MultMatrixd(const double* m) {
    Matrix b;
    for (int i = 0; i < 16; ++i)
        b.m[i] = static_cast<float>(m[i]);
    top() = multiply(top(), b);
}

void Perspective(double fovy, double aspect, double zNear, double zFar) {
    const double radians = fovy / 2 * M_PI / 180;
    const double deltaZ = zFar - zNear, sine = std::sin(radians);
    const double cotangent = std::cos(radians) / sine;
    double m[16] = {};
    m[0] = cotangent / aspect;
    m[5] = cotangent;
    m[10] = -(zFar + zNear) / deltaZ;
    m[11] = -1;
    m[14] = -2 * zNear * zFar / deltaZ;
    MultMatrixd(m);
}

int Project(double objX, double objY, double objZ, const double* model, const double* projection, const int* viewport,
            double* winX, double* winY, double* winZ) {
    const auto transform = [](const double* m, const double in[4], double out[4]) {
        for (int i = 0; i < 4; ++i)
            out[i] = in[0] * m[i] + in[1] * m[4 + i] + in[2] * m[8 + i] + in[3] * m[12 + i];
    };
    double in[4] = {objX, objY, objZ, 1}, out[4];
    transform(model, in, out);
    transform(projection, out, in);
    if (in[3] == 0.0)
        return 0;
    // From -1..1 to 0..1, then into the viewport.
    *winX = (in[0] / in[3] * 0.5 + 0.5) * viewport[2] + viewport[0];
    *winY = (in[1] / in[3] * 0.5 + 0.5) * viewport[3] + viewport[1];
    *winZ = in[2] / in[3] * 0.5 + 0.5;
    return 1;
}

void Ortho2D(double left, double right, double bottom, double top_) { Ortho(left, right, bottom, top_, -1, 1); }

}  // namespace gl11
