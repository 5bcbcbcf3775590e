#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "model/canvas.h"

// A canvas that records what was drawn, for tests to assert on.
class RecordingCanvas : public Canvas {
  public:
    struct Call {
        std::string primitive;
        std::vector<Vec3> points;
        std::uint32_t colour = 0;
        int size = 0;
        int shape = 0;
        bool extend = false;
        double radius = 0.0;
        int segments = 0;
        std::string text;
        std::optional<std::uint32_t> frame;
    };

    void dot(Vec3 p, std::uint32_t colour, int size, int shape) override {
        Call& c = add("dot", {p}, colour);
        c.size = size;
        c.shape = shape;
    }
    void segment(Vec3 a, Vec3 b, std::uint32_t colour, int size, int shape, int, bool extend) override {
        Call& c = add("segment", {a, b}, colour);
        c.size = size;
        c.shape = shape;
        c.extend = extend;
    }
    void arrow(Vec3 a, Vec3 b, std::uint32_t colour, int size, int shape, int) override {
        Call& c = add("arrow", {a, b}, colour);
        c.size = size;
        c.shape = shape;
    }
    void flatPolygon(std::span<const Vec3> v, std::uint32_t colour) override {
        add("flatPolygon", {v.begin(), v.end()}, colour);
    }
    // The normal is recorded after the vertices.
    void tessellatedPolygon(std::span<const Vec3> v, Vec3 normal, std::uint32_t colour) override {
        add("tessellatedPolygon", {v.begin(), v.end()}, colour).points.push_back(normal);
    }
    void ring(Vec3 centre, Vec3 normal, double radius, int segments, std::uint32_t colour, int size,
              int shape) override {
        Call& c = add("ring", {centre, normal}, colour);
        c.size = size;
        c.shape = shape;
        c.radius = radius;
        c.segments = segments;
    }
    void sphere(Vec3 centre, double radius, std::uint32_t colour) override {
        add("sphere", {centre}, colour).radius = radius;
    }
    void cylinder(Vec3 base, Vec3 axis, double baseRadius, double, double, std::uint32_t colour) override {
        add("cylinder", {base, axis}, colour).radius = baseRadius;
    }
    void triangles(std::span<const Vec3> v, std::span<const Vec3>, std::uint32_t colour) override {
        add("triangles", {v.begin(), v.end()}, colour);
    }
    void screenText(int x, int y, std::string_view text, const FontRecord&, std::uint32_t colour) override {
        add("screenText", {Vec3{double(x), double(y), 0}}, colour).text = std::string(text);
    }
    // The box's corner, then its width and height.
    void richText(int x, int y, int width, int height, std::string_view rtf, std::uint32_t colour,
                  std::optional<std::uint32_t> frame) override {
        Call& c =
            add("richText", {Vec3{double(x), double(y), 0}, Vec3{double(width), double(height), 0}}, colour);
        c.text = std::string(rtf);
        c.frame = frame;
    }
    void label(Vec3 anchor, std::string_view text, std::uint32_t colour) override {
        add("label", {anchor}, colour).text = std::string(text);
    }

    // A dashed guide is recorded with shape 1.
    void guideLine(Vec3 a, Vec3 b, std::uint32_t colour, bool dashed) override {
        add("guideLine", {a, b}, colour).shape = dashed ? 1 : 0;
    }
    void guideDot(Vec3 p, std::uint32_t colour, int pixels) override {
        add("guideDot", {p}, colour).size = pixels;
    }

    int projection() const override { return projectionValue; }
    Vec3 unproject(double x, double y, double depth) const override { return {x, y, depth}; }
    // The viewer looks down -z from far up the z axis.
    Vec3 towardsViewer(Vec3 p, double distance) const override { return {p.x, p.y, p.z + distance}; }
    const ScreenTextContext& screenTexts() const override { return texts; }

    int count(const std::string& primitive) const {
        int n = 0;
        for (const Call& c : calls) n += c.primitive == primitive ? 1 : 0;
        return n;
    }

    std::vector<Call> calls;
    int projectionValue = 0;
    // Estimated text sizes, "?" and 96 pixels per inch unless a test sets others.
    ScreenTextContext texts;

  private:
    Call& add(std::string primitive, std::vector<Vec3> points, std::uint32_t colour) {
        Call& c = calls.emplace_back();
        c.primitive = std::move(primitive);
        c.points = std::move(points);
        c.colour = colour;
        return c;
    }
};
