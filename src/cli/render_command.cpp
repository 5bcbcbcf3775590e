#include "cli/render_command.h"

#include "cli/cli_common.h"

// Built only where the OpenGL view is (the tool's sources are all compiled either way).
#ifdef KOVA_HAS_GL

#include <algorithm>
#include <cctype>
#include <charconv>
#include <cstdio>
#include <utility>

#include "expr/screen_text.h"
#include "io/document_file.h"
#include "lang/text_ids.h"
#include "lang/text_table.h"
#include "view/camera_controls.h"
#include "view/gl/bitmap_output.h"
#include "view/gl/headless_context.h"
#include "view/gl/qt_text.h"
#include "view/gl/renderer.h"
#include "view/gl/vector_picture.h"
#include "view/image_layout.h"

namespace {

constexpr int kDefaultWidth = 800;
constexpr int kDefaultHeight = 600;

constexpr std::pair<const char*, int> kViews[] = {{"centre", kCommandCentreView}, {"xy-up", kCommandXyUp},
                                                  {"xy-down", kCommandXyDown},    {"xz-up", kCommandXzUp},
                                                  {"xz-down", kCommandXzDown},    {"yz-up", kCommandYzUp},
                                                  {"yz-down", kCommandYzDown}};

int usageError(const std::string& message) {
    std::fprintf(
        stderr,
        "kova3d-cli: %s\nUsage: kova3d-cli render FILE -o OUT.bmp|OUT.png|OUT.svg|OUT.pdf [--size WxH]\n"
        "         [--view centre|xy-up|xy-down|xz-up|xz-down|yz-up|yz-down] "
        "[--projection central|parallel] [--language LNG] [--format bmp|png|svg|pdf]\n"
        "         [--stereo anaglyph]\n",
        message.c_str());
    return kExitUsage;
}

}  // namespace

int renderCommand(const std::vector<std::string>& args, const char* argv0) {
    std::vector<std::string> positional;
    std::string output;
    int width = kDefaultWidth;
    int height = kDefaultHeight;
    int viewCommand = 0;
    int projection = -1;
    std::string language;
    std::string format;
    bool anaglyph = false;
    for (std::size_t i = 0; i < args.size(); ++i) {
        const std::string& a = args[i];
        const bool takesValue = a == "-o" || a == "--size" || a == "--view" || a == "--projection" ||
                                a == "--language" || a == "--format" || a == "--stereo";
        if (!takesValue) {
            if (a.rfind("-", 0) == 0 && a.size() > 1) return usageError("unknown option " + a);
            positional.push_back(a);
            continue;
        }
        if (i + 1 >= args.size()) return usageError(a + " needs a value");
        const std::string& value = args[++i];
        if (a == "-o") {
            output = value;
        } else if (a == "--language") {
            language = value;
        } else if (a == "--format") {
            if (value != "bmp" && value != "png" && value != "svg" && value != "pdf")
                return usageError("unknown format '" + value + "'");
            format = value;
        } else if (a == "--stereo") {
            if (value != "anaglyph") return usageError("unknown stereo mode '" + value + "'");
            anaglyph = true;
        } else if (a == "--size") {
            if (!parseSize(value, width, height)) return usageError("bad size '" + value + "' (WxH)");
        } else if (a == "--view") {
            const auto found = std::find_if(std::begin(kViews), std::end(kViews),
                                            [&](const auto& v) { return value == v.first; });
            if (found == std::end(kViews)) return usageError("unknown view '" + value + "'");
            viewCommand = found->second;
        } else {
            if (value != "central" && value != "parallel")
                return usageError("unknown projection '" + value + "'");
            projection = value == "central" ? 0 : 1;
        }
    }
    if (positional.size() != 1) return usageError("render needs one construction file");
    if (output.empty()) return usageError("render needs -o OUT.bmp, OUT.png, OUT.svg or OUT.pdf");
    // Without --format the name's extension chooses; a file manager's thumbnailer names a temporary
    // file of its own and asks for PNG.
    const std::string extension = format.empty() ? lowerExtension(output) : format;
    const bool vector = extension == "svg" || extension == "pdf";
    if (extension != "bmp" && extension != "png" && !vector)
        return usageError("the output must end in .bmp, .png, .svg or .pdf, or --format must say which");
    // Two eyes need the colour channels of a bitmap.
    if (vector && anaglyph) return usageError("anaglyph stereo needs a bitmap output (.bmp or .png)");

    // Numbers that hold no value show the language's text for it.
    TextTable texts;
    if (const int code = loadLanguageOption(texts, language, argv0); code != kExitOk) return code;
    // Texts are measured and drawn by Qt, so its application comes before the document's recompute.
    if (!ensureGuiApplication()) {
        std::fprintf(stderr, "kova3d-cli: %s\n", kNoSurfaceMessage);
        return kExitCannotOpen;
    }
    Document document;
    if (const int code = openDocument(positional[0], document); code != kExitOk) return code;
    if (viewCommand != 0) setStandardView(document.view, viewCommand);
    if (projection >= 0) document.view.projection = projection;

    if (vector) {
        const ScreenTextContext screenTexts = qtScreenTexts(texts.text(textid::kValueUndefined));
        RenderScene scene = documentScene(document, false);
        scene.screenTexts = &screenTexts;
        const VectorPicture picture = vectorPictureOf(scene, {width, height});
        const int saved = writeVectorPicture(
            output, extension == "svg" ? VectorFormat::Svg : VectorFormat::Pdf, picture, positional[0]);
        if (saved != kImageSaved) {
            std::fprintf(stderr, "kova3d-cli: %s: cannot write the file\n", output.c_str());
            return kExitCannotOpen;
        }
        std::printf("%s: %d x %d\n", output.c_str(), width, height);
        return kExitOk;
    }

    HeadlessContext context;
    if (!context.create(width, height)) {
        std::fprintf(stderr, "kova3d-cli: %s (%s)\n", kNoSurfaceMessage, context.error().c_str());
        return kExitCannotOpen;
    }
    BgrImage image;
    {
        const ScreenTextContext screenTexts = qtScreenTexts(texts.text(textid::kValueUndefined));
        RenderScene scene = documentScene(document, false);
        scene.screenTexts = &screenTexts;
        scene.anaglyph = anaglyph;
        Renderer renderer;
        renderer.render(scene, {width, height});
        image = readColourBuffer(width, height);
    }
    const int saved = extension == "bmp" ? writeBmpFile(output, image) : writePngFile(output, image);
    if (saved != kImageSaved) {
        std::fprintf(stderr, "kova3d-cli: %s: %s\n", output.c_str(),
                     saved == kImageNoSurface ? kNoSurfaceMessage : "cannot write the file");
        return kExitCannotOpen;
    }
    std::printf("%s: %d x %d\n", output.c_str(), width, height);
    return kExitOk;
}

#endif  // KOVA_HAS_GL
