// The window's rules without windows: the document list, titles, recent files,
// the close question, filters, the print layout and the start-up language.

#include <gtest/gtest.h>

#include <unistd.h>
#include <filesystem>
#include <fstream>

#include "app/close_question.h"
#include "app/file_filters.h"
#include "app/open_documents.h"
#include "app/print_layout.h"
#include "app/start_language.h"
#include "interaction/view_mouse.h"
#include "lang/text_ids.h"
#include "window_fixture.h"

namespace {

std::filesystem::path scratchFolder(const char* name) {
    auto folder =
        std::filesystem::temp_directory_path() / ("kova_app_docs_" + std::to_string(::getpid()) + "_" + name);
    std::filesystem::remove_all(folder);
    std::filesystem::create_directories(folder);
    return folder;
}

}  // namespace

TEST(DocumentList, NewDocumentsAreCountedAndTheHundredthIsRefused) {
    DocumentList list;
    OpenDocument* first = list.createNew("Construction");
    ASSERT_NE(first, nullptr);
    EXPECT_EQ(first->title, "Construction 1");
    EXPECT_FALSE(first->everSaved());
    EXPECT_FALSE(first->document.modified);
    EXPECT_EQ(first->document.history().size(), 1);
    // The counter counts every new document, closed ones too.
    list.close(first);
    EXPECT_EQ(list.count(), 0);
    EXPECT_EQ(list.createNew("Construction")->title, "Construction 2");
    while (list.count() < kMaxOpenDocuments) ASSERT_NE(list.createNew("C"), nullptr);
    EXPECT_EQ(list.createNew("C"), nullptr);
    const OpenResult refused = list.open(dataFile("sample.g3d"), {});
    EXPECT_EQ(refused.status, OpenStatus::Failed);
    EXPECT_EQ(refused.messageId, textid::kTooManyDocuments);
    EXPECT_EQ(list.count(), kMaxOpenDocuments);
}

TEST(DocumentList, OpenRules) {
    DocumentList list;
    const OpenResult opened = list.open(dataFile("sample.g3d"), {});
    ASSERT_EQ(opened.status, OpenStatus::Opened);
    EXPECT_EQ(opened.document->title, normalisedPath(dataFile("sample.g3d")));
    EXPECT_EQ(opened.document->document.construction().count(), 19);
    EXPECT_FALSE(opened.document->document.modified);
    EXPECT_EQ(list.recentFiles().entries().front(), opened.document->path);

    // Another spelling of the same file, in letter case or in steps, is the same document.
    std::string upper = dataFile("SAMPLE.G3D");
    for (const std::string& other : {upper, std::string(KOVA_TEST_DATA_DIR) + "/../data/./sample.g3d"}) {
        const OpenResult again = list.open(other, {});
        EXPECT_EQ(again.status, OpenStatus::AlreadyOpen) << other;
        EXPECT_EQ(again.document, opened.document);
    }
    EXPECT_EQ(list.count(), 1);
    EXPECT_EQ(list.recentFiles().entries().size(), 1u);

    const struct {
        const char* file;
        int message;
    } failures[] = {{"missing.g3d", textid::kCannotOpenFile},
                    {"newer.g3d", textid::kNewerFileVersion},
                    {"damaged.g3d", textid::kNotAConstructionFile}};
    for (const auto& f : failures) {
        const OpenResult r = list.open(dataFile(f.file), {});
        EXPECT_EQ(r.status, OpenStatus::Failed) << f.file;
        EXPECT_EQ(r.messageId, f.message) << f.file;
        EXPECT_EQ(r.document, nullptr);
    }
    EXPECT_EQ(list.count(), 1);
    EXPECT_EQ(list.recentFiles().entries().size(), 1u);
}

TEST(DocumentList, SaveAsGivesPathTitleAndRecentEntry) {
    const auto folder = scratchFolder("save");
    DocumentList list;
    OpenDocument* d = list.createNew("Construction");
    EXPECT_EQ(list.save(*d), 0);  // never saved: it has to go through saveAs
    d->document.modified = true;
    EXPECT_EQ(list.saveAs(*d, (folder / "missing-folder" / "x.g3d").string()), 0);
    EXPECT_EQ(d->title, "Construction 1");
    EXPECT_TRUE(d->document.modified);

    const std::string path = (folder / "first.g3d").string();
    ASSERT_EQ(list.saveAs(*d, path), 1);
    EXPECT_EQ(d->title, "first.g3d");
    EXPECT_EQ(d->path, path);
    EXPECT_FALSE(d->document.modified);
    EXPECT_EQ(list.recentFiles().entries().front(), path);
    d->document.view.showAxes = 0;
    EXPECT_EQ(list.save(*d), 1);
    // The saved document is the open one: opening its file activates it.
    EXPECT_EQ(list.open(path, {}).status, OpenStatus::AlreadyOpen);
    std::filesystem::remove_all(folder);
}

TEST(RecentFiles, CaseInsensitiveAndAtMostTen) {
    RecentFiles recent;
    recent.add("/a/One.g3d");
    recent.add("/a/two.g3d");
    recent.add("/A/ONE.G3D");
    ASSERT_EQ(recent.entries().size(), 2u);
    EXPECT_EQ(recent.entries()[0], "/A/ONE.G3D");
    EXPECT_EQ(recent.entries()[1], "/a/two.g3d");
    for (int i = 0; i < 10; ++i) recent.add("/f" + std::to_string(i));
    ASSERT_EQ(recent.entries().size(), 10u);
    EXPECT_EQ(recent.entries().front(), "/f9");
    EXPECT_EQ(recent.entries().back(), "/f0");  // the two oldest were pushed out
    recent.add("/f0");
    EXPECT_EQ(recent.entries().front(), "/f0");
    EXPECT_EQ(recent.entries().back(), "/f1");
    EXPECT_FALSE(samePathIgnoringCase("/a/b", "/a/bc"));
}

TEST(CloseQuestion, TextAndDecision) {
    EXPECT_EQ(saveChangesQuestion(englishTexts(), "Construction 3"), "Save the changes to Construction 3 ?");

    int asked = 0, saved = 0;
    auto ask = [&](SaveAnswer a) {
        return [&asked, a] {
            ++asked;
            return a;
        };
    };
    auto save = [&](bool ok) {
        return [&saved, ok] {
            ++saved;
            return ok;
        };
    };
    EXPECT_TRUE(mayCloseDocument(false, ask(SaveAnswer::Cancel), save(false)));
    EXPECT_EQ(asked, 0);
    EXPECT_TRUE(mayCloseDocument(true, ask(SaveAnswer::No), save(false)));
    EXPECT_EQ(saved, 0);
    EXPECT_FALSE(mayCloseDocument(true, ask(SaveAnswer::Cancel), save(true)));
    EXPECT_EQ(saved, 0);
    EXPECT_FALSE(mayCloseDocument(true, ask(SaveAnswer::Yes), save(false)));  // a failed save keeps it open
    EXPECT_TRUE(mayCloseDocument(true, ask(SaveAnswer::Yes), save(true)));
    EXPECT_EQ(asked, 4);
    EXPECT_EQ(saved, 2);
}

TEST(FileFilters, PatternAddedOnlyWhenTheTextLacksIt) {
    EXPECT_EQ(fileDialogFilter("Constructions (*.g3d)", "*.g3d"), "Constructions (*.g3d)");
    EXPECT_EQ(fileDialogFilter("Construcciones", "*.g3d"), "Construcciones (*.g3d)");
    EXPECT_EQ(fileDialogFilter("Bitmaps (Windows)", "*.bmp"), "Bitmaps (Windows) (*.bmp)");
    EXPECT_EQ(fileDialogFilter("", "*.bmp"), "(*.bmp)");
}

TEST(PrintLayout, ImageAtATenthOfThePageKeepingItsProportions) {
    const PrintLayout l = printLayout(5000, 400, 300);
    EXPECT_DOUBLE_EQ(l.imageX, 500);
    EXPECT_DOUBLE_EQ(l.imageY, 500);
    EXPECT_DOUBLE_EQ(l.imageWidth, 4000);
    EXPECT_DOUBLE_EQ(l.imageHeight, 3000);
    EXPECT_DOUBLE_EQ(l.titleX, 500);
    EXPECT_DOUBLE_EQ(l.titleY, 3520);
    const PrintLayout empty = printLayout(5000, 0, 300);
    EXPECT_DOUBLE_EQ(empty.imageWidth, 0);
    EXPECT_DOUBLE_EQ(empty.titleY, 520);
}

TEST(StartLanguage, FallsBackToEnglishThenToTheFirstFile) {
    const auto folder = scratchFolder("languages");
    auto write = [&](const char* name, const char* display) {
        std::ofstream(folder / name) << "Language = " << display << "\n20005=" << display << "\n";
    };
    TextTable texts;
    EXPECT_EQ(loadStartLanguage(texts, folder, "Deutsch.lng"), "");
    write("Zulu.lng", "Zulu");
    write("Basque.lng", "Basque");
    EXPECT_EQ(loadStartLanguage(texts, folder, "Deutsch.lng"), "Basque.lng");
    EXPECT_EQ(texts.text(1), "Basque");
    write("English.lng", "English");
    EXPECT_EQ(loadStartLanguage(texts, folder, "Deutsch.lng"), "English.lng");
    EXPECT_EQ(loadStartLanguage(texts, folder, "Zulu.lng"), "Zulu.lng");
    EXPECT_EQ(texts.text(20005), "Zulu");
    // A name from the settings never reaches outside the folder.
    EXPECT_EQ(loadStartLanguage(texts, folder, "../Zulu.lng"), "English.lng");
    std::filesystem::remove_all(folder);
}

TEST(ViewMouse, GestureOnlyOverNothingAndOneUndoStepPerRelease) {
    Document d;
    d.startHistory();
    ViewMouse mouse;
    // Down over an element: the drag moves no camera.
    mouse.press(true, false, 10, 10, true);
    EXPECT_EQ(mouse.move(d.view, 10, 60, true, false, {}, 0, 1.0f), ViewStep::Nothing);
    EXPECT_FALSE(mouse.release(d, false, false));
    EXPECT_FLOAT_EQ(d.view.tiltX, -60.0f);

    // A click without movement leaves no undo step either.
    mouse.press(true, false, 10, 10, false);
    EXPECT_EQ(mouse.move(d.view, 10, 10, true, false, {}, 0, 1.0f), ViewStep::Nothing);
    EXPECT_FALSE(mouse.release(d, false, false));
    EXPECT_EQ(d.history().size(), 1);

    // Left rotates; the right button joining makes it a zoom; each release after movement records once.
    mouse.press(true, false, 10, 10, false);
    EXPECT_EQ(mouse.move(d.view, 10, 410, true, false, {}, 0, 1.0f), ViewStep::CameraMoved);
    EXPECT_EQ(mouse.gesture(), kGestureRotate);
    EXPECT_FLOAT_EQ(d.view.tiltX, 120.0f);
    mouse.press(true, true, 10, 410, false);
    EXPECT_EQ(mouse.move(d.view, 10, 360, true, true, {}, 0, 1.0f), ViewStep::CameraMoved);
    EXPECT_EQ(mouse.gesture(), kGestureZoom);
    EXPECT_FLOAT_EQ(d.view.viewDistance, -15.0f * 0.9f);
    EXPECT_TRUE(mouse.release(d, false, true));
    EXPECT_FALSE(mouse.release(d, false, false));  // nothing moved since
    EXPECT_EQ(d.history().size(), 2);
    EXPECT_EQ(mouse.gesture(), kGestureNone);
    EXPECT_EQ(mouse.downX(), 10);
    EXPECT_EQ(mouse.downY(), 10);
}
