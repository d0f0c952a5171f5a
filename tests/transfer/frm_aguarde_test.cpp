#include "transfer/frm_aguarde.h"

#include "platform/errors.h"
#include "ui/gauge.h"

#include "app/qt_test_application.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QLabel>

#include <clocale>

namespace trev {
namespace {

class FrmAguardeTest : public ::testing::Test {
protected:
    static void SetUpTestSuite() {
        test::ensureApplication();
        std::setlocale(LC_ALL, "C");  // no separator of its own: the full stop stands in
    }
    QString text(const char* name) { return window.findChild<QLabel*>(name)->text(); }
    TDataWeb dataWeb;
    TFrmAguarde window{nullptr, &dataWeb};
};

TEST_F(FrmAguardeTest, StartsWithItsDesignValues) {
    EXPECT_EQ(window.size(), QSize(430, 52));
    EXPECT_EQ(text("Label1"), "Realizando Download...");
    EXPECT_EQ(text("LblRec"), "000.000.000");
    EXPECT_EQ(text("LblTotal"), "000.000.000");
    EXPECT_EQ(window.Barra()->geometry(), QRect(67, 20, 354, 13));
    EXPECT_EQ(window.Barra()->text(), "0%");
    EXPECT_EQ(window.Barra()->ForeColor(), QColor(255, 150, 100));
    EXPECT_EQ(window.Barra()->BackColor(), QColor(247, 247, 247));
    EXPECT_EQ(dataWeb.progressDisplay(), &window);
}

TEST_F(FrmAguardeTest, WorkEventsUpdateCountsAndBar) {
    dataWeb.HTTPWorkBegin(&dataWeb.HTTP, WorkMode::Read, 2'000'000);
    EXPECT_EQ(text("LblTotal"), "2.000.000");
    EXPECT_EQ(text("LblRec"), "000.000.000") << "work begin leaves the received count";
    dataWeb.HTTPWork(&dataWeb.HTTP, WorkMode::Read, 1'234'567);
    EXPECT_EQ(text("LblRec"), "1.234.567");
    EXPECT_EQ(window.Barra()->text(), "61%");
    dataWeb.HTTPWorkEnd(&dataWeb.HTTP, WorkMode::Read);
    EXPECT_EQ(text("LblRec"), "1.234.567");

    // A smaller second file: the old count is clamped to its maximum until it reports.
    dataWeb.HTTPWorkBegin(&dataWeb.HTTP, WorkMode::Read, 1000);
    EXPECT_EQ(window.Barra()->Progress(), 1000);
    EXPECT_EQ(window.Barra()->text(), "100%");
    dataWeb.HTTPWork(&dataWeb.HTTP, WorkMode::Read, 999);
    EXPECT_EQ(text("LblRec"), "0.999");
    EXPECT_EQ(window.Barra()->text(), "99%");
}

TEST_F(FrmAguardeTest, UnknownSizeKeepsTheBarEmpty) {
    window.hide();  // a hidden window is still updated
    dataWeb.FTPWorkBegin(&dataWeb.FTP, WorkMode::Read, 0);
    dataWeb.FTPWork(&dataWeb.FTP, WorkMode::Read, 512'000);
    EXPECT_EQ(text("LblTotal"), "0.000");
    EXPECT_EQ(text("LblRec"), "512.000");
    EXPECT_EQ(window.Barra()->text(), "0%");
}

TEST_F(FrmAguardeTest, NegativeTotalIsRefused) {
    try {
        dataWeb.HTTPWorkBegin(&dataWeb.HTTP, WorkMode::Read, -1);
        FAIL() << "no error";
    } catch (const Error& e) {
        EXPECT_EQ(std::string(e.what()).rfind("Value must be between 0 and ", 0), 0u) << e.what();
    }
}

TEST(FrmAguarde, UnregistersWhenDestroyed) {
    TDataWeb dataWeb;
    {
        TFrmAguarde window(nullptr, &dataWeb);
        FrmAguarde = &window;
    }
    EXPECT_EQ(dataWeb.progressDisplay(), nullptr);
    EXPECT_EQ(FrmAguarde, nullptr);
    dataWeb.HTTPWorkBegin(nullptr, WorkMode::Read, 10);  // no window: nothing happens
}

}  // namespace
}  // namespace trev
