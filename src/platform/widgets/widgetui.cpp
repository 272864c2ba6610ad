#include "platform/widgets/widgetui.h"

#include "platform/windowregistry.h"

#include <QApplication>
#include <QColorDialog>
#include <QDialog>
#include <QFileDialog>
#include <QInputDialog>
#include <QMessageBox>
#include <QScreen>

namespace mosaicon::platform {

namespace {

// Room for a box's text: half the screen's height, in lines, so that the
// title, the icon and the buttons fit beside it.
int linesThatFit(const QWidget& box)
{
    const QScreen* screen = box.screen() ? box.screen() : QGuiApplication::primaryScreen();
    if (!screen)
        return 40;
    return qMax(8, screen->availableGeometry().height() / 2 / box.fontMetrics().lineSpacing());
}

// The text a message box shows within maxLines lines: a longer one keeps its
// first lines, then "… and N more", then a short closing paragraph.
QString fittedText(const QString& text, int maxLines)
{
    const QStringList lines = text.split(u'\n');
    if (lines.size() <= maxLines)
        return text;
    // A short closing paragraph stays: it often asks what the buttons answer.
    QStringList tail;
    const qsizetype blank = lines.lastIndexOf(QString());
    if (blank > 0 && lines.size() - blank <= 3)
        tail = lines.mid(blank);
    const qsizetype head = qMax<qsizetype>(1, maxLines - 1 - tail.size());
    QStringList shown = lines.mid(0, head);
    shown.append(QStringLiteral("\u2026 and %1 more").arg(lines.size() - head - tail.size()));
    return (shown + tail).join(u'\n');
}

} // namespace

int WidgetUi::messageBox(const QString& text, int style, const QString& title)
{
    QMessageBox box(WidgetUi::dialogParent());
    box.setWindowTitle(title);
    box.setTextFormat(Qt::PlainText); // several texts hold "<title>"
    // No box is taller than the screen: a long list shows its first lines
    // here and the whole of it under Show Details, where it scrolls.
    const QString fitted = fittedText(text, linesThatFit(box));
    box.setText(fitted);
    if (fitted != text)
        box.setDetailedText(text);
    switch (style & 0x70) {
    case MsgBox::Critical:
        box.setIcon(QMessageBox::Critical);
        break;
    case MsgBox::Question:
        box.setIcon(QMessageBox::Question);
        break;
    case MsgBox::Exclamation:
        box.setIcon(QMessageBox::Warning);
        break;
    case MsgBox::Information:
        box.setIcon(QMessageBox::Information);
        break;
    default:
        break;
    }
    switch (style & 7) {
    case MsgBox::YesNoCancel:
        box.setStandardButtons(QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel);
        break;
    case MsgBox::YesNo:
        box.setStandardButtons(QMessageBox::Yes | QMessageBox::No);
        break;
    case 1:
        box.setStandardButtons(QMessageBox::Ok | QMessageBox::Cancel);
        break;
    default:
        box.setStandardButtons(QMessageBox::Ok);
        break;
    }
    switch (box.exec()) {
    case QMessageBox::Yes:
        return MsgBox::Yes;
    case QMessageBox::No:
        return MsgBox::No;
    case QMessageBox::Cancel:
        return MsgBox::Cancel;
    case QMessageBox::Ok:
        return MsgBox::Ok;
    default:
        // Closed by its frame: the answer a Cancel or No button would give.
        return (style & 7) == MsgBox::YesNo ? MsgBox::No
               : (style & 7) == MsgBox::OkOnly ? MsgBox::Ok
                                                : MsgBox::Cancel;
    }
}

std::optional<QString> WidgetUi::inputBox(const QString& prompt, const QString& title,
                                          const QString& defaultText)
{
    bool ok = false;
    const QString answer =
        QInputDialog::getText(WidgetUi::dialogParent(), title, prompt, QLineEdit::Normal, defaultText, &ok);
    if (!ok)
        return std::nullopt;
    return answer;
}

QStringList WidgetUi::qtFilters(const QString& filter)
{
    const QStringList parts = filter.split(u'|');
    QStringList filters;
    for (qsizetype i = 0; i + 1 < parts.size(); i += 2) {
        QString patterns = parts.at(i + 1);
        patterns.replace(u';', u' ');
        filters.append(QStringLiteral("%1 (%2)").arg(parts.at(i), patterns));
    }
    return filters;
}

std::optional<QString> WidgetUi::fileDialog(const FileDialogRequest& request)
{
    QString start = request.initialDirectory;
    if (!request.fileName.isEmpty())
        start = start.isEmpty() ? request.fileName : start + u'/' + request.fileName;
    QFileDialog dialog(WidgetUi::dialogParent(), request.title, start);
    dialog.setNameFilters(qtFilters(request.filter));
    // Qt reads the patterns from the bracket qtFilters adds; the user reads
    // each description as the program words it, that bracket left out.
    dialog.setOption(QFileDialog::HideNameFilterDetails);
    if (request.forSaving)
        dialog.setAcceptMode(QFileDialog::AcceptSave);
    else
        dialog.setFileMode(QFileDialog::ExistingFile);
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().value(0).isEmpty())
        return std::nullopt;
    return dialog.selectedFiles().value(0);
}

std::optional<QColor> WidgetUi::colorDialog(const QColor& initial)
{
    const QColor chosen = QColorDialog::getColor(initial, WidgetUi::dialogParent());
    if (!chosen.isValid())
        return std::nullopt;
    return chosen;
}

QWidget* WidgetUi::dialogParent()
{
    QWidget* active = QApplication::activeWindow();
    return active && active->isVisible() ? active : nullptr;
}

bool WidgetUi::showModal(const QString& windowName, QObject* window)
{
    return showRegisteredWindow(windowName, window);
}

} // namespace mosaicon::platform
