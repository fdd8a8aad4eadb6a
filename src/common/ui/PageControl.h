#pragma once

#include <QStringList>
#include <QWidget>

#include <functional>

class QStackedWidget;

// A tab control whose tabs wrap onto as many rows as they need, so that all
// seven captions stay readable in the fixed-width window. Tabs are drawn by
// the style like those of a QTabBar; a click or the keyboard selects one.
class TPageControl : public QWidget {
    Q_OBJECT
public:
    explicit TPageControl(QWidget* parent = nullptr);

    int addTab(QWidget* page, const QString& caption);
    // A tab whose page `build` makes when the tab is first shown, or when
    // buildPage() asks for it; until then an empty stand-in holds its place.
    int addTab(const QString& caption, std::function<QWidget*()> build);
    bool isPageBuilt(int index) const;
    // The tab's page, made now if it was not yet.
    QWidget* buildPage(int index);
    int count() const;
    int currentIndex() const { return m_current; }
    QWidget* currentWidget() const;
    QWidget* widget(int index) const;
    int indexOf(const QWidget* page) const;
    QString tabText(int index) const { return m_captions.value(index); }
    // Area of a tab in this widget's coordinates (for clicks and painting).
    QRect tabRect(int index) const;

    void setCurrentIndex(int index);
    void setCurrentWidget(QWidget* page) { setCurrentIndex(indexOf(page)); }

signals:
    void currentChanged(int index);

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void changeEvent(QEvent* event) override;
    void focusInEvent(QFocusEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;

private:
    void layoutTabs();
    // A tab's area with what the style paints around it.
    QRect paintedRect(int index) const;
    int stripHeight() const;
    QStringList m_captions;
    QList<int> m_naturalWidths; // of the captions in m_measuredFont
    QFont m_measuredFont;
    int m_measuredRowHeight = 0;
    QList<QRect> m_rects;
    QList<std::function<QWidget*()>> m_builders; // empty once the page is made
    QStackedWidget* m_stack;
    int m_current = -1;
    int m_rowHeight = 24;
};
