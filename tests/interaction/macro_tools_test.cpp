// The macro dialog over the macro tools: initial and final elements picked
// with the mouse, making, applying (with points made on the fly), the
// intermediate elements, export and import.

#include <cstdio>
#include <filesystem>
#include <fstream>

#include "interaction/macro_dialog.h"
#include "io/file_bytes.h"
#include "lang/text_ids.h"
#include "lang/text_table.h"
#include "tools_fixture.h"

namespace {

constexpr int kMacroOptions = 5300;

class MacroToolsTest : public ToolsTest {
  protected:
    MacroToolsTest() {
        EXPECT_EQ(texts.load(std::string(KOVA_SOURCE_DIR) + "/Languages/English.lng"), 1);
        session.setTexts(&texts);
    }

    MacroDialog& openDialog() {
        EXPECT_TRUE(session.command(kMacroOptions));
        auto* dialog = dynamic_cast<MacroDialog*>(session.openDialog());
        EXPECT_NE(dialog, nullptr);
        return *dialog;
    }
    void press(MacroDialog& dialog, const char* button) {
        std::string error;
        EXPECT_TRUE(dialog.press(button, error)) << button << ": " << error;
    }
    std::string field(const MacroDialog& dialog, const char* name) {
        std::string text;
        EXPECT_TRUE(dialog.field(name, text)) << name;
        return text;
    }
    // start, clicks on the initial elements, final, clicks on the finals, make.
    void makeMacro(MacroDialog& dialog, std::initializer_list<Vec3> initial,
                   std::initializer_list<Vec3> finals, const char* name) {
        press(dialog, "start");
        for (Vec3 p : initial) clickAt(p);
        press(dialog, "final");
        for (Vec3 p : finals) clickAt(p);
        host.typed.push_back(name);
        press(dialog, "make");
    }

    TextTable texts;
};

std::string scratchPath(const char* name) {
    return (std::filesystem::temp_directory_path() / name).string();
}

}  // namespace

TEST_F(MacroToolsTest, MidpointMacroMadeFromTwoPointsAndAppliedToOthers) {
    Point* a = addFree({-2, 0, 0}, "A");
    Point* b = addFree({2, 0, 0}, "B");
    Element* m = add(TypeCode::MidpointTwoPoints, {a, b});
    add(TypeCode::SegmentTwoPoints, {a, b});  // derived from A and B, but no final needs it
    Point* c = addFree({-2, 3, 0}, "C");
    Point* d = addFree({2, 3, 0}, "D");
    start();

    MacroDialog& dialog = openDialog();
    EXPECT_EQ(dialog.title(), "Macro options");
    EXPECT_EQ(session.toolNumber(), 1);
    press(dialog, "start");
    EXPECT_EQ(session.cursor(), ToolCursor::MacroInitial);
    clickAt(a->position);
    clickAt(c->position);
    clickAt(c->position);  // a second click takes it out again
    clickAt(b->position);
    EXPECT_EQ(field(dialog, "initial"), "2");
    press(dialog, "final");
    EXPECT_EQ(session.pickCount(), 0);
    // An element not built from the initial ones is refused with a warning.
    clickAt(d->position);
    ASSERT_EQ(host.messages.size(), 1u);
    EXPECT_EQ(host.messages[0], std::make_pair(textid::kMacroFinalNotDependent, MessageIcon::Warning));
    clickAt(positionOf(m));
    EXPECT_EQ(field(dialog, "final"), "1");

    // An empty name makes nothing and says so; the picks stay for another try.
    host.typed.push_back("");
    press(dialog, "make");
    EXPECT_EQ(host.messages.back(), std::make_pair(textid::kMacroNameEmpty, MessageIcon::Warning));
    EXPECT_TRUE(document.macros.empty());
    host.typed.push_back("Punto medio");
    press(dialog, "make");
    ASSERT_EQ(document.macros.size(), 1u);
    EXPECT_TRUE(document.modified);
    EXPECT_EQ(field(dialog, "initial"), "0");
    EXPECT_EQ(field(dialog, "selected"), "0");
    EXPECT_EQ(field(dialog, "kinds"), "point, point");
    // Only the midpoint: the segment no final element needs is left out.
    const Construction& own = *document.macros[0].construction;
    ASSERT_EQ(own.count(), 1);
    EXPECT_EQ(own.at(0)->typeCode(), TypeCode::MidpointTwoPoints);
    EXPECT_EQ(own.at(0)->macroIntermediate, 0);
    EXPECT_EQ(own.at(0)->parentKeys[0], 0);
    EXPECT_EQ(own.at(0)->parentKeys[1], 1);

    // Renaming and describing mark the document modified, outside the undo history.
    document.modified = false;
    std::string error;
    EXPECT_TRUE(dialog.setField("name", "Mitte", error));
    EXPECT_TRUE(dialog.setField("description", "of two points", error));
    EXPECT_FALSE(dialog.setField("name", "", error));
    EXPECT_TRUE(document.modified);
    EXPECT_EQ(document.macros[0].name, "Mitte");

    // Applied to C and D: one midpoint of those, as one undo step.
    const int before = count();
    const int historyBefore = document.history().size();
    press(dialog, "apply");
    EXPECT_EQ(session.statusText(texts), "Mitte -> point?");
    EXPECT_EQ(session.cursor(), ToolCursor::Drawing);
    clickAt(c->position);
    clickAt(d->position);
    ASSERT_EQ(count(), before + 1);
    EXPECT_EQ(document.history().size(), historyBefore + 1);
    EXPECT_EQ(last()->typeCode(), TypeCode::MidpointTwoPoints);
    EXPECT_EQ(last()->parents[0]->name().value_or(""), "C");
    EXPECT_EQ(last()->parents[1]->name().value_or(""), "D");
    EXPECT_NEAR(positionOf(last()).y, 3.0, 1e-9);
    // The tool starts over with the same macro; the dialog stays open.
    EXPECT_EQ(session.toolNumber(), 1);
    const Pixel empty = pixelOf({0, -3, 0});
    session.mouseMove(empty.x, empty.y, {}, {});
    EXPECT_EQ(session.statusText(texts), "Mitte -> point?");
    EXPECT_EQ(session.openDialog(), &dialog);

    // A point made on the fly as the first pick, an existing one second.
    clickAt({0, -3, 0});
    EXPECT_EQ(count(), before + 1);  // still a temporary
    clickAt(d->position);
    ASSERT_EQ(count(), before + 3);
    EXPECT_EQ(construction().at(before + 1)->typeCode(), TypeCode::FreePoint);
    EXPECT_EQ(last()->parents[0], construction().at(before + 1));
    EXPECT_NEAR(positionOf(last()).y, 0.0, 0.05);
    ASSERT_TRUE(document.undo());
    EXPECT_EQ(document.construction().count(), before + 1);

    press(dialog, "remove");
    EXPECT_TRUE(document.macros.empty());
    EXPECT_EQ(field(dialog, "selected"), "");
    EXPECT_FALSE(dialog.press("apply", error));
}

TEST_F(MacroToolsTest, PerpendicularThroughAnAuxiliaryLineWithIntermediatesHiddenOrShown) {
    Point* a = addFree({-2, 0, 0}, "A");
    Point* b = addFree({2, 0, 0}, "B");
    Point* p = addFree({0, 2, 0}, "P");
    Element* line = add(TypeCode::LineTwoPoints, {a, b});
    add(TypeCode::PerpendicularToLine, {line, p});
    Point* a2 = addFree({-2, -4, 0});
    Point* b2 = addFree({2, -4, 0});
    Point* p2 = addFree({0, -6, 0});
    start();

    MacroDialog& dialog = openDialog();
    makeMacro(dialog, {a->position, b->position, p->position}, {{0, 1, 0}}, "perpendicular");
    ASSERT_EQ(document.macros.size(), 1u);
    const Construction& own = *document.macros[0].construction;
    ASSERT_EQ(own.count(), 2);
    EXPECT_EQ(own.at(0)->typeCode(), TypeCode::LineTwoPoints);
    EXPECT_EQ(own.at(0)->macroIntermediate, 1);
    EXPECT_EQ(own.at(1)->macroIntermediate, 0);

    // Hidden intermediates (the setting's default) stay hidden in the copy …
    press(dialog, "apply");
    for (Point* q : {a2, b2, p2}) clickAt(q->position);
    const int n = count();
    EXPECT_EQ(construction().at(n - 2)->typeCode(), TypeCode::LineTwoPoints);
    EXPECT_EQ(construction().at(n - 2)->macroIntermediate, 1);
    EXPECT_EQ(last()->typeCode(), TypeCode::PerpendicularToLine);
    EXPECT_EQ(last()->parents[0], construction().at(n - 2));

    // … and with the setting off the auxiliary line is an ordinary element.
    session.setHideMacroIntermediates(false);
    for (Point* q : {a2, p2, b2}) clickAt(q->position);
    ASSERT_EQ(count(), n + 2);
    EXPECT_EQ(construction().at(n)->macroIntermediate, 0);
    EXPECT_EQ(last()->macroIntermediate, 0);
    EXPECT_TRUE(last()->defined);
}

TEST_F(MacroToolsTest, ExportThenImportKeepsTheMacroAndNewerFilesAreRefused) {
    Point* a = addFree({-2, 0, 0});
    Point* b = addFree({2, 0, 0});
    add(TypeCode::MidpointTwoPoints, {a, b});
    start();
    MacroDialog& dialog = openDialog();
    makeMacro(dialog, {a->position, b->position}, {{0, 0, 0}}, "Mitte/Milieu");
    std::string error;
    ASSERT_TRUE(dialog.setField("description", "of two points", error));

    const std::string path = scratchPath("kova-dialog-export.m3d");
    std::remove(path.c_str());
    host.macroFolder = "/somewhere";
    host.files.push_back(path);
    press(dialog, "export");
    ASSERT_EQ(host.fileQuestions.size(), 1u);
    const FileQuestion& saved = host.fileQuestions[0];
    EXPECT_EQ(saved.filters, (std::vector<std::pair<std::string, std::string>>{{"Macros (*.m3d)", "*.m3d"}}));
    EXPECT_EQ(saved.defaultExtension, "m3d");
    EXPECT_EQ(saved.proposedName, "Mitte_Milieu");
    EXPECT_EQ(saved.directory, "/somewhere");
    EXPECT_EQ(host.macroFolder, std::filesystem::path(path).parent_path().string());
    ASSERT_TRUE(std::filesystem::exists(path));

    host.files.push_back(path);
    press(dialog, "import");
    ASSERT_EQ(document.macros.size(), 2u);
    EXPECT_EQ(host.fileQuestions.back().filters.size(), 2u);
    EXPECT_EQ(host.fileQuestions.back().filters[1].second, "*.*");
    EXPECT_EQ(field(dialog, "selected"), "1");
    const Macro& back = document.macros[1];
    EXPECT_EQ(back.name, "Mitte/Milieu");
    EXPECT_EQ(back.description, "of two points");
    EXPECT_EQ(back.initialKinds, document.macros[0].initialKinds);
    ASSERT_EQ(back.construction->count(), 1);
    EXPECT_EQ(back.construction->at(0)->typeCode(), TypeCode::MidpointTwoPoints);
    EXPECT_EQ(back.construction->at(0)->parentKeys, document.macros[0].construction->at(0)->parentKeys);

    // A file of a newer major version: 20007 and nothing added.
    std::vector<std::uint8_t> bytes;
    std::string reason;
    ASSERT_TRUE(readFileBytes(path, bytes, reason));
    const std::uint32_t newer = 6001;
    for (int i = 0; i < 4; ++i) bytes[15 + i] = static_cast<std::uint8_t>(newer >> (8 * i));
    ASSERT_TRUE(writeFileAtomically(path, bytes));
    host.files.push_back(path);
    press(dialog, "import");
    EXPECT_EQ(document.macros.size(), 2u);
    EXPECT_EQ(host.messages.back(), std::make_pair(textid::kCannotOpenFile, MessageIcon::Error));

    // A full list takes no more, without a word.
    host.files.push_back(path);
    press(dialog, "export");
    while (document.macros.size() < static_cast<std::size_t>(kMaxMacros))
        document.macros.push_back(copyMacro(document.macros[0]));
    const std::size_t messages = host.messages.size();
    host.files.push_back(path);
    press(dialog, "import");
    EXPECT_EQ(document.macros.size(), static_cast<std::size_t>(kMaxMacros));
    EXPECT_EQ(host.messages.size(), messages);

    // A file that cannot be created: the message, and the document as it was.
    host.files.push_back(scratchPath("no-such-folder/x.m3d"));
    press(dialog, "export");
    ASSERT_EQ(host.messageTexts.size(), 1u);
    EXPECT_EQ(host.messageTexts[0], kCannotCreateFileMessage);
    std::remove(path.c_str());
}
