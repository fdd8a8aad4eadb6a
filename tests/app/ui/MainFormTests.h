// Shared by the main window's tests: small data files and what the window shows.
#pragma once

#include "GuiTestSupport.h"

#include "app/ui/Main.h"
#include "common/ui/PageControl.h"
#include "common/ui/StringGrid.h"
#include "common/ui/StripedGrid.h"

#include <QAction>
#include <QLineEdit>
#include <QTableView>

inline const QString kMainGuide =
    QStringLiteral("１～３７までの数字の中から、異なる７個の数字を選択してください。");
inline const QString kMissingFile = QStringLiteral(
    "必須データファイルが見つかりませんでした。システム管理者に連絡してください！！");
inline const QString kErrorCaption = QStringLiteral("エラーメッセージ");

// Draw lines, newest first and a week apart, for the given draw numbers.
inline QByteArray drawLines(const QList<int>& drawNumbers) {
    QByteArray bytes;
    QDate date(2016, 1, 1);
    for (int n : drawNumbers) {
        const int base = n % 30;
        bytes += drawLine(n, date.toString(QStringLiteral("yyyy/MM/dd")),
                          {base + 1, base + 2, base + 3, base + 4, base + 5, base + 6, base + 7},
                          {(base + 7) % 37 + 1, (base + 8) % 37 + 1});
        date = date.addDays(-7);
    }
    return bytes;
}

inline QByteArray prizeLines(const QList<int>& drawNumbers) {
    QByteArray bytes;
    for (int n : drawNumbers)
        bytes += prizeLine(n);
    return bytes;
}

inline TPageControl* tabsOf(TMainForm& form) {
    return control<TPageControl>(&form, QStringLiteral("pctrlMain"));
}

inline QAction* actionOf(TMainForm& form, const QString& name) {
    return control<QAction>(&form, name);
}

inline QTableView* historyOf(TMainForm& form) {
    return control<QTableView>(&form, QStringLiteral("viewHistory"));
}

inline StripedGrid* moneyOf(TMainForm& form) {
    return control<StripedGrid>(&form, QStringLiteral("gridMoney"));
}

// All texts of the prize grid, row by row.
inline QVector<QStringList> moneyRows(TMainForm& form) {
    QVector<QStringList> rows;
    for (int r = 0; r < moneyOf(form)->dataRowCount(); ++r)
        rows.append(moneyOf(form)->rowCells(r));
    return rows;
}

inline QString editText(TMainForm& form, const QString& name) {
    while (!form.findChild<QWidget*>(name) && buildNextTabPage(&form)) {
    }
    if (auto* line = form.findChild<QLineEdit*>(name))
        return line->text();
    if (auto* spin = form.findChild<QAbstractSpinBox*>(name))
        return spin->text();
    return QStringLiteral("(no control %1)").arg(name);
}

// All texts of the history list, row by row.
inline QStringList historyTexts(TMainForm& form) {
    const QAbstractItemModel* model = historyOf(form)->model();
    QStringList rows;
    for (int r = 0; r < model->rowCount(); ++r) {
        QStringList cells;
        for (int c = 0; c < model->columnCount(); ++c)
            cells.append(model->index(r, c).data().toString());
        rows.append(cells.join(u'|'));
    }
    return rows;
}

// Lets queued work (a pending close, a second box) run.
inline void settle() {
    for (int i = 0; i < 5; ++i) {
        QCoreApplication::processEvents();
        QTest::qWait(20);
    }
}
