#pragma once
// The main window on a fresh drive, built against a server where nothing answers,
// with the global DataWeb and the messages it shows captured.
#include "app/frm_pai.h"
#include "support/temp_drive.h"
#include "support/web_test_support.h"

#include <gtest/gtest.h>

#include <memory>

namespace trev::webtest {

class MainWindowTest : public ::testing::Test {
protected:
    static void SetUpTestSuite();
    void SetUp() override;
    void TearDown() override;

    // Shown with its close-request timer stopped, so that the test decides when the request runs.
    void showWithoutTimer();

    test::TempDrive drive;
    CapturedMessages messages;
    GlobalDataWeb dataWeb;
    std::unique_ptr<TFrmPai> window;
};

}  // namespace trev::webtest
