#pragma once

// The fixed OpenGL state every rendering context of the view starts with:
// lighting with one directional light along the eye axis, colour material on
// the ambient colour, smoothing hints, line polygon mode (each primitive sets the
// mode it needs) and the depth test. Call with the new context current:
// HeadlessContext does it itself; a window calls it once its context is made
// (in QOpenGLWidget::initializeGL, say) before the first Renderer::render.
void setFixedGlState();
