// Vector helpers on arrays of three floats.
#pragma once

// out = a x b; reads every input before writing, so out may be a or b.
// Does nothing when any pointer is null.
void crossProduct(const float* a, const float* b, float* out);
// Scales v to unit length in place; does nothing for a null pointer or a
// zero vector.
void normalize(float* v);
// out = the unit normal of the triangle p, q, r, pointing to the side from
// which p, q, r run counter-clockwise. Does nothing when any pointer is null.
void faceNormal(const float* p, const float* q, const float* r, float* out);
