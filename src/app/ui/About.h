#pragma once

#include "common/ComType.h"

#include <QDialog>

class QLabel;

// The version box: the program's icon, name and version, its Japanese title
// and the notices. Created once with the window and shown modally.
class TAboutForm : public QDialog {
    Q_OBJECT
public:
    // The version is read each time the box is shown; it is filled at start-up.
    explicit TAboutForm(const TVersion& version, QWidget* parent = nullptr);

    void FormShow();

protected:
    void showEvent(QShowEvent* event) override;

private:
    const TVersion& m_version;
    QLabel* m_versionLabel;
};
