#pragma once
// The test square, in the vertex layout the device is told about.
#include <array>
#include <cstdint>

namespace tsln {

// Flexible vertex format 0x1C2: position, diffuse, specular, one texture
// coordinate pair, in that order and without padding.
struct Vertex {
    float x = 0.0f;
    float y = 0.0f;
    float z = 0.0f;
    uint32_t diffuse = 0;
    uint32_t specular = 0;
    float tu = 0.0f;
    float tv = 0.0f;
};
static_assert(sizeof(Vertex) == 28, "the device reads 28-byte vertices");

constexpr uint32_t kVertexFormat = 0x1C2;
constexpr uint32_t kVertexStride = sizeof(Vertex);
constexpr int kVertexSlots = 36;
// The buffer holds one slot more than the square uses; the seventh stays zero.
constexpr int kBufferVertices = 7;
constexpr uint32_t kVertexBufferBytes = kBufferVertices * kVertexStride;

using VertexArray = std::array<Vertex, kVertexSlots>;

// Slots 0-5: two triangles forming a square in the plane z = 0, one colour
// per corner; every other slot zero.
VertexArray MakeSquareVertices();

}  // namespace tsln
