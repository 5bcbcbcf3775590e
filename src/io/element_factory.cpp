#include "io/element_factory.h"

#include <algorithm>
#include <vector>

#include "elements/circle.h"
#include "elements/conic.h"
#include "elements/iteration.h"
#include "elements/locus.h"
#include "elements/plane.h"
#include "elements/point.h"
#include "elements/regular_solids.h"
#include "elements/solids.h"
#include "elements/straight_element.h"
#include "expr/calculation.h"
#include "expr/coordinates.h"
#include "expr/measures.h"
#include "expr/number_element.h"
#include "expr/parameter.h"
#include "expr/text_element.h"

namespace {

template <typename T>
ElementPtr byCode(TypeCode code, const KindStyle& style, int) {
    return std::make_unique<T>(code, style);
}
template <typename T>
ElementPtr byCount(TypeCode, const KindStyle& style, int parentCount) {
    return std::make_unique<T>(style, parentCount);
}
template <typename T>
ElementPtr byStyle(TypeCode, const KindStyle& style, int) {
    return std::make_unique<T>(style);
}
ElementPtr polygon(TypeCode code, const KindStyle& style, int parentCount) {
    return std::make_unique<Polygon>(code, style, hasVariableParentCount(code) ? parentCount : 0);
}
ElementPtr regularPolygon(TypeCode, const KindStyle& style, int) {
    return std::make_unique<RegularPolygon>(style, 0);
}
ElementPtr parameter(TypeCode, const KindStyle& style, int) {
    auto made = std::make_unique<ParameterNumber>(style);
    made->step = kDefaultParameterStep;  // files before major 4 carry no step
    return made;
}

// How each class is made, in the order of ElementClass.
constexpr ElementMaker kMakers[] = {
    nullptr,  // None
    byCode<Point>,
    byCode<IntersectionPoint>,
    byStyle<PointOnObject>,
    byCode<StraightElement>,
    byCode<Circle>,
    byCode<Arc>,
    byCode<Conic>,
    byCode<Plane>,
    polygon,
    regularPolygon,
    byCode<RegularPolyhedron>,
    byCode<Sphere>,
    byCode<Cylinder>,
    byCode<Cone>,
    byCode<Locus>,
    byCode<SurfaceLocus>,
    byCode<NumberElement>,
    byCode<Measure>,
    parameter,
    byCount<Calculation>,
    byStyle<Coordinates>,
    byCount<Iteration>,
    byStyle<Text>,
};
static_assert(std::size(kMakers) == static_cast<std::size_t>(ElementClass::Text) + 1);

ElementPtr make(const TypeCodeInfo& row, const KindStyle& style, int parentCount) {
    if (row.make) return row.make(row.code, style, parentCount);
    const auto i = static_cast<std::size_t>(row.elementClass);
    return i < std::size(kMakers) && kMakers[i] ? kMakers[i](row.code, style, parentCount) : nullptr;
}

}  // namespace

ElementPtr createElementForRecord(TypeCode typeCode, int parentCount) {
    const TypeCodeInfo* row = typeCodeInfo(typeCode);
    return row ? make(*row, KindStyle{}, parentCount) : nullptr;
}

ElementPtr makeElement(TypeCode typeCode, std::span<Element* const> parents, const KindStyle& style) {
    const TypeCodeInfo* row = typeCodeInfo(typeCode);
    if (row == nullptr) return nullptr;
    std::vector<ElementKind> kinds;
    kinds.reserve(parents.size());
    for (const Element* p : parents) {
        if (p == nullptr) return nullptr;
        kinds.push_back(p->kind());
    }
    if (!acceptsParents(*row, kinds)) return nullptr;
    ElementPtr made = make(*row, style, static_cast<int>(parents.size()));
    if (!made || made->parents.size() != parents.size()) return nullptr;
    std::copy(parents.begin(), parents.end(), made->parents.begin());
    return made;
}

Element* appendElement(Construction& construction, TypeCode typeCode, std::span<Element* const> parents,
                       const KindStyle& style) {
    const TypeCodeInfo* row = typeCodeInfo(typeCode);
    if (row == nullptr) return nullptr;
    return construction.appendOn(make(*row, style, static_cast<int>(parents.size())), parents);
}

Element* appendElement(Construction& construction, TypeCode typeCode, std::initializer_list<Element*> parents,
                       const KindStyle& style) {
    return appendElement(construction, typeCode, std::span<Element* const>(parents.begin(), parents.size()),
                         style);
}
