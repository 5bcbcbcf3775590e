#pragma once

#include <array>
#include <deque>
#include <functional>
#include <span>
#include <string>
#include <vector>

#include "geometry/vec3.h"

struct GLUtesselator;

// Fills a polygon — convex, concave or crossing itself — through the GLU
// tessellator with the odd winding rule: regions wound an odd number of times
// are inside. Vertices the tessellator makes at crossings live until the
// polygon is done. A tessellation error is reported through the handler as
// "Tessellation Error: <GLU's text>\n". Made and used with the context current.
class PolygonTessellator {
  public:
    using ErrorHandler = std::function<void(const std::string& message)>;

    PolygonTessellator();
    ~PolygonTessellator();
    PolygonTessellator(const PolygonTessellator&) = delete;
    PolygonTessellator& operator=(const PolygonTessellator&) = delete;

    void setErrorHandler(ErrorHandler handler) { onError_ = std::move(handler); }
    // Emits the triangles of one contour with the given plane normal.
    void fill(std::span<const Vec3> contour, Vec3 normal);

  private:
    static void combine(const double coordinates[3], void* vertexData[4], const float weight[4], void** out,
                        void* self);
    static void error(unsigned code, void* self);

    GLUtesselator* tess_ = nullptr;
    std::vector<std::array<double, 3>> contour_;
    std::deque<std::array<double, 3>> created_;  // stable addresses for GLU
    ErrorHandler onError_;
};
