#pragma once
// A list of large icons with captions used as a navigation bar: hot tracking with
// a hand pointer, captions always underlined and read-only. A click reports the
// item selected at that moment; a click on empty space first clears the selection.
#include <QListWidget>

#include <functional>

namespace trev {

class TNavigationList : public QListWidget {
    Q_OBJECT
public:
    explicit TNavigationList(QWidget* parent = nullptr);

    void addNavigationItem(const QString& caption, const QPixmap& icon);
    // -1 when nothing is selected.
    int selectedIndex() const;

    std::function<void()> onClick;

protected:
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

private:
    void trackHotItem(QListWidgetItem* hot);
};

}  // namespace trev
