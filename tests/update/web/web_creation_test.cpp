// Creating the screen loads the database client library; without it there is no screen.
#include "app/frm_pai.h"
#include "platform/codepage.h"
#include "protocols/db/db_client_library.h"
#include "support/qt_application.h"
#include "support/web_test_support.h"
#include "ui/application.h"
#include "update/frm_atualiza_web.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>

namespace trev {
namespace {

// In a fresh process: the library is loaded once per process.
TEST(ScreenCreation, FailsWhenTheClientLibraryCannotBeLoaded) {
    GTEST_FLAG_SET(death_test_style, "threadsafe");
    EXPECT_EXIT(
        {
            test::ensureApplication();
            webtest::InstallTree tree;
            setClientLibraryName("libtrev-missing-client.so");
            webtest::CapturedMessages messages;
            TFrmPai window(UpdateServer{"127.0.0.1", 1, 1});
            FrmPai = &window;
            Application::guarded([&] { window.ShowEmbeddedScreen(TFrmPai::Screen::AtualizaWeb); });
            for (const std::string& text : messages.texts) std::fprintf(stderr, "shown: %s\n", text.c_str());
            bool noScreen = FrmAtualizaWeb == nullptr && window.findChild<TFrmAtualizaWeb*>() == nullptr;
            std::fflush(stderr);
            std::_Exit(noScreen && messages.texts.size() == 1 ? 0 : 1);
        },
        ::testing::ExitedWithCode(0), "shown: .*libtrev-missing-client\\.so");
}

}  // namespace
}  // namespace trev
