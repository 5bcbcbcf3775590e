#include "app/print_layout.h"

PrintLayout printLayout(double pageWidth, int imageWidth, int imageHeight) {
    PrintLayout layout;
    layout.imageX = 0.1 * pageWidth;
    layout.imageY = 0.1 * pageWidth;
    if (imageWidth > 0 && imageHeight > 0) {
        layout.imageWidth = 0.8 * pageWidth;
        layout.imageHeight = 0.8 * pageWidth * imageHeight / imageWidth;
    }
    layout.titleX = layout.imageX;
    layout.titleY = layout.imageY + layout.imageHeight + 20;
    return layout;
}
