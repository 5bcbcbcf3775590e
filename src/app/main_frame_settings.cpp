#include <QCoreApplication>
#include <QSettings>
#include <QStatusBar>
#include <QToolBar>

#include "app/child_frame.h"
#include "app/main_frame.h"

void CMainFrame::restoreSettings(const AppSettings& settings, QSettings* store) {
    settings_ = settings;
    settingsStore_ = store;
    setGeometry(settings.mwLeft, settings.mwTop, settings.mwRight - settings.mwLeft,
                settings.mwBottom - settings.mwTop);
    mainBar_->setVisible(settings.mainBar != 0);
    statusBar()->setVisible(settings.statusBar != 0);
    constructionBarShown_ = settings.constructionBar != 0;
    flyouts_ = settings.flyoutButtons != 0;
    constructionList_->setVisible(settings.constructionList != 0);
    constructionList_->applyLook(settings.currentLook.listBackground, settings.currentLook.listFont,
                                 settings.currentLook.listFontColour);
    flyoutBar_->setVisible(constructionBarShown_ && flyouts_);
    longBar_->setVisible(constructionBarShown_ && !flyouts_);
    // Oldest first, so that the most recent ends in front.
    for (auto path = settings.recentFiles.rbegin(); path != settings.recentFiles.rend(); ++path)
        documents_.recentFiles().add(*path);
    rebuildRecentFiles();
    for (CChildFrame* child : children()) {
        child->session()->setNumberDecimals(settings.decimals);
        child->session()->setHideMacroIntermediates(settings.hideMacroIntermediates != 0);
    }
    updateCommandStates();
}

void CMainFrame::showAsStored() {
    if (settings_.mwState == 3)
        showMaximized();
    else
        showNormal();
}

AppSettings CMainFrame::currentSettings() const {
    AppSettings s = settings_;
    const QRect normal = isMaximized() || isFullScreen() ? normalGeometry() : geometry();
    s.mwLeft = normal.left();
    s.mwTop = normal.top();
    s.mwRight = normal.left() + normal.width();
    s.mwBottom = normal.top() + normal.height();
    s.mwState = isMaximized() ? 3 : 1;
    s.mainBar = mainBar_->isHidden() ? 0 : 1;
    s.statusBar = statusBar()->isHidden() ? 0 : 1;
    s.constructionBar = constructionBarShown_ ? 1 : 0;
    s.flyoutButtons = flyouts_ ? 1 : 0;
    s.constructionList = constructionList_->isHidden() ? 0 : 1;
    s.recentFiles = documents_.recentFiles().entries();
    return s;
}

std::string CMainFrame::macroDirectory() const {
    // None stored yet: the program's own folder.
    if (!settings_.lastMacroDirectory.empty()) return settings_.lastMacroDirectory;
    return QCoreApplication::applicationDirPath().toStdString();
}
