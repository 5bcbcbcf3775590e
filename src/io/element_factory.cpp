#include "io/element_factory.h"

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
#include "model/type_codes.h"

ElementPtr createElementForRecord(int typeCode, int parentCount) {
    const KindStyle zero{};
    switch (classOfTypeCode(typeCode)) {
        case ElementClass::Point:
            return std::make_unique<Point>(typeCode, zero);
        case ElementClass::IntersectionPoint:
            return std::make_unique<IntersectionPoint>(typeCode, zero);
        case ElementClass::PointOnObject:
            return std::make_unique<PointOnObject>(zero);
        case ElementClass::StraightElement:
            return std::make_unique<StraightElement>(typeCode, zero);
        case ElementClass::Circle:
            return std::make_unique<Circle>(typeCode, zero);
        case ElementClass::Arc:
            return std::make_unique<Arc>(typeCode, zero);
        case ElementClass::Conic:
            return std::make_unique<Conic>(typeCode, zero);
        case ElementClass::Plane:
            return std::make_unique<Plane>(typeCode, zero);
        case ElementClass::Polygon:
            return std::make_unique<Polygon>(typeCode, zero,
                                             hasVariableParentCount(typeCode) ? parentCount : 0);
        case ElementClass::RegularPolygon:
            return std::make_unique<RegularPolygon>(zero, 0);
        case ElementClass::RegularPolyhedron:
            return std::make_unique<RegularPolyhedron>(typeCode, zero);
        case ElementClass::Sphere:
            return std::make_unique<Sphere>(typeCode, zero);
        case ElementClass::Cylinder:
            return std::make_unique<Cylinder>(typeCode, zero);
        case ElementClass::Cone:
            return std::make_unique<Cone>(typeCode, zero);
        case ElementClass::NumberElement:
            return std::make_unique<NumberElement>(typeCode, zero);
        case ElementClass::Measure:
            return std::make_unique<Measure>(typeCode, zero);
        case ElementClass::ParameterNumber: {
            auto parameter = std::make_unique<ParameterNumber>(zero);
            parameter->step = kDefaultParameterStep;  // files before major 4 carry no step
            return parameter;
        }
        case ElementClass::Calculation:
            return std::make_unique<Calculation>(zero, parentCount);
        case ElementClass::Coordinates:
            return std::make_unique<Coordinates>(zero);
        case ElementClass::Text:
            return std::make_unique<Text>(zero);
        case ElementClass::Locus:
            return std::make_unique<Locus>(typeCode, zero);
        case ElementClass::SurfaceLocus:
            return std::make_unique<SurfaceLocus>(typeCode, zero);
        case ElementClass::Iteration:
            return std::make_unique<Iteration>(zero, parentCount);
        case ElementClass::None:
            return nullptr;
    }
    return nullptr;
}
