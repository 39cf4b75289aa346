#include "ui/comm/traffic_pane.h"

#include <QApplication>
#include <QClipboard>
#include <QFile>
#include <QFileDialog>
#include <QFontDatabase>
#include <QFontMetrics>
#include <QHBoxLayout>
#include <QMessageBox>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QVBoxLayout>
#include <algorithm>

#include "comm/traffic_log.h"
#include "files/safe_save.h"
#include "ui/widgets/text_convert.h"

namespace kvtk {

TrafficPane::TrafficPane(const TrafficLog& log, QWidget* parent)
    : QWidget(parent),
      log_(log),
      text_(new QPlainTextEdit),
      copy_(new QPushButton(QStringLiteral("C&opy"))),
      saveAs_(new QPushButton(QStringLiteral("Save &As..."))) {
    setObjectName(QStringLiteral("fraTraffic"));
    text_->setObjectName(QStringLiteral("txtTraffic"));
    text_->setAccessibleName(QStringLiteral("Traffic"));
    text_->setReadOnly(true);
    text_->setLineWrapMode(QPlainTextEdit::NoWrap);
    text_->setMaximumBlockCount(static_cast<int>(log.Capacity()));
    text_->setFont(QFontDatabase::systemFont(QFontDatabase::FixedFont));
    const QFontMetrics metrics(text_->font());
    text_->setMinimumSize(metrics.horizontalAdvance(QLatin1Char('0')) * 64,
                          metrics.lineSpacing() * 12);
    copy_->setObjectName(QStringLiteral("cmdTrafficCopy"));
    saveAs_->setObjectName(QStringLiteral("cmdTrafficSaveAs"));
    for (QPushButton* button : {copy_, saveAs_}) button->setAutoDefault(false);

    auto* buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(copy_);
    buttons->addWidget(saveAs_);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(text_, 1);
    layout->addLayout(buttons);

    refresh_.setInterval(kRefreshMs);
    connect(&refresh_, &QTimer::timeout, this, &TrafficPane::Refresh);
    connect(copy_, &QPushButton::clicked, this, &TrafficPane::CopyAll);
    connect(saveAs_, &QPushButton::clicked, this, &TrafficPane::SaveAs);

    askFileName_ = [this]() -> std::optional<QString> {
        const QString name = QFileDialog::getSaveFileName(
            this, QStringLiteral("Save Traffic As"), QStringLiteral("traffic.txt"),
            QStringLiteral("Text Files (*.txt);;All Files (*)"));
        return name.isEmpty() ? std::nullopt : std::optional<QString>(name);
    };
    tell_ = [this](const QString& title, const QString& text) {
        QMessageBox::critical(this, title, text);
    };
}

void TrafficPane::SetPrompts(FileNameAsker askFileName, Teller tell) {
    askFileName_ = std::move(askFileName);
    tell_ = std::move(tell);
}

void TrafficPane::Refresh() {
    const uint64_t added = log_.Added() - shown_;
    if (added == 0) return;
    shown_ = log_.Added();
    // Lines the ring has already dropped are gone from the view as well.
    const std::size_t fresh = static_cast<std::size_t>(std::min<uint64_t>(added, log_.Size()));
    if (fresh == log_.Size()) text_->clear();
    std::string batch;
    for (std::size_t i = log_.Size() - fresh; i < log_.Size(); ++i) {
        if (!batch.empty()) batch += '\n';
        batch += TrafficLineText(log_.Line(i));
    }
    // The lines hold only printable ASCII, so Latin-1 is exact.
    text_->appendPlainText(QString::fromLatin1(batch.data(), static_cast<qsizetype>(batch.size())));
}

QString TrafficPane::Text() const {
    return text_->toPlainText();
}

int TrafficPane::LineCount() const {
    return Text().isEmpty() ? 0 : text_->blockCount();
}

void TrafficPane::CopyAll() {
    Refresh();
    QApplication::clipboard()->setText(Text());
}

void TrafficPane::SaveAs() {
    Refresh();
    const std::optional<QString> name = askFileName_();
    if (!name) return;
    const FileResult saved = SaveFileAtomically(QFile::encodeName(*name).toStdString(),
                                                (Text() + QLatin1Char('\n')).toStdString());
    if (!saved.Ok()) tell_(ToQString(saved.Title), ToQString(saved.Message));
}

void TrafficPane::showEvent(QShowEvent* event) {
    QWidget::showEvent(event);
    Refresh();
    refresh_.start();
}

void TrafficPane::hideEvent(QHideEvent* event) {
    refresh_.stop();
    QWidget::hideEvent(event);
}

}  // namespace kvtk
