#include "app/ui/Splash.h"

#include "common/ui/BusyScope.h"
#include "common/ui/UiColors.h"
#include "common/ui/UiFonts.h"

#include <QApplication>
#include <QCloseEvent>
#include <QLabel>
#include <QScreen>

TSplashForm::TSplashForm(QWidget* parent)
    : QWidget(parent, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                          Qt::MSWindowsFixedSizeDialogHint),
      m_title(new QLabel(this)) {
    setObjectName(QStringLiteral("SplashForm"));
    setWindowTitle(QStringLiteral("しばらくおまちください…"));
    setFixedSize(385, 80);
    m_title->setObjectName(QStringLiteral("lblTitle"));
    m_title->setGeometry(rect()); // fills the box
    m_title->setAlignment(Qt::AlignCenter);
    m_title->setFont(gothicFont(15, true));
    QPalette pal = m_title->palette();
    pal.setColor(QPalette::WindowText, kNavy);
    m_title->setPalette(pal);
}

void TSplashForm::showMessage(const QString& text) {
    m_title->setText(text);
    if (!isVisible()) {
        // A modal box over the open form: its close button is not blocked by
        // the form's modality, and nothing else takes clicks meanwhile.
        const bool stoppable = BusyState::progressShown();
        setWindowFlag(Qt::WindowCloseButtonHint, stoppable);
        setWindowModality(stoppable ? Qt::ApplicationModal : Qt::NonModal);
    }
    if (const QScreen* screen = QGuiApplication::primaryScreen()) {
        const QRect area = screen->availableGeometry();
        move(area.center() - QPoint(width() / 2, height() / 2));
    }
    show();
    raise();
    repaint();
}

QString TSplashForm::message() const {
    return m_title->text();
}

void TSplashForm::closeEvent(QCloseEvent* event) {
    if (!BusyState::progressShown()) {
        event->ignore(); // the running command cannot be stopped from here
        return;
    }
    BusyState::stopProgress();
    event->accept();
}
