#include "transfer/frm_aguarde.h"

#include "transfer/count_format.h"
#include "ui/artwork.h"
#include "ui/form_building.h"
#include "ui/form_instance.h"
#include "ui/gauge.h"
#include "ui/palette.h"
#include "ui/qt_text.h"

#include <QLabel>

namespace trev {

TFrmAguarde* FrmAguarde = nullptr;

namespace {

constexpr qint64 kReceivedPaintIntervalMs = 10;

QLabel* addLabel(QWidget* parent, const char* name, const QString& text, QPoint at) {
    return placeAutoSized(new QLabel(text, parent), name, at.x(), at.y(), pixelFont("Tahoma", 11));
}

}  // namespace

TFrmAguarde::TFrmAguarde(QWidget* parent, TDataWeb* dataWeb) : QWidget(parent), dataWeb_(dataWeb) {
    setObjectName("FrmAguarde");
    setWindowFlags(parent ? Qt::Widget : Qt::Window | Qt::FramelessWindowHint);
    setFixedSize(430, 52);
    setBackground(this, Qt::white);
    buildControls();
    if (dataWeb_) dataWeb_->setProgressDisplay(this);
}

TFrmAguarde::~TFrmAguarde() {
    if (dataWeb_ && dataWeb_->progressDisplay() == this) dataWeb_->setProgressDisplay(nullptr);
    forgetInstance(FrmAguarde, this);
}

void TFrmAguarde::buildControls() {
    panel_ = new QWidget(this);
    panel_->setObjectName("Panel1");
    panel_->setGeometry(rect());

    // Image3 lies over Image1: created later, drawn on top.
    addPicture(panel_, "Image1", downloadIcon(), {5, 2});
    addPicture(panel_, "Image3", downloadIcon(), {27, 16});

    QLabel* title = addLabel(panel_, "Label1", QStringLiteral("Realizando Download..."), {67, 2});
    title->setFont(pixelFont("Lucida Sans Unicode", 12, true));
    title->adjustSize();

    barra_ = new TGauge(panel_);
    barra_->setObjectName("Barra");
    barra_->setGeometry(67, 20, 354, 13);
    barra_->setFont(pixelFont("Tahoma", 11));
    barra_->setForeColor(QColor(255, 150, 100));
    barra_->setBackColor(QColor(247, 247, 247));

    addLabel(panel_, "Label3", QStringLiteral("Bytes Rec."), {67, 36});
    lblRec_ = addLabel(panel_, "LblRec", QStringLiteral("000.000.000"), {124, 36});
    lblRec_->setFont(pixelFont("Tahoma", 11, true));
    lblRec_->setAlignment(Qt::AlignRight | Qt::AlignTop);
    lblRec_->setGeometry(124, 36, 69, 14);
    addLabel(panel_, "Label2", QStringLiteral("de"), {196, 36});
    lblTotal_ = addLabel(panel_, "LblTotal", QStringLiteral("000.000.000"), {215, 36});
    lblTotal_->setFont(pixelFont("Tahoma", 11, true));
    lblTotal_->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    lblTotal_->setGeometry(215, 36, 200, 14);
}

// Transfers block the event loop, so every change is painted at once.
void TFrmAguarde::workBegin(int64_t total) {
    total_ = total;
    repaint();
    sinceReceivedShown_.invalidate();
    lblTotal_->setText(fromCp1252(formatCount(total)));
    lblTotal_->repaint();
    barra_->setMaxValue(total);
}

// Showing the count for every block would cost more than the block; the first
// count, then a hundred a second still read as continuous, and the last count is
// always shown.
void TFrmAguarde::work(int64_t count) {
    received_ = count;
    receivedPending_ = true;
    if (count == total_ || !sinceReceivedShown_.isValid() || sinceReceivedShown_.hasExpired(kReceivedPaintIntervalMs))
        showReceived();
    barra_->setProgress(count);
}

void TFrmAguarde::workEnd() { showReceived(); }

void TFrmAguarde::showReceived() {
    if (receivedPending_) lblRec_->setText(fromCp1252(formatCount(received_)));
    receivedPending_ = false;
    lblRec_->repaint();
    sinceReceivedShown_.start();
}

}  // namespace trev
