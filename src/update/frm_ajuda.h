#pragma once
// The help window: a browser control showing a local page, and a close button.
#include <QDialog>

#include <string>

class QPushButton;
class QTextBrowser;

namespace trev {

class TFrmAjuda : public QDialog {
    Q_OBJECT
public:
    explicit TFrmAjuda(QWidget* parent);
    ~TFrmAjuda() override;

    // Shows the page at a plain local path; its bytes are Windows-1252.
    void WebBrowser1Navigate(const std::string& windowsPath);
    void BitBtn1Click();

    QTextBrowser* WebBrowser1 = nullptr;
    QPushButton* BitBtn1 = nullptr;
};

extern TFrmAjuda* FrmAjuda;

}  // namespace trev
