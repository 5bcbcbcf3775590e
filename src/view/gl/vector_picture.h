#pragma once

#include <string>

#include "view/gl/renderer.h"
#include "view/vector_canvas.h"

class QPainter;

// Vector pictures of the view: SVG and PDF files that show what the view
// shows at the same camera, with paths for lines, polygons for surfaces and
// text for texts (view/vector_canvas.h tells how the scene is flattened).

enum class VectorFormat { Svg, Pdf };

// The flat picture of a scene: the axes and the construction as drawn (without
// the tool's highlights, the 3-D mouse or the hover text).
VectorPicture vectorPictureOf(const RenderScene& scene, Viewport viewport);

// Paints the picture in window pixels onto a painter; texts of text elements
// are laid out at the given pixels per inch.
void paintVectorPicture(QPainter& painter, const VectorPicture& picture, int pixelsPerInch);

// Writes the picture, one pixel of the view a 96th of an inch (a PDF page the
// picture's size). Returns kImageSaved, kImageCannotCreateFile or
// kImageNoSurface (bitmap_output.h) for a picture of no size.
int writeVectorPicture(const std::string& path, VectorFormat format, const VectorPicture& picture,
                       const std::string& title, int pixelsPerInch = kDefaultScreenPixelsPerInch);
