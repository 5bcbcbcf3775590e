#include "model/element.h"

#include <gtest/gtest.h>

#include "model/byte_stream.h"
#include "support/test_elements.h"

TEST(Element, FreshElementsFollowTheirTypeCode) {
    TestElement free(TypeCode::FreePoint);
    EXPECT_EQ(free.kind(), ElementKind::Point);
    EXPECT_EQ(free.parentCount(), 0);
    EXPECT_TRUE(free.parents.empty());
    EXPECT_TRUE(free.parentKeys.empty());
    EXPECT_EQ(free.key, -1);
    EXPECT_EQ(free.visible, 1);
    EXPECT_EQ(free.showLabel, 1);
    EXPECT_EQ(free.selected, 0);
    EXPECT_FALSE(free.hasName());
    // Style words 1, 2 and 4 give size, shape and colour.
    EXPECT_EQ(free.size, 1);
    EXPECT_EQ(free.shape, 0);
    EXPECT_EQ(free.colour, 0x112233u);

    TestElement midpoint(TypeCode::MidpointTwoPoints);
    ASSERT_EQ(midpoint.parentCount(), 2);
    EXPECT_EQ(midpoint.parents[0], nullptr);
    EXPECT_EQ(midpoint.parents[1], nullptr);
    EXPECT_EQ(midpoint.parentKeys, (std::vector<std::int32_t>{-1, -1}));

    // The given count is used only by the variable-count codes.
    EXPECT_EQ(TestElement(TypeCode::PolygonVertices, 5).parentCount(), 5);
    EXPECT_EQ(TestElement(TypeCode::MidpointTwoPoints, 5).parentCount(), 2);
    EXPECT_EQ(TestElement(TypeCode::Iteration, 0).parentCount(), 0);
}

TEST(Element, CopyClearsSelectionKeepsTheRestAndOwnsItsName) {
    TestElement source(TypeCode::MidpointTwoPoints);
    source.selected = 1;
    source.savedSelection = 1;
    source.key = 7;
    source.mark = 1;
    source.visible = 0;
    source.defined = 1;
    source.setName("M");
    source.position = {1, 2, 3};

    std::unique_ptr<Element> copy = source.clone();
    auto& c = static_cast<TestElement&>(*copy);
    EXPECT_EQ(c.selected, 0);
    EXPECT_EQ(c.savedSelection, 1);
    EXPECT_EQ(c.key, 7);
    EXPECT_EQ(c.mark, 1);
    EXPECT_EQ(c.visible, 0);
    EXPECT_EQ(c.defined, 1);
    EXPECT_EQ(c.typeCode(), TypeCode::MidpointTwoPoints);
    EXPECT_EQ(c.position, (Vec3{1, 2, 3}));

    c.setName("N");
    EXPECT_EQ(*source.name(), "M");
    EXPECT_EQ(*c.name(), "N");
}

TEST(Element, NamesAreLimitedTo99Bytes) {
    TestElement e(TypeCode::FreePoint);
    e.setName(std::string(150, 'x'));
    EXPECT_EQ(e.name()->size(), 99u);
    // Names are 8-bit text: the cut keeps the first 99 bytes, whatever they are.
    e.setName(std::string(98, 'a') + "\xA9\xA9" + "b");
    EXPECT_EQ(*e.name(), std::string(98, 'a') + "\xA9");
    e.setName("");
    EXPECT_FALSE(e.hasName());
}

namespace {

std::vector<std::uint8_t> recordOf(const Element& e) {
    MemoryOutputStream out;
    EXPECT_EQ(e.write(out), 1);
    return out.bytes();
}

// Reads a record written by recordOf past its type code and parent count.
int readInto(Element& e, const std::vector<std::uint8_t>& bytes, int version) {
    MemoryInputStream in(bytes);
    std::int32_t code = 0, count = 0;
    readI32(in, code);
    readI32(in, count);
    return e.read(in, version);
}

}  // namespace

TEST(Element, BaseRecordLayout) {
    TestElement a(TypeCode::FreePoint);
    a.setName("A");
    a.key = 3;
    const std::vector<std::uint8_t> bytes = recordOf(a);
    // code, count, size, shape, colour, savedSelection, visible, macroIntermediate, key,
    // name (length 2, 'A', NUL), showLabel, then the position.
    ASSERT_EQ(bytes.size(), 9 * 4 + 4 + 2 + 4 + 24u);
    EXPECT_EQ(bytes[0] | bytes[1] << 8 | bytes[2] << 16 | bytes[3] << 24, 10000);
    EXPECT_EQ(bytes[36], 2);
    EXPECT_EQ(bytes[40], 'A');
    EXPECT_EQ(bytes[41], 0);

    TestElement unnamed(TypeCode::FreePoint);
    EXPECT_EQ(recordOf(unnamed).size(), 9 * 4 + 4 + 4 + 24u);
}

TEST(Element, BaseRecordRoundTripsAndOlderMajorsLackTheIntermediateFlag) {
    TestElement m(TypeCode::MidpointTwoPoints);
    m.setName("Mid");
    m.size = 3;
    m.shape = 1;
    m.colour = 0xABCDEF;
    m.savedSelection = 1;
    m.visible = 0;
    m.macroIntermediate = 1;
    m.key = 5;
    m.showLabel = 0;
    m.parentKeys = {1, 4};
    m.position = {0.5, -2, 1e-9};
    const auto bytes = recordOf(m);

    TestElement back(TypeCode::MidpointTwoPoints);
    ASSERT_EQ(readInto(back, bytes, 5002), 1);
    EXPECT_EQ(recordOf(back), bytes);
    EXPECT_EQ(back.parentKeys, (std::vector<std::int32_t>{1, 4}));
    EXPECT_EQ(*back.name(), "Mid");

    // The same record without its intermediate word, as a major-2 file holds it.
    std::vector<std::uint8_t> old = bytes;
    old.erase(old.begin() + 28, old.begin() + 32);
    TestElement fromOld(TypeCode::MidpointTwoPoints);
    ASSERT_EQ(readInto(fromOld, old, 2100), 1);
    EXPECT_EQ(fromOld.macroIntermediate, 0);
    EXPECT_EQ(fromOld.key, 5);
    EXPECT_EQ(fromOld.position, m.position);
}

TEST(Element, HostileRecordsFailWithoutReadingPastTheEnd) {
    TestElement a(TypeCode::MidpointTwoPoints);
    a.setName("name");
    const auto bytes = recordOf(a);
    for (std::size_t cut = 8; cut < bytes.size(); ++cut) {
        std::vector<std::uint8_t> shortRecord(bytes.begin(), bytes.begin() + static_cast<long>(cut));
        TestElement back(TypeCode::MidpointTwoPoints);
        EXPECT_EQ(readInto(back, shortRecord, 5002), 0) << cut;
    }
    // A name length beyond 100 bytes is refused before anything is read into it.
    std::vector<std::uint8_t> longName = bytes;
    longName[36] = 0xFF;
    longName[37] = 0xFF;
    TestElement back(TypeCode::MidpointTwoPoints);
    MemoryInputStream in(longName);
    std::int32_t skip;
    readI32(in, skip);
    readI32(in, skip);
    EXPECT_EQ(back.read(in, 5002), 0);
    EXPECT_TRUE(in.failed());
    EXPECT_FALSE(in.failure().empty());
}

TEST(Element, DefaultOperations) {
    TestElement e(TypeCode::FreePoint);
    for (const Vec3& p : e.Element::supportPlane()) EXPECT_EQ(p, Vec3{});
    double t = 42, u = 43;
    EXPECT_EQ(e.Element::parameterOf({1, 1, 1}, t, u), 0);
    EXPECT_EQ(t, 42);
    EXPECT_EQ(u, 43);
}
