#pragma once
// The download progress window: bytes received and expected, and a bar for the
// file in transfer. While it exists it receives the data module's work events.
#include "transfer/data_web.h"

#include <QElapsedTimer>
#include <QWidget>

class QLabel;

namespace trev {

class TGauge;

class TFrmAguarde : public QWidget, public ProgressDisplay {
    Q_OBJECT
public:
    // Registers itself with dataWeb (when given) until it is destroyed.
    explicit TFrmAguarde(QWidget* parent = nullptr, TDataWeb* dataWeb = DataWeb);
    ~TFrmAguarde() override;

    void workBegin(int64_t total) override;
    void work(int64_t count) override;
    void workEnd() override;

    TGauge* Barra() const { return barra_; }

private:
    void buildControls();
    void showReceived();

    TDataWeb* dataWeb_;
    int64_t total_ = 0;
    int64_t received_ = 0;  // the last count reported
    bool receivedPending_ = false;  // reported and not shown yet
    QElapsedTimer sinceReceivedShown_;
    QWidget* panel_ = nullptr;
    TGauge* barra_ = nullptr;
    QLabel* lblRec_ = nullptr;
    QLabel* lblTotal_ = nullptr;
};

extern TFrmAguarde* FrmAguarde;

}  // namespace trev
