#include <cstring>

#include "elements/iteration.h"
#include "elements/locus.h"
#include "loci_fixture.h"
#include "model/byte_stream.h"

namespace {

constexpr int kVersion = 5002;

std::vector<std::uint8_t> bytesOf(const Element& e) {
    MemoryOutputStream out;
    EXPECT_EQ(e.write(out), 1);
    return out.bytes();
}

// Reads a record as the file reader does: type code and parent count first.
template <typename T, typename Make>
int readBack(const std::vector<std::uint8_t>& bytes, Make make, std::unique_ptr<T>& element) {
    MemoryInputStream in(bytes);
    std::int32_t code = 0, parentCount = 0;
    if (!readI32(in, code) || !readI32(in, parentCount)) return 0;
    element = make(static_cast<TypeCode>(code), parentCount);
    return element->read(in, kVersion) == 1 && !in.failed() ? 1 : 0;
}

std::unique_ptr<Locus> makeLocus(TypeCode code, int) {
    return std::make_unique<Locus>(code, KindStyle{});
}
std::unique_ptr<SurfaceLocus> makeSurface(TypeCode code, int) {
    return std::make_unique<SurfaceLocus>(code, KindStyle{});
}
std::unique_ptr<Iteration> makeIteration(TypeCode, int parentCount) {
    return std::make_unique<Iteration>(KindStyle{}, parentCount);
}

// The record's class part starts after the common part; its words are patched in place.
void patchWord(std::vector<std::uint8_t>& bytes, std::size_t offsetFromEnd, std::int32_t value) {
    std::memcpy(bytes.data() + bytes.size() - offsetFromEnd, &value, 4);
}

std::unique_ptr<Iteration> sampleIteration() {
    auto it = std::make_unique<Iteration>(kLociStyle, 5);
    it->depth = 7;
    it->useDepthNumber = 1;
    it->branchCount = 3;
    it->lastOnly = 1;
    it->drawPoints = 0;
    it->useIterationColour = 1;
    it->inputCount = 2;
    it->imageTable = {{2, 3, 1}, {3, 2, 0}};
    for (int i = 0; i < 5; ++i) it->parentKeys[static_cast<std::size_t>(i)] = i;
    return it;
}

}  // namespace

TEST(LocusRecords, CountsRoundTripAndOthersAreRefused) {
    for (TypeCode code : {TypeCode::PointLocus, TypeCode::SegmentLocus, TypeCode::CircleLocus}) {
        Locus locus(code, kLociStyle);
        locus.setName("L");
        locus.parentKeys = {3, 4};
        const std::vector<std::uint8_t> bytes = bytesOf(locus);
        std::unique_ptr<Locus> back;
        ASSERT_EQ(readBack(bytes, makeLocus, back), 1) << code;
        EXPECT_EQ(back->sampleCount, locusSampleCount(code));
        EXPECT_EQ(back->samples.size(), static_cast<std::size_t>(locusSampleCount(code)));
        EXPECT_EQ(back->parentKeys, locus.parentKeys);
        EXPECT_EQ(bytesOf(*back), bytes);
    }
    Locus curve(TypeCode::PointLocus, kLociStyle);
    std::vector<std::uint8_t> bytes = bytesOf(curve);
    std::int32_t count = 0;
    std::memcpy(&count, bytes.data() + bytes.size() - 4, 4);
    EXPECT_EQ(count, 500);
    std::unique_ptr<Locus> back;
    for (std::int32_t hostile : {499, 200, 0, -1, 0x7fffffff}) {
        patchWord(bytes, 4, hostile);
        EXPECT_EQ(readBack(bytes, makeLocus, back), 0) << hostile;
    }
    bytes.pop_back();  // cut short
    EXPECT_EQ(readBack(bytes, makeLocus, back), 0);

    SurfaceLocus surface(TypeCode::ParameterSurfaceLocus, kLociStyle);
    surface.parentKeys = {0, 1, 2};
    std::vector<std::uint8_t> grid = bytesOf(surface);
    std::unique_ptr<SurfaceLocus> surfaceBack;
    ASSERT_EQ(readBack(grid, makeSurface, surfaceBack), 1);
    EXPECT_EQ(bytesOf(*surfaceBack), grid);
    EXPECT_EQ(surfaceBack->grid.size(), 8100u);
    patchWord(grid, 4, 91);
    EXPECT_EQ(readBack(grid, makeSurface, surfaceBack), 0);
    patchWord(grid, 4, 90);
    patchWord(grid, 8, -90);
    EXPECT_EQ(readBack(grid, makeSurface, surfaceBack), 0);
}

TEST(IterationRecords, FieldsInFileOrderRoundTrip) {
    const std::unique_ptr<Iteration> it = sampleIteration();
    const std::vector<std::uint8_t> bytes = bytesOf(*it);
    // 28 bytes of fields and 4 per table entry after the common part.
    const std::size_t tail = 28 + 4 * 3 * 2;
    const std::int32_t expected[] = {7, 1, 3, 1, 0, 1, 2, 2, 3, 1, 3, 2, 0};
    for (std::size_t i = 0; i < std::size(expected); ++i) {
        std::int32_t word = 0;
        std::memcpy(&word, bytes.data() + bytes.size() - tail + 4 * i, 4);
        EXPECT_EQ(word, expected[i]) << i;
    }
    std::unique_ptr<Iteration> back;
    ASSERT_EQ(readBack(bytes, makeIteration, back), 1);
    EXPECT_EQ(back->depth, 7);
    EXPECT_EQ(back->useDepthNumber, 1);
    EXPECT_EQ(back->branchCount, 3);
    EXPECT_EQ(back->lastOnly, 1);
    EXPECT_EQ(back->drawPoints, 0);
    EXPECT_EQ(back->useIterationColour, 1);
    EXPECT_EQ(back->inputCount, 2);
    EXPECT_EQ(back->imageTable, it->imageTable);
    EXPECT_EQ(back->parentCount(), 5);
    EXPECT_EQ(bytesOf(*back), bytes);
}

TEST(IterationRecords, HostileCountsAndImagesAreRefused) {
    const std::vector<std::uint8_t> good = bytesOf(*sampleIteration());
    const std::size_t tail = 28 + 4 * 3 * 2;
    const auto field = [&](int index) { return tail - 4 * static_cast<std::size_t>(index); };
    std::unique_ptr<Iteration> back;
    const auto refused = [&](int fieldIndex, std::int32_t value) {
        std::vector<std::uint8_t> bytes = good;
        patchWord(bytes, field(fieldIndex), value);
        return readBack(bytes, makeIteration, back) == 0;
    };
    // branchCount (field 2): none, negative, above 100, absurd.
    for (std::int32_t b : {0, -1, 101, 0x7fffffff}) EXPECT_TRUE(refused(2, b)) << b;
    // inputCount (field 6): none, negative; 5 leaves no room for the depth number,
    // which is the last of the 5 parents.
    for (std::int32_t n : {0, -3, 5, 6, 0x40000000}) EXPECT_TRUE(refused(6, n)) << n;
    // Image entries (fields 7 …) must name one of the 5 parents.
    EXPECT_TRUE(refused(7, 5));
    EXPECT_TRUE(refused(12, -1));
    EXPECT_FALSE(refused(12, 4));

    // Without the depth number all 5 parents may be inputs, but then the table is longer.
    std::vector<std::uint8_t> bytes = good;
    patchWord(bytes, field(1), 0);
    patchWord(bytes, field(6), 5);
    EXPECT_EQ(readBack(bytes, makeIteration, back), 0);  // cut short: 15 entries, 6 present

    bytes = good;
    bytes.resize(bytes.size() - 2);
    EXPECT_EQ(readBack(bytes, makeIteration, back), 0);
}
