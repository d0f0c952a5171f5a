// What a Windows user sees of the configuration screen, with the fonts the program
// installs: bold captions drawn bold and whole, the edit fields in Fixedsys.
#include "settings/frm_config.h"

#include "settings/screen_host.h"
#include "support/look.h"
#include "transfer/update_server.h"
#include "ui/controls.h"

#include <gtest/gtest.h>

#include <QCheckBox>
#include <QFontMetrics>
#include <QLineEdit>
#include <QRadioButton>

#include <memory>

namespace trev {
namespace {

using test::Ink;
using test::inkOf;

class ConfigLook : public ::testing::Test {
protected:
    static void SetUpTestSuite() {
        test::useProgramLook();
    }
    void SetUp() override {
        panel_.resize(454, 416);
        screen_ = std::make_unique<TFrmConfig>(&panel_, host_);
        screen_->CBProxy->setChecked(true);
    }
    QWidget panel_;
    StandaloneHost host_{Protocol::Http, UpdateServer{"127.0.0.1", 1, 1}};
    std::unique_ptr<TFrmConfig> screen_;
};

TEST_F(ConfigLook, BoldCaptionsAreDrawnBoldAndWhole) {
    QWidget* captions[] = {screen_->RbFTP, screen_->RbHTTP, screen_->CBProxy, screen_->LblEndereco, screen_->LblPorta};
    for (QWidget* caption : captions) {
        SCOPED_TRACE(caption->objectName().toStdString());
        const Ink bold = inkOf(caption);
        const int capHeight = QFontMetrics(caption->font()).capHeight();
        const Ink thin = test::inkInRegularFace(caption);
        EXPECT_GT(bold.pixels, thin.pixels * 5 / 4) << "drawn with the strokes of the regular face";
        // A glyph's image sized smaller than its bitmap cuts the letters' tops.
        const int inkHeight = bold.bottom - bold.top + 1;
        EXPECT_GE(inkHeight, capHeight) << "the tops of the capitals are cut";
    }
}

TEST_F(ConfigLook, TheProxyControlsStayInsideTheirOutline) {
    const QRect inside = screen_->Shape1->geometry().adjusted(1, 1, -1, -1);
    for (QWidget* control : {static_cast<QWidget*>(screen_->LblEndereco), static_cast<QWidget*>(screen_->LblPorta),
                             static_cast<QWidget*>(screen_->CheckBox1), static_cast<QWidget*>(screen_->chkAutentica)}) {
        SCOPED_TRACE(control->objectName().toStdString());
        EXPECT_LE(control->x() + inkOf(control).right, inside.right()) << "the caption runs across the outline's right edge";
    }
}

TEST_F(ConfigLook, EditFieldsUseFixedsys) {
    for (QLineEdit* edit : {screen_->EdtEndereco, screen_->EdtPorta, screen_->EdtLogin, screen_->EdtSenha}) {
        SCOPED_TRACE(edit->objectName().toStdString());
        const QFontMetrics metrics(edit->font());
        // Fixedsys: every character 8 pixels wide.
        EXPECT_EQ(metrics.horizontalAdvance(QStringLiteral("proxy.empresa.local")), 19 * 8);
    }
}

}  // namespace
}  // namespace trev
