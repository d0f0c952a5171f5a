// Fetching from the update server by the protocol letter, for the check and the run.
#include "transfer/data_web.h"
#include "update/frm_atualiza_web.h"

namespace trev {

void TFrmAtualizaWeb::setFtpAccount() {
    const UpdateServer server = updateServer();
    DataWeb->FTP.Host = server.host;
    DataWeb->FTP.Port = server.ftpPort;
    DataWeb->FTP.Username = "trevalmonte";
    DataWeb->FTP.Password = "harbloom";
}

void TFrmAtualizaWeb::fetch(const std::string& remotePath, const std::string& localPath) {
    if (protocolLetter() == 'F') {
        DataWeb->FtpOpen();
        DataWeb->FtpGetToFile(remotePath, localPath);
        DataWeb->FtpClose();
    } else {
        DataWeb->HttpGetToFile(updateServer().httpUrl(remotePath), localPath);
    }
}

}  // namespace trev
