#include <gtest/gtest.h>

#include <array>
#include <cmath>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <memory>
#include <nlohmann/json.hpp>
#include <numbers>
#include <regex>
#include <string>

#include "elements/point.h"
#include "elements/regular_solids.h"
#include "io/element_factory.h"
#include "model/construction.h"
#include "view/model_export.h"
#include "view/model_files.h"

namespace {

constexpr double kPi = std::numbers::pi;
const KindStyle kStyle{0, 0, 0, 0, 0x3060c0};

struct ModelScene {
    Construction c;
    Element* add(TypeCode code, std::initializer_list<Element*> parents) {
        Element* e = appendElement(c, code, parents, kStyle);
        EXPECT_NE(e, nullptr);
        return e;
    }
    Point* point(Vec3 at) {
        auto* p = static_cast<Point*>(add(TypeCode::FreePoint, {}));
        p->position = at;
        return p;
    }
    // A cube with vertex V0 at distance r from the z axis: edge r·√2.
    void cube(double r) {
        Element* axis = add(TypeCode::LineTwoPoints, {point({0, 0, 0}), point({0, 0, 1})});
        auto* solid = static_cast<RegularPolyhedron*>(add(TypeCode::Cube, {point({r, 0, 0}), axis}));
        for (ElementPtr& part : solid->makeParts(kStyle, kStyle)) c.append(std::move(part));
    }
    std::vector<ModelPart> model(ModelTarget target) {
        c.recomputeAll({1, 1.0});
        ModelOptions options;
        options.target = target;
        return collectModel(c, options);
    }
};

std::string output(const std::string& command) {
    std::string text;
    if (FILE* pipe = popen(command.c_str(), "r")) {
        char buffer[4096];
        while (std::fgets(buffer, sizeof buffer, pipe)) text += buffer;
        pclose(pipe);
    }
    return text;
}

double field(const std::string& report, const std::string& name) {
    std::smatch m;
    const std::regex pattern(name + R"(\s*:\s*(-?[0-9.]+))");
    return std::regex_search(report, m, pattern) ? std::stod(m[1].str()) : -1.0;
}

std::string tempPath(const std::string& name) {
    return (std::filesystem::temp_directory_path() / ("kova_model_" + name)).string();
}

// admesh's report of an STL file: it must find nothing to mend. Returns the volume.
double checkedVolume(const std::vector<ModelPart>& parts, double scale, const std::string& name) {
    const std::string path = tempPath(name + ".stl");
    EXPECT_TRUE(writeStlFile(path, parts, scale));
    const std::string report = output("admesh '" + path + "' 2>&1");
    EXPECT_NE(report.find("Binary STL"), std::string::npos) << report;
    for (const char* zero :
         {"Facets with 1 disconnected edge", "Facets with 2 disconnected edges",
          "Facets with 3 disconnected edges", "Degenerate facets", "Edges fixed", "Facets removed",
          "Facets added", "Facets reversed", "Backwards edges", "Normals fixed"})
        EXPECT_EQ(field(report, zero), 0.0) << name << ": " << zero << "\n" << report;
    EXPECT_EQ(field(report, "Number of parts"), 1.0) << report;
    std::filesystem::remove(path);
    std::printf("%s: admesh volume %.6g\n", name.c_str(), field(report, "Volume"));
    return field(report, "Volume");
}

// Reads a .glb as a viewer would and checks that every accessor lies inside
// its buffer view and every view inside the binary chunk.
void checkGlbStructure(const std::string& path, std::size_t expectedMeshes) {
    std::ifstream file(path, std::ios::binary);
    const std::string bytes((std::istreambuf_iterator<char>(file)), std::istreambuf_iterator<char>());
    ASSERT_GE(bytes.size(), 20u);
    std::uint32_t header[5];
    std::memcpy(header, bytes.data(), sizeof header);
    EXPECT_EQ(header[0], 0x46546C67u);  // "glTF"
    EXPECT_EQ(header[1], 2u);
    EXPECT_EQ(header[2], bytes.size());
    EXPECT_EQ(header[4], 0x4E4F534Au);  // "JSON"
    ASSERT_LE(20u + header[3] + 8u, bytes.size());
    const nlohmann::json json = nlohmann::json::parse(bytes.substr(20, header[3]));
    std::uint32_t binary[2];
    std::memcpy(binary, bytes.data() + 20 + header[3], sizeof binary);
    EXPECT_EQ(binary[1], 0x004E4942u);  // "BIN"
    ASSERT_LE(20u + header[3] + 8u + binary[0], bytes.size());
    EXPECT_EQ(json["asset"]["version"], "2.0");
    ASSERT_EQ(json["meshes"].size(), expectedMeshes);
    ASSERT_EQ(json["buffers"].size(), 1u);
    EXPECT_LE(json["buffers"][0]["byteLength"].get<std::size_t>(), binary[0]);
    for (const auto& view : json["bufferViews"])
        EXPECT_LE(view.value("byteOffset", 0u) + view["byteLength"].get<std::size_t>(), binary[0]);
    for (const auto& accessor : json["accessors"]) {
        const auto& view = json["bufferViews"][accessor["bufferView"].get<std::size_t>()];
        const std::size_t width = accessor["type"] == "VEC3" ? 12 : 4;
        EXPECT_LE(accessor.value("byteOffset", 0u) + accessor["count"].get<std::size_t>() * width,
                  view["byteLength"].get<std::size_t>());
    }
    for (const auto& mesh : json["meshes"]) {
        const auto& primitive = mesh["primitives"][0];
        const auto& position = json["accessors"][primitive["attributes"]["POSITION"].get<std::size_t>()];
        EXPECT_EQ(position["min"].size(), 3u);
        EXPECT_EQ(position["max"].size(), 3u);
        EXPECT_TRUE(primitive.contains("material"));
    }
}

}  // namespace

TEST(ModelExport, PrintedBodiesAreClosedWithTheirVolumes) {
    const double r = 1.5, h = 2.0, scale = 10.0;
    {
        ModelScene s;
        s.add(TypeCode::SphereCentrePoint, {s.point({1, 2, 3}), s.point({1, 2, 3 + r})});
        const auto parts = s.model(ModelTarget::Printing);
        ASSERT_EQ(parts.size(), 1u);
        EXPECT_EQ(parts[0].kind, ModelPartKind::Solid);
        EXPECT_TRUE(parts[0].closed);
        // The view draws a large sphere a thousandth of a unit smaller.
        const double volume = 4.0 / 3.0 * kPi * std::pow(r * scale, 3);
        EXPECT_NEAR(checkedVolume(parts, scale, "sphere"), volume, 0.01 * volume);
        EXPECT_NEAR(parts[0].mesh.signedVolume() * std::pow(scale, 3), volume, 0.01 * volume);
    }
    {
        ModelScene s;
        s.cube(r);
        const auto parts = s.model(ModelTarget::Printing);
        // The cube's six faces make one closed body.
        ASSERT_EQ(parts.size(), 1u);
        EXPECT_EQ(parts[0].kind, ModelPartKind::Solid);
        const double volume = std::pow(r * std::numbers::sqrt2 * scale, 3);
        EXPECT_NEAR(checkedVolume(parts, scale, "cube"), volume, 1e-4 * volume);
    }
    {
        ModelScene s;
        // A cone through a point of its base circle, with base centre and apex.
        s.add(TypeCode::ConeThroughPoint, {s.point({r, 0, 0}), s.point({0, 0, 0}), s.point({0, 0, h})});
        const auto parts = s.model(ModelTarget::Printing);
        ASSERT_EQ(parts.size(), 1u);
        const double volume = kPi * std::pow(r * scale, 2) * h * scale / 3.0;
        EXPECT_NEAR(checkedVolume(parts, scale, "cone"), volume, 0.01 * volume);
    }
}

TEST(ModelExport, PlatesAndViewerModels) {
    ModelScene s;
    // An L-shaped polygon (not convex) becomes a closed plate of the given thickness.
    Element* p[6] = {s.point({0, 0, 0}), s.point({2, 0, 0}), s.point({2, 1, 0}),
                     s.point({1, 1, 0}), s.point({1, 2, 0}), s.point({0, 2, 0})};
    Element* polygon = appendElement(s.c, TypeCode::PolygonVertices, std::span<Element* const>(p, 6), kStyle);
    ASSERT_NE(polygon, nullptr);
    s.add(TypeCode::SegmentTwoPoints, {p[0], p[2]});
    const auto printed = s.model(ModelTarget::Printing);
    // Points and segments are not printed; the plate is the polygon's area times its thickness.
    ASSERT_EQ(printed.size(), 1u);
    EXPECT_EQ(printed[0].kind, ModelPartKind::Plate);
    EXPECT_NEAR(checkedVolume(printed, 1.0, "plate"), 3.0 * 0.05, 1e-6);

    // For viewing, points and the segment come as balls and a tube, the polygon as one layer.
    const auto viewed = s.model(ModelTarget::Viewing);
    ASSERT_EQ(viewed.size(), 8u);
    EXPECT_EQ(viewed[0].kind, ModelPartKind::Line);
    EXPECT_TRUE(viewed[0].closed);
    EXPECT_EQ(viewed[6].kind, ModelPartKind::Plate);
    EXPECT_FALSE(viewed[6].closed);
    EXPECT_EQ(viewed[7].kind, ModelPartKind::Line);

    const std::string path = tempPath("scene.glb");
    ASSERT_TRUE(writeGlbFile(path, viewed, 1.0));
    checkGlbStructure(path, viewed.size());
    const std::string validator = KOVA_SOURCE_DIR "/.cache/gltf-validator/node_modules/gltf-validator";
    if (std::filesystem::exists(validator) && !output("command -v node").empty()) {
        const std::string report = output("node '" KOVA_SOURCE_DIR "/tests/view/validate_gltf.js' '" +
                                          validator + "' '" + path + "'");
        EXPECT_NE(report.find("errors 0 warnings 0"), std::string::npos) << report;
    } else {
        std::printf("the glTF validator is not installed: the file's structure was checked alone\n");
    }
    std::filesystem::remove(path);
}

TEST(ModelExport, MeshShapesMendTheirOrientation) {
    // A cube's faces given in mixed turning orders come out closed and outwards.
    IndexedMesh m;
    m.positions = {{0, 0, 0}, {1, 0, 0}, {1, 1, 0}, {0, 1, 0}, {0, 0, 1}, {1, 0, 1}, {1, 1, 1}, {0, 1, 1}};
    m.triangles = {{0, 1, 2}, {0, 2, 3}, {4, 5, 6}, {4, 7, 6}, {0, 1, 5}, {0, 4, 5},
                   {1, 2, 6}, {1, 6, 5}, {2, 3, 7}, {2, 6, 7}, {3, 0, 4}, {3, 4, 7}};
    EXPECT_TRUE(orientClosedMesh(m));
    EXPECT_NEAR(m.signedVolume(), 1.0, 1e-12);
    // One face missing: not closed, and a thin shell around the open surface closes it.
    m.triangles.pop_back();
    IndexedMesh open = m;
    EXPECT_FALSE(orientClosedMesh(open));
    IndexedMesh shell = thickenSurface(m, 0.01);
    EXPECT_TRUE(orientClosedMesh(shell));
    EXPECT_GT(shell.signedVolume(), 0.0);
    // A square triangulated counter-clockwise about its normal, from either turning order.
    const std::vector<Vec3> square = {{0, 0, 0}, {0, 1, 0}, {1, 1, 0}, {1, 0, 0}};
    for (const auto& t : triangulatePolygon(square, {0, 0, 1})) {
        const Vec3 n = crossProduct(square[t[1]] - square[t[0]], square[t[2]] - square[t[0]]);
        EXPECT_GT(n.z, 0.0);
    }
}
