#pragma once
// "Product Code": the factory function that tells the panel at the connect
// dialog's address which product it is, and saves that in its EEPROM at
// once. It reports through its status line only. Reached from the connect
// dialog's hidden prompt.

#include <QDialog>

class QLabel;
class QListWidget;
class QPushButton;

namespace kvtk {

class GuiOperationHost;
class PanelExchange;

class frmProductCode : public QDialog {
    Q_OBJECT
public:
    frmProductCode(int address, PanelExchange& exchange, GuiOperationHost& host,
                   QWidget* parent = nullptr);

    int PanelAddress() const { return address_; }
    QListWidget* lstProductCodes() const { return lstProductCodes_; }
    QPushButton* cmdChange() const { return cmdChange_; }
    QPushButton* cmdDone() const { return cmdDone_; }
    QLabel* lblStatus() const { return lblStatus_; }

public slots:
    // "&Done", Escape and the close button; ignored while a change runs.
    void reject() override;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

private:
    void Change();

    int address_;
    PanelExchange& exchange_;
    GuiOperationHost& host_;
    bool running_ = false;

    QListWidget* lstProductCodes_;
    QPushButton* cmdChange_;
    QPushButton* cmdDone_;
    QLabel* lblStatus_;
};

}  // namespace kvtk
