// The main window with real views: start-up documents, rendering, the open
// rules and their messages, titles and the question before closing.

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QImage>
#include <QListWidget>
#include <QMdiSubWindow>
#include <QMenuBar>
#include <QMimeData>
#include <QPushButton>
#include <QSettings>
#include <QStatusBar>
#include <QTimer>
#include <QToolBar>
#include <QUrl>
#include <fstream>
#include <stdexcept>

#include "app/construction_list.h"
#include "app/icons.h"
#include "app/menu_table.h"
#include "app/open_documents.h"
#include "app/settings.h"
#include "dialogs/options_face.h"
#include "lang/text_ids.h"
#include "window_fixture.h"

namespace {

int pixelsOtherThan(const BgrImage& image, std::uint32_t background) {
    int count = 0;
    for (int y = 0; y < image.height; ++y)
        for (int x = 0; x < image.width; ++x) count += image.pixel(x, y) != background;
    return count;
}

}  // namespace

TEST_F(WindowTest, CommandLineFileIsOpenedAndDrawn) {
    frame->openStartDocuments({dataFile("sample.g3d")});
    ASSERT_EQ(frame->children().size(), 1);
    CChildFrame* child = frame->activeChild();
    ASSERT_TRUE(shown(child));
    EXPECT_TRUE(prompts->messages.empty());
    Document& d = child->openDocument()->document;
    EXPECT_EQ(d.construction().count(), 19);
    EXPECT_EQ(windowOf(child)->windowTitle().toStdString(), normalisedPath(dataFile("sample.g3d")));
    // Its title bar shows the program's icon, not the toolkit's.
    const QImage icon = programIcon().pixmap(32, 32).toImage();
    ASSERT_FALSE(icon.isNull());
    EXPECT_EQ(windowOf(child)->windowIcon().pixmap(32, 32).toImage(), icon);

    const BgrImage image = child->renderImage();
    ASSERT_EQ(image.width, child->viewport().width);
    ASSERT_EQ(image.height, child->viewport().height);
    const int drawn = pixelsOtherThan(image, d.view.backgroundColour);
    EXPECT_GT(drawn, 500) << "the view is blank";
    EXPECT_LT(drawn, image.width * image.height);

    // What the window shows on screen is the same picture.
    const QImage onScreen = child->grabFramebuffer();
    ASSERT_FALSE(onScreen.isNull());
    int differing = 0;
    const QRgb background = qRgb(255, 255, 255);
    for (int y = 0; y < onScreen.height(); ++y)
        for (int x = 0; x < onScreen.width(); ++x)
            differing += (onScreen.pixel(x, y) & 0xFFFFFF) != (background & 0xFFFFFF);
    EXPECT_GT(differing, 500);

    // Without the axes and the construction nothing is left to draw.
    d.view.showAxes = 0;
    d.construction().forEach([](Element& e) { e.visible = 0; });
    EXPECT_EQ(pixelsOtherThan(child->renderImage(), d.view.backgroundColour), 0);
}

TEST_F(WindowTest, StartWithoutOrWithAnUnreadableFileMakesANewDocument) {
    frame->openStartDocuments({});
    ASSERT_EQ(frame->children().size(), 1);
    EXPECT_EQ(frame->activeChild()->openDocument()->title, "Construction 1");
    frame->openStartDocuments({dataFile("missing.g3d")});
    ASSERT_EQ(prompts->messages.size(), 1u);
    EXPECT_EQ(prompts->messages[0].first, "The file cannot be opened.");
    EXPECT_EQ(prompts->messages[0].second, MessageIcon::Stop);
    ASSERT_EQ(frame->children().size(), 2);
    EXPECT_EQ(frame->activeChild()->openDocument()->title, "Construction 2");
    EXPECT_EQ(windowOf(frame->activeChild())->windowTitle(), QStringLiteral("Construction 2"));
}

TEST_F(WindowTest, SeveralStartFilesAndDroppedFilesOpenEachInAWindow) {
    frame->openStartDocuments({dataFile("sample.g3d"), dataFile("missing.g3d"), dataFile("showcase.g3d")});
    ASSERT_EQ(frame->children().size(), 2);  // the unreadable one says so and makes no window
    EXPECT_EQ(prompts->messages.size(), 1u);
    EXPECT_EQ(frame->activeChild()->openDocument()->title, dataFile("showcase.g3d"));

    QMimeData mime;
    mime.setUrls({QUrl::fromLocalFile(QString::fromStdString(dataFile("every_class.g3d"))),
                  QUrl(QStringLiteral("https://example.org/remote.g3d"))});
    QDragEnterEvent enter(QPoint(20, 20), Qt::CopyAction, &mime, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(frame.get(), &enter);
    EXPECT_TRUE(enter.isAccepted());
    QDropEvent drop(QPointF(20, 20), Qt::CopyAction, &mime, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(frame.get(), &drop);
    ASSERT_EQ(frame->children().size(), 3);  // the remote address is not a file
    EXPECT_EQ(frame->activeChild()->openDocument()->title, dataFile("every_class.g3d"));

    // The Window menu lists the three windows, the active one checked; choosing one activates it.
    QMenu* windows = frame->menuBar()->actions()[7]->menu();
    ASSERT_NE(windows, nullptr);
    emit windows->aboutToShow();
    std::vector<QAction*> listed;
    for (QAction* a : windows->actions())
        if (a->isCheckable()) listed.push_back(a);
    ASSERT_EQ(listed.size(), 3u);
    EXPECT_TRUE(listed[0]->text().startsWith(QStringLiteral("&1 ")));
    EXPECT_TRUE(listed[0]->text().endsWith(QString::fromStdString(normalisedPath(dataFile("sample.g3d")))));
    EXPECT_TRUE(listed[2]->isChecked());
    listed[0]->trigger();
    EXPECT_EQ(frame->activeChild()->openDocument()->title, dataFile("sample.g3d"));
    emit windows->aboutToShow();  // listed anew, not added twice
    int checkable = 0;
    for (QAction* a : windows->actions()) checkable += a->isCheckable() ? 1 : 0;
    EXPECT_EQ(checkable, 3);
}

TEST_F(WindowTest, OpenRulesAndFailureTexts) {
    CChildFrame* sample = frame->openDocument(dataFile("sample.g3d"));
    ASSERT_NE(sample, nullptr);
    CChildFrame* fresh = frame->newDocument();
    ASSERT_NE(fresh, nullptr);
    EXPECT_EQ(frame->activeChild(), fresh);

    // Already open, under another letter case: its window comes forward, nothing is added.
    EXPECT_EQ(frame->openDocument(dataFile("SAMPLE.g3d")), sample);
    EXPECT_EQ(frame->activeChild(), sample);
    EXPECT_EQ(frame->mdiArea()->currentSubWindow(), windowOf(sample));
    EXPECT_EQ(frame->children().size(), 2);
    EXPECT_EQ(frame->documents().recentFiles().entries().size(), 1u);

    const struct {
        const char* file;
        const char* text;
    } failures[] = {{"missing.g3d", "The file cannot be opened."},
                    {"newer.g3d", "The file was written by a newer version of the program."},
                    {"damaged.g3d", "The file is not a construction file."}};
    for (const auto& f : failures) {
        prompts->messages.clear();
        EXPECT_EQ(frame->openDocument(dataFile(f.file)), nullptr);
        ASSERT_EQ(prompts->messages.size(), 1u) << f.file;
        EXPECT_EQ(prompts->messages[0].first, f.text);
    }
    EXPECT_EQ(frame->children().size(), 2);
    EXPECT_EQ(frame->activeChild(), sample);

    // File Open goes through the dialog with the constructions filter.
    prompts->openPath = dataFile("sample.g3d");
    frame->action(command::kOpen)->trigger();
    ASSERT_EQ(prompts->openFilters.size(), 1u);
    EXPECT_EQ(prompts->openFilters[0], "Constructions (*.g3d)");
    EXPECT_EQ(frame->children().size(), 2);

    // The active view keeps layers while an element changes (a point's
    // colour here); once another window is the active one it gives them back.
    Element& point = *sample->openDocument()->document.construction().at(0);
    for (const std::uint32_t colour : {0x0000FFu, 0x00FF00u, 0xFF0000u}) {
        point.colour = colour;
        sample->renderImage();
    }
    EXPECT_GT(sample->keptLayerBytes(), 0u);
    frame->mdiArea()->setActiveSubWindow(windowOf(fresh));
    EXPECT_EQ(frame->activeChild(), fresh);
    EXPECT_EQ(sample->keptLayerBytes(), 0u);
}

TEST_F(WindowTest, SaveAsRetitlesTheWindow) {
    CChildFrame* child = frame->newDocument();
    ASSERT_NE(child, nullptr);
    // Save of a never-saved document asks for a name; cancelling changes nothing.
    frame->action(command::kSave)->trigger();
    ASSERT_EQ(prompts->saveRequests.size(), 1u);
    EXPECT_EQ(prompts->saveRequests[0].initialName, "Construction 1");
    EXPECT_EQ(prompts->saveRequests[0].filter, "Constructions (*.g3d)");
    EXPECT_EQ(prompts->saveRequests[0].defaultSuffix, "g3d");
    EXPECT_FALSE(child->openDocument()->everSaved());

    prompts->savePath = temp("nowhere/x.g3d");
    EXPECT_FALSE(frame->saveDocumentAs(child));
    ASSERT_EQ(prompts->messages.size(), 1u);
    EXPECT_EQ(prompts->messages[0].first, "The file cannot be saved.");

    prompts->savePath = temp("saved.g3d");
    ASSERT_TRUE(frame->saveDocumentAs(child));
    EXPECT_EQ(windowOf(child)->windowTitle(), QStringLiteral("saved.g3d"));
    EXPECT_TRUE(std::filesystem::exists(temp("saved.g3d")));
    EXPECT_EQ(frame->openDocument(temp("saved.g3d")), child);
    EXPECT_EQ(frame->children().size(), 1);
}

TEST_F(WindowTest, CloseAsksAboutUnsavedChanges) {
    CChildFrame* child = frame->newDocument();
    ASSERT_NE(child, nullptr);
    // Unmodified: closes without a question.
    windowOf(child)->close();
    processEventsUntil([&] { return frame->children().isEmpty(); });
    EXPECT_TRUE(frame->children().isEmpty());
    EXPECT_TRUE(prompts->questions.empty());
    EXPECT_EQ(frame->documents().count(), 0);
    EXPECT_EQ(frame->activeChild(), nullptr);

    child = frame->newDocument();
    frame->action(command::kAxes)->trigger();
    EXPECT_TRUE(child->openDocument()->document.modified);

    prompts->answers = {SaveAnswer::Cancel};
    frame->action(command::kClose)->trigger();
    ASSERT_EQ(prompts->questions.size(), 1u);
    EXPECT_EQ(prompts->questions[0], "Save the changes to Construction 2 ?");
    EXPECT_EQ(frame->children().size(), 1);

    // Yes, and the save dialog is cancelled: the window stays.
    prompts->answers = {SaveAnswer::Yes};
    frame->action(command::kClose)->trigger();
    EXPECT_EQ(frame->children().size(), 1);

    // Yes with a name: saved, then closed.
    prompts->answers = {SaveAnswer::Yes};
    prompts->savePath = temp("closing.g3d");
    frame->action(command::kClose)->trigger();
    processEventsUntil([&] { return frame->children().isEmpty(); });
    EXPECT_TRUE(frame->children().isEmpty());
    EXPECT_TRUE(std::filesystem::exists(temp("closing.g3d")));
    EXPECT_EQ(frame->documents().count(), 0);

    // Close all stops at the window the user keeps; No closes without saving.
    CChildFrame* a = frame->newDocument();
    CChildFrame* b = frame->newDocument();
    a->toggleAxes();
    b->toggleAxes();
    prompts->questions.clear();
    prompts->answers = {SaveAnswer::Cancel};
    EXPECT_FALSE(frame->closeAllDocuments());
    EXPECT_EQ(frame->children().size(), 2);
    prompts->answers = {SaveAnswer::No, SaveAnswer::No};
    EXPECT_TRUE(frame->closeAllDocuments());
    processEventsUntil([&] { return frame->children().isEmpty(); });
    EXPECT_EQ(frame->documents().count(), 0);
    EXPECT_EQ(prompts->questions.size(), 3u);

    // Exit asks as well, and a cancelled question keeps the program running.
    frame->newDocument()->toggleAxes();
    prompts->answers = {SaveAnswer::Cancel};
    EXPECT_FALSE(frame->close());
    EXPECT_TRUE(frame->isVisible());
}

TEST(Application, AnExceptionInAnEventEndsOnlyThatEvent) {
    struct Throwing : QObject {
        bool event(QEvent*) override { throw std::runtime_error("broken"); }
    };
    Throwing receiver;
    QEvent event(QEvent::User);
    EXPECT_FALSE(QCoreApplication::sendEvent(&receiver, &event));
}

TEST_F(WindowTest, WhatOneRunChangesTheNextRunRestores) {
    const QString settingsFile = QString::fromStdString(temp("KOVA 3D 5.conf"));
    QSettings store(settingsFile, QSettings::IniFormat);
    AppSettings first;
    loadSettings(store, first);
    frame->restoreSettings(first, &store);
    frame->showAsStored();
    EXPECT_TRUE(processEventsUntil([&] { return frame->isMaximized(); })) << "a first start is maximised";

    frame->showNormal();
    frame->setGeometry(30, 40, 640, 480);
    processEventsUntil([&] { return !frame->isMaximized(); });
    frame->runCommand(command::kToolbar);  // hides the main bar
    ASSERT_NE(frame->openDocument(dataFile("sample.g3d")), nullptr);

    // Options: Spanish and five decimals. The menus, the tool bars' tips, the
    // status bar and the construction list speak Spanish at once.
    frame->setLanguagesFolder(std::filesystem::path(KOVA_SOURCE_DIR) / "Languages");
    bool answered = false;
    auto* poll = new QTimer(frame.get());
    QObject::connect(poll, &QTimer::timeout, [&] {
        auto* face = qobject_cast<OptionsFace*>(QApplication::activeModalWidget());
        if (face == nullptr || !face->isVisible()) return;
        poll->stop();
        auto* language = face->findChild<QComboBox*>(QStringLiteral("language"));
        auto* decimals = face->findChild<QComboBox*>(QStringLiteral("ndec_nn"));
        auto* adapt = face->findChild<QCheckBox*>(QStringLiteral("adapMC"));
        if (language && decimals && adapt) {
            language->setCurrentText(QStringLiteral("Espa\u00f1ol"));
            decimals->setCurrentIndex(5);
            adapt->setChecked(false);
            answered = true;
        }
        face->accept();
    });
    poll->start(20);
    frame->runCommand(32778);
    ASSERT_TRUE(answered);
    const QList<QAction*> menus = frame->menuBar()->actions();
    ASSERT_GE(menus.size(), 3);
    EXPECT_EQ(menus[0]->text(), QStringLiteral("Archivo"));
    EXPECT_EQ(menus[2]->text(), QString::fromUtf8("Edici\xC3\xB3n"));
    EXPECT_EQ(frame->action(command::kNew)->toolTip(), QStringLiteral("Nuevo"));
    EXPECT_FALSE(frame->colouredLabels());  // the hover text in the label colour
    const ViewSession& session = *frame->activeChild()->session();
    EXPECT_EQ(frame->toolPaneText().toStdString(), session.statusText(frame->texts()));
    EXPECT_NE(frame->toolPaneText().toStdString(), session.statusText(englishTexts()));
    EXPECT_EQ(frame->constructionList()->windowTitle(), QString::fromUtf8("Lista de la construcci\xC3\xB3n"));
    // Qt's own buttons speak Spanish too.
    const QDialogButtonBox buttons(QDialogButtonBox::Ok | QDialogButtonBox::Cancel);
    EXPECT_EQ(buttons.button(QDialogButtonBox::Cancel)->text(), QStringLiteral("Cancelar"));
    EXPECT_TRUE(frame->constructionList()->lines()[2].text.find("Punto medio") != std::string::npos);
    ASSERT_TRUE(frame->close());
    frame.reset();

    QSettings again(settingsFile, QSettings::IniFormat);
    AppSettings second;
    loadSettings(again, second);
    EXPECT_EQ(second.mwState, 1);
    EXPECT_EQ(second.mwRight - second.mwLeft, 640);
    EXPECT_EQ(second.mwBottom - second.mwTop, 480);
    EXPECT_EQ(second.mainBar, 0);
    EXPECT_EQ(second.language, "Espa\xC3\xB1ol.lng");
    EXPECT_EQ(second.decimals, 5);
    EXPECT_EQ(second.cursorMessageOption, 0);
    ASSERT_EQ(second.recentFiles.size(), 1u);
    EXPECT_TRUE(samePathIgnoringCase(second.recentFiles[0], dataFile("sample.g3d")));

    frame = std::make_unique<CMainFrame>(englishTexts(), std::make_unique<FakePrompts>());
    frame->restoreSettings(second, nullptr);
    frame->showAsStored();
    processEventsUntil([&] { return frame->isVisible(); });
    EXPECT_FALSE(frame->isMaximized());
    EXPECT_TRUE(frame->mainBar()->isHidden());
    EXPECT_EQ(frame->geometry().width(), 640);
    EXPECT_EQ(frame->documents().recentFiles().entries(), second.recentFiles);
}

TEST_F(WindowTest, ConstructionListFollowsTheDocumentAndSelects) {
    ConstructionList* list = frame->constructionList();
    ASSERT_FALSE(list->isHidden());
    CChildFrame* child = frame->openDocument(dataFile("sample.g3d"));
    ASSERT_NE(child, nullptr);
    ASSERT_EQ(list->listWidget()->count(), 6);
    EXPECT_EQ(list->listWidget()->item(3)->text(), QStringLiteral(" 4. Segment [ A,B ]"));
    EXPECT_EQ(list->copyText().substr(0, 19), "1. Point (free) A\r2");

    // What the view selects, the list shows; the style commands need a selection.
    EXPECT_FALSE(frame->action(32829)->isEnabled());  // Font
    frame->runCommand(57642);                         // select all
    EXPECT_EQ(list->listWidget()->selectedItems().size(), 6);
    EXPECT_TRUE(frame->action(32829)->isEnabled());
    list->listWidget()->clearSelection();

    // Lines 1 and 3 select exactly the first and third listed elements.
    list->listWidget()->item(0)->setSelected(true);
    list->listWidget()->item(2)->setSelected(true);
    Construction& c = child->openDocument()->document.construction();
    std::vector<int> selected;
    c.forEach([&](const Element& e) {
        if (e.selected) selected.push_back(c.indexOf(&e));
    });
    EXPECT_EQ(selected, (std::vector<int>{0, 2}));

    // Hiding A takes its line away; B keeps its number.
    frame->runCommand(5945);  // hide/show the selection
    ASSERT_EQ(list->listWidget()->count(), 4);
    EXPECT_EQ(list->listWidget()->item(0)->text(), QStringLiteral(" 2. Point (free) B"));
    list->setShowHidden(true);
    EXPECT_EQ(list->listWidget()->count(), 6);
    EXPECT_TRUE(list->lines()[0].hidden);

    frame->runCommand(command::kConstructionList);
    EXPECT_TRUE(list->isHidden());
}

TEST_F(WindowTest, HelpOpensOnTheToolsPageOrSaysItIsMissing) {
    frame->setHelpRoot(std::filesystem::path(KOVA_SOURCE_DIR) / "help");
    ASSERT_NE(frame->newDocument(), nullptr);
    frame->setTool(11);
    ASSERT_EQ(frame->currentTool(), 11);
    frame->runCommand(32785);  // F1
    ASSERT_NE(frame->helpWindow(), nullptr);
    EXPECT_TRUE(frame->helpWindow()->isVisible());
    EXPECT_TRUE(frame->helpWindow()->source().path().endsWith(QStringLiteral("kova3d_en/lines.html")));
    EXPECT_EQ(frame->helpWindow()->source().fragment(), QStringLiteral("tool-11"));
    EXPECT_FALSE(frame->helpWindow()->toPlainText().isEmpty());
    EXPECT_TRUE(prompts->messages.empty());

    frame->setHelpRoot(temp("no-help"));
    frame->runCommand(32784);  // contents
    ASSERT_EQ(prompts->messages.size(), 1u);
    EXPECT_EQ(prompts->messages[0].second, MessageIcon::Warning);
}

TEST_F(WindowTest, FullScreenAndViewerModeHideAndGiveBackTheBars) {
    ASSERT_NE(frame->newDocument(), nullptr);
    frame->runCommand(command::kToolbar2);  // the construction bar hidden before
    frame->runCommand(command::kViewerMode);
    EXPECT_TRUE(frame->viewerMode());
    EXPECT_TRUE(frame->mainBar()->isHidden());
    EXPECT_TRUE(frame->statusBar()->isHidden());
    EXPECT_FALSE(frame->viewerBar()->isHidden());
    EXPECT_EQ(frame->currentTool(), 0);

    frame->runCommand(command::kFullScreen);
    EXPECT_TRUE(processEventsUntil([&] { return frame->isFullScreen(); }));
    frame->runCommand(command::kViewerMode);  // leaving viewer mode in full screen: no status bar yet
    EXPECT_FALSE(frame->mainBar()->isHidden());
    EXPECT_TRUE(frame->flyoutBar()->isHidden()) << "it was hidden before";
    EXPECT_TRUE(frame->statusBar()->isHidden());
    frame->runCommand(command::kFullScreen);
    EXPECT_TRUE(processEventsUntil([&] { return !frame->isFullScreen(); }));
    EXPECT_FALSE(frame->statusBar()->isHidden());
    EXPECT_TRUE(frame->viewerBar()->isHidden());
}
