#include <QStatusBar>
#include <QToolBar>

#include "app/main_frame.h"

void CMainFrame::toggleFullScreen() {
    if (!fullScreen_) {
        // The status bar goes while the construction fills the screen.
        // In viewer mode the bar is hidden by it; what counts is what it hid.
        statusBarBeforeFullScreen_ = viewerMode_ ? barsBeforeViewer_.status : !statusBar()->isHidden();
        statusBar()->hide();
        fullScreen_ = true;
        showFullScreen();
    } else {
        fullScreen_ = false;
        showNormal();
        if (settings_.mwState == 3) showMaximized();
        statusBar()->setVisible(statusBarBeforeFullScreen_ && !viewerMode_);
    }
    updateCommandStates();
}

void CMainFrame::toggleViewerMode() {
    if (!viewerMode_) {
        barsBeforeViewer_ = {!mainBar_->isHidden(), constructionBarShown_,
                             fullScreen_ ? statusBarBeforeFullScreen_ : !statusBar()->isHidden()};
        mainBar_->hide();
        constructionBarShown_ = false;
        flyoutBar_->hide();
        longBar_->hide();
        if (!fullScreen_) statusBar()->hide();
        viewerBar_->show();
        viewerMode_ = true;
        setTool(0);
    } else {
        viewerMode_ = false;
        viewerBar_->hide();
        mainBar_->setVisible(barsBeforeViewer_.main);
        constructionBarShown_ = barsBeforeViewer_.construction;
        flyoutBar_->setVisible(constructionBarShown_ && flyouts_);
        longBar_->setVisible(constructionBarShown_ && !flyouts_);
        if (fullScreen_)
            statusBarBeforeFullScreen_ = barsBeforeViewer_.status;  // back when full screen ends
        else
            statusBar()->setVisible(barsBeforeViewer_.status);
    }
    updateCommandStates();
}
