// The update type selection, and the screen's show and close.
#include "app/frm_pai.h"
#include "support/qt_application.h"
#include "support/web_test_support.h"
#include "ui/controls.h"
#include "update/frm_atualiza_web.h"

#include <QPushButton>
#include <QRadioButton>
#include <QTimer>

#include <gtest/gtest.h>

#include <memory>

namespace trev {
namespace {

enum class Choice { Nothing, Warning, Server, Terminal };
enum class Action { Servidor, Terminal, Continuar };

class Selection : public ::testing::Test {
protected:
    static void SetUpTestSuite() { test::ensureApplication(); }
    void SetUp() override {
        screen_ = std::make_unique<TFrmAtualizaWeb>(nullptr, webtest::standaloneHost());
        screen_->Timer1->stop();
        // The notice as the version check leaves it.
        static_cast<WebUpdateView&>(*screen_).showTypeNotice();
        screen_->show();
    }

    void act(Action action) {
        switch (action) {
        case Action::Servidor: screen_->RadioButton1->click(); break;
        case Action::Terminal: screen_->RadioButton2->click(); break;
        case Action::Continuar: screen_->BitBtn1->click(); break;
        }
    }

    void expectState(Choice choice) {
        TFrmAtualizaWeb& s = *screen_;
        bool radiosEnabled = choice != Choice::Warning;
        EXPECT_EQ(s.RadioButton1->isEnabled(), radiosEnabled);
        EXPECT_EQ(s.RadioButton2->isEnabled(), radiosEnabled);
        EXPECT_EQ(s.RadioButton1->isChecked(), choice == Choice::Warning || choice == Choice::Server);
        EXPECT_EQ(s.RadioButton2->isChecked(), choice == Choice::Terminal);
        EXPECT_EQ(s.PnAviso01->isVisible(), choice == Choice::Nothing);
        EXPECT_EQ(s.PnAviso02->isVisible(), choice == Choice::Server || choice == Choice::Terminal);
        EXPECT_EQ(s.PnMenServer->isVisible(), choice == Choice::Warning);
        EXPECT_EQ(s.BtnAtualizar->isEnabled(), choice == Choice::Server || choice == Choice::Terminal);
    }

    std::unique_ptr<TFrmAtualizaWeb> screen_;
};

TEST_F(Selection, EveryTransitionOfTheStateTable) {
    struct Step {
        Action action;
        Choice after;
    };
    struct Case {
        const char* title;
        std::vector<Step> steps;
    } cases[] = {
        {"server after the warning, then terminal",
         {{Action::Servidor, Choice::Warning}, {Action::Continuar, Choice::Server}, {Action::Terminal, Choice::Terminal}}},
        {"terminal, then server warns again",
         {{Action::Terminal, Choice::Terminal}, {Action::Servidor, Choice::Warning}, {Action::Continuar, Choice::Server}}},
        {"server already checked: no second warning",
         {{Action::Servidor, Choice::Warning}, {Action::Continuar, Choice::Server}, {Action::Servidor, Choice::Server}}},
        {"terminal already checked", {{Action::Terminal, Choice::Terminal}, {Action::Terminal, Choice::Terminal}}},
        {"no way out of the warning but its button",
         {{Action::Servidor, Choice::Warning}, {Action::Terminal, Choice::Warning}, {Action::Servidor, Choice::Warning}}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.title);
        SetUp();
        expectState(Choice::Nothing);
        for (const Step& step : c.steps) {
            act(step.action);
            expectState(step.after);
        }
    }
}

// A run needs the whole list of versions: before the check has ended the type can be
// chosen, but the update cannot start.
TEST_F(Selection, NoUpdateBeforeTheCheckHasEnded) {
    const std::vector<std::vector<Action>> cases = {
        {Action::Terminal}, {Action::Servidor, Action::Continuar}, {Action::Terminal, Action::Servidor, Action::Continuar}};
    for (const std::vector<Action>& actions : cases) {
        screen_ = std::make_unique<TFrmAtualizaWeb>(nullptr, webtest::standaloneHost());
        screen_->Timer1->stop();
        screen_->show();
        for (Action action : actions) act(action);
        EXPECT_TRUE(screen_->PnAviso02->isVisible());
        EXPECT_FALSE(screen_->BtnAtualizar->isEnabled());
    }
}

TEST_F(Selection, CloseEmptiesTheGlobalReference) {
    FrmAtualizaWeb = screen_.get();
    screen_->close();
    EXPECT_EQ(FrmAtualizaWeb, nullptr);
}

TEST_F(Selection, ShowingClearsTheHostsHintOnlyWhenItBecomesVisible) {
    TFrmPai window(UpdateServer{"update.example", 8080, 2121});
    TFrmAtualizaWeb screen(nullptr, window);
    screen.Timer1->stop();
    window.setHint("Selecione a opção");
    screen.show();
    EXPECT_EQ(window.statusText(1), "");
    window.setHint("x");
    screen.show();
    EXPECT_EQ(window.statusText(1), "x");
}

}  // namespace
}  // namespace trev
