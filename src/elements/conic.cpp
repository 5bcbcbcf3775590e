#include "elements/conic.h"

#include "model/construction.h"

Conic::Conic(int typeCode, const KindStyle& style) : Element(typeCode, style) {}

std::unique_ptr<Element> Conic::clone() const {
    return std::unique_ptr<Element>(new Conic(*this));
}
void Conic::recompute(const Construction&, int, double) {
    defined = 0;
}
void Conic::draw(std::uint32_t, int, Canvas&) {}
int Conic::hitTest(int, int, const PickRay&, int, Vec3&) {
    return 0;
}
int Conic::write(OutputStream& out) const {
    return writeBase(out);
}
int Conic::read(InputStream& in, int fileVersion) {
    return readBase(in, fileVersion);
}
std::array<Vec3, 3> Conic::supportPlane() const {
    return {};
}
int Conic::parameterOf(const Vec3&, double&, double&) const {
    return 0;
}
int Conic::pointAt(double, double, Vec3&) const {
    return 0;
}
int Conic::centreInSpace(Vec3&) const {
    return 0;
}
