// The screens at a raised DPI (TREV_TEST_DPI: scripts/test-windows runs this under Wine
// at 120 and 144 with the prefix set to it; on Linux Qt's scale factor stands for it):
// the main window's client area is its design size scaled as a whole, and every
// caption still fits its control.
#include "app/frm_pai.h"
#include "settings/frm_config.h"
#include "settings/screen_host.h"
#include "support/qt_application.h"
#include "support/temp_drive.h"
#include "transfer/data_web.h"
#include "transfer/frm_aguarde.h"
#include "ui/application.h"
#include "update/frm_aguarde_sql.h"
#include "update/frm_atualiza_web.h"

#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QApplication>
#include <QCheckBox>
#include <QFontMetricsF>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QStyleOptionButton>
#include <QTest>
#include <QTimer>
#include <QWindow>
#include <qpa/qplatformwindow.h>

#include <algorithm>
#include <cmath>
#include <functional>
#include <memory>

namespace trev {
namespace {

class HighDpi : public ::testing::Test {
protected:
    static void SetUpTestSuite() {
        test::ensureApplication();
        Application::installFontStandIns();
        Application::setMessageHook([](auto, const std::string&, const std::string&) {});
    }
    void SetUp() override { DataWeb = new TDataWeb(); }
    void TearDown() override {
        delete DataWeb;
        DataWeb = nullptr;
    }
    test::TempDrive drive_;
};

// What the caption needs beside its text: a button's indicator or icon.
double textRoom(const QWidget& widget) {
    if (const auto* button = qobject_cast<const QAbstractButton*>(&widget)) {
        QStyleOptionButton option;
        option.initFrom(button);
        option.text = button->text();
        option.icon = button->icon();
        option.iconSize = button->iconSize();
        if (qobject_cast<const QCheckBox*>(button))
            return widget.style()->subElementRect(QStyle::SE_CheckBoxContents, &option, &widget).width();
        if (qobject_cast<const QRadioButton*>(button))
            return widget.style()->subElementRect(QStyle::SE_RadioButtonContents, &option, &widget).width();
        const QRect contents = widget.style()->subElementRect(QStyle::SE_PushButtonContents, &option, &widget);
        return contents.width() - (button->icon().isNull() ? 0 : button->iconSize().width() + 4);
    }
    const auto& label = static_cast<const QLabel&>(widget);
    return label.contentsRect().width() - 2 * std::max(label.indent(), 0);
}

QString captionOf(const QWidget& widget) {
    if (const auto* button = qobject_cast<const QAbstractButton*>(&widget)) return button->text();
    const auto* label = qobject_cast<const QLabel*>(&widget);
    return label && !label->wordWrap() ? label->text() : QString();
}

// Every visible caption of the window: its letters no wider than the room its control
// gives it, by their advances or by their ink. Raised DPIs lay letters at unrounded
// advances, and a caption that fills its box may overhang it by side bearings only.
void expectCaptionsFit(QWidget& window) {
    for (QWidget* widget : window.findChildren<QWidget*>()) {
        const QString caption = QString(captionOf(*widget)).remove(QLatin1Char('&'));
        if (caption.isEmpty() || !widget->isVisibleTo(&window)) continue;
        const QFontMetricsF metrics(widget->font());
        const double width = std::min(metrics.horizontalAdvance(caption), metrics.tightBoundingRect(caption).width());
        EXPECT_LE(width, textRoom(*widget) + 0.5)
            << widget->objectName().toStdString() << " \"" << caption.toStdString() << "\" at "
            << widget->devicePixelRatioF() << "x";
    }
}

// The DPI the run was set up for, not what Qt derived from it.
int testDpi() {
    const int dpi = qEnvironmentVariableIntValue("TREV_TEST_DPI");
    return dpi > 0 ? dpi : 96;
}

TEST_F(HighDpi, TheMainWindowScalesAsAWhole) {
    TFrmPai window(UpdateServer{"127.0.0.1", 1, 1});
    window.show();
    window.TmrFecha->stop();
    ASSERT_NE(window.windowHandle()->handle(), nullptr);
    // The window system's own client area, in its pixels.
    const QRect client = window.windowHandle()->handle()->geometry();
    const double scale = testDpi() / 96.0;
    EXPECT_NEAR(client.width(), 556 * scale, 1.0) << "at " << testDpi() << " DPI";
    EXPECT_NEAR(client.height(), 435 * scale, 1.0) << "at " << testDpi() << " DPI";
    expectCaptionsFit(window);
}

TEST_F(HighDpi, EveryCaptionFitsItsControl) {
    StandaloneHost host(Protocol::Http, UpdateServer{"127.0.0.1", 1, 1});
    const std::function<std::unique_ptr<QWidget>(QWidget*)> screens[] = {
        [&](QWidget* panel) { return std::make_unique<TFrmConfig>(panel, host); },
        [&](QWidget* panel) {
            auto web = std::make_unique<TFrmAtualizaWeb>(panel, host);
            web->Timer1->stop();
            return web;
        },
        [](QWidget* panel) { return std::make_unique<TFrmAguarde>(panel, nullptr); },
        [](QWidget* panel) { return std::make_unique<TFrmAguardeSQL>(panel); },
    };
    for (const auto& make : screens) {
        QWidget panel;
        panel.resize(454, 416);
        std::unique_ptr<QWidget> screen = make(&panel);
        panel.show();
        // Every proxy control shown: the configuration screen hides them on showing without settings.
        if (auto* config = qobject_cast<TFrmConfig*>(screen.get())) {
            config->CBProxy->setChecked(true);
            config->chkAutentica->setChecked(true);
        }
        SCOPED_TRACE(screen->objectName().toStdString());
        expectCaptionsFit(*screen);
    }
}

}  // namespace
}  // namespace trev
