// The update type selection, the screen's show and close, and its layout.
#include "app/frm_pai.h"
#include "update/frm_atualiza_web.h"
#include "update/ui_controls.h"
#include "web_test_support.h"

#include <QHeaderView>
#include <QPushButton>
#include <QRadioButton>
#include <QTimer>
#include <QTreeWidget>

#include <gtest/gtest.h>

#include <memory>

namespace trev {
namespace {

enum class Choice { Nothing, Warning, Server, Terminal };
enum class Action { Servidor, Terminal, Continuar };

class Selection : public ::testing::Test {
protected:
    static void SetUpTestSuite() { webtest::ensureQtApplication(); }
    void SetUp() override {
        screen_ = std::make_unique<TFrmAtualizaWeb>(nullptr);
        screen_->Timer1->stop();
        // The notice as the version check leaves it.
        screen_->Sh_Aviso1->show();
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

TEST_F(Selection, CloseEmptiesTheGlobalReference) {
    FrmAtualizaWeb = screen_.get();
    screen_->close();
    EXPECT_EQ(FrmAtualizaWeb, nullptr);
}

TEST_F(Selection, ShowingClearsTheMainWindowsHintOnlyWhenItBecomesVisible) {
    screen_->hide();
    TFrmPai window(UpdateServer{"update.example", 8080, 2121});
    FrmPai = &window;
    window.setHint("Selecione a opção");
    screen_->show();
    EXPECT_EQ(window.statusText(1), "");
    window.setHint("x");
    screen_->show();
    EXPECT_EQ(window.statusText(1), "x");
    EXPECT_EQ(screen_->protocolLetter(), window.protocolLetter());
    EXPECT_EQ(screen_->updateServer().httpUrl("/a"), "http://update.example:8080/a");
    FrmPai = nullptr;
}

TEST_F(Selection, LayoutOfTheScreen) {
    TFrmAtualizaWeb& s = *screen_;
    EXPECT_EQ(s.size(), QSize(456, 426));
    struct Placement {
        const char* name;
        QRect box;
    } placements[] = {
        {"ListVersao", {14, 40, 427, 215}},    {"Shape3", {10, 23, 435, 236}},       {"Shape5", {10, 273, 434, 53}},
        {"BtnAtualizar", {298, 386, 147, 25}}, {"RadioButton1", {18, 391, 73, 17}}, {"RadioButton2", {100, 391, 73, 17}},
        {"Shape9", {10, 387, 179, 23}},        {"PnAviso01", {12, 346, 178, 39}},   {"PnAviso02", {276, 346, 173, 39}},
        {"PnMenServer", {66, 123, 325, 145}},  {"BitBtn1", {49, 107, 226, 28}},     {"Label9", {6, 31, 309, 75}},
        {"Label7", {397, 24, 36, 13}},         {"Label8", {509, 156, 39, 13}},      {"Lbl_Aviso_12", {44, 2, 121, 31}},
    };
    for (const Placement& p : placements) {
        auto* widget = s.findChild<QWidget*>(p.name);
        ASSERT_NE(widget, nullptr) << p.name;
        EXPECT_EQ(widget->geometry(), p.box) << p.name;
    }
    EXPECT_EQ(s.ListAdicionais->x(), 495);
    EXPECT_TRUE(s.ListAdicionais->isHidden());
    EXPECT_TRUE(s.PnAcao->isHidden());
    EXPECT_TRUE(s.ListArquivos->isHidden());
    EXPECT_FALSE(s.BtnAtualizar->isEnabled());
    EXPECT_EQ(s.Timer1->interval(), 1);
    EXPECT_EQ(s.ImageList1.size(), 3);
    auto headers = [](QTreeWidget* list) {
        std::vector<std::pair<std::string, int>> result;
        for (int i = 0; i < list->columnCount(); ++i)
            result.emplace_back(webtest::utf8(list->headerItem()->text(i)), list->columnWidth(i));
        return result;
    };
    using Columns = std::vector<std::pair<std::string, int>>;
    EXPECT_EQ(headers(s.ListVersao), (Columns{{"Versão", 70}, {"Data", 85}, {"Descrição", 400}}));
    EXPECT_EQ(headers(s.ListAdicionais),
              (Columns{{"Nome", 150}, {"Data", 85}, {"Descrição", 600}, {"Nome EXE", 50}}));
    EXPECT_EQ(s.ListVersao->editTriggers(), QAbstractItemView::NoEditTriggers);
    EXPECT_EQ(s.ListVersao->selectionBehavior(), QAbstractItemView::SelectRows);
}

}  // namespace
}  // namespace trev
