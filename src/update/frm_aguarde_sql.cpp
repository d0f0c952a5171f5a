#include "update/frm_aguarde_sql.h"

#include "ui/artwork.h"
#include "ui/form_building.h"
#include "ui/form_instance.h"
#include "ui/gauge.h"
#include "ui/palette.h"

#include <QLabel>

namespace trev {

TFrmAguardeSQL* FrmAguardeSQL = nullptr;

namespace {

const QColor gaugeBack(243, 243, 243);

TGauge* addGauge(QWidget* parent, const char* name, int top, const QColor& bar) {
    auto* gauge = new TGauge(parent);
    gauge->setObjectName(name);
    gauge->setGeometry(67, top, 356, 14);
    gauge->setBackColor(gaugeBack);
    gauge->setForeColor(bar);
    gauge->setProgress(0);
    return gauge;
}

}  // namespace

TFrmAguardeSQL::TFrmAguardeSQL(QWidget* parent) : QWidget(parent) {
    setObjectName("FrmAguardeSQL");
    setWindowFlags(parent ? Qt::Widget : Qt::Window | Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint);
    setFixedSize(430, 55);
    setBackground(this, Qt::white);
    buildControls();
}

TFrmAguardeSQL::~TFrmAguardeSQL() { forgetInstance(FrmAguardeSQL, this); }

void TFrmAguardeSQL::buildControls() {
    auto* panel = new QWidget(this);
    panel->setObjectName("Panel1");
    panel->setGeometry(rect());

    // The second image lies over the first: created later, drawn on top.
    addPicture(panel, "Image1", databaseIcon(), {5, 2});
    addPicture(panel, "Image2", databaseIcon(), {29, 13});

    placeAutoSized(new QLabel(QStringLiteral("Executando SQL..."), panel), "Label1", 67, 1,
                   pixelFont("Lucida Sans Unicode", 12, true));

    Barra2 = addGauge(panel, "Barra2", 18, QColor(196, 206, 223));
    Barra = addGauge(panel, "Barra", 34, QColor(128, 150, 187));
}

}  // namespace trev
