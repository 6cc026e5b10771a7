#include "ui/AboutDialog.h"

#include <QHBoxLayout>
#include <QIcon>
#include <QLabel>
#include <QVBoxLayout>

#include "platform/ProgramVersion.h"
#include "ui/Resources.h"
#include "ui/widgets/HyperlinkLabel.h"
#include "ui/widgets/IconPushButton.h"

namespace nameshift::ui {

AboutDialog::AboutDialog(platform::MessageBox& messages, QWidget* parent) : QDialog(parent) {
    loadResources();
    setWindowTitle(tr("About Nameshift Pro"));
    setWindowFlag(Qt::WindowContextHelpButtonHint, false);

    auto* picture = new QLabel(this);
    picture->setObjectName(QStringLiteral("picture"));
    picture->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    picture->setAlignment(Qt::AlignCenter);
    picture->setPixmap(QIcon(QStringLiteral(":/logo.svg")).pixmap(QSize(200, 48)));

    auto* version =
        new QLabel(tr("Nameshift Pro Version ") + QLatin1String(platform::kProgramVersion), this);
    version->setObjectName(QStringLiteral("version"));
    auto* summary =
        new QLabel(tr("Renames files in batches, by rules or from their ID3 tags."), this);

    auto* authorLabel = new QLabel(tr("&Written by:"), this);
    mailLink_ = new HyperlinkLabel(messages, tr("the Nameshift Pro developers"), this);
    mailLink_->setObjectName(QStringLiteral("mailLink"));
    mailLink_->setUrl(QStringLiteral("mailto:") + QLatin1String(kSupportAddress));
    mailLink_->setUnderline(true);
    mailLink_->setLinkCursor(Qt::PointingHandCursor);
    authorLabel->setBuddy(mailLink_);
    auto* authorRow = new QHBoxLayout;
    authorRow->addWidget(authorLabel);
    authorRow->addWidget(mailLink_);
    authorRow->addStretch(1);

    okButton_ = new IconPushButton(tr("OK"), this);
    okButton_->setObjectName(QStringLiteral("ok"));
    okButton_->setIcons(QStringLiteral(":/icons/apply-hover.svg"),
                        QStringLiteral(":/icons/apply.svg"));
    okButton_->setToolTip(tr("Closes the About box"));
    okButton_->setDefault(true);
    connect(okButton_, &QPushButton::clicked, this, &QDialog::accept);
    // After a failed click the link keeps the focus, and Enter would only fail again.
    connect(mailLink_, &HyperlinkLabel::failed, okButton_,
            [this] { okButton_->setFocus(Qt::OtherFocusReason); });
    auto* buttonRow = new QHBoxLayout;
    buttonRow->addStretch(1);
    buttonRow->addWidget(okButton_);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(picture);
    layout->addWidget(version);
    layout->addWidget(summary);
    layout->addLayout(authorRow);
    layout->addLayout(buttonRow);
    layout->setSizeConstraint(QLayout::SetFixedSize);
    okButton_->setFocus();
}

}  // namespace nameshift::ui
