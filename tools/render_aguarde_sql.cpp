// The SQL progress window: as created, and midway through a script and the work list.
#include "render_registry.h"

#include "ui/gauge.h"
#include "update/frm_aguarde_sql.h"

namespace trev::render {
namespace {

QImage drawAguardeSql(int64_t lines, int64_t line, int64_t rows, int64_t row) {
    TFrmAguardeSQL window;
    window.Barra2->setMaxValue(lines);
    window.Barra2->setProgress(line);
    window.Barra->setMaxValue(rows);
    window.Barra->setProgress(row);
    return window.grab().toImage();
}

const RegisterRender created("aguarde_sql_created", [] { return drawAguardeSql(0, 0, 0, 0); });
const RegisterRender midway("aguarde_sql_midway", [] { return drawAguardeSql(40, 13, 7, 4); });

}  // namespace
}  // namespace trev::render
