#include "dialogs/widgets/frmassoctext2.h"

#include "platform/numbers.h"
#include "platform/widgets/namedwidget.h"
#include "platform/widgets/registerdialog.h"

#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPixmap>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace mosaicon {

using platform::namedWidget;
using platform::pixels;
using platform::plainLabel;

FrmAssocText2::FrmAssocText2(AssocText* value, QWidget* parent) : ValueDialog(value, parent)
{
    setObjectName(QStringLiteral("frm_assoctext2"));
    auto* form = new QVBoxLayout(this);

    auto* fileFrame = m_binder.bind(namedWidget<QGroupBox>(QStringLiteral("Frame2"), this),
                                    &AssocText::Frame2);
    (new QVBoxLayout(fileFrame))
        ->addWidget(m_binder.bind(plainLabel(QStringLiteral("o_filename"), {}, fileFrame), &AssocText::o_filename));
    form->addWidget(fileFrame);
    form->addWidget(buildImage(), 0, Qt::AlignHCenter);

    auto* titleFrame = m_binder.bind(namedWidget<QGroupBox>(QStringLiteral("Frame4"), this),
                                     &AssocText::Frame4);
    (new QVBoxLayout(titleFrame))
        ->addWidget(m_binder.bind(namedWidget<QLineEdit>(QStringLiteral("o_title"), titleFrame),
                                  &AssocText::o_title));
    form->addWidget(titleFrame);

    auto* textFrame = m_binder.bind(namedWidget<QGroupBox>(QStringLiteral("Frame1"), this),
                                    &AssocText::Frame1);
    auto* textColumn = new QVBoxLayout(textFrame);
    textColumn->addWidget(m_binder.bind(
        namedWidget<QPlainTextEdit>(QStringLiteral("o_text"), textFrame), &AssocText::o_text));
    QLabel* hint = m_binder.bind(plainLabel(QStringLiteral("Label1"), {}, textFrame), &AssocText::Label1);
    hint->setWordWrap(true);
    textColumn->addWidget(hint);
    form->addWidget(textFrame, 1);

    auto* buttons = new QHBoxLayout;
    buttons->addWidget(actionButton("Command1", "OK", &AssocText::saveAndClose));
    buttons->addWidget(cancelButton("Command2"));
    buttons->addWidget(actionButton("Command3", "Clear Text", &AssocText::clearText));
    form->addLayout(buttons);

    closeWhenHidden();
    push();
}

QWidget* FrmAssocText2::buildImage()
{
    auto* frame = m_binder.bind(namedWidget<QGroupBox>(QStringLiteral("Frame3"), this),
                                &AssocText::Frame3);
    m_image = namedWidget<QLabel>(QStringLiteral("o_image"), frame);
    m_image->setAlignment(Qt::AlignCenter);
    m_image->setFixedSize(pixels(AssocText::previewWidth), pixels(AssocText::previewHeight));
    (new QVBoxLayout(frame))->addWidget(m_image);
    return frame;
}

void FrmAssocText2::push()
{
    if (!m_value)
        return;
    setWindowTitle(m_value->caption);
    m_binder.push();
    const QImage picture = m_value->o_image.picture();
    if (picture.isNull()) {
        m_image->clear();
        return;
    }
    const QSize size(pixels(m_value->o_image.width()), pixels(m_value->o_image.height()));
    m_image->setPixmap(QPixmap::fromImage(
        picture.scaled(size.boundedTo(m_image->size()), Qt::KeepAspectRatio, Qt::SmoothTransformation)));
}

void registerFrmAssocText2()
{
    platform::registerDialog<FrmAssocText2, AssocText>(QStringLiteral("frm_assoctext2"));
}

} // namespace mosaicon
