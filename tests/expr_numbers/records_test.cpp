// The class parts of the numeric records, byte for byte, old file versions and
// hostile calculation records.

#include "expr/coordinates.h"
#include "expr/measures.h"
#include "expr/text_element.h"
#include "numbers_fixture.h"

namespace {

void setCommon(Element& e) {
    e.colour = 0x00ABCDEF;
    e.savedSelection = 1;
    e.key = 6;
    e.setName("n");
    for (std::size_t i = 0; i < e.parentKeys.size(); ++i) e.parentKeys[i] = static_cast<int>(i) + 2;
}

void setNumber(NumberElement& n) {
    setCommon(n);
    n.position = {-12, 345};
    n.font = fontOfSize(-13, 0);
    n.value = -1.0 / 3.0;
    n.decimals = 4;
}

// The size of the common part: eleven words, the name "n" (4 + 2 bytes) and the parent keys.
std::size_t commonSize(const Element& e) {
    return 11 * 4 + 2 + 4 * static_cast<std::size_t>(e.parentCount());
}

// Writes e, checks the class part's size, reads it into `fresh` and writes that again.
template <typename T>
std::vector<std::uint8_t> roundTrip(const T& e, T& fresh, std::size_t classPartSize) {
    const std::vector<std::uint8_t> bytes = recordOf(e);
    EXPECT_EQ(bytes.size(), commonSize(e) + classPartSize);
    std::size_t left = 99;
    EXPECT_EQ(readRecord(fresh, bytes, kCurrentVersion, &left), 1);
    EXPECT_EQ(left, 0u);
    EXPECT_EQ(recordOf(fresh), bytes);
    return bytes;
}

// The number part after the common part: left, top, font (60), colour, value, decimals.
void expectNumberPart(const std::vector<std::uint8_t>& bytes, std::size_t at, const NumberElement& n) {
    EXPECT_EQ(valueAt<std::int32_t>(bytes, at), n.position.x);
    EXPECT_EQ(valueAt<std::int32_t>(bytes, at + 4), n.position.y);
    EXPECT_EQ(0, std::memcmp(bytes.data() + at + 8, n.font.bytes.data(), 60));
    EXPECT_EQ(valueAt<std::uint32_t>(bytes, at + 68), n.colour);
    EXPECT_EQ(valueAt<double>(bytes, at + 72), n.value);
    EXPECT_EQ(valueAt<std::int32_t>(bytes, at + 80), n.decimals);
}

std::vector<std::uint8_t> calculationRecord(Calculation& calc) {
    setNumber(calc);
    return recordOf(calc);
}

}  // namespace

TEST(NumericRecords, EveryClassPartRoundTripsByteForByte) {
    NumberElement part(TypeCode::CoordinateY, kNumberStyle);
    setNumber(part);
    NumberElement partRead(TypeCode::CoordinateY, KindStyle{});
    const auto partBytes = roundTrip(part, partRead, 84);
    expectNumberPart(partBytes, commonSize(part), part);
    EXPECT_EQ(partRead.position, part.position);
    EXPECT_EQ(partRead.corner, part.position);  // no extent until drawn
    EXPECT_EQ(partRead.font, part.font);
    EXPECT_EQ(partRead.value, part.value);
    EXPECT_EQ(partRead.parentKeys, part.parentKeys);

    Measure angle(TypeCode::ThreePointAngle, kNumberStyle);
    setNumber(angle);
    Measure angleRead(TypeCode::ThreePointAngle, KindStyle{});
    expectNumberPart(roundTrip(angle, angleRead, 84), commonSize(angle), angle);

    ParameterNumber parameter(kNumberStyle);
    setNumber(parameter);
    parameter.minimum = -4.5;
    parameter.maximum = 1e300;
    parameter.step = 0.125;
    ParameterNumber parameterRead(KindStyle{});
    const auto parameterBytes = roundTrip(parameter, parameterRead, 108);
    const std::size_t range = commonSize(parameter) + 84;
    EXPECT_EQ(valueAt<double>(parameterBytes, range), -4.5);
    EXPECT_EQ(valueAt<double>(parameterBytes, range + 8), 1e300);
    EXPECT_EQ(valueAt<double>(parameterBytes, range + 16), 0.125);
    EXPECT_EQ(parameterRead.step, 0.125);

    Coordinates coordinates(kNumberStyle);
    setCommon(coordinates);
    coordinates.position = {7, -8};
    coordinates.font = fontOfSize(22, 9);
    Coordinates coordinatesRead(KindStyle{});
    const auto coordinatesBytes = roundTrip(coordinates, coordinatesRead, 72);
    const std::size_t at = commonSize(coordinates);
    EXPECT_EQ(valueAt<std::int32_t>(coordinatesBytes, at + 4), -8);
    EXPECT_EQ(valueAt<std::uint32_t>(coordinatesBytes, at + 68), 0x00ABCDEFu);
    EXPECT_EQ(coordinatesRead.font, coordinates.font);

    Calculation calc(kNumberStyle, 2);
    CompiledExpression compiled;
    ASSERT_EQ(compileExpression("b - 2.5*A", 2, compiled), kCompileOk);
    calc.assign(compiled, std::vector<Element*>(2, nullptr));
    setNumber(calc);
    const std::size_t tokens = calc.postfix.size();
    ASSERT_EQ(tokens, 6u);  // B 2.5 A * - and the end mark
    Calculation calcRead(KindStyle{}, 2);
    const std::size_t textBytes = 4 + calc.expression.size() + 1;
    const auto calcBytes = roundTrip(calc, calcRead, 84 + 4 + 4 * tokens + 4 + 8 * 4 + textBytes);
    std::size_t c = commonSize(calc) + 84;
    EXPECT_EQ(valueAt<std::uint32_t>(calcBytes, c), tokens);
    EXPECT_EQ(valueAt<std::int32_t>(calcBytes, c + 4), -2);  // B
    EXPECT_EQ(valueAt<std::int32_t>(calcBytes, c + 4 * tokens), 0);
    c += 4 + 4 * tokens;
    EXPECT_EQ(valueAt<std::uint32_t>(calcBytes, c), 4u);
    EXPECT_EQ(valueAt<double>(calcBytes, c + 4 + 3 * 8), 2.5);
    EXPECT_EQ(valueAt<std::uint32_t>(calcBytes, c + 4 + 32), calc.expression.size() + 1);
    EXPECT_EQ(calcRead.expression, "b - 2.5*a");
    EXPECT_EQ(calcRead.postfix, calc.postfix);
    EXPECT_EQ(calcRead.values, calc.values);
}

TEST(NumericRecords, TheFontColourWordIsTheElementsColour) {
    Measure m(TypeCode::SegmentLength, kNumberStyle);
    setNumber(m);
    std::vector<std::uint8_t> bytes = recordOf(m);
    putAt<std::uint32_t>(bytes, 16, 0x00000001);                  // the common part's colour
    putAt<std::uint32_t>(bytes, commonSize(m) + 68, 0x00445566);  // the font's
    Measure read(TypeCode::SegmentLength, KindStyle{});
    ASSERT_EQ(readRecord(read, bytes), 1);
    EXPECT_EQ(read.colour, 0x00445566u);
    EXPECT_EQ(valueAt<std::uint32_t>(recordOf(read), 16), 0x00445566u);
}

TEST(NumericRecords, OlderFilesGetTheDefaultStepInnerRectangleAndOption) {
    ParameterNumber parameter(kNumberStyle);
    setNumber(parameter);
    parameter.step = 0.5;
    std::vector<std::uint8_t> bytes = recordOf(parameter);
    bytes.resize(bytes.size() - 8);  // major 3 wrote no step
    ParameterNumber old(KindStyle{});
    old.step = kDefaultParameterStep;  // as the factory leaves it
    std::size_t left = 99;
    ASSERT_EQ(readRecord(old, bytes, 3100, &left), 1);
    EXPECT_EQ(left, 0u);
    EXPECT_EQ(old.step, 0.01);
    EXPECT_EQ(old.maximum, parameter.maximum);

    Text text(kNumberStyle);
    setCommon(text);
    text.resolution = 120;
    text.rectangle = {{10, 20}, {300, 200}};
    text.innerRectangle = {{1, 2}, {3, 4}};
    text.option = 1;
    text.richText = "{\\rtf1 Hi}";
    Text textRead(KindStyle{});
    const auto textBytes = roundTrip(text, textRead, 4 + 16 + 16 + 4 + 4 + 11);
    EXPECT_EQ(textRead.richText, text.richText);
    EXPECT_EQ(textRead.innerRectangle, text.innerRectangle);
    EXPECT_EQ(textRead.option, 1);
    const std::size_t at = commonSize(text);
    EXPECT_EQ(valueAt<std::int32_t>(textBytes, at), 120);
    EXPECT_EQ(valueAt<std::int32_t>(textBytes, at + 16), 200);
    EXPECT_EQ(valueAt<std::int32_t>(textBytes, at + 20 + 16), 1);

    // Major 2: no macro-intermediate word, no inner rectangle, no option.
    std::vector<std::uint8_t> major2 = textBytes;
    major2.erase(major2.begin() + static_cast<std::ptrdiff_t>(at + 20),
                 major2.begin() + static_cast<std::ptrdiff_t>(at + 40));
    major2.erase(major2.begin() + 28, major2.begin() + 32);
    Text fromMajor2(KindStyle{});
    fromMajor2.option = 5;
    fromMajor2.innerRectangle = {};
    ASSERT_EQ(readRecord(fromMajor2, major2, 2000, &left), 1);
    EXPECT_EQ(left, 0u);
    EXPECT_EQ(fromMajor2.innerRectangle, (ScreenBox{{0, 0}, {325, 250}}));
    EXPECT_EQ(fromMajor2.option, 0);
    EXPECT_EQ(fromMajor2.resolution, 120);
    EXPECT_EQ(fromMajor2.rectangle, text.rectangle);
    EXPECT_EQ(fromMajor2.richText, text.richText);
    EXPECT_EQ(fromMajor2.key, 6);
}

TEST(NumericRecords, HostileCalculationRecordsAreRefusedOrRepaired) {
    Calculation calc(kNumberStyle, 1);
    CompiledExpression compiled;
    ASSERT_EQ(compileExpression("a+1", 1, compiled), kCompileOk);
    calc.assign(compiled, std::vector<Element*>(1, nullptr));
    const std::vector<std::uint8_t> good = calculationRecord(calc);
    const std::size_t countAt = commonSize(calc) + 84;
    ASSERT_EQ(valueAt<std::uint32_t>(good, countAt), 4u);  // A 1 + 0

    const auto refused = [](const std::vector<std::uint8_t>& bytes) {
        Calculation read(KindStyle{}, 1);
        MemoryInputStream in(std::span<const std::uint8_t>(bytes).subspan(8));
        const int result = read.read(in, kCurrentVersion);
        return result == 0 && in.failed();
    };
    EXPECT_FALSE(refused(good));

    for (const std::uint32_t count : {1000u, 0xFFFFFFFFu, 0x40000000u}) {
        std::vector<std::uint8_t> bytes = good;
        putAt(bytes, countAt, count);
        EXPECT_TRUE(refused(bytes)) << count;
    }
    // The value-table length: far beyond the file, and too short for the operand.
    const std::size_t valuesAt = countAt + 4 + 4 * 4;
    for (const std::uint32_t count : {0xFFFFFFF0u, 1u}) {
        std::vector<std::uint8_t> bytes = good;
        putAt(bytes, valuesAt, count);
        if (count == 1u)
            bytes.erase(bytes.begin() + static_cast<std::ptrdiff_t>(valuesAt + 4 + 8),
                        bytes.begin() + static_cast<std::ptrdiff_t>(valuesAt + 4 + 24));
        EXPECT_TRUE(refused(bytes)) << count;
    }
    // An operand slot outside the table of three.
    for (const std::int32_t token : {-3, -1000, INT32_MIN}) {
        std::vector<std::uint8_t> bytes = good;
        putAt(bytes, countAt + 4, token);
        EXPECT_TRUE(refused(bytes)) << token;
    }
    // An operator without its operands.
    std::vector<std::uint8_t> malformed = good;
    putAt<std::int32_t>(malformed, countAt + 4, 42);
    EXPECT_TRUE(refused(malformed));
    // A record cut short anywhere.
    for (std::size_t cut = countAt; cut < good.size(); cut += 3) {
        std::vector<std::uint8_t> bytes(good.begin(), good.begin() + static_cast<std::ptrdiff_t>(cut));
        EXPECT_TRUE(refused(bytes)) << cut;
    }

    // Without the final end mark the list is read and the mark appended.
    std::vector<std::uint8_t> unmarked = good;
    putAt<std::uint32_t>(unmarked, countAt, 3);
    unmarked.erase(unmarked.begin() + static_cast<std::ptrdiff_t>(countAt + 4 + 12),
                   unmarked.begin() + static_cast<std::ptrdiff_t>(countAt + 16 + 4));
    Calculation repaired(KindStyle{}, 1);
    std::size_t left = 99;
    ASSERT_EQ(readRecord(repaired, unmarked, kCurrentVersion, &left), 1);
    EXPECT_EQ(left, 0u);
    EXPECT_EQ(repaired.postfix, calc.postfix);
    Construction c;
    ParameterNumber* p = addParameter(c, 4.0);
    repaired.parents[0] = p;
    repaired.recompute(c, {0, 1.0});
    EXPECT_EQ(repaired.valueDefined, 1);
    EXPECT_DOUBLE_EQ(repaired.value, 5.0);
}
