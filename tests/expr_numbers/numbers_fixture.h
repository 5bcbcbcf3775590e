#pragma once

// Small constructions of real elements for the numeric kinds, and the record
// helpers the file tests share.

#include <cstring>
#include <initializer_list>
#include <memory>
#include <span>
#include <utility>
#include <vector>

#include <gtest/gtest.h>

#include "elements/point.h"
#include "expr/calculation.h"
#include "expr/number_creation.h"
#include "model/byte_stream.h"
#include "model/construction.h"

inline const KindStyle kNumberStyle{0, 0, 0, 0, 0x00203040};
inline constexpr int kCurrentVersion = 5002;

// Builds an element of class T with the given parents and appends it, defined.
template <typename T, typename... Args>
T* addElement(Construction& c, std::initializer_list<Element*> parents, Args&&... args) {
    auto e = std::make_unique<T>(std::forward<Args>(args)...);
    std::size_t i = 0;
    for (Element* p : parents) e->parents.at(i++) = p;
    e->defined = 1;
    return static_cast<T*>(c.append(std::move(e)));
}

inline Point* addFreePoint(Construction& c, Vec3 at) {
    Point* p = addElement<Point>(c, {}, TypeCode::FreePoint, kNumberStyle);
    p->position = at;
    return p;
}

inline ParameterNumber* addParameter(Construction& c, double v) {
    auto made = makeParameter(v, kNumberStyle, NumberDefaults{}, 100, 100);
    auto* p = static_cast<ParameterNumber*>(c.append(std::move(made)));
    p->recompute(c, {0, 1.0});
    return p;
}

// A calculation of `text` over the given operands, appended and recomputed.
inline Calculation* addCalculation(Construction& c, std::string_view text, std::vector<Element*> operands) {
    CompiledExpression compiled;
    EXPECT_EQ(compileExpression(text, static_cast<int>(operands.size()), compiled), kCompileOk) << text;
    auto made = makeCalculation(compiled, operands, kNumberStyle, NumberDefaults{}, 50, 50);
    auto* calc = static_cast<Calculation*>(c.append(std::move(made)));
    calc->recompute(c, {0, 1.0});
    return calc;
}

inline std::vector<std::uint8_t> recordOf(const Element& e) {
    MemoryOutputStream out;
    EXPECT_EQ(e.write(out), 1);
    return out.bytes();
}

// Reads a record written by recordOf back into e, past its type code and
// parent count as the factory does. Returns the read's result.
inline int readRecord(Element& e, const std::vector<std::uint8_t>& bytes, int version = kCurrentVersion,
                      std::size_t* left = nullptr) {
    MemoryInputStream in(std::span<const std::uint8_t>(bytes).subspan(8));
    const int result = e.read(in, version);
    if (left) *left = in.remaining();
    return result;
}

template <typename T>
T valueAt(const std::vector<std::uint8_t>& bytes, std::size_t offset) {
    T v{};
    std::memcpy(&v, bytes.data() + offset, sizeof v);
    return v;
}

template <typename T>
void putAt(std::vector<std::uint8_t>& bytes, std::size_t offset, T v) {
    std::memcpy(bytes.data() + offset, &v, sizeof v);
}

template <typename T>
void append(std::vector<std::uint8_t>& bytes, T v) {
    const auto* p = reinterpret_cast<const std::uint8_t*>(&v);
    bytes.insert(bytes.end(), p, p + sizeof v);
}

// A font record whose height field is h pixels and whose average width is w.
inline FontRecord fontOfSize(std::int32_t h, std::int32_t w) {
    FontRecord f;
    std::memcpy(f.bytes.data(), &h, 4);
    std::memcpy(f.bytes.data() + 4, &w, 4);
    f.bytes[28] = 'A';  // the face name begins at byte 28
    return f;
}
