#include "app/user_prompts.h"

#include <QColorDialog>
#include <QCoreApplication>
#include <QFileDialog>
#include <QInputDialog>
#include <QLineEdit>
#include <QMessageBox>
#include <QPageSetupDialog>
#include <QPrintDialog>
#include <QPrinter>

namespace {

QString qt(const std::string& text) {
    return QString::fromStdString(text);
}

}  // namespace

void DialogPrompts::message(QWidget* parent, const std::string& text, MessageIcon icon) {
    QMessageBox box(parent);
    box.setWindowTitle(QCoreApplication::applicationName());
    box.setText(qt(text));
    switch (icon) {
        case MessageIcon::Error:
        case MessageIcon::Stop:
            box.setIcon(QMessageBox::Critical);
            break;
        case MessageIcon::Warning:
            box.setIcon(QMessageBox::Warning);
            break;
        case MessageIcon::Information:
            box.setIcon(QMessageBox::Information);
            break;
    }
    box.exec();
}

SaveAnswer DialogPrompts::askSaveChanges(QWidget* parent, const std::string& question) {
    const auto answer =
        QMessageBox::question(parent, QCoreApplication::applicationName(), qt(question),
                              QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel, QMessageBox::Yes);
    if (answer == QMessageBox::Yes) return SaveAnswer::Yes;
    if (answer == QMessageBox::No) return SaveAnswer::No;
    return SaveAnswer::Cancel;
}

std::string DialogPrompts::openFileName(QWidget* parent, const std::string& filter,
                                        const std::string& directory) {
    return QFileDialog::getOpenFileName(parent, QString(), qt(directory), qt(filter)).toStdString();
}

std::string DialogPrompts::saveFileName(QWidget* parent, const SaveDialogRequest& request) {
    QFileDialog dialog(parent);
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setFileMode(QFileDialog::AnyFile);
    dialog.setNameFilter(qt(request.filter));
    dialog.setDefaultSuffix(qt(request.defaultSuffix));
    if (!request.directory.empty()) dialog.setDirectory(qt(request.directory));
    dialog.selectFile(qt(request.initialName));
    // Overwriting asks first, which is the dialog's default.
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return {};
    return dialog.selectedFiles().first().toStdString();
}

bool DialogPrompts::choosePrinter(QWidget* parent, QPrinter& printer) {
    QPrintDialog dialog(&printer, parent);
    dialog.setOption(QAbstractPrintDialog::PrintPageRange, false);
    return dialog.exec() == QDialog::Accepted;
}

bool DialogPrompts::choosePage(QWidget* parent, QPrinter& printer) {
    QPageSetupDialog dialog(&printer, parent);
    return dialog.exec() == QDialog::Accepted;
}

std::optional<int> DialogPrompts::askNumber(QWidget* parent, const std::string& title, int first, int last) {
    bool ok = false;
    const int value = QInputDialog::getInt(parent, QCoreApplication::applicationName(), qt(title), first,
                                           first, last, 1, &ok);
    if (!ok) return std::nullopt;
    return value;
}

std::optional<int> DialogPrompts::askChoice(QWidget* parent, const std::string& title,
                                            const std::vector<std::string>& choices) {
    QStringList items;
    for (const std::string& choice : choices) items.push_back(qt(choice));
    bool ok = false;
    const QString chosen =
        QInputDialog::getItem(parent, QCoreApplication::applicationName(), qt(title), items, 0, false, &ok);
    const qsizetype index = items.indexOf(chosen);
    if (!ok || index < 0) return std::nullopt;
    return static_cast<int>(index);
}

std::optional<std::uint32_t> DialogPrompts::askColour(QWidget* parent, std::uint32_t initial) {
    const QColor start(static_cast<int>(initial & 0xFF), static_cast<int>((initial >> 8) & 0xFF),
                       static_cast<int>((initial >> 16) & 0xFF));
    const QColor chosen = QColorDialog::getColor(start, parent);
    if (!chosen.isValid()) return std::nullopt;
    return static_cast<std::uint32_t>(chosen.red()) | static_cast<std::uint32_t>(chosen.green()) << 8 |
           static_cast<std::uint32_t>(chosen.blue()) << 16;
}

std::optional<std::string> DialogPrompts::askText(QWidget* parent, const std::string& prompt) {
    bool ok = false;
    const QString text = QInputDialog::getText(parent, QCoreApplication::applicationName(), qt(prompt),
                                               QLineEdit::Normal, {}, &ok);
    if (!ok) return std::nullopt;
    return text.toStdString();
}
