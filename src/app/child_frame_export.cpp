// The document window's exports: vector pictures of its view, 3-D models of
// its construction, and the red-cyan stereo view.

#include <QGuiApplication>

#include "app/child_frame.h"
#include "app/document_window_host.h"
#include "app/file_filters.h"
#include "app/open_documents.h"
#include "app/user_prompts.h"
#include "lang/text_ids.h"
#include "lang/text_table.h"
#include "view/gl/bitmap_output.h"
#include "view/gl/vector_picture.h"
#include "view/model_export.h"
#include "view/model_files.h"

namespace {

bool endsWith(const std::string& text, const std::string& tail) {
    if (text.size() < tail.size()) return false;
    for (std::size_t i = 0; i < tail.size(); ++i) {
        const char c = text[text.size() - tail.size() + i];
        if ((c >= 'A' && c <= 'Z' ? c - 'A' + 'a' : c) != tail[i]) return false;
    }
    return true;
}

}  // namespace

void CChildFrame::saveVectorPicture() {
    if (!document_) return;
    SaveDialogRequest request;
    request.filter = fileDialogFilter(host_.texts().text(textid::kFilterVectorPictures), "*.svg *.pdf");
    request.defaultSuffix = "svg";
    request.initialName = document_->title;
    const std::string path = host_.prompts().saveFileName(this, request);
    if (path.empty()) return;
    // The picture shows the view as it is, without the tool's picks or the hover text.
    RenderScene scene = documentScene(document_->document, host_.showHidden());
    scene.screenTexts = &screenTexts_;
    const VectorPicture picture = vectorPictureOf(scene, viewport());
    const int result =
        writeVectorPicture(path, endsWith(path, ".pdf") ? VectorFormat::Pdf : VectorFormat::Svg, picture,
                           document_->title, screenTexts_.pixelsPerInch);
    if (result == kImageNoSurface)
        host_.prompts().message(this, kNoSurfaceMessage, MessageIcon::Error);
    else if (result == kImageCannotCreateFile)
        host_.prompts().message(this, kCannotCreateFileMessage, MessageIcon::Error);
}

void CChildFrame::exportModel() {
    if (!document_) return;
    SaveDialogRequest request;
    request.filter = fileDialogFilter(host_.texts().text(textid::kFilterModels), "*.stl *.glb");
    request.defaultSuffix = "stl";
    request.initialName = document_->title;
    const std::string path = host_.prompts().saveFileName(this, request);
    if (path.empty()) return;
    Document& document = document_->document;
    ModelOptions options;
    options.target = endsWith(path, ".glb") ? ModelTarget::Viewing : ModelTarget::Printing;
    const std::vector<ModelPart> parts = collectModel(document.construction(), options);
    const bool written = options.target == ModelTarget::Viewing
                             ? writeGlbFile(path, parts, document.unitScale)
                             : writeStlFile(path, parts, document.unitScale);
    if (!written) host_.prompts().message(this, kCannotCreateFileMessage, MessageIcon::Error);
}

void CChildFrame::toggleAnaglyph() {
    anaglyph_ = !anaglyph_;
    host_.documentChanged(this);  // the menu shows the toggle
    redraw();
}
