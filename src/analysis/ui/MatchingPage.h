#pragma once

#include "common/ui/DrawNumberEdit.h"

#include <QWidget>

// "オンラインデータ照合": matching saved lines against a draw's result.
class TMatchingPage : public QWidget {
    Q_OBJECT
public:
    explicit TMatchingPage(QWidget* parent = nullptr);
    void initControls() {}
    void refresh() {}
    QString drawNumberText() const { return m_drawNumber->drawNumberText(); }
    void setDrawNumberText(const QString& text) { m_drawNumber->setDrawNumberText(text); }

private:
    TDrawNumberEdit* m_drawNumber;
};
