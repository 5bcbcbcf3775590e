// The options, the language switch and the printer's page.

#include <QAction>
#include <QFontDialog>
#include <QPrinter>
#include <QStatusBar>

#include "app/child_frame.h"
#include "app/main_frame.h"
#include "app/qt_texts.h"
#include "dialogs/options_face.h"
#include "lang/language_files.h"
#include "lang/text_ids.h"
#include "model/selection_commands.h"
#include "view/gl/qt_text.h"

bool CMainFrame::switchLanguage(const std::string& fileName) {
    if (loadLanguage(texts_, languagesFolder_, fileName) != 1) return false;
    settings_.language = fileName;
    useQtTexts(texts_.text(TextTable::kLanguageNameId));
    relabelMenus();
    constructionList_->setWindowTitle(QString::fromStdString(texts_.text(textid::kItemConstructionList)));
    refreshConstructionList();
    updateStatus();
    for (CChildFrame* child : children()) child->redraw();  // the hover and undefined-value texts
    return true;
}

void CMainFrame::showOptions() {
    setTool(0);
    // A dialog over a live copy (the step-by-step display) ends first, as it
    // does when another dialog opens: the options may replace the construction.
    if (current_) current_->session()->openDialog(nullptr);
    Document* document = current_ && current_->openDocument() ? &current_->openDocument()->document : nullptr;
    ProgramOptions program = settings_;
    OptionsDialog options(program, document, listLanguages(languagesFolder_), texts_);
    execOptionsFace(this, options, texts_);
    applyOptions(options, program);
}

QPrinter& CMainFrame::printer() {
    if (!printer_) printer_ = std::make_unique<QPrinter>(QPrinter::HighResolution);
    return *printer_;
}

void CMainFrame::printOptions() {
    setTool(0);
    prompts_->choosePage(this, printer());
}

void CMainFrame::applyOptions(const OptionsDialog& options, const ProgramOptions& program) {
    if (!options.confirmed()) return;
    const std::string language = settings_.language;
    static_cast<ProgramOptions&>(settings_) = program;
    settings_.language = language;
    if (options.languageChanged() && !switchLanguage(program.language))
        prompts_->message(this, texts_.text(textid::kCannotOpenFile), MessageIcon::Stop);
    const DocumentLook& look = settings_.currentLook;
    constructionList_->applyLook(look.listBackground, look.listFont, look.listFontColour);
    for (CChildFrame* child : children()) {
        ViewSession* session = child->session();
        session->setNumberDecimals(settings_.decimals);
        session->setStepDisplayStartsAtLast(settings_.stepByStepOption != 0);
        session->setHideMacroIntermediates(settings_.hideMacroIntermediates != 0);
        // A recomputed construction replaced the one the view's hover pointed into.
        if (child == current_ && options.recomputed()) session->activate();
        child->redraw();
    }
    updateCommandStates();
    refreshConstructionList();
    updateStatus();
}

void CMainFrame::chooseSelectionFont() {
    if (!current_ || !current_->openDocument()) return;
    Document& document = current_->openDocument()->document;
    bool chosen = false;
    const QFont font = QFontDialog::getFont(&chosen, fontFromRecord(document.numberFont), this);
    if (!chosen || !setFontOfSelected(document, fontRecordOf(font, document.numberFont))) return;
    current_->session()->activate();  // the view let go of the construction before
    current_->redraw();
    documentChanged(current_);
}
