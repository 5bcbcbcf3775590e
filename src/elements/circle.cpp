#include "elements/circle.h"

#include "model/construction.h"

Circle::Circle(int typeCode, const KindStyle& style) : Element(typeCode, style) {}

std::unique_ptr<Element> Circle::clone() const {
    return std::unique_ptr<Element>(new Circle(*this));
}
void Circle::recompute(const Construction&, int, double) {
    defined = 0;
}
void Circle::draw(std::uint32_t, int, Canvas&) {}
void Circle::drawLabel(Canvas&, std::uint32_t) {}
int Circle::hitTest(int, int, const PickRay&, int, Vec3&) {
    return 0;
}
int Circle::write(OutputStream& out) const {
    return writeBase(out);
}
int Circle::read(InputStream& in, int fileVersion) {
    return readBase(in, fileVersion);
}
std::array<Vec3, 3> Circle::supportPlane() const {
    return {};
}
int Circle::parameterOf(const Vec3&, double&, double&) const {
    return 0;
}
int Circle::pointAt(double, double, Vec3&) const {
    return 0;
}

Arc::Arc(int typeCode, const KindStyle& style) : Element(typeCode, style) {}

std::unique_ptr<Element> Arc::clone() const {
    return std::unique_ptr<Element>(new Arc(*this));
}
void Arc::recompute(const Construction&, int, double) {
    defined = 0;
}
void Arc::draw(std::uint32_t, int, Canvas&) {}
int Arc::hitTest(int, int, const PickRay&, int, Vec3&) {
    return 0;
}
int Arc::write(OutputStream& out) const {
    return writeBase(out);
}
int Arc::read(InputStream& in, int fileVersion) {
    return readBase(in, fileVersion);
}
std::array<Vec3, 3> Arc::supportPlane() const {
    return {};
}
int Arc::parameterOf(const Vec3&, double&, double&) const {
    return 0;
}
int Arc::pointAt(double, double, Vec3&) const {
    return 0;
}
