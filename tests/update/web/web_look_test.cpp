// What a Windows user sees of the update type, with the fonts the program installs.
#include "support/qt_application.h"
#include "support/web_test_support.h"
#include "ui/application.h"
#include "ui/controls.h"
#include "update/frm_atualiza_web.h"

#include <gtest/gtest.h>

#include <QRadioButton>
#include <QTimer>

#include <memory>

namespace trev {
namespace {

class Look : public ::testing::Test {
protected:
    static void SetUpTestSuite() {
        test::ensureApplication();
        Application::installFontStandIns();
    }
    void SetUp() override {
        screen_ = std::make_unique<TFrmAtualizaWeb>(nullptr, webtest::standaloneHost());
        screen_->Timer1->stop();
    }
    std::unique_ptr<TFrmAtualizaWeb> screen_;
};

TEST_F(Look, TheUpdateTypeButtonsShowTheirFramesGreyAndWholeCaptions) {
    for (QRadioButton* radio : {screen_->RadioButton1, screen_->RadioButton2}) {
        SCOPED_TRACE(radio->text().toStdString());
        const QImage picture = radio->grab().toImage();
        // Behind the caption's end, where no letter is drawn.
        const QString frameGrey = screen_->Shape9->brushColor.name();
        EXPECT_EQ(picture.pixelColor(radio->width() - 2, 1).name(), frameGrey);
        EXPECT_EQ(picture.pixelColor(radio->width() - 2, radio->height() / 2).name(), frameGrey);
        EXPECT_LE(radio->sizeHint().width(), radio->width()) << "the caption is cut";
    }
}

}  // namespace
}  // namespace trev
