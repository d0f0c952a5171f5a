// Downloads through TDataWeb, optionally with FrmAguarde shown as the update run
// shows it: embedded at the top-left corner of a screen-sized host.
#include "fetcher.h"
#include "transfer/data_web.h"
#include "transfer/frm_aguarde.h"

#include <QApplication>
#include <QWidget>

#include <functional>
#include <memory>

namespace trev::fetcher {
namespace {

void withProgressWindow(bool window, const std::function<void()>& transfer) {
    std::unique_ptr<QWidget> host;
    if (window) {
        host = std::make_unique<QWidget>();
        host->resize(456, 426);
        FrmAguarde = new TFrmAguarde(host.get());
        FrmAguarde->move(0, 0);
        host->show();
        QApplication::processEvents();
    }
    reportSecondsOf(transfer);
}

}  // namespace

void httpGet(const std::string& url, const std::string& local, bool window) {
    withProgressWindow(window, [&] { DataWeb->HttpGetToFile(url, local); });
}

void ftpGet(const std::string& host, int port, const std::string& remote, const std::string& local, bool window) {
    DataWeb->FTP.Host = host;
    DataWeb->FTP.Port = port;
    DataWeb->FTP.Username = "trevalmonte";
    DataWeb->FTP.Password = "harbloom";
    withProgressWindow(window, [&] {
        DataWeb->FtpOpen();
        DataWeb->FtpGetToFile(remote, local);
        DataWeb->FtpClose();
    });
}

}  // namespace trev::fetcher
