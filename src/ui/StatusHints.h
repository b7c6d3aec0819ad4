#pragma once
// The status line `panInfo`: the hint of the command, check box or picker field under the
// pointer, emptied when the pointer is back over the background. The hint is also the tooltip.
#include <QObject>
#include <QString>

class QLabel;
class QWidget;

namespace cal {

class StatusHints : public QObject {
    Q_OBJECT
public:
    explicit StatusHints(QLabel* panInfo);
    void add(QWidget* element, const QString& hint);
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    QLabel* panInfo_;
};

// The status line label every working screen puts at its bottom.
QLabel* makeStatusLine(QWidget* parent, const QString& initialText = {});

}  // namespace cal
