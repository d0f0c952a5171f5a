// The download progress window: as created, mid-transfer, of unknown size, and full.
#include "render_registry.h"

#include "transfer/frm_aguarde.h"

namespace trev::render {
namespace {

QImage drawAguarde(int64_t total, int64_t count) {
    TFrmAguarde window(nullptr, nullptr);
    if (total >= 0) window.workBegin(total);
    if (count >= 0) window.work(count);
    return window.grab().toImage();
}

const RegisterRender created("aguarde_created", [] { return drawAguarde(-1, -1); });
const RegisterRender midway("aguarde_midway", [] { return drawAguarde(2'000'000, 1'234'567); });
const RegisterRender unknownSize("aguarde_unknown_size", [] { return drawAguarde(0, 512'000); });
const RegisterRender full("aguarde_full", [] { return drawAguarde(999, 999); });

}  // namespace
}  // namespace trev::render
