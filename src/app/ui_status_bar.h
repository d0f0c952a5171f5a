#pragma once
// A status bar of text panels; the last panel takes the rest of the bar.
#include <QWidget>

#include <vector>

class QLabel;

namespace trev {

class TStatusBar : public QWidget {
    Q_OBJECT
public:
    // One width per panel; the last width is a minimum.
    TStatusBar(const std::vector<int>& panelWidths, QWidget* parent = nullptr);

    void setPanelText(int panel, const QString& text);
    QString panelText(int panel) const;

protected:
    void resizeEvent(QResizeEvent* event) override;
    void paintEvent(QPaintEvent* event) override;

private:
    void layoutPanels();
    std::vector<int> widths_;
    std::vector<QLabel*> panels_;
};

}  // namespace trev
