#include "ui/application.h"

#include "support/qt_application.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QCursor>

#include <string>
#include <vector>

namespace trev {
namespace {

class ApplicationTest : public ::testing::Test {
protected:
    static void SetUpTestSuite() {
        test::ensureApplication();
        Application::setTitle("Atualizador Trevalmonte");
    }
    void SetUp() override {
        Application::setMessageHook([this](Application::MessageKind kind, const std::string& caption,
                                           const std::string& text) {
            shown.push_back((kind == Application::MessageKind::Error ? "error|" : "info|") + caption + "|" + text);
        });
    }
    void TearDown() override { Application::setMessageHook({}); }
    std::vector<std::string> shown;
};

TEST_F(ApplicationTest, GuardedHandlersShowWhatEscapesThem) {
    Application::guarded([] { throw FileError(2, "File not found"); });
    Application::guarded([] { throw SocketError(10061, "Socket Error # 10061\r\nConnection refused."); });
    Application::guarded([] { throw SilentAbort(); });
    Application::guarded([] { throw 42; });
    Application::guarded([] {});
    const std::vector<std::string> expected = {
        "error|Atualizador Trevalmonte|File not found.",
        "error|Atualizador Trevalmonte|Socket Error # 10061\r\nConnection refused.",
        "error|Atualizador Trevalmonte|Unknown error.",
    };
    EXPECT_EQ(shown, expected);
}

TEST_F(ApplicationTest, CursorsOverrideTheWholeApplication) {
    Application::setCursor(Application::Cursor::Busy);
    ASSERT_NE(QGuiApplication::overrideCursor(), nullptr);
    EXPECT_EQ(QGuiApplication::overrideCursor()->shape(), Qt::WaitCursor);
    Application::setCursor(Application::Cursor::SqlWait);
    EXPECT_EQ(QGuiApplication::overrideCursor()->shape(), Qt::BusyCursor);
    Application::setCursor(Application::Cursor::Default);
    EXPECT_EQ(QGuiApplication::overrideCursor(), nullptr);
    EXPECT_EQ(Application::cursor(), Application::Cursor::Default);
}

}  // namespace
}  // namespace trev
