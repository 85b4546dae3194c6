#include "vsync/vertices.h"

namespace tsln {
namespace {

constexpr uint32_t kRed = 0xFFFF0000;
constexpr uint32_t kGreen = 0xFF00FF00;
constexpr uint32_t kBlue = 0xFF0000FF;
constexpr uint32_t kYellow = 0xFFFFFF00;

Vertex Corner(float x, float y, uint32_t colour) {
    Vertex v;
    v.x = x;
    v.y = y;
    v.diffuse = colour;
    return v;
}

}  // namespace

VertexArray MakeSquareVertices() {
    VertexArray slots{};
    slots[0] = Corner(-1.0f, 1.0f, kRed);
    slots[1] = Corner(1.0f, 1.0f, kGreen);
    slots[2] = Corner(-1.0f, -1.0f, kBlue);
    slots[3] = Corner(1.0f, 1.0f, kGreen);
    slots[4] = Corner(-1.0f, -1.0f, kBlue);
    slots[5] = Corner(1.0f, -1.0f, kYellow);
    return slots;
}

}  // namespace tsln
