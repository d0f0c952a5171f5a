#include "update/frm_aguarde_sql.h"

#include "app/ui_artwork.h"
#include "app/ui_palette.h"
#include "transfer/ui_gauge.h"

#include <QLabel>

namespace trev {

TFrmAguardeSQL* FrmAguardeSQL = nullptr;

namespace {

const QColor gaugeBack(243, 243, 243);

QLabel* addImage(QWidget* parent, const char* name, QPoint at) {
    auto* image = new QLabel(parent);
    image->setObjectName(name);
    image->setPixmap(databaseIcon());
    image->setGeometry(at.x(), at.y(), 32, 32);
    return image;
}

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

TFrmAguardeSQL::~TFrmAguardeSQL() {
    if (FrmAguardeSQL == this) FrmAguardeSQL = nullptr;
}

void TFrmAguardeSQL::buildControls() {
    auto* panel = new QWidget(this);
    panel->setObjectName("Panel1");
    panel->setGeometry(rect());

    // The second image lies over the first: created later, drawn on top.
    addImage(panel, "Image1", {5, 2});
    addImage(panel, "Image2", {29, 13});

    auto* title = new QLabel(QStringLiteral("Executando SQL..."), panel);
    title->setObjectName("Label1");
    QFont font("Lucida Sans Unicode");
    font.setPixelSize(12);
    font.setBold(true);
    title->setFont(font);
    title->move(67, 1);
    title->adjustSize();

    Barra2 = addGauge(panel, "Barra2", 18, QColor(196, 206, 223));
    Barra = addGauge(panel, "Barra", 34, QColor(128, 150, 187));
}

}  // namespace trev
