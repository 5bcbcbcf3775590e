#include <QAction>
#include <QClipboard>
#include <QGuiApplication>
#include <QListWidget>
#include <QMenu>

#include "app/child_frame.h"
#include "app/main_frame.h"
#include "app/menu_table.h"
#include "lang/text_ids.h"

void CMainFrame::makeConstructionList() {
    constructionList_ = new ConstructionList(texts_, this);
    addDockWidget(Qt::LeftDockWidgetArea, constructionList_);
    connect(constructionList_, &ConstructionList::linesSelected, this,
            [this](const std::vector<Element*>& elements) {
                if (current_ && current_->session()->selectListed(elements)) current_->showSession();
            });
    connect(constructionList_, &ConstructionList::lineActivated, this, [this](Element* element) {
        if (!current_ || !element) return;
        setTool(0);
        current_->openElementDialog(*element);
    });
    connect(constructionList_, &QDockWidget::visibilityChanged, this, [this](bool visible) {
        if (visible) refreshConstructionList();
        if (QAction* a = action(command::kConstructionList)) a->setChecked(!constructionList_->isHidden());
    });

    // The list's own menu: its show-hidden toggle and Copy list.
    QListWidget* list = constructionList_->listWidget();
    list->setContextMenuPolicy(Qt::CustomContextMenu);
    connect(list, &QWidget::customContextMenuRequested, this, [this, list](const QPoint& at) {
        QMenu menu(list);
        QAction* hidden = menu.addAction(QString::fromStdString(texts_.text(textid::kItemListViewHidden)));
        hidden->setCheckable(true);
        hidden->setChecked(constructionList_->showHidden());
        QAction* copy = menu.addAction(QString::fromStdString(texts_.text(textid::kItemListCopy)));
        const QAction* chosen = menu.exec(list->mapToGlobal(at));
        if (chosen == hidden) constructionList_->setShowHidden(!constructionList_->showHidden());
        if (chosen == copy)
            QGuiApplication::clipboard()->setText(QString::fromStdString(constructionList_->copyText()));
    });
}

void CMainFrame::toggleConstructionList() {
    constructionList_->setVisible(constructionList_->isHidden());
    updateCommandStates();
}

void CMainFrame::refreshConstructionList() {
    if (!constructionList_ || constructionList_->isHidden()) return;
    const Document* d = current_ && current_->openDocument() ? &current_->openDocument()->document : nullptr;
    constructionList_->refresh(d ? &d->construction() : nullptr);
}
