// What a Windows user sees of the update type, with the fonts the program installs.
#include "support/look.h"
#include "support/web_test_support.h"
#include "ui/controls.h"
#include "update/frm_atualiza_web.h"

#include <gtest/gtest.h>

#include <QPushButton>
#include <QRadioButton>
#include <QStyleOptionButton>
#include <QTimer>

#include <memory>

namespace trev {
namespace {

class Look : public ::testing::Test {
protected:
    static void SetUpTestSuite() {
        test::useProgramLook();
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

QColor indicatorCentre(QRadioButton* radio) {
    QStyleOptionButton option;
    option.initFrom(radio);
    const QRect indicator = radio->style()->subElementRect(QStyle::SE_RadioButtonIndicator, &option, radio);
    return radio->grab().toImage().pixelColor(indicator.center());
}

// Each button is drawn once unchosen first, as it is on screen before the click.
TEST_F(Look, AChosenUpdateTypeShowsItsDot) {
    indicatorCentre(screen_->RadioButton2);
    screen_->RadioButton2->setChecked(true);
    EXPECT_LT(indicatorCentre(screen_->RadioButton2).lightness(), 100) << "Terminal chosen, no dot";

    indicatorCentre(screen_->RadioButton1);
    screen_->RadioButton1->setChecked(true);
    screen_->BitBtn1->click();  // the warning confirmed: the buttons are enabled again
    EXPECT_LT(indicatorCentre(screen_->RadioButton1).lightness(), 100) << "Servidor chosen, no dot";
    EXPECT_GT(indicatorCentre(screen_->RadioButton2).lightness(), 200) << "Terminal still shows a dot";
}

// 17 pixels: a size the bold face has no bitmaps for, drawn from its outlines.
TEST_F(Look, TheServerWarningsTitleIsBold) {
    constexpr int redInk = 200;
    const int bold = test::inkOf(screen_->Label10, redInk).pixels;
    EXPECT_GT(bold, test::inkInRegularFace(screen_->Label10, redInk).pixels * 5 / 4) << "drawn with the strokes of the regular face";
}

}  // namespace
}  // namespace trev
