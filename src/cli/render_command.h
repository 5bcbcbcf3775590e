#pragma once

#include <string>
#include <vector>

// kova3d-cli render FILE -o OUT.bmp|OUT.png|OUT.svg|OUT.pdf [--size WxH] [--view NAME]
//                        [--projection central|parallel] [--language LNG] [--stereo anaglyph]
// Draws the document headless as its view shows it and writes the image, or
// its vector picture.
// args are the arguments after the command name. Returns the tool's exit code.
int renderCommand(const std::vector<std::string>& args, const char* argv0);
