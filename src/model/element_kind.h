#pragma once

#include <cstdint>
#include <initializer_list>

// The 21 element kinds. A type code fixes its element's kind (see type_codes.h).
enum class ElementKind : int {
    None = 0,
    Point = 1,
    Vector = 2,
    Segment = 3,
    Line = 4,
    Ray = 5,
    Circle = 6,
    Arc = 7,
    Conic = 8,
    Plane = 9,
    Polygon = 10,
    RegularPolygon = 11,
    RegularPolyhedron = 12,
    Sphere = 13,
    Cylinder = 14,
    Cone = 15,
    Curve = 16,
    Surface = 17,
    Number = 18,
    Coordinates = 19,
    Iteration = 20,
    Text = 21,
};

inline constexpr int kKindCount = 21;

// A set of kinds, such as the kinds a parent position accepts.
class KindSet {
  public:
    constexpr KindSet() = default;
    constexpr KindSet(std::initializer_list<ElementKind> kinds) {
        for (const ElementKind k : kinds) bits_ |= bit(k);
    }
    // Every kind (1 … kKindCount).
    static constexpr KindSet all() {
        KindSet set;
        for (int k = 1; k <= kKindCount; ++k) set.bits_ |= bit(static_cast<ElementKind>(k));
        return set;
    }
    // Kinds first … last, inclusive, in the order of the enumeration.
    static constexpr KindSet range(ElementKind first, ElementKind last) {
        KindSet set;
        for (int k = static_cast<int>(first); k <= static_cast<int>(last); ++k)
            set.bits_ |= bit(static_cast<ElementKind>(k));
        return set;
    }
    constexpr bool contains(ElementKind k) const { return (bits_ & bit(k)) != 0; }
    constexpr bool empty() const { return bits_ == 0; }
    friend constexpr KindSet operator|(KindSet a, KindSet b) {
        KindSet set;
        set.bits_ = a.bits_ | b.bits_;
        return set;
    }
    friend constexpr KindSet operator&(KindSet a, KindSet b) {
        KindSet set;
        set.bits_ = a.bits_ & b.bits_;
        return set;
    }
    // The kinds of a that are not in b.
    friend constexpr KindSet operator-(KindSet a, KindSet b) {
        KindSet set;
        set.bits_ = a.bits_ & ~b.bits_;
        return set;
    }
    friend constexpr bool operator==(KindSet, KindSet) = default;

  private:
    // Kind None and values outside 1 … kKindCount belong to no set.
    static constexpr std::uint32_t bit(ElementKind k) {
        const int n = static_cast<int>(k);
        return n >= 1 && n <= kKindCount ? std::uint32_t{1} << n : 0;
    }
    std::uint32_t bits_ = 0;
};

// Kind groups. Surfaces are drawn in a second pass so their translucent faces
// blend over everything else.
constexpr bool isSurfaceKind(ElementKind k) {
    int n = static_cast<int>(k);
    return (n >= 9 && n <= 15) || n == 17;
}
// Kinds the size commands act on.
constexpr bool hasSize(ElementKind k) {
    int n = static_cast<int>(k);
    return (n >= 1 && n <= 9) || n == 16 || n == 20;
}
// Kinds the shape commands act on.
constexpr bool hasShape(ElementKind k) {
    int n = static_cast<int>(k);
    return (n >= 1 && n <= 8) || n == 16 || n == 20;
}
// Numbers, coordinates and texts: no size, no shape.
constexpr bool isNumericKind(ElementKind k) {
    return k == ElementKind::Number || k == ElementKind::Coordinates || k == ElementKind::Text;
}
// Numbers and coordinates carry a font of their own.
constexpr bool hasFont(ElementKind k) {
    return k == ElementKind::Number || k == ElementKind::Coordinates;
}
// Kinds followed in their construction by the elements they generate.
constexpr bool isGroupLeadingKind(ElementKind k) {
    return k == ElementKind::RegularPolygon || k == ElementKind::RegularPolyhedron ||
           k == ElementKind::Coordinates;
}
// Loci tolerate an undefined traced element while their driver is defined.
constexpr bool isLocusKind(ElementKind k) {
    return k == ElementKind::Curve || k == ElementKind::Surface;
}
