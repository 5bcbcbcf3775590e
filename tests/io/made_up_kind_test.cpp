// A type code the program does not know, with a class of the test's own: its row
// and its class are all it takes for it to be made, checked, saved and read back.

#include <gtest/gtest.h>

#include "expr/number_creation.h"
#include "io/document_file.h"
#include "io/element_factory.h"
#include "io_fixtures.h"
#include "model/byte_stream.h"

namespace {

constexpr TypeCode kScaledHeight = static_cast<TypeCode>(19990);

// The height of a point times a number; stores a weight of its own.
class ScaledHeight : public Element {
  public:
    ScaledHeight(TypeCode code, const KindStyle& style) : Element(code, style) {}

    std::unique_ptr<Element> clone() const override {
        return std::unique_ptr<Element>(new ScaledHeight(*this));
    }
    void recompute(Construction&, const RecomputeContext&) override {
        double factor = 0.0;
        defined = parents[1]->currentValue(factor) ? 1 : 0;
        value = weight * factor * positionOf(parents[0]).z;
    }
    void draw(std::uint32_t, int, Canvas&) override {}
    int hitTest(int, int, const PickRay&, int, Vec3&) override { return 0; }
    int write(OutputStream& out) const override { return writeBase(out) && writeF64(out, weight) ? 1 : 0; }
    int read(InputStream& in, int version) override {
        return readBase(in, version) && readF64(in, weight) ? 1 : 0;
    }

    double weight = 1.0;
    double value = 0.0;

  protected:
    ScaledHeight(const ScaledHeight&) = default;
};

TypeCodeInfo scaledHeightRow() {
    TypeCodeInfo row;
    row.code = kScaledHeight;
    row.kind = ElementKind::Text;
    row.parentCount = 2;
    row.parentKinds = {KindSet{ElementKind::Point}, KindSet{ElementKind::Number}};
    row.make = [](TypeCode code, const KindStyle& style, int) -> ElementPtr {
        return std::make_unique<ScaledHeight>(code, style);
    };
    return row;
}

std::vector<std::uint8_t> bytesOf(Document& doc) {
    MemoryOutputStream out;
    EXPECT_EQ(writeDocumentBytes(doc, false, out), 1);
    return out.bytes();
}

}  // namespace

TEST(MadeUpKind, IsRegisteredMadeCheckedSavedAndReadBack) {
    std::vector<std::uint8_t> bytes;
    {
        ASSERT_TRUE(registerTypeCode(scaledHeightRow()));
        EXPECT_FALSE(registerTypeCode(scaledHeightRow()));  // the code is taken now
        struct Unregister {
            ~Unregister() { unregisterTypeCode(kScaledHeight); }
        } unregister;

        Document doc;
        Construction& c = doc.construction();
        Point* a = addPoint(c, {1, 2, 3});
        Element* factor = c.append(makeParameter(2, KindStyle{}, NumberDefaults{}, 5, 5));
        const KindStyle style{0, 1, 0, 0, 0x123456};
        // Parents out of order, missing, or not of this construction are refused.
        EXPECT_EQ(appendElement(c, kScaledHeight, {factor, a}, style), nullptr);
        EXPECT_EQ(appendElement(c, kScaledHeight, {a}, style), nullptr);
        Document other;
        Point* stranger = addPoint(other.construction(), {0, 0, 0});
        EXPECT_EQ(appendElement(c, kScaledHeight, {stranger, factor}, style), nullptr);
        EXPECT_EQ(c.count(), 2);

        auto* made = static_cast<ScaledHeight*>(appendElement(c, kScaledHeight, {a, factor}, style));
        ASSERT_NE(made, nullptr);
        EXPECT_EQ(made->kind(), ElementKind::Text);
        EXPECT_EQ(made->colour, 0x123456u);
        made->weight = 0.5;
        doc.recompute();
        EXPECT_EQ(made->defined, 1);
        EXPECT_EQ(made->value, 3.0);

        bytes = bytesOf(doc);
        Document back;
        MemoryInputStream in(bytes);
        ASSERT_EQ(readDocumentBytes(in, DocumentDefaults{}, back), kReadOk) << in.failure();
        back.recompute();
        ASSERT_EQ(back.construction().count(), 3);
        const auto* read = dynamic_cast<const ScaledHeight*>(back.construction().at(2));
        ASSERT_NE(read, nullptr);
        EXPECT_EQ(read->weight, 0.5);
        EXPECT_EQ(read->parents[0], back.construction().at(0));
        EXPECT_EQ(read->value, 3.0);
        EXPECT_EQ(bytesOf(back), bytes);
    }
    // Without its row the same file names an unknown type.
    Document again;
    MemoryInputStream in(bytes);
    EXPECT_NE(readDocumentBytes(in, DocumentDefaults{}, again), kReadOk);
    EXPECT_NE(in.failure().find("unknown element type 19990"), std::string::npos) << in.failure();
}
