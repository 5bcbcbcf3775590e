#pragma once

// Where a printed view goes on the page: the image stretched to 0.8 of the
// page width at (0.1 W, 0.1 W), keeping its proportions, and the document title
// 20 device units below it. W is the physical page width in device units.
struct PrintLayout {
    double imageX = 0;
    double imageY = 0;
    double imageWidth = 0;
    double imageHeight = 0;
    double titleX = 0;
    double titleY = 0;  // top of the title's line
};

// The layout for an image of w × h pixels; an image without width gives an
// empty image rectangle.
PrintLayout printLayout(double pageWidth, int imageWidth, int imageHeight);
