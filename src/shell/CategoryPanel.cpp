#include "shell/CategoryPanel.h"

#include <QFont>

namespace qv {

TCategoryPanel::TCategoryPanel(const QString& Caption, int ContentHeight, QWidget* Parent)
    : QWidget(Parent), fHeader(new QToolButton(this)), fContent(new QWidget(this)), fContentHeight(ContentHeight)
{
    fHeader->setText(Caption);
    fHeader->setAccessibleName(Caption);
    fHeader->setToolButtonStyle(Qt::ToolButtonTextBesideIcon);
    fHeader->setArrowType(Qt::DownArrow);
    fHeader->setCheckable(true);
    fHeader->setChecked(true); // checked = expanded
    fHeader->setAutoRaise(true);
    QFont f("Tahoma");
    f.setPixelSize(11);
    fHeader->setFont(f);
    connect(fHeader, &QToolButton::clicked, this, [this](bool checked) { SetCollapsed(!checked); });
    Layout();
}

int TCategoryPanel::HeaderHeight() const { return fHeader->sizeHint().height(); }

int TCategoryPanel::PanelHeight() const { return fCollapsed ? HeaderHeight() : HeaderHeight() + fContentHeight; }

void TCategoryPanel::SetCollapsed(bool Collapsed)
{
    if (Collapsed == fCollapsed) return;
    fCollapsed = Collapsed;
    fHeader->setChecked(!Collapsed);
    fHeader->setArrowType(Collapsed ? Qt::RightArrow : Qt::DownArrow);
    fContent->setVisible(!Collapsed);
    if (OnToggle) OnToggle();
}

void TCategoryPanel::resizeEvent(QResizeEvent*) { Layout(); }

void TCategoryPanel::Layout()
{
    const int h = HeaderHeight();
    fHeader->setGeometry(0, 0, width(), h);
    fContent->setGeometry(0, h, width(), std::max(0, height() - h));
}

} // namespace qv
