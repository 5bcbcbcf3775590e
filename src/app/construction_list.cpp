#include "app/construction_list.h"

#include <QListWidget>

#include "lang/text_ids.h"
#include "lang/text_table.h"
#include "model/type_codes.h"
#include "view/gl/qt_text.h"

ConstructionList::ConstructionList(const TextTable& texts, QWidget* parent)
    : QDockWidget(QString::fromStdString(texts.text(textid::kItemConstructionList)), parent), texts_(texts) {
    setObjectName(QStringLiteral("constructionList"));
    list_ = new QListWidget(this);
    list_->setSelectionMode(QAbstractItemView::ExtendedSelection);
    setWidget(list_);
    connect(list_, &QListWidget::itemSelectionChanged, this, &ConstructionList::selectionChanged);
    connect(list_, &QListWidget::itemDoubleClicked, this, [this](QListWidgetItem* item) {
        const int row = list_->row(item);
        if (row >= 0 && row < static_cast<int>(lines_.size()))
            emit lineActivated(lines_[static_cast<std::size_t>(row)].element);
    });
}

void ConstructionList::refresh(const Construction* construction) {
    construction_ = construction;
    refreshing_ = true;
    list_->clear();
    lines_.clear();
    if (construction) {
        lines_ = construction->listLines(descriptionLookup(texts_), showHidden_);
        QFont hiddenFont = list_->font();
        hiddenFont.setItalic(true);
        for (const ListLine& line : lines_) {
            auto* item = new QListWidgetItem(QString::fromStdString(line.text), list_);
            if (line.hidden) {
                item->setFont(hiddenFont);
                item->setForeground(QColor(0x80, 0x80, 0x80));
            }
            item->setSelected(line.element->selected != 0);
        }
    }
    refreshing_ = false;
}

void ConstructionList::showSelection(const Construction* construction) {
    if (construction != construction_) {
        refresh(construction);
        return;
    }
    refreshing_ = true;
    // Called at every mouse move: only the lines that differ are touched.
    for (int row = 0; row < list_->count() && row < static_cast<int>(lines_.size()); ++row) {
        QListWidgetItem* item = list_->item(row);
        const bool selected = lines_[static_cast<std::size_t>(row)].element->selected != 0;
        if (item->isSelected() != selected) item->setSelected(selected);
    }
    refreshing_ = false;
}

void ConstructionList::applyLook(std::uint32_t background, const FontRecord& font, std::uint32_t fontColour) {
    QPalette palette = list_->palette();
    palette.setColor(QPalette::Base, qtColour(background));
    palette.setColor(QPalette::Text, qtColour(fontColour));
    list_->setPalette(palette);
    // A record without a face name keeps the system's font.
    constexpr std::size_t kFaceNameOffset = 28;
    if (font.bytes[kFaceNameOffset] != 0) list_->setFont(fontFromRecord(font));
    refresh(construction_);
}

void ConstructionList::setShowHidden(bool show) {
    showHidden_ = show;
    refresh(construction_);
}

std::string ConstructionList::copyText() const {
    std::string text;
    for (const ListLine& line : lines_) {
        const std::size_t start = line.text.find_first_not_of(' ');
        if (start != std::string::npos) text += line.text.substr(start);
        text += '\r';
    }
    return text;
}

void ConstructionList::selectionChanged() {
    if (refreshing_) return;
    std::vector<Element*> elements;
    for (int row = 0; row < list_->count(); ++row)
        if (list_->item(row)->isSelected() && row < static_cast<int>(lines_.size()))
            elements.push_back(lines_[static_cast<std::size_t>(row)].element);
    emit linesSelected(elements);
}
