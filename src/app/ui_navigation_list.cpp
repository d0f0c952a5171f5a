#include "app/ui_navigation_list.h"

#include <QMouseEvent>

namespace trev {
namespace {

const QColor kHotText(0, 102, 204);

}  // namespace

TNavigationList::TNavigationList(QWidget* parent) : QListWidget(parent) {
    setViewMode(QListView::IconMode);
    setFlow(QListView::TopToBottom);
    setWrapping(false);
    setMovement(QListView::Static);
    setResizeMode(QListView::Adjust);
    setIconSize(QSize(32, 32));
    setGridSize(QSize(99, 66));
    setWordWrap(true);
    setSelectionMode(QAbstractItemView::SingleSelection);
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    setFrameShape(QFrame::NoFrame);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    setMouseTracking(true);
    viewport()->setCursor(Qt::PointingHandCursor);
    connect(this, &QListWidget::itemEntered, this, &TNavigationList::trackHotItem);
    connect(this, &QListWidget::viewportEntered, this, [this] { trackHotItem(nullptr); });
}

void TNavigationList::addNavigationItem(const QString& caption, const QPixmap& icon) {
    auto* item = new QListWidgetItem(QIcon(icon), caption, this);
    item->setTextAlignment(Qt::AlignHCenter | Qt::AlignTop);
    item->setFlags(Qt::ItemIsSelectable | Qt::ItemIsEnabled);
    item->setSizeHint(gridSize());  // icon and caption centred in the whole column
    QFont underlined = font();
    underlined.setUnderline(true);
    item->setFont(underlined);
}

int TNavigationList::selectedIndex() const {
    const auto selected = selectedItems();
    return selected.isEmpty() ? -1 : row(selected.first());
}

void TNavigationList::mousePressEvent(QMouseEvent* event) {
    QListWidget::mousePressEvent(event);
    if (!itemAt(event->position().toPoint())) clearSelection();
}

void TNavigationList::mouseReleaseEvent(QMouseEvent* event) {
    QListWidget::mouseReleaseEvent(event);
    if (event->button() == Qt::LeftButton && onClick) onClick();
}

void TNavigationList::trackHotItem(QListWidgetItem* hot) {
    for (int i = 0; i < count(); ++i)
        item(i)->setForeground(item(i) == hot ? QBrush(kHotText) : palette().brush(QPalette::Text));
}

}  // namespace trev
