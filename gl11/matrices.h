// The subset's matrix stacks, kept apart from its drawing: column major,
// in single precision, each product summed in the order Mesa sums it, so
// that the matrices read back are Mesa's own.
#pragma once

namespace gl11 {
struct Matrix {
    float m[16] = {1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1};
};

// a times b.
Matrix multiply(const Matrix& a, const Matrix& b);

enum MatrixStack { modelViewStack = 0, projectionStack = 1 };
// The top of a stack: the matrix drawing goes through now.
const Matrix& currentMatrix(MatrixStack stack);
}  // namespace gl11
