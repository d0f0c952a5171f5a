#include "transfer/frm_aguarde.h"

#include "platform/errors.h"
#include "ui/gauge.h"

#include "support/qt_application.h"

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
    EXPECT_EQ(window.Barra()->foreColor(), QColor(255, 150, 100));
    EXPECT_EQ(window.Barra()->backColor(), QColor(247, 247, 247));
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
    EXPECT_EQ(window.Barra()->progress(), 1000);
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

// Counts the paints a widget receives.
class PaintCounter : public QObject {
public:
    explicit PaintCounter(QWidget* widget) { widget->installEventFilter(this); }
    int paints = 0;

protected:
    bool eventFilter(QObject*, QEvent* event) override {
        if (event->type() == QEvent::Paint) ++paints;
        return false;
    }
};

// A gigabyte arrives in 32 KiB blocks; the bar can show only a hundred steps.
TEST_F(FrmAguardeTest, TheBarRepaintsOnlyWhenWhatItShowsChanges) {
    window.show();
    QApplication::processEvents();
    TGauge& bar = *window.Barra();
    PaintCounter counter(&bar);
    const int64_t total = int64_t{1} << 30;
    bar.setMaxValue(total);
    const int afterRange = counter.paints;
    EXPECT_EQ(afterRange, 1) << "a new range is shown at once";
    for (int64_t count = 0; count <= total; count += 32 * 1024) bar.setProgress(count);
    EXPECT_EQ(counter.paints - afterRange, 100);
    EXPECT_EQ(bar.text(), "100%");
    bar.setMaxValue(total);
    EXPECT_EQ(counter.paints - afterRange, 100) << "the same range again changes nothing";
}

// The count is painted at most every 10 ms while blocks arrive, and its last
// value always is: at the block that completes the file and at the end of the transfer.
TEST_F(FrmAguardeTest, TheReceivedCountIsPaintedSparinglyButItsLastValueAlways) {
    window.show();
    QApplication::processEvents();
    PaintCounter counter(window.findChild<QLabel*>("LblRec"));
    dataWeb.HTTPWorkBegin(&dataWeb.HTTP, WorkMode::Read, 200'000);
    for (int64_t count = 1; count < 200'000; ++count) dataWeb.HTTPWork(&dataWeb.HTTP, WorkMode::Read, count);
    const int whileArriving = counter.paints;
    EXPECT_LT(whileArriving, 1000);
    dataWeb.HTTPWork(&dataWeb.HTTP, WorkMode::Read, 200'000);
    EXPECT_EQ(counter.paints, whileArriving + 1) << "the block that completes the file";
    dataWeb.HTTPWorkBegin(&dataWeb.HTTP, WorkMode::Read, 0);
    dataWeb.HTTPWork(&dataWeb.HTTP, WorkMode::Read, 5);
    const int beforeEnd = counter.paints;
    dataWeb.HTTPWorkEnd(&dataWeb.HTTP, WorkMode::Read);
    EXPECT_EQ(counter.paints, beforeEnd + 1) << "the end of a transfer of unknown size";
}

// Counts that arrive faster than they are shown: whatever was skipped, the label
// ends on the last count reported.
struct BurstCase {
    const char* name;
    int64_t total;
    int64_t last;
    bool ended;
    const char* shown;
};

TEST_F(FrmAguardeTest, ABurstOfCountsEndsShowingTheLastOne) {
    const BurstCase cases[] = {
        {"KnownSizeCompleted", 300'000, 300'000, false, "300.000"},
        {"UnknownSizeAtItsEnd", 0, 250'001, true, "250.001"},
        {"KnownSizeBrokenOffAtItsEnd", 300'000, 123'457, true, "123.457"},
    };
    for (const BurstCase& c : cases) {
        dataWeb.HTTPWorkBegin(&dataWeb.HTTP, WorkMode::Read, c.total);
        dataWeb.HTTPWork(&dataWeb.HTTP, WorkMode::Read, 1);
        EXPECT_EQ(text("LblRec"), "0.001") << c.name << ": the first count is shown at once";
        for (int64_t count = 2; count <= c.last; ++count) dataWeb.HTTPWork(&dataWeb.HTTP, WorkMode::Read, count);
        if (c.ended) dataWeb.HTTPWorkEnd(&dataWeb.HTTP, WorkMode::Read);
        EXPECT_EQ(text("LblRec"), c.shown) << c.name;
    }
}

TEST_F(FrmAguardeTest, AnEndWithoutCountsKeepsWhatIsShown) {
    dataWeb.HTTPWorkBegin(&dataWeb.HTTP, WorkMode::Read, 10);
    dataWeb.HTTPWorkEnd(&dataWeb.HTTP, WorkMode::Read);
    EXPECT_EQ(text("LblRec"), "000.000.000");
}

}  // namespace
}  // namespace trev
