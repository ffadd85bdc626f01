// The vertices of the generated models that the framing check follows.
#pragma once
#include <cstdint>

// Every animal's file begins with its head: vertex 0 is the tip of its snout.
constexpr int32_t HEAD_VERTEX = 0;

// The emblem's file begins with the letters of its name: its first NAME_VERTICES vertices.
constexpr int32_t NAME_VERTICES = 160;
