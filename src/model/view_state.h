#pragma once

#include <cstdint>

#include "model/history.h"

// The camera and view options of a document, saved in its file. Angles are in
// degrees; the camera floats are the six words that undo records carry.
struct ViewState {
    std::uint32_t backgroundColour = 0xFFFFFF;
    std::uint32_t hiddenColour = 0x00BEBE;
    std::uint32_t selectedColour = 0xFFAAAA;
    std::int32_t antialiasing = 0;
    std::int32_t showAxes = 1;
    std::int32_t arrowAxes = 0;
    double axisLength = 1.0;
    std::int32_t autoRotate = 0;
    std::int32_t rotationSpeed = 2;
    std::int32_t rotationReverse = 0;
    std::int32_t projection = 0;  // 0 central, 1 parallel
    float panX = 0.0f;
    float panY = 0.0f;
    float viewDistance = -15.0f;
    float tiltX = -60.0f;
    float tiltY = 0.0f;  // stored with the camera, never applied
    float spinZ = -135.0f;

    ViewWords cameraWords() const { return {panX, panY, viewDistance, tiltX, tiltY, spinZ}; }
    void setCameraWords(const ViewWords& w) {
        panX = w[0];
        panY = w[1];
        viewDistance = w[2];
        tiltX = w[3];
        tiltY = w[4];
        spinZ = w[5];
    }
};
