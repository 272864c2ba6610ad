#pragma once

#include <QLabel>

namespace mosaicon::platform {

// A label that shows a path, or a line naming one, as plain text. Where the
// label is narrower than the text, its middle gives way to "…" so that both its
// start and its file name stay in sight; the tool tip then shows the whole text.
// text() stays the whole path, so a screen reader reads all of it.
class PathLabel final : public QLabel
{
    Q_OBJECT

public:
    explicit PathLabel(QWidget* parent = nullptr);

    // What the label shows in its present width.
    QString shownText() const;
    QSize minimumSizeHint() const override;

protected:
    bool event(QEvent* event) override;
    void paintEvent(QPaintEvent* event) override;
};

} // namespace mosaicon::platform
