#include "cli/export_command.h"

#include <algorithm>
#include <cctype>
#include <cmath>
#include <cstdio>
#include <cstdlib>

#include "cli/cli_common.h"
#include "model/document.h"
#include "view/model_export.h"
#include "view/model_files.h"

namespace {

int usageError(const std::string& message) {
    std::fprintf(stderr, "kova3d-cli: %s\nUsage: kova3d-cli export FILE -o OUT.stl|OUT.glb [--thickness T]\n",
                 message.c_str());
    return kExitUsage;
}

}  // namespace

int exportCommand(const std::vector<std::string>& args) {
    std::vector<std::string> positional;
    std::string output;
    double thickness = -1.0;
    for (std::size_t i = 0; i < args.size(); ++i) {
        const std::string& a = args[i];
        if (a != "-o" && a != "--thickness") {
            if (a.rfind("-", 0) == 0 && a.size() > 1) return usageError("unknown option " + a);
            positional.push_back(a);
            continue;
        }
        if (i + 1 >= args.size()) return usageError(a + " needs a value");
        const std::string& value = args[++i];
        if (a == "-o") {
            output = value;
        } else {
            char* end = nullptr;
            thickness = std::strtod(value.c_str(), &end);
            if (end == value.c_str() || *end != '\0' || !(thickness > 0.0) || !std::isfinite(thickness))
                return usageError("bad thickness '" + value + "'");
        }
    }
    if (positional.size() != 1) return usageError("export needs one construction file");
    const std::string extension = lowerExtension(output);
    if (extension != "stl" && extension != "glb") return usageError("export needs -o OUT.stl or OUT.glb");

    Document document;
    if (const int code = openDocument(positional[0], document); code != kExitOk) return code;
    ModelOptions options;
    options.target = extension == "stl" ? ModelTarget::Printing : ModelTarget::Viewing;
    // The thickness is given in the document's units, as its measures are.
    if (thickness > 0.0) options.thickness = thickness / document.unitScale;
    const std::vector<ModelPart> parts = collectModel(document.construction(), options);
    const bool written = extension == "stl" ? writeStlFile(output, parts, document.unitScale)
                                            : writeGlbFile(output, parts, document.unitScale);
    if (!written) {
        std::fprintf(stderr, "kova3d-cli: %s: cannot write the file\n", output.c_str());
        return kExitCannotOpen;
    }
    std::size_t triangles = 0, open = 0;
    for (const ModelPart& p : parts) {
        const bool counted = extension == "glb" || p.kind == ModelPartKind::Solid ||
                             p.kind == ModelPartKind::Plate || p.kind == ModelPartKind::Surface;
        if (!counted) continue;
        triangles += p.mesh.triangles.size();
        if (!p.closed && extension == "stl") ++open;
    }
    std::printf("%s: %zu parts, %zu triangles\n", output.c_str(), parts.size(), triangles);
    if (open > 0) std::printf("%zu parts are not closed\n", open);
    return kExitOk;
}
