#include "ui/qtdialogs.h"

#include "ui/titlebar.h"

#include <QFileDialog>
#include <QFileInfo>
#include <QInputDialog>
#include <QMessageBox>

namespace {

QMessageBox::Icon toQt(Dialogs::Icon icon)
{
    switch (icon) {
    case Dialogs::Icon::Information:
        return QMessageBox::Information;
    case Dialogs::Icon::Question:
        return QMessageBox::Question;
    case Dialogs::Icon::Exclamation:
        return QMessageBox::Warning;
    case Dialogs::Icon::Critical:
        return QMessageBox::Critical;
    }
    return QMessageBox::NoIcon;
}

QMessageBox::StandardButtons toQt(Dialogs::Buttons buttons)
{
    switch (buttons) {
    case Dialogs::Buttons::OK:
        return QMessageBox::Ok;
    case Dialogs::Buttons::OKCancel:
        return QMessageBox::Ok | QMessageBox::Cancel;
    case Dialogs::Buttons::YesNo:
        return QMessageBox::Yes | QMessageBox::No;
    case Dialogs::Buttons::YesNoCancel:
        return QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel;
    }
    return QMessageBox::Ok;
}

// What a box closed without a button (Escape, the title bar) means.
Dialogs::Answer closedAnswer(Dialogs::Buttons buttons)
{
    switch (buttons) {
    case Dialogs::Buttons::OK:
        return Dialogs::Answer::OK;
    case Dialogs::Buttons::YesNo:
        return Dialogs::Answer::No;
    case Dialogs::Buttons::OKCancel:
    case Dialogs::Buttons::YesNoCancel:
        return Dialogs::Answer::Cancel;
    }
    return Dialogs::Answer::Cancel;
}

} // namespace

Dialogs::Answer QtDialogs::message(const QString& text, const QString& title, Icon icon,
                                   Buttons buttons)
{
    QMessageBox box(toQt(icon), title, text, toQt(buttons), m_parent);
    // A box sizes itself to its text: a short one ("Profile Saved!") would
    // leave its title cut short.
    FitTitle(&box);
    if (buttons == Buttons::YesNo)
        box.setEscapeButton(QMessageBox::No);
    switch (box.exec()) {
    case QMessageBox::Ok:
        return Answer::OK;
    case QMessageBox::Cancel:
        return Answer::Cancel;
    case QMessageBox::Yes:
        return Answer::Yes;
    case QMessageBox::No:
        return Answer::No;
    default:
        return closedAnswer(buttons);
    }
}

QString QtDialogs::input(const QString& prompt, const QString& title, const QString& proposed)
{
    bool ok = false;
    const QString text =
        QInputDialog::getText(m_parent, title, prompt, QLineEdit::Normal, proposed, &ok);
    return ok ? text : QString();
}

QString QtDialogs::openFile(const OpenFileRequest& request)
{
    QFileDialog dialog(m_parent, request.title);
    dialog.setAcceptMode(QFileDialog::AcceptOpen);
    dialog.setFileMode(request.mustExist ? QFileDialog::ExistingFile : QFileDialog::AnyFile);
    QStringList filters;
    for (const auto& [description, pattern] : request.filters)
        filters.append(description.contains(pattern) ? description
                                                     : description + " (" + pattern + ')');
    dialog.setNameFilters(filters);
    if (request.selectedFilter >= 0 && request.selectedFilter < filters.size())
        dialog.selectNameFilter(filters.at(request.selectedFilter));
    dialog.setDefaultSuffix(request.defaultSuffix);
    const QFileInfo initial(request.initialFile);
    if (!request.initialFile.isEmpty()) {
        if (initial.dir().exists())
            dialog.setDirectory(initial.dir());
        dialog.selectFile(initial.fileName());
    }
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return QString();
    return dialog.selectedFiles().constFirst();
}
