#pragma once

#include <QDockWidget>
#include <string>
#include <vector>

#include "model/construction.h"
#include "model/font_record.h"

class QListWidget;
class TextTable;

// The construction list: a dockable bar of numbered lines, one a listed
// element of the active document, in construction order. Selecting lines
// selects their elements (with the selection tool); a double click asks for
// the element's dialog; its own show-hidden toggle shows hidden elements in a
// style of their own.
class ConstructionList : public QDockWidget {
    Q_OBJECT

  public:
    ConstructionList(const TextTable& texts, QWidget* parent);

    // Rebuilds the lines from a construction; nullptr empties the list.
    void refresh(const Construction* construction);
    // Selects the lines of the elements selected in the view, refreshing first
    // when the view shows another construction.
    void showSelection(const Construction* construction);
    void applyLook(std::uint32_t background, const FontRecord& font, std::uint32_t fontColour);
    bool showHidden() const { return showHidden_; }
    void setShowHidden(bool show);
    // Every line without its leading blanks, each ended by a carriage return
    // (no line feed), as Copy list puts them on the clipboard.
    std::string copyText() const;
    const std::vector<ListLine>& lines() const { return lines_; }
    QListWidget* listWidget() const { return list_; }

  signals:
    // The elements of the selected lines, in list order.
    void linesSelected(const std::vector<Element*>& elements);
    void lineActivated(Element* element);

  private:
    void selectionChanged();

    const TextTable& texts_;
    QListWidget* list_ = nullptr;
    const Construction* construction_ = nullptr;
    std::vector<ListLine> lines_;
    bool showHidden_ = false;
    bool refreshing_ = false;
};
