#include "platform/widgets/widgetui.h"

#include "platform/windowregistry.h"

#include <QAbstractButton>
#include <QApplication>
#include <QColorDialog>
#include <QDialog>
#include <QFileDialog>
#include <QInputDialog>
#include <QMessageBox>
#include <QScreen>
#include <QStyle>

namespace mosaicon::platform {

namespace {

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

// A message box that fits the screen it opens on, its details open or
// closed. Its size is known only once it is shown (the label wraps long
// lines to a width Qt picks from the screen), so the fitting is done then:
// a text too tall keeps its first lines, with the whole of it under Show
// Details, where it scrolls in a box of its own height.
class FittingMessageBox final : public QMessageBox
{
public:
    FittingMessageBox(QWidget* parent, const QString& text) : QMessageBox(parent), m_text(text)
    {
        setTextFormat(Qt::PlainText); // several texts hold "<title>"
        setText(text);
    }

protected:
    void showEvent(QShowEvent* event) override
    {
        QMessageBox::showEvent(event);
        if (!m_fitted) {
            m_fitted = true;
            fit();
        }
        keepOnScreen();
    }

private:
    QRect available() const
    {
        const QScreen* shownOn = screen() ? screen() : QGuiApplication::primaryScreen();
        return shownOn ? shownOn->availableGeometry() : QRect();
    }

    // The frame's height; before the window manager has framed the box, a
    // title bar's height is allowed for.
    int frameHeight() const
    {
        const int decoration = frameGeometry().height() - height();
        return height() + qMax(decoration, style()->pixelMetric(QStyle::PM_TitleBarHeight));
    }

    bool fits() const { return frameHeight() <= available().height(); }

    QAbstractButton* detailsButton() const
    {
        for (QAbstractButton* button : buttons()) {
            if (buttonRole(button) == QMessageBox::ActionRole)
                return button;
        }
        return nullptr;
    }

    void fit()
    {
        if (available().isEmpty() || fits())
            return;
        setDetailedText(m_text);
        QAbstractButton* details = detailsButton();
        if (!details)
            return;
        // Fitted with the details open, the box fits with them closed too.
        details->click();
        const int lines = int(m_text.count(u'\n')) + 1;
        int shown = 1;
        int low = 2;
        int high = lines - 1;
        while (low <= high) {
            const int middle = (low + high) / 2;
            setText(fittedText(m_text, middle));
            if (fits()) {
                shown = middle;
                low = middle + 1;
            } else {
                high = middle - 1;
            }
        }
        setText(fittedText(m_text, shown));
        details->click();
        // Placed for its whole text, the box is recentred for the text it shows.
        const QWidget* over = parentWidget() ? parentWidget()->window() : nullptr;
        const int centre = over ? over->frameGeometry().center().y() : available().center().y();
        move(frameGeometry().x(), centre - frameHeight() / 2);
        // Opening the details grows the box downwards: it moves up to stay.
        connect(details, &QAbstractButton::clicked, this, &FittingMessageBox::keepOnScreen);
    }

    void keepOnScreen()
    {
        const QRect screenRect = available();
        if (screenRect.isEmpty())
            return;
        QPoint topLeft = frameGeometry().topLeft();
        if (topLeft.y() + frameHeight() > screenRect.bottom() + 1)
            topLeft.setY(screenRect.bottom() + 1 - frameHeight());
        topLeft.setY(qMax(topLeft.y(), screenRect.top()));
        if (topLeft != frameGeometry().topLeft())
            move(topLeft);
    }

    QString m_text;
    bool m_fitted = false;
};

} // namespace

int WidgetUi::messageBox(const QString& text, int style, const QString& title)
{
    FittingMessageBox box(WidgetUi::dialogParent(), text);
    box.setWindowTitle(title);
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
    case MsgBox::RetryCancel:
        box.setStandardButtons(QMessageBox::Retry | QMessageBox::Cancel);
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
    case QMessageBox::Retry:
        return MsgBox::Retry;
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
