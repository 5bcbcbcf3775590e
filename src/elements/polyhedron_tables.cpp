#include "elements/polyhedron_tables.h"

#include <array>
#include <cmath>
#include <numbers>

namespace {

constexpr double kPi = std::numbers::pi;
constexpr int A = kSolidAxis;

constexpr std::array<int, 4 * 3> kTetrahedronFaces = {0, 1, 2, 0, 1, 3, 1, 2, 3, 2, 0, 3};

constexpr std::array<int, 6 * 4> kCubeFaces = {0, 1, 2, 3, 0, 1, 4, 7, 1, 2, 5, 4,
                                               2, 3, 6, 5, 3, 0, 7, 6, 4, 5, 6, 7};

constexpr std::array<int, 8 * 3> kOctahedronFaces = {0, 1, 2, 0, 1, 3, 1, 2, 4, 0, 2, 5,
                                                     3, 4, 5, 0, 3, 5, 1, 3, 4, 2, 4, 5};

constexpr std::array<int, 12 * 5> kDodecahedronFaces = {
    0,  1,  2,  3,  4, 0,  5,  11, 6,  4, 4,  6,  12, 7,  3, 3,  7,  13, 8,  2,
    2,  8,  14, 9,  1, 1,  9,  10, 5,  0, 10, 15, 16, 11, 5, 11, 16, 17, 12, 6,
    12, 17, 18, 13, 7, 13, 18, 19, 14, 8, 14, 19, 15, 10, 9, 15, 16, 17, 18, 19};

constexpr std::array<int, 20 * 3> kIcosahedronFaces = {
    0,  2, 1, 0,  7, 5, 0,  5, 2, 2,  5, 8,  2,  8, 4, 2,  4, 1, 1,  4, 6, 1, 6, 3, 1, 3, 0, 11, 10, 9,
    11, 9, 8, 11, 8, 5, 11, 5, 7, 11, 7, 10, 10, 7, 3, 10, 3, 6, 10, 6, 9, 9, 6, 4, 9, 4, 8, 0,  3,  7};

// The folds use dihedral angles, which need std::acos: built once, on first use.
const std::array<SolidTable, 5>& solids() {
    static const double third = 2.0 * kPi / 3.0;
    static const double fifth = 2.0 * kPi / 5.0;
    static const double quarter = kPi / 2.0;
    static const double tetrahedron = std::acos(1.0 / 3.0);
    static const double octahedron = std::acos(-1.0 / 3.0);
    static const double dodecahedron = std::acos(-std::sqrt(5.0) / 5.0);
    static const double icosahedron = std::acos(-std::sqrt(5.0) / 3.0);
    static const std::array<FoldStep, 3> tetrahedronSteps = {
        {{1, 0, A, A, third}, {2, 0, A, A, 2 * third}, {3, 0, 1, 2, tetrahedron}}};
    static const std::array<FoldStep, 7> cubeSteps = {{{1, 0, A, A, quarter},
                                                       {2, 0, A, A, 2 * quarter},
                                                       {3, 0, A, A, 3 * quarter},
                                                       {4, 2, 0, 1, quarter},
                                                       {7, 3, 0, 1, quarter},
                                                       {5, 1, 2, 3, quarter},
                                                       {6, 0, 2, 3, quarter}}};
    static const std::array<FoldStep, 5> octahedronSteps = {{{1, 0, A, A, third},
                                                             {2, 0, A, A, 2 * third},
                                                             {3, 2, 0, 1, octahedron},
                                                             {4, 0, 1, 2, octahedron},
                                                             {5, 1, 2, 0, octahedron}}};
    static const std::array<FoldStep, 19> dodecahedronSteps = {{{4, 0, A, A, fifth},
                                                                {3, 0, A, A, 2 * fifth},
                                                                {2, 0, A, A, 3 * fifth},
                                                                {1, 0, A, A, 4 * fifth},
                                                                {9, 2, 1, 0, dodecahedron},
                                                                {5, 9, A, A, fifth},
                                                                {6, 9, A, A, 2 * fifth},
                                                                {7, 9, A, A, 3 * fifth},
                                                                {8, 9, A, A, 4 * fifth},
                                                                {10, 3, 1, 0, dodecahedron},
                                                                {11, 10, A, A, fifth},
                                                                {12, 10, A, A, 2 * fifth},
                                                                {13, 10, A, A, 3 * fifth},
                                                                {14, 10, A, A, 4 * fifth},
                                                                {15, 9, 10, 5, dodecahedron},
                                                                {16, 15, A, A, fifth},
                                                                {17, 15, A, A, 2 * fifth},
                                                                {18, 15, A, A, 3 * fifth},
                                                                {19, 15, A, A, 4 * fifth}}};
    static const std::array<FoldStep, 11> icosahedronSteps = {{{2, 0, A, A, third},
                                                               {1, 0, A, A, 2 * third},
                                                               {4, 0, 2, 1, icosahedron},
                                                               {3, 4, A, A, third},
                                                               {5, 4, A, A, 2 * third},
                                                               {6, 2, 4, 1, icosahedron},
                                                               {7, 6, A, A, third},
                                                               {8, 6, A, A, 2 * third},
                                                               {9, 2, 8, 4, icosahedron},
                                                               {10, 9, A, A, third},
                                                               {11, 9, A, A, 2 * third}}};
    static const std::array<SolidTable, 5> all = {
        {{TypeCode::Tetrahedron, TypeCode::TetrahedronArea, TypeCode::TetrahedronVolume, 3, 4, 3,
          tetrahedronSteps, kTetrahedronFaces},
         {TypeCode::Cube, TypeCode::CubeArea, TypeCode::CubeVolume, 7, 6, 4, cubeSteps, kCubeFaces},
         {TypeCode::Octahedron, TypeCode::OctahedronArea, TypeCode::OctahedronVolume, 5, 8, 3,
          octahedronSteps, kOctahedronFaces},
         {TypeCode::Dodecahedron, TypeCode::DodecahedronArea, TypeCode::DodecahedronVolume, 19, 12, 5,
          dodecahedronSteps, kDodecahedronFaces},
         {TypeCode::Icosahedron, TypeCode::IcosahedronArea, TypeCode::IcosahedronVolume, 11, 20, 3,
          icosahedronSteps, kIcosahedronFaces}}};
    return all;
}

}  // namespace

const SolidTable* solidTableOf(TypeCode typeCode) {
    for (const SolidTable& solid : solids()) {
        if (solid.typeCode == typeCode) return &solid;
    }
    return nullptr;
}
