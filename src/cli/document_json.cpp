#include "cli/document_json.h"

#include <cstring>

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
#include "expr/number_element.h"
#include "expr/parameter.h"
#include "expr/text_element.h"
#include "lang/text_encoding.h"
#include "lang/text_ids.h"
#include "lang/text_table.h"
#include "model/type_codes.h"

using Json = nlohmann::ordered_json;

namespace {

Json point(const Vec3& p) {
    return Json::array({p.x, p.y, p.z});
}

// Stored 8-bit text as JSON (which is UTF-8).
Json storedText(std::string_view bytes) {
    return windows1252ToUtf8(bytes);
}

// The points a locus sample holds: a point's position, a segment's two ends, a
// circle's centre, reference point and axis; none for an undefined sample.
Json samplePoints(const LocusSample& s, TypeCode typeCode) {
    Json points = Json::array();
    if (!s.defined) return points;
    points.push_back(point(s.first));
    if (typeCode == TypeCode::PointLocus) return points;
    points.push_back(point(s.second));
    if (typeCode == TypeCode::CircleLocus) {
        points.push_back(point(s.axisA));
        points.push_back(point(s.axisB));
    }
    return points;
}

void locusFields(Json& j, const Locus& l) {
    j["sampleCount"] = l.sampleCount;
    Json samples = Json::array();
    for (const LocusSample& s : l.samples)
        samples.push_back(Json{{"value", s.driverValue},
                               {"defined", s.defined ? 1 : 0},
                               {"points", samplePoints(s, l.typeCode())}});
    j["samples"] = samples;
}

// Rows of cells, each a point or null where the traced point was undefined.
void surfaceLocusFields(Json& j, const SurfaceLocus& l) {
    j["rowCount"] = l.rowCount;
    j["columnCount"] = l.columnCount;
    Json rows = Json::array();
    std::size_t at = 0;
    for (int r = 0; r < l.rowCount && at < l.grid.size(); ++r) {
        Json row = Json::array();
        for (int c = 0; c < l.columnCount && at < l.grid.size(); ++c, ++at)
            row.push_back(l.grid[at].defined ? point(l.grid[at].position) : Json(nullptr));
        rows.push_back(std::move(row));
    }
    j["cells"] = rows;
}

void iterationFields(Json& j, const Iteration& it) {
    j["depth"] = it.depth;
    j["useDepthNumber"] = it.useDepthNumber;
    j["branchCount"] = it.branchCount;
    j["lastOnly"] = it.lastOnly;
    j["drawPoints"] = it.drawPoints;
    j["useIterationColour"] = it.useIterationColour;
    j["inputCount"] = it.inputCount;
    j["imageTable"] = it.imageTable;
}

std::int32_t fontWord(const FontRecord& f, std::size_t at) {
    std::int32_t v;
    std::memcpy(&v, f.bytes.data() + at, 4);
    return v;
}

Json font(const FontRecord& f, std::uint32_t colour) {
    const char* face = reinterpret_cast<const char*>(f.bytes.data() + 28);
    return Json{{"height", fontWord(f, 0)},
                {"width", fontWord(f, 4)},
                {"escapement", fontWord(f, 8)},
                {"orientation", fontWord(f, 12)},
                {"weight", fontWord(f, 16)},
                {"italic", f.bytes[20]},
                {"underline", f.bytes[21]},
                {"strikeOut", f.bytes[22]},
                {"charSet", f.bytes[23]},
                {"outPrecision", f.bytes[24]},
                {"clipPrecision", f.bytes[25]},
                {"quality", f.bytes[26]},
                {"pitchAndFamily", f.bytes[27]},
                {"faceName", storedText({face, strnlen(face, 32)})},
                {"colour", colour}};
}

Json screenPoint(const ScreenPoint& p) {
    return Json::array({p.x, p.y});
}
Json screenBox(const ScreenBox& b) {
    return Json::array({b.topLeft.x, b.topLeft.y, b.bottomRight.x, b.bottomRight.y});
}

void numberFields(Json& j, const NumberElement& n, const TextTable& texts) {
    j["value"] = n.value;
    j["valueDefined"] = n.valueDefined;
    j["decimals"] = n.decimals;
    j["text"] = n.displayedText(texts.text(textid::kValueUndefined));
    j["position"] = screenPoint(n.position);
}

void classFields(Json& j, const Element& e, const TextTable& texts) {
    switch (classOfTypeCode(e.typeCode())) {
        case ElementClass::Point:
            j["position"] = point(positionOf(&e));
            break;
        case ElementClass::IntersectionPoint:
            j["position"] = point(positionOf(&e));
            j["rootIndex"] = static_cast<const IntersectionPoint&>(e).rootIndex;
            break;
        case ElementClass::PointOnObject: {
            const auto& p = static_cast<const PointOnObject&>(e);
            j["position"] = point(p.position);
            j["param1"] = p.param1;
            j["param2"] = p.param2;
            break;
        }
        case ElementClass::StraightElement:
            j["pointA"] = point(asStraight(&e).pointA);
            j["pointB"] = point(asStraight(&e).pointB);
            break;
        case ElementClass::Circle: {
            const auto& c = static_cast<const Circle&>(e);
            j["centre"] = point(c.centre);
            j["refPoint"] = point(c.refPoint);
            j["radius"] = c.radius;
            j["axisA"] = point(c.axisA);
            j["axisB"] = point(c.axisB);
            break;
        }
        case ElementClass::Arc: {
            const auto& a = static_cast<const Arc&>(e);
            j["point1"] = point(a.point1);
            j["point2"] = point(a.point2);
            j["point3"] = point(a.point3);
            j["centre"] = point(a.centre);
            j["startPoint"] = point(a.startPoint);
            j["radius"] = a.radius;
            j["sweep"] = a.sweep;
            j["axisA"] = point(a.axisA);
            j["axisB"] = point(a.axisB);
            break;
        }
        case ElementClass::Conic: {
            const auto& c = static_cast<const Conic&>(e);
            Json points = Json::array();
            for (const Vec3& p : c.definingPoints) points.push_back(point(p));
            j["points"] = points;
            j["conicType"] = static_cast<int>(c.conicType());
            const ConicCoefficients& k = c.curve.coefficients;
            j["coefficients"] = Json::array({k.a, k.b, k.c, k.d, k.e, k.f});
            break;
        }
        case ElementClass::Plane: {
            const auto& p = static_cast<const Plane&>(e);
            j["planePoint1"] = point(p.planePoint1);
            j["planePoint2"] = point(p.planePoint2);
            j["planePoint3"] = point(p.planePoint3);
            break;
        }
        case ElementClass::Polygon: {
            const auto& p = static_cast<const Polygon&>(e);
            j["vertexCount"] = p.vertexCount;
            Json vertices = Json::array();
            for (const Vec3& v : p.vertices) vertices.push_back(point(v));
            j["vertices"] = vertices;
            Json support = Json::array();
            for (const Vec3& v : p.supportPoints) support.push_back(point(v));
            j["supportPoints"] = support;
            break;
        }
        case ElementClass::RegularPolygon:
            j["sideCount"] = static_cast<const RegularPolygon&>(e).sideCount;
            break;
        case ElementClass::RegularPolyhedron: {
            const auto& p = static_cast<const RegularPolyhedron&>(e);
            j["generatedVertexCount"] = p.generatedVertexCount;
            j["faceCount"] = p.faceCount;
            j["verticesPerFace"] = p.verticesPerFace;
            break;
        }
        case ElementClass::Sphere: {
            const auto& s = static_cast<const Sphere&>(e);
            j["centre"] = point(s.centre);
            j["surfacePoint"] = point(s.surfacePoint);
            j["radius"] = s.radius;
            break;
        }
        case ElementClass::Cylinder: {
            const auto& c = static_cast<const Cylinder&>(e);
            j["baseCentre"] = point(c.baseCentre);
            j["topCentre"] = point(c.topCentre);
            j["rimPoint"] = point(c.rimPoint);
            j["radius"] = c.radius;
            break;
        }
        case ElementClass::Cone: {
            const auto& c = static_cast<const Cone&>(e);
            j["baseCentre"] = point(c.baseCentre);
            j["apex"] = point(c.apex);
            j["rimPoint"] = point(c.rimPoint);
            j["baseRadius"] = c.baseRadius;
            break;
        }
        case ElementClass::NumberElement:
        case ElementClass::Measure:
            numberFields(j, static_cast<const NumberElement&>(e), texts);
            break;
        case ElementClass::ParameterNumber: {
            const auto& p = static_cast<const ParameterNumber&>(e);
            numberFields(j, p, texts);
            j["minimum"] = p.minimum;
            j["maximum"] = p.maximum;
            j["step"] = p.step;
            break;
        }
        case ElementClass::Calculation: {
            const auto& c = static_cast<const Calculation&>(e);
            numberFields(j, c, texts);
            j["expression"] = storedText(c.expression);
            j["postfix"] = c.postfix;
            j["valueTable"] = c.values;
            break;
        }
        case ElementClass::Coordinates: {
            const auto& c = static_cast<const Coordinates&>(e);
            j["position"] = screenPoint(c.position);
            j["text"] = c.displayedText(texts.text(textid::kValueUndefined));
            break;
        }
        case ElementClass::Text: {
            const auto& t = static_cast<const Text&>(e);
            j["option"] = t.resolution;
            j["rect"] = screenBox(t.rectangle);
            j["innerRect"] = screenBox(t.innerRectangle);
            j["flag"] = t.option;
            j["rtf"] = storedText(t.richText);
            break;
        }
        case ElementClass::Locus:
            locusFields(j, static_cast<const Locus&>(e));
            break;
        case ElementClass::SurfaceLocus:
            surfaceLocusFields(j, static_cast<const SurfaceLocus&>(e));
            break;
        case ElementClass::Iteration:
            iterationFields(j, static_cast<const Iteration&>(e));
            break;
        case ElementClass::None:
            break;
    }
}

Json elementJson(const Element& e, int key, const TextTable& texts) {
    const ElementClass cls = classOfTypeCode(e.typeCode());
    Json j{{"key", key},
           {"typeCode", codeValue(e.typeCode())},
           {"kind", static_cast<int>(e.kind())},
           {"class", elementClassName(cls)},
           {"parents", e.parentKeys},
           {"defined", e.defined ? 1 : 0},
           {"visible", e.visible ? 1 : 0},
           {"macroIntermediate", e.macroIntermediate ? 1 : 0},
           {"savedSelection", e.savedSelection ? 1 : 0},
           {"name", e.hasName() ? storedText(*e.name()) : Json(nullptr)},
           {"showLabel", e.showLabel ? 1 : 0},
           {"size", e.size},
           {"shape", e.shape},
           {"colour", e.colour}};
    classFields(j, e, texts);
    return j;
}

Json elementsJson(const Construction& c, const TextTable& texts) {
    Json out = Json::array();
    int key = 0;
    c.forEach([&](const Element& e) { out.push_back(elementJson(e, key++, texts)); });
    return out;
}

}  // namespace

Json documentToJson(Document& document, const TextTable& texts) {
    document.construction().storeParentKeys();
    const ViewState& v = document.view;
    Json j;
    j["version"] = kProgramVersion;
    j["document"] = Json{{"backgroundColour", v.backgroundColour},
                         {"hiddenColour", v.hiddenColour},
                         {"selectedColour", v.selectedColour},
                         {"antialiasing", v.antialiasing},
                         {"showAxes", v.showAxes},
                         {"arrowAxes", v.arrowAxes},
                         {"axisLength", v.axisLength},
                         {"angleUnit", document.angleUnit},
                         {"unitScale", document.unitScale},
                         {"autoRotate", v.autoRotate},
                         {"rotationSpeed", v.rotationSpeed},
                         {"rotationReverse", v.rotationReverse},
                         {"projection", v.projection},
                         {"viewerMode", document.viewerMode ? 1 : 0},
                         {"panX", v.panX},
                         {"panY", v.panY},
                         {"viewDistance", v.viewDistance},
                         {"tiltX", v.tiltX},
                         {"tiltY", v.tiltY},
                         {"spinZ", v.spinZ}};
    j["fonts"] = Json{{"names", font(document.labelFont, document.labelColour)},
                      {"texts", font(document.textFont, document.textColour)},
                      {"numbers", font(document.numberFont, document.numberColour)}};
    Json styles = Json::object();
    for (int kind : kStyleRecordKinds) {
        const KindStyle& s = document.styles[static_cast<std::size_t>(kind)];
        styles[std::to_string(kind)] = Json{{"size", s.size}, {"shape", s.shape}, {"colour", s.colour}};
    }
    j["styles"] = styles;
    j["elements"] = elementsJson(document.construction(), texts);
    Json animation = Json::array();
    for (int i = 0; i < document.construction().animationCount(); ++i) {
        const AnimationEntry& a = document.construction().animation(i);
        animation.push_back(Json{{"key", a.element->key}, {"forward", a.forward}, {"speed", a.speed}});
    }
    j["animation"] = animation;
    Json macros = Json::array();
    for (const Macro& m : document.macros) {
        Json kinds = Json::array();
        for (ElementKind k : m.initialKinds) kinds.push_back(static_cast<int>(k));
        macros.push_back(Json{{"name", storedText(m.name)},
                              {"description", storedText(m.description)},
                              {"initialKinds", kinds},
                              {"elements", elementsJson(*m.construction, texts)}});
    }
    j["macros"] = macros;
    return j;
}
