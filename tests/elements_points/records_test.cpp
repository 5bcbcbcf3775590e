// The class parts of the point and straight-element file records.

#include <cstring>

#include <gtest/gtest.h>

#include "elements/intersection_codes.h"
#include "elements/intersection_point.h"
#include "elements/point.h"
#include "elements/straight_element.h"
#include "model/byte_stream.h"

namespace {

constexpr int kVersion = 5002;

// The record after the type code and parent count, which the factory reads.
std::span<const std::uint8_t> afterCodeAndCount(const std::vector<std::uint8_t>& bytes) {
    return std::span<const std::uint8_t>(bytes).subspan(8);
}

std::vector<std::uint8_t> recordOf(const Element& e) {
    MemoryOutputStream out;
    EXPECT_EQ(e.write(out), 1);
    return out.bytes();
}

int readBack(Element& e, const std::vector<std::uint8_t>& bytes) {
    MemoryInputStream in(afterCodeAndCount(bytes));
    const int result = e.read(in, kVersion);
    EXPECT_EQ(in.remaining(), 0u);
    return result;
}

double doubleAt(const std::vector<std::uint8_t>& bytes, std::size_t offset) {
    double v = 0;
    std::memcpy(&v, bytes.data() + offset, 8);
    return v;
}

void setCommon(Element& e) {
    e.size = 2;
    e.shape = 1;
    e.colour = 0x00ABCDEF;
    e.savedSelection = 1;
    e.key = 4;
    e.setName("Pt");
    for (std::size_t i = 0; i < e.parentKeys.size(); ++i) e.parentKeys[i] = static_cast<int>(i) + 1;
}

}  // namespace

TEST(Records, EveryClassPartRoundTripsByteForByte) {
    const KindStyle zero{};
    Point free(TypeCode::FreePoint, zero);
    Point base(TypeCode::FreePoint, zero);
    // The common part of an unnamed element without parents.
    const std::size_t common = recordOf(base).size() - 24;

    setCommon(free);
    free.position = {1.5, -2.25, 1e-300};
    const auto freeBytes = recordOf(free);
    // Common part with the 3-byte name, then 24 bytes of position.
    ASSERT_EQ(freeBytes.size(), common + 3 + 24);
    EXPECT_EQ(doubleAt(freeBytes, freeBytes.size() - 24), 1.5);
    EXPECT_EQ(doubleAt(freeBytes, freeBytes.size() - 8), 1e-300);
    Point freeRead(TypeCode::FreePoint, zero);
    ASSERT_EQ(readBack(freeRead, freeBytes), 1);
    EXPECT_EQ(freeRead.position, free.position);
    EXPECT_EQ(recordOf(freeRead), freeBytes);

    IntersectionPoint crossing(TypeCode::LineCirclePoint, zero, 1);
    setCommon(crossing);
    crossing.position = {3, 4, 5};
    const auto crossingBytes = recordOf(crossing);
    ASSERT_EQ(crossingBytes.size(), common + 3 + 8 + 28);  // two parent keys
    EXPECT_EQ(crossingBytes.back(), 0);
    EXPECT_EQ(crossingBytes[crossingBytes.size() - 4], 1);
    IntersectionPoint crossingRead(TypeCode::LineCirclePoint, zero);
    ASSERT_EQ(readBack(crossingRead, crossingBytes), 1);
    EXPECT_EQ(crossingRead.rootIndex, 1);
    EXPECT_EQ(recordOf(crossingRead), crossingBytes);

    PointOnObject on(zero);
    setCommon(on);
    on.position = {0, 1, 0};
    on.param1 = 0.25;
    on.param2 = -7.5;
    const auto onBytes = recordOf(on);
    ASSERT_EQ(onBytes.size(), common + 3 + 4 + 40);
    EXPECT_EQ(doubleAt(onBytes, onBytes.size() - 16), 0.25);
    EXPECT_EQ(doubleAt(onBytes, onBytes.size() - 8), -7.5);
    PointOnObject onRead(zero);
    ASSERT_EQ(readBack(onRead, onBytes), 1);
    EXPECT_EQ(onRead.param1, 0.25);
    EXPECT_EQ(onRead.param2, -7.5);
    EXPECT_EQ(recordOf(onRead), onBytes);

    StraightElement sum(TypeCode::VectorSum, zero);
    setCommon(sum);
    sum.pointA = {1, 2, 3};
    sum.pointB = {-4, -5, -6};
    const auto sumBytes = recordOf(sum);
    ASSERT_EQ(sumBytes.size(), common + 3 + 12 + 48);
    EXPECT_EQ(doubleAt(sumBytes, sumBytes.size() - 48), 1.0);
    EXPECT_EQ(doubleAt(sumBytes, sumBytes.size() - 24), -4.0);
    StraightElement sumRead(TypeCode::VectorSum, zero);
    ASSERT_EQ(readBack(sumRead, sumBytes), 1);
    EXPECT_EQ(sumRead.pointA, sum.pointA);
    EXPECT_EQ(sumRead.pointB, sum.pointB);
    EXPECT_EQ(recordOf(sumRead), sumBytes);
}

TEST(Records, ShortOrCorruptRecordsAreRefused) {
    const KindStyle zero{};
    StraightElement s(TypeCode::SegmentTwoPoints, zero);
    auto bytes = recordOf(s);
    bytes.pop_back();
    StraightElement shortRead(TypeCode::SegmentTwoPoints, zero);
    MemoryInputStream in(afterCodeAndCount(bytes));
    EXPECT_EQ(shortRead.read(in, kVersion), 0);
    EXPECT_TRUE(in.failed());

    PointOnObject on(zero);
    auto onBytes = recordOf(on);
    onBytes.resize(onBytes.size() - 8);
    PointOnObject onRead(zero);
    MemoryInputStream onIn(afterCodeAndCount(onBytes));
    EXPECT_EQ(onRead.read(onIn, kVersion), 0);

    // A root index names one of two solutions.
    IntersectionPoint p(TypeCode::LineSpherePoint, zero);
    auto pBytes = recordOf(p);
    pBytes[pBytes.size() - 4] = 2;
    IntersectionPoint pRead(TypeCode::LineSpherePoint, zero);
    MemoryInputStream pIn(afterCodeAndCount(pBytes));
    EXPECT_EQ(pRead.read(pIn, kVersion), 0);
    EXPECT_TRUE(pIn.failed());
}

TEST(Records, CopiesKeepTheirClassAndData) {
    const KindStyle zero{};
    IntersectionPoint p(TypeCode::LineSpherePoint, zero, 1);
    p.position = {1, 2, 3};
    std::unique_ptr<Element> copy = p.clone();
    auto* asIntersection = dynamic_cast<IntersectionPoint*>(copy.get());
    ASSERT_NE(asIntersection, nullptr);
    EXPECT_EQ(asIntersection->rootIndex, 1);
    EXPECT_EQ(asIntersection->position, p.position);

    PointOnObject on(zero);
    on.param1 = 3;
    on.param2 = 4;
    copy = on.clone();
    auto* asOn = dynamic_cast<PointOnObject*>(copy.get());
    ASSERT_NE(asOn, nullptr);
    EXPECT_EQ(asOn->param2, 4);

    StraightElement s(TypeCode::RayTwoPoints, zero);
    s.pointB = {0, 0, 9};
    copy = s.clone();
    auto* asStraightCopy = dynamic_cast<StraightElement*>(copy.get());
    ASSERT_NE(asStraightCopy, nullptr);
    EXPECT_EQ(asStraightCopy->pointB, s.pointB);
}
