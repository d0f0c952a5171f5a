// The configuration screen in its content panel: as opened without settings,
// with a proxy, and with a proxy that needs authentication.
#include "render_registry.h"

#include "settings/frm_config.h"
#include "settings/screen_host.h"
#include "transfer/update_server.h"

#include <QCheckBox>
#include <QLineEdit>

namespace trev::render {
namespace {

struct ProxyShown {
    bool authentication = false;
};

QImage drawConfig(std::optional<ProxyShown> proxy) {
    QWidget pnPai;
    pnPai.resize(454, 416);
    StandaloneHost host(Protocol::Http, builtInUpdateServer());
    TFrmConfig screen(&pnPai, host);
    if (proxy) {
        screen.CBProxy->setChecked(true);
        screen.EdtEndereco->setText(QStringLiteral("proxy.empresa.local"));
        screen.EdtPorta->setText(QStringLiteral("3128"));
        screen.EdtLogin->setText(QStringLiteral("operador"));
        screen.EdtSenha->setText(QStringLiteral("segredo"));
        screen.chkAutentica->setChecked(proxy->authentication);
    }
    return screen.grab().toImage();
}

const RegisterRender plain("config", [] { return drawConfig(std::nullopt); });
const RegisterRender withProxy("config_proxy", [] { return drawConfig(ProxyShown{false}); });
const RegisterRender withAuthentication("config_proxy_authentication", [] { return drawConfig(ProxyShown{true}); });

}  // namespace
}  // namespace trev::render
