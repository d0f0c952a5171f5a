#include "support/qt_application.h"
#include "ui/controls.h"
#include "ui/icons.h"

#include <gtest/gtest.h>

#include <QTreeWidget>

namespace trev {
namespace {

class Controls : public ::testing::Test {
protected:
    static void SetUpTestSuite() { test::ensureApplication(); }
};

TEST_F(Controls, ListRowsKeepTheirHeightAndTextPlaceWhenTheyGetAnIcon) {
    QTreeWidget list;
    list.setColumnCount(2);
    list.setIconSize(QSize(16, 16));
    list.setItemDelegate(new TIconPlaceDelegate(&list));
    list.resize(300, 200);
    auto* bare = new QTreeWidgetItem(&list, QStringList{"6.0.0.2", "10/03/2014"});
    auto* marked = new QTreeWidgetItem(&list, QStringList{"6.0.0.3", "11/03/2014"});
    marked->setIcon(0, updateIcons().value(1));
    list.show();
    const QRect bareRow = list.visualItemRect(bare);
    const QRect markedRow = list.visualItemRect(marked);
    EXPECT_EQ(bareRow.height(), markedRow.height());
    EXPECT_GE(bareRow.height(), list.iconSize().height());
    // The first row gets its icon later: nothing below it moves.
    bare->setIcon(0, updateIcons().value(0));
    EXPECT_EQ(list.visualItemRect(marked), markedRow);
}

TEST_F(Controls, AGroupBoxCaptionSitsOnTheFrameLine) {
    QWidget parent;
    parent.resize(200, 80);
    auto* group = new TGroupBox(QStringLiteral("Protocolo"), &parent);
    group->setGeometry(10, 10, 180, 49);
    QPalette white = parent.palette();
    white.setColor(QPalette::Window, Qt::white);
    parent.setPalette(white);
    parent.setAutoFillBackground(true);
    const QImage picture = group->grab().toImage();
    const int line = QFontMetrics(group->font()).height() / 2;
    // Left of the caption the top line is drawn; behind the caption it is not.
    auto inkIn = [&](int fromX, int toX, int y) {
        for (int x = fromX; x < toX; ++x)
            if (picture.pixelColor(x, y) != QColor(Qt::white)) return true;
        return false;
    };
    EXPECT_TRUE(inkIn(3, 7, line)) << "no frame line left of the caption";
    EXPECT_TRUE(inkIn(0, 3, line + 5)) << "no left edge below the caption";
    EXPECT_FALSE(inkIn(3, 170, 0)) << "something drawn above the caption's middle at the top";
}

}  // namespace
}  // namespace trev
