#include "app/ui_status_bar.h"

#include <QLabel>
#include <QPainter>

namespace trev {
namespace {

const QColor kFace(240, 240, 240);
const QColor kSeparator(160, 160, 160);

}  // namespace

TStatusBar::TStatusBar(const std::vector<int>& panelWidths, QWidget* parent) : QWidget(parent), widths_(panelWidths) {
    for (size_t i = 0; i < widths_.size(); ++i) {
        auto* panel = new QLabel(this);
        panel->setObjectName(QStringLiteral("Panel%1").arg(i));
        panel->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
        panel->setContentsMargins(3, 0, 2, 0);
        panels_.push_back(panel);
    }
    layoutPanels();
}

void TStatusBar::setPanelText(int panel, const QString& text) {
    panels_.at(panel)->setText(text);
    panels_.at(panel)->repaint();
}

QString TStatusBar::panelText(int panel) const { return panels_.at(panel)->text(); }

void TStatusBar::resizeEvent(QResizeEvent*) { layoutPanels(); }

void TStatusBar::layoutPanels() {
    int left = 0;
    for (size_t i = 0; i < panels_.size(); ++i) {
        bool last = i + 1 == panels_.size();
        int w = last ? std::max(widths_[i], width() - left) : widths_[i];
        panels_[i]->setGeometry(left, 2, w - 2, height() - 2);
        left += w;
    }
}

void TStatusBar::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.fillRect(rect(), kFace);
    painter.setPen(kSeparator);
    painter.drawLine(0, 0, width(), 0);
    int left = 0;
    for (size_t i = 0; i + 1 < widths_.size(); ++i) {
        left += widths_[i];
        painter.drawLine(left - 2, 3, left - 2, height() - 3);
    }
}

}  // namespace trev
