#include "app/ui/About.h"

#include "app/ui/ProgramIcon.h"
#include "common/ui/UiColors.h"
#include "common/ui/UiFonts.h"

#include <QFrame>
#include <QGuiApplication>
#include <QLabel>
#include <QPushButton>
#include <QScreen>

namespace {

const QString kProductTitle = QStringLiteral("ロト７ 数字予想・照合システム【Septarion】");
const QString kNotice = QStringLiteral("Copyright © Ozumel. All rights reserved.\n"
                                       "本ソフトウェアの無断複製・再配布を禁じます。\n"
                                       "予想結果は当選を保証するものではありません。");

QLabel* addLabel(QWidget* parent, const QString& name, const QString& text, const QFont& font,
                 const QRect& geometry) {
    auto* label = new QLabel(text, parent);
    label->setObjectName(name);
    label->setFont(font);
    label->setGeometry(geometry);
    return label;
}

} // namespace

TAboutForm::TAboutForm(const TVersion& version, QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                          Qt::WindowCloseButtonHint | Qt::MSWindowsFixedSizeDialogHint),
      m_version(version) {
    setObjectName(QStringLiteral("AboutForm"));
    setWindowTitle(QStringLiteral("バージョン情報"));
    setFixedSize(577, 319);
    setModal(true);

    auto* panel = new QFrame(this);
    panel->setObjectName(QStringLiteral("pnlAbout"));
    panel->setFrameStyle(QFrame::Panel | QFrame::Raised);
    panel->setLineWidth(2);
    panel->setGeometry(8, 8, 561, 255);

    auto* icon = new QLabel(panel);
    icon->setObjectName(QStringLiteral("ProgramIcon"));
    icon->setGeometry(16, 16, 32, 32);
    icon->setPixmap(programIconPixmap(32));

    addLabel(panel, QStringLiteral("lblAppName"), QStringLiteral("Septarion"),
             latinSerifFont(24, true), QRect(64, 14, 170, 36));
    m_versionLabel = addLabel(panel, QStringLiteral("lblVersion"), QStringLiteral("Version "),
                              latinSerifFont(19, false), QRect(240, 20, 300, 30));

    QLabel* title = addLabel(panel, QStringLiteral("lblProductName"), kProductTitle,
                             fixedGothicFont(24, true), QRect(16, 70, 529, 36));
    QPalette blue = title->palette();
    blue.setColor(QPalette::WindowText, kBlue);
    title->setPalette(blue);

    QLabel* notice = addLabel(panel, QStringLiteral("pnlCopy"), kNotice, minchoFont(15),
                              QRect(16, 126, 529, 110));
    notice->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    notice->setAlignment(Qt::AlignCenter);

    auto* ok = new QPushButton(QStringLiteral("OK"), this);
    ok->setObjectName(QStringLiteral("OKButton"));
    ok->setGeometry(246, 276, 85, 30);
    ok->setDefault(true);
    connect(ok, &QPushButton::clicked, this, &QDialog::accept);
}

void TAboutForm::FormShow() {
    m_versionLabel->setText(QStringLiteral("Version ") + m_version.Text);
}

void TAboutForm::showEvent(QShowEvent* event) {
    FormShow();
    if (const QScreen* screen = QGuiApplication::primaryScreen())
        move(screen->availableGeometry().center() - rect().center());
    QDialog::showEvent(event);
}
