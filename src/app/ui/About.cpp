#include "app/ui/About.h"

#include "app/ui/ProgramIcon.h"
#include "common/ui/UiColors.h"
#include "common/ui/UiFonts.h"
#include "common/ui/UiWidgets.h"

#include <QFrame>
#include <QGuiApplication>
#include <QLabel>
#include <QPushButton>
#include <QScreen>

namespace {

// Where each control sits, in pixels of its parent.
namespace geometry {
constexpr QSize kClient{577, 319};
constexpr QRect kPanel{8, 8, 561, 255}, kOk{246, 276, 85, 30};
// In the panel: icon, name and version in the top row, then the product name
// and the notice.
constexpr QRect kIcon{16, 16, 32, 32}, kAppName{64, 14, 170, 36}, kVersion{240, 20, 300, 30};
constexpr QRect kProductName{16, 70, 529, 36}, kCopy{16, 126, 529, 110};
} // namespace geometry

const QString kProductTitle = QStringLiteral("ロト７ 数字予想・照合システム【Septarion】");
const QString kNotice = QStringLiteral("Copyright © Ozumel. All rights reserved.\n"
                                       "本ソフトウェアの無断複製・再配布を禁じます。\n"
                                       "予想結果は当選を保証するものではありません。");

QLabel* addLabel(QWidget* parent, const QString& name, const QString& text, const QFont& font,
                 const QRect& geometry) {
    QLabel* label = makeLabel(parent, name, text, geometry);
    label->setFont(font);
    return label;
}

} // namespace

TAboutForm::TAboutForm(const TVersion& version, QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                          Qt::WindowCloseButtonHint | Qt::MSWindowsFixedSizeDialogHint),
      m_version(version) {
    setObjectName(QStringLiteral("AboutForm"));
    setWindowTitle(QStringLiteral("バージョン情報"));
    setFixedSize(geometry::kClient);
    setModal(true);

    auto* panel = new QFrame(this);
    panel->setObjectName(QStringLiteral("pnlAbout"));
    panel->setFrameStyle(QFrame::Panel | QFrame::Raised);
    panel->setLineWidth(2);
    panel->setGeometry(geometry::kPanel);

    auto* icon = new QLabel(panel);
    icon->setObjectName(QStringLiteral("ProgramIcon"));
    icon->setGeometry(geometry::kIcon);
    icon->setPixmap(programIconPixmap(32));

    addLabel(panel, QStringLiteral("lblAppName"), QStringLiteral("Septarion"),
             latinSerifFont(24, true), geometry::kAppName);
    m_versionLabel = addLabel(panel, QStringLiteral("lblVersion"), QStringLiteral("Version "),
                              latinSerifFont(19, false), geometry::kVersion);

    QLabel* title = addLabel(panel, QStringLiteral("lblProductName"), kProductTitle,
                             fixedGothicFont(24, true), geometry::kProductName);
    QPalette blue = title->palette();
    blue.setColor(QPalette::WindowText, kBlue);
    title->setPalette(blue);

    QLabel* notice =
        addLabel(panel, QStringLiteral("pnlCopy"), kNotice, minchoFont(15), geometry::kCopy);
    notice->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    notice->setAlignment(Qt::AlignCenter);

    auto* ok = new QPushButton(QStringLiteral("OK"), this);
    ok->setObjectName(QStringLiteral("OKButton"));
    ok->setGeometry(geometry::kOk);
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
