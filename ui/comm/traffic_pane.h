#pragma once
// The communication window's traffic pane: the lines of a traffic log with
// their time stamps, the newest at the bottom, with Copy and "Save As...".
// While shown it takes what the log gained a few times a second, so a busy
// line costs one batch of text per refresh rather than one per frame.

#include <QString>
#include <QTimer>
#include <QWidget>
#include <cstdint>
#include <functional>
#include <optional>

class QPlainTextEdit;
class QPushButton;

namespace kvtk {

class TrafficLog;

class TrafficPane : public QWidget {
    Q_OBJECT
public:
    static constexpr int kRefreshMs = 200;

    // The save dialog: the chosen path, nothing when cancelled.
    using FileNameAsker = std::function<std::optional<QString>()>;
    // A failure message box.
    using Teller = std::function<void(const QString& title, const QString& text)>;

    explicit TrafficPane(const TrafficLog& log, QWidget* parent = nullptr);

    void SetPrompts(FileNameAsker askFileName, Teller tell);

    // Shows what the log gained since the last refresh.
    void Refresh();
    // The text shown, one traffic line per line.
    QString Text() const;
    int LineCount() const;

    void CopyAll();
    void SaveAs();

protected:
    void showEvent(QShowEvent* event) override;
    void hideEvent(QHideEvent* event) override;

private:
    const TrafficLog& log_;
    uint64_t shown_ = 0;  // the log's count of added lines at the last refresh
    QTimer refresh_;
    QPlainTextEdit* text_;
    QPushButton* copy_;
    QPushButton* saveAs_;
    FileNameAsker askFileName_;
    Teller tell_;
};

}  // namespace kvtk
