// The icon the build cuts out of the main window's picture: every size Windows asks
// for, the globe opaque and round, the corners clear.
#include <gtest/gtest.h>

#include <QGuiApplication>
#include <QImageReader>

#include <set>

namespace {

TEST(ProgramIcon, HoldsTheGlobeAtEverySizeWindowsShows) {
    int argc = 1;
    char name[] = "program_icon_test";
    char* argv[] = {name, nullptr};
    QGuiApplication application(argc, argv);
    QImageReader reader(QStringLiteral(TREV_PROGRAM_ICON));
    ASSERT_TRUE(reader.canRead()) << reader.errorString().toStdString();
    std::set<int> sizes;
    do {
        const QImage image = reader.read();
        ASSERT_FALSE(image.isNull());
        ASSERT_EQ(image.width(), image.height());
        const int last = image.width() - 1;
        SCOPED_TRACE(image.width());
        sizes.insert(image.width());
        for (QPoint corner : {QPoint(0, 0), QPoint(last, 0), QPoint(0, last), QPoint(last, last)})
            EXPECT_EQ(image.pixelColor(corner).alpha(), 0);
        // Left of the centre lies sea: opaque and blue.
        const QColor sea = image.pixelColor(image.width() / 5, image.height() / 2);
        EXPECT_EQ(sea.alpha(), 255);
        EXPECT_GT(sea.blue(), sea.red() + 40);
    } while (reader.jumpToNextImage());
    EXPECT_EQ(sizes, (std::set<int>{16, 32, 48, 256}));
}

}  // namespace
