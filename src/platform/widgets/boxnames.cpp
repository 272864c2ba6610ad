#include "platform/widgets/boxnames.h"

#include "platform/widgets/pathlabel.h"

#include <QAbstractItemView>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QRegularExpression>

namespace mosaicon::platform {

namespace {

// A caption as read aloud: without its access key marks, "&&" kept as "&".
QString withoutAccessKey(const QString& caption)
{
    QString text;
    for (qsizetype i = 0; i < caption.size(); ++i) {
        if (caption.at(i) == u'&' && i + 1 < caption.size())
            ++i;
        text.append(caption.at(i));
    }
    return text;
}

// A list box. The list inside a combo box's drop-down belongs to the combo
// box; a combo box itself is left alone: a screen reader reads its value for
// its name and its caption through the buddy label that names it.
bool isListBox(const QWidget* w)
{
    if (!qobject_cast<const QAbstractItemView*>(w))
        return false;
    for (const QWidget* up = w->parentWidget(); up; up = up->parentWidget()) {
        if (qobject_cast<const QComboBox*>(up))
            return false;
    }
    return true;
}

// A path shown beside a box is its value, not its caption; a frame's count of
// entries, as in "File List ( 2)", changes as they come and go and is left out.
QString captionOf(const QWidget* box, const QList<QLabel*>& labels)
{
    for (const QLabel* label : labels) {
        if (label->buddy() == box && !label->text().isEmpty() && !qobject_cast<const PathLabel*>(label))
            return withoutAccessKey(label->text());
    }
    static const QRegularExpression count(QStringLiteral("\\s*\\(\\s*\\d+\\s*\\)$"));
    for (const QWidget* up = box->parentWidget(); up; up = up->parentWidget()) {
        if (const auto* frame = qobject_cast<const QGroupBox*>(up); frame && !frame->title().isEmpty())
            return withoutAccessKey(frame->title()).remove(count);
    }
    return {};
}

} // namespace

void nameBoxesByTheirCaptions(QWidget* window)
{
    const QList<QLabel*> labels = window->findChildren<QLabel*>();
    for (QWidget* w : window->findChildren<QWidget*>()) {
        if (isListBox(w) && w->accessibleName().isEmpty())
            w->setAccessibleName(captionOf(w, labels));
    }
}

} // namespace mosaicon::platform
