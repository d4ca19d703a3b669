#pragma once
// A collapsible panel of the options column: a header button with the
// caption and an arrow, and below it a content area of fixed design height
// whose controls are placed by position. Collapsing hides the content and
// leaves the header.
#include <QToolButton>
#include <QWidget>

#include <functional>

namespace qv {

class TCategoryPanel : public QWidget {
public:
    // ContentHeight: height of the content area (already scaled).
    TCategoryPanel(const QString& Caption, int ContentHeight, QWidget* Parent);

    QWidget* Content() const { return fContent; }
    QToolButton* Header() const { return fHeader; }
    bool Collapsed() const { return fCollapsed; }
    void SetCollapsed(bool Collapsed);
    int HeaderHeight() const;
    // The panel's height in its present state (header alone when collapsed).
    int PanelHeight() const;
    int ContentHeight() const { return fContentHeight; }
    // Called after the panel collapsed or expanded.
    std::function<void()> OnToggle;

protected:
    void resizeEvent(QResizeEvent* e) override;

private:
    void Layout();
    QToolButton* fHeader;
    QWidget* fContent;
    int fContentHeight;
    bool fCollapsed = false;
};

} // namespace qv
