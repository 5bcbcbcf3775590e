// The calculator and the text dialog in a real window: the tools chosen from
// their menu items, numbers clicked in the view while the calculator stays
// open beside it, the keypad and the fields typed in, and a rich text typed
// into the text dialog with a format of its own.

#include <QApplication>
#include <QLineEdit>
#include <QMouseEvent>
#include <QPushButton>
#include <QTest>
#include <QTextDocument>
#include <QTextEdit>
#include <QTimer>
#include <fstream>
#include <iterator>

#include "dialogs/calculator_face.h"
#include "dialogs/text_face.h"
#include "expr/calculation.h"
#include "expr/parameter.h"
#include "expr/rich_text.h"
#include "expr/rich_text_writer.h"
#include "expr/text_element.h"
#include "interaction/calculator_dialog.h"
#include "window_fixture.h"

namespace {

constexpr int kCalculateCommand = 5200;
constexpr int kParameterCommand = 5205;
constexpr int kTextCommand = 5900;

void moveMouse(QWidget* widget, QPoint at) {
    QMouseEvent move(QEvent::MouseMove, QPointF(at), widget->mapToGlobal(QPointF(at)), Qt::NoButton,
                     Qt::NoButton, Qt::NoModifier);
    QApplication::sendEvent(widget, &move);
}

void clickAt(QWidget* widget, QPoint at) {
    moveMouse(widget, at);
    QTest::mouseClick(widget, Qt::LeftButton, {}, at);
}

CalculatorFace* calculatorFace(CChildFrame* child) {
    CalculatorFace* face = nullptr;
    processEventsUntil([&] {
        face = child->findChild<CalculatorFace*>();
        return face && face->isVisible();
    });
    return face;
}

}  // namespace

TEST_F(WindowTest, CalculatorAndTextDialogWorkFromTheView) {
    CChildFrame* child = frame->newDocument();
    ASSERT_TRUE(shown(child));
    Document& d = child->openDocument()->document;

    // The parameter tool opens the calculator; its value goes 10 pixels up and
    // left of where the mouse was in the view.
    moveMouse(child, {200, 150});
    frame->action(kParameterCommand)->trigger();
    CalculatorFace* face = calculatorFace(child);
    ASSERT_NE(face, nullptr);
    auto* expression = face->findChild<QLineEdit*>("expression");
    auto* ok = face->findChild<QPushButton*>("ok");
    ASSERT_TRUE(expression && ok);
    QTest::keyClicks(expression, "2*3");
    QTest::mouseClick(ok, Qt::LeftButton);
    ASSERT_EQ(d.construction().count(), 1);
    auto* parameter = static_cast<ParameterNumber*>(d.construction().at(0));
    ASSERT_EQ(parameter->typeCode(), TypeCode::Parameter);
    EXPECT_DOUBLE_EQ(parameter->value, 6.0);
    EXPECT_EQ(parameter->position, (ScreenPoint{190, 140}));
    EXPECT_EQ(face->findChild<QLineEdit*>("result")->text(), "6.0000");

    // The calculation tool: its own calculator; a click on the parameter in
    // the view types its letter at the field's caret, and its letter is drawn.
    frame->action(kCalculateCommand)->trigger();
    face = calculatorFace(child);
    ASSERT_NE(face, nullptr);
    expression = face->findChild<QLineEdit*>("expression");
    ok = face->findChild<QPushButton*>("ok");
    child->update();
    QApplication::processEvents();
    clickAt(child, {193, 143});
    EXPECT_EQ(expression->text(), "a");
    const CalculatorDialog* model = openCalculator(*child->session());
    ASSERT_NE(model, nullptr);
    EXPECT_EQ(model->letters().size(), 1u);
    QTest::keyClicks(expression, "+1");
    moveMouse(child, {400, 300});
    QTest::mouseClick(ok, Qt::LeftButton);
    Construction& afterCalculation = d.construction();
    ASSERT_EQ(afterCalculation.count(), 2);
    auto* calculation = static_cast<Calculation*>(afterCalculation.at(1));
    ASSERT_EQ(calculation->typeCode(), TypeCode::Calculation);
    EXPECT_EQ(calculation->expression, "a+1");
    EXPECT_DOUBLE_EQ(calculation->value, 7.0);
    EXPECT_EQ(calculation->position, (ScreenPoint{390, 290}));

    // Another tool closes the calculator.
    frame->action(kTextCommand)->trigger();
    EXPECT_TRUE(processEventsUntil([&] { return child->findChild<CalculatorFace*>() == nullptr; }));

    // The text tool: the dialog opens where the view is clicked; a bold word typed, confirmed.
    bool typed = false;
    QTimer::singleShot(0, [&] {
        auto* text = qobject_cast<TextFace*>(QApplication::activeModalWidget());
        if (!text) {
            processEventsUntil([&] { return qobject_cast<TextFace*>(QApplication::activeModalWidget()); });
            text = qobject_cast<TextFace*>(QApplication::activeModalWidget());
        }
        if (!text) return;
        QTest::keyClicks(text->editor(), "plain ");
        text->findChild<QAction*>("bold")->trigger();
        QTest::keyClicks(text->editor(), "bold");
        typed = true;
        text->accept();
    });
    clickAt(child, {120, 420});
    ASSERT_TRUE(typed);
    ASSERT_EQ(d.construction().count(), 3);
    auto* text = static_cast<Text*>(d.construction().at(2));
    ASSERT_EQ(text->typeCode(), TypeCode::Text);
    EXPECT_EQ(text->rectangle.topLeft, (ScreenPoint{120, 420}));
    const RichText read = readRichText(text->richText);
    ASSERT_EQ(read.paragraphs.size(), 1u);
    ASSERT_EQ(read.paragraphs[0].runs.size(), 2u);
    EXPECT_EQ(read.paragraphs[0].runs[0].text, "plain ");
    EXPECT_FALSE(read.paragraphs[0].runs[0].bold);
    EXPECT_EQ(read.paragraphs[0].runs[1].text, "bold");
    EXPECT_TRUE(read.paragraphs[0].runs[1].bold);
}

// Editing an existing text: what the reader understands goes into the editor
// and comes back out unchanged, formats that were never set included.
TEST(TextFace, EditorKeepsWhatTheReaderUnderstands) {
    const std::string rtf =
        "{\\rtf1\\ansi\\deff0{\\fonttbl{\\f0 Arial;}{\\f1 Courier New;}}{\\colortbl "
        ";\\red255\\green0\\blue0;}"
        "\\qc{\\b\\fs36 Big bold} {\\i\\ul\\cf1\\f1 red\\tab italic\\line underlined}\\par"
        "\\qr\\par \\pard\\qj Caf\\'e9 \\u8721?\\par}";
    const RichText original = readRichText(rtf);
    QTextDocument document;
    fillTextDocument(document, original);
    const RichText edited = richTextOf(document, original);
    ASSERT_EQ(edited.paragraphs.size(), original.paragraphs.size());
    for (std::size_t p = 0; p < original.paragraphs.size(); ++p) {
        EXPECT_EQ(edited.paragraphs[p].alignment, original.paragraphs[p].alignment) << p;
        ASSERT_EQ(edited.paragraphs[p].runs.size(), original.paragraphs[p].runs.size()) << p;
        for (std::size_t r = 0; r < original.paragraphs[p].runs.size(); ++r) {
            const RichTextRun& a = original.paragraphs[p].runs[r];
            const RichTextRun& b = edited.paragraphs[p].runs[r];
            EXPECT_EQ(b.text, a.text);
            EXPECT_TRUE(b.sameFormat(a)) << a.text;
        }
    }
    EXPECT_EQ(readRichText(writeRichText(edited)).plainText(), original.plainText());
}

// A worksheet from a word processor opened in the editor and confirmed: every
// paragraph and run format, the tables and the default tab come back.
TEST(TextFace, WordProcessorTextsComeBackWhole) {
    for (const char* name : {"worksheet-libreoffice.rtf", "features-libreoffice.rtf"}) {
        SCOPED_TRACE(name);
        std::ifstream file(std::string(KOVA_TEST_DATA_DIR) + "/rtf/" + name, std::ios::binary);
        ASSERT_TRUE(file);
        const RichText original = readRichText(
            std::string((std::istreambuf_iterator<char>(file)), std::istreambuf_iterator<char>()));
        QTextDocument document;
        fillTextDocument(document, original);
        const RichText edited = richTextOf(document, original);
        EXPECT_EQ(edited.rows, original.rows);
        ASSERT_EQ(edited.paragraphs.size(), original.paragraphs.size());
        for (std::size_t p = 0; p < original.paragraphs.size(); ++p) {
            const RichTextParagraph& a = original.paragraphs[p];
            const RichTextParagraph& b = edited.paragraphs[p];
            EXPECT_EQ(static_cast<const ParagraphFormat&>(b), static_cast<const ParagraphFormat&>(a)) << p;
            EXPECT_EQ(b.row, a.row) << p;
            EXPECT_EQ(b.cell, a.cell) << p;
            ASSERT_EQ(b.runs.size(), a.runs.size()) << p;
            for (std::size_t r = 0; r < a.runs.size(); ++r) {
                EXPECT_EQ(b.runs[r].text, a.runs[r].text);
                EXPECT_TRUE(b.runs[r].sameFormat(a.runs[r])) << a.runs[r].text;
            }
        }
    }
}

// Text pasted from another program arrives as Qt's rich text: its formats come through.
TEST(TextFace, PastedRichTextKeepsItsFormatting) {
    QTextDocument document;
    document.setHtml(
        QStringLiteral("<p align=\"center\"><b>Bold</b> <i>italic</i> <s>gone</s> "
                       "<span style=\"color:#ff0000; background-color:#ffff00\">red</span> "
                       "x<sup>2</sup></p>"));
    const RichText text = richTextOf(document, RichText{});
    ASSERT_EQ(text.paragraphs.size(), 1u);
    EXPECT_EQ(text.paragraphs[0].alignment, TextAlignment::Centre);
    const auto runWith = [&](const std::string& words) -> const RichTextRun* {
        for (const RichTextRun& run : text.paragraphs[0].runs)
            if (run.text == words) return &run;
        return nullptr;
    };
    ASSERT_NE(runWith("Bold"), nullptr);
    EXPECT_TRUE(runWith("Bold")->bold);
    ASSERT_NE(runWith("italic"), nullptr);
    EXPECT_TRUE(runWith("italic")->italic);
    ASSERT_NE(runWith("gone"), nullptr);
    EXPECT_TRUE(runWith("gone")->strike);
    ASSERT_NE(runWith("red"), nullptr);
    EXPECT_EQ(runWith("red")->colour, std::optional<std::uint32_t>(0x0000FFu));
    EXPECT_EQ(runWith("red")->highlight, std::optional<std::uint32_t>(0x00FFFFu));
    ASSERT_NE(runWith("2"), nullptr);
    EXPECT_EQ(runWith("2")->script, ScriptPosition::Super);
}
