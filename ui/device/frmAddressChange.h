#pragma once
// "Address Change": gives the connected panel a new address (online: check
// the new address is free, write it, verify and save) or, offline, renumbers
// the configuration in memory. The window is disabled while the online
// sequence runs.

#include <QDialog>
#include <functional>

class QLabel;
class QLineEdit;
class QPushButton;

namespace kvtk {

class GuiOperationHost;
class MainWindowAccess;
class PanelExchange;
class SpinButtons;

class frmAddressChange : public QDialog {
    Q_OBJECT
public:
    frmAddressChange(MainWindowAccess& window, PanelExchange& exchange, GuiOperationHost& host,
                     QWidget* parent = nullptr);

    QLabel* lblWarning() const { return lblWarning_; }
    QLabel* lblInfo() const { return lblInfo_; }
    QLineEdit* txtNewAddress() const { return txtNewAddress_; }
    SpinButtons* spnNewAddress() const { return spnNewAddress_; }
    QPushButton* cmdChange() const { return cmdChange_; }
    QPushButton* cmdCancel() const { return cmdCancel_; }

    // Runs once the new address is free, before the change writes anything
    // (the backup); false stops it.
    void SetBeforeChange(std::function<bool()> step) { beforeChange_ = std::move(step); }

public slots:
    // Cancel, Escape and the close button; ignored while the sequence runs.
    void reject() override;

signals:
    // The panel did not answer at its new address: the tool is offline now,
    // and the connect dialog selects its offline choice.
    void wentOffline();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    void showEvent(QShowEvent* event) override;

private:
    void Change();
    void FieldChanged();
    void LeaveCheck();
    bool KeyAllowed(const QString& typed) const;

    MainWindowAccess& window_;
    PanelExchange& exchange_;
    GuiOperationHost& host_;
    bool running_ = false;
    std::function<bool()> beforeChange_;

    QLabel* lblWarning_;
    QLabel* lblInfo_;
    QLineEdit* txtNewAddress_;
    SpinButtons* spnNewAddress_;
    QPushButton* cmdChange_;
    QPushButton* cmdCancel_;
};

}  // namespace kvtk
