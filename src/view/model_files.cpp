#include "view/model_files.h"

#include <tiny_gltf.h>

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstring>
#include <fstream>
#include <limits>
#include <map>
#include <tuple>

namespace {

// Corners whose faces turn less than this share one smooth normal in the viewer.
constexpr double kCreaseDegrees = 40.0;

bool printable(ModelPartKind kind) {
    return kind == ModelPartKind::Solid || kind == ModelPartKind::Plate || kind == ModelPartKind::Surface;
}

void put(std::string& out, const void* data, std::size_t size) {
    out.append(static_cast<const char*>(data), size);
}

void putFloats(std::string& out, Vec3 v) {
    const float f[3] = {static_cast<float>(v.x), static_cast<float>(v.y), static_cast<float>(v.z)};
    put(out, f, sizeof f);
}

// glTF's y points up: the model's (x, y, z) is glTF's (x, z, -y).
Vec3 yUp(Vec3 v) {
    return {v.x, v.z, -v.y};
}

// sRGB colour bytes to the linear factors glTF materials hold.
double linear(std::uint32_t c, int shift) {
    const double s = ((c >> shift) & 0xFF) / 255.0;
    return s <= 0.04045 ? s / 12.92 : std::pow((s + 0.055) / 1.055, 2.4);
}

template <typename T>
int addView(tinygltf::Model& model, const std::vector<T>& values, int target) {
    tinygltf::Buffer& buffer = model.buffers[0];
    tinygltf::BufferView view;
    view.buffer = 0;
    view.byteOffset = buffer.data.size();
    view.byteLength = values.size() * sizeof(T);
    view.target = target;
    const auto* bytes = reinterpret_cast<const unsigned char*>(values.data());
    buffer.data.insert(buffer.data.end(), bytes, bytes + view.byteLength);
    model.bufferViews.push_back(view);
    return static_cast<int>(model.bufferViews.size() - 1);
}

int addAccessor(tinygltf::Model& model, int view, int componentType, int type, std::size_t count) {
    tinygltf::Accessor a;
    a.bufferView = view;
    a.componentType = componentType;
    a.type = type;
    a.count = count;
    model.accessors.push_back(a);
    return static_cast<int>(model.accessors.size() - 1);
}

void addPart(tinygltf::Model& model, const ModelPart& part, double scale) {
    // One vertex per distinct position and corner normal.
    const std::vector<Vec3> normals = cornerNormals(part.mesh, kCreaseDegrees);
    std::map<std::tuple<std::uint32_t, long, long, long>, std::uint32_t> seen;
    std::vector<float> positions, vertexNormals;
    std::vector<std::uint32_t> indices;
    float low[3] = {std::numeric_limits<float>::max(), std::numeric_limits<float>::max(),
                    std::numeric_limits<float>::max()};
    float high[3] = {std::numeric_limits<float>::lowest(), std::numeric_limits<float>::lowest(),
                     std::numeric_limits<float>::lowest()};
    std::size_t corner = 0;
    for (const auto& t : part.mesh.triangles) {
        for (const std::uint32_t k : t) {
            const Vec3 n = yUp(normals[corner++]);
            const auto key =
                std::make_tuple(k, std::lround(n.x * 1e4), std::lround(n.y * 1e4), std::lround(n.z * 1e4));
            const auto [it, added] = seen.emplace(key, static_cast<std::uint32_t>(positions.size() / 3));
            if (added) {
                const Vec3 p = yUp(part.mesh.positions[k] * scale);
                const float f[3] = {static_cast<float>(p.x), static_cast<float>(p.y),
                                    static_cast<float>(p.z)};
                for (int i = 0; i < 3; ++i) {
                    positions.push_back(f[i]);
                    low[i] = std::min(low[i], f[i]);
                    high[i] = std::max(high[i], f[i]);
                }
                const double length = norm(n);
                for (const double c : {n.x / length, n.y / length, n.z / length})
                    vertexNormals.push_back(static_cast<float>(c));
            }
            indices.push_back(it->second);
        }
    }
    if (indices.empty()) return;
    const std::size_t vertexCount = positions.size() / 3;
    tinygltf::Primitive primitive;
    const int position = addAccessor(model, addView(model, positions, TINYGLTF_TARGET_ARRAY_BUFFER),
                                     TINYGLTF_COMPONENT_TYPE_FLOAT, TINYGLTF_TYPE_VEC3, vertexCount);
    model.accessors[static_cast<std::size_t>(position)].minValues = {low[0], low[1], low[2]};
    model.accessors[static_cast<std::size_t>(position)].maxValues = {high[0], high[1], high[2]};
    primitive.attributes["POSITION"] = position;
    primitive.attributes["NORMAL"] =
        addAccessor(model, addView(model, vertexNormals, TINYGLTF_TARGET_ARRAY_BUFFER),
                    TINYGLTF_COMPONENT_TYPE_FLOAT, TINYGLTF_TYPE_VEC3, vertexCount);
    primitive.indices =
        addAccessor(model, addView(model, indices, TINYGLTF_TARGET_ELEMENT_ARRAY_BUFFER),
                    TINYGLTF_COMPONENT_TYPE_UNSIGNED_INT, TINYGLTF_TYPE_SCALAR, indices.size());
    primitive.mode = TINYGLTF_MODE_TRIANGLES;

    tinygltf::Material material;
    material.name = part.name;
    material.pbrMetallicRoughness.baseColorFactor = {linear(part.colour, 0), linear(part.colour, 8),
                                                     linear(part.colour, 16), part.opacity};
    material.pbrMetallicRoughness.metallicFactor = 0.0;
    material.pbrMetallicRoughness.roughnessFactor = 0.7;
    if (part.opacity < 1.0) material.alphaMode = "BLEND";
    material.doubleSided = !part.closed;
    model.materials.push_back(material);
    primitive.material = static_cast<int>(model.materials.size() - 1);

    tinygltf::Mesh mesh;
    mesh.name = part.name;
    mesh.primitives.push_back(primitive);
    model.meshes.push_back(mesh);
    tinygltf::Node node;
    node.name = part.name;
    node.mesh = static_cast<int>(model.meshes.size() - 1);
    model.nodes.push_back(node);
    model.scenes[0].nodes.push_back(static_cast<int>(model.nodes.size() - 1));
}

}  // namespace

std::string stlFileBytes(const std::vector<ModelPart>& parts, double scale) {
    std::string out;
    char header[80] = {};
    std::strncpy(header, "KOVA 3D model, binary STL", sizeof header - 1);
    put(out, header, sizeof header);
    std::uint32_t count = 0;
    for (const ModelPart& p : parts)
        if (printable(p.kind)) count += static_cast<std::uint32_t>(p.mesh.triangles.size());
    put(out, &count, sizeof count);
    for (const ModelPart& p : parts) {
        if (!printable(p.kind)) continue;
        for (const auto& t : p.mesh.triangles) {
            const Vec3 a = p.mesh.positions[t[0]] * scale, b = p.mesh.positions[t[1]] * scale,
                       c = p.mesh.positions[t[2]] * scale;
            Vec3 n = crossProduct(b - a, c - a);
            const double length = norm(n);
            n = length > 0.0 ? n * (1.0 / length) : Vec3{};
            putFloats(out, n);
            putFloats(out, a);
            putFloats(out, b);
            putFloats(out, c);
            const std::uint16_t attribute = 0;
            put(out, &attribute, sizeof attribute);
        }
    }
    return out;
}

bool writeStlFile(const std::string& path, const std::vector<ModelPart>& parts, double scale) {
    std::ofstream file(path, std::ios::binary | std::ios::trunc);
    if (!file) return false;
    const std::string bytes = stlFileBytes(parts, scale);
    file.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    return static_cast<bool>(file.flush());
}

bool writeGlbFile(const std::string& path, const std::vector<ModelPart>& parts, double scale) {
    tinygltf::Model model;
    model.asset.version = "2.0";
    model.asset.generator = "KOVA 3D";
    model.buffers.resize(1);
    model.scenes.resize(1);
    model.defaultScene = 0;
    for (const ModelPart& part : parts) addPart(model, part, scale);
    if (model.buffers[0].data.empty()) model.buffers.clear();  // a buffer may not be empty
    tinygltf::TinyGLTF writer;
    return writer.WriteGltfSceneToFile(&model, path, false, true, false, true);
}
