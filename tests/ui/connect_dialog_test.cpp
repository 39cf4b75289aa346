// The connect dialog and the communication window on the in-process demo
// line: address rules, port fallback, read and OK, scan stop and cancel,
// the activation question and the manual command's wire bytes.
#include <gtest/gtest.h>

#include <QApplication>
#include <QComboBox>
#include <QElapsedTimer>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>
#include <QTimer>
#include <memory>

#include "comm/byte_link.h"
#include "model/products.h"
#include "sim/demo_line.h"
#include "sim/simulated_link.h"
#include "tests/support/fake_link.h"
#include "transfer/address_scan.h"
#include "ui/found_panels_list.h"
#include "ui/frmComm.h"
#include "ui/frmConnect.h"
#include "ui/frmMain.h"
#include "ui/frmProductCode.h"
#include "ui/gui_session.h"
#include "ui/widgets/address_field.h"
#include "ui/widgets/hint_line.h"

namespace kvtk {
namespace {

class ConnectDialogTest : public ::testing::Test {
protected:
    void SetUp() override {
        main = std::make_unique<frmMain>();
        main->SetBeepSink([this] { ++beeps; });
        main->SetQuestionAsker([this](const QString& title, const QString& text) {
            questions << title + QStringLiteral("|") + text;
            return answer;
        });
        // No system ports: only what a test binds.
        session = std::make_unique<GuiSession>(*main, PortSlots(QStringList{}));
        comm().Prompts().SetAnswerer([this](const MessageRequest& request) {
            messages << QString::fromStdString(request.Title + "|" + request.Text);
            return MessageAnswer::Cancel;
        });
        comm().BindSlotFactory(
            1, [this] { return std::make_unique<SimulatedLink>(*line); },
            QStringLiteral("built-in simulated line"));
        // Silent addresses cost little.
        comm().Settings().SetAttempts(1);
        comm().Settings().SetMaxResponseMs(20);
        session->Start();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&dialog()));
        beeps = 0;
    }

    void TearDown() override {
        dialog().hide();
        main->hide();
        session.reset();
        main.reset();
    }

    frmConnect& dialog() { return session->Connect(); }
    frmComm& comm() { return session->Comm(); }
    PanelAddressField& address() { return *static_cast<PanelAddressField*>(dialog().txtAddress()); }
    std::string StatusOf(int a) {
        return main->Config().AddressTable[static_cast<size_t>(a)].Status;
    }
    void ChooseCom1() { dialog().CommPortOption(1)->click(); }
    void SetAddress(int a) { address().setText(QString::number(a)); }

    std::unique_ptr<SimLine> line = MakeDemoLine();
    std::unique_ptr<frmMain> main;
    std::unique_ptr<GuiSession> session;
    int beeps = 0;
    bool answer = false;
    QStringList questions;
    QStringList messages;
};

TEST_F(ConnectDialogTest, AddressFieldRules) {
    struct Case {
        bool online;
        const char* start;
        const char* typed;  // nullptr: leave the field instead
        const char* expected;
        int beeps;
    };
    const Case cases[] = {
        {false, "25", "3", "253", 0},  {false, "25", "6", "25", 1},  {true, "25", "6", "25", 1},
        {false, "", nullptr, "1", 1},  {true, "", nullptr, "0", 1},  {false, "7", nullptr, "7", 0},
        {false, "0", nullptr, "1", 1}, {true, "0", nullptr, "0", 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.start) + (c.typed ? c.typed : "<leave>"));
        dialog().CommPortOption(c.online ? 1 : 0)->click();
        address().setText(QString::fromLatin1(c.start));
        address().setCursorPosition(static_cast<int>(address().text().size()));
        beeps = 0;
        if (c.typed)
            QTest::keyClicks(&address(), QString::fromLatin1(c.typed));
        else
            address().RunLeaveCheck();
        EXPECT_EQ(address().text(), QString::fromLatin1(c.expected));
        EXPECT_EQ(beeps, c.beeps);
    }
    // A paste of letters or of a value above 255 is taken back.
    address().setText(QStringLiteral("12"));
    emit address().textEdited(QStringLiteral("300"));
    EXPECT_EQ(address().text(), QStringLiteral("12"));
}

TEST_F(ConnectDialogTest, MissingPortFallsBackToOffline) {
    EXPECT_TRUE(dialog().CommPortOption(1)->isEnabled());
    for (int n = 2; n <= 4; ++n) EXPECT_FALSE(dialog().CommPortOption(n)->isEnabled());
    dialog().CommPortOption(3)->setChecked(true);  // COM3 chosen although absent
    EXPECT_TRUE(dialog().CommPortOption(0)->isChecked());
    EXPECT_TRUE(dialog().OfflinePanel()->isVisible());
    EXPECT_FALSE(dialog().OnlinePanel()->isVisible());
    EXPECT_TRUE(dialog().CommPortOption(1)->isEnabled());
    EXPECT_FALSE(dialog().CommPortOption(3)->isEnabled());
    EXPECT_EQ(comm().OpenSlot(), 0);
    EXPECT_EQ(comm().SlotDevice(1), QStringLiteral("built-in simulated line"));
}

TEST_F(ConnectDialogTest, ReadDecidesNewStatusAndOk) {
    ChooseCom1();
    EXPECT_TRUE(dialog().OnlinePanel()->isVisible());
    EXPECT_EQ(comm().OpenSlot(), 1);
    struct Case {
        int address;
        bool read;
        const char* newStatus;
        bool ok;
    };
    const Case cases[] = {
        {2, false, "Click 'Read This Address' to look for a device at address 2.", false},
        {4, true, "No device was found at this address.", false},
        {2, true, "Connected to an KV-4800 Version 4.00 at address 2.", true},
        {4, false, "No device was found at this address.", false},
        {2, false, "Connected to an KV-4800 Version 4.00 at address 2.", true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.address);
        SetAddress(c.address);
        if (c.read) dialog().cmdRead()->click();
        EXPECT_EQ(dialog().lblNewStatus()->text(), QString::fromLatin1(c.newStatus));
        EXPECT_EQ(dialog().cmdOK()->isEnabled(), c.ok);
        EXPECT_EQ(dialog().lblNewStatus()->palette().color(QPalette::WindowText),
                  QColor(Qt::black));
    }
    EXPECT_TRUE(messages.isEmpty());  // reads show no message boxes
}

TEST_F(ConnectDialogTest, ScanStopsBeforeAddress41) {
    ChooseCom1();
    QColor toneDuringScan;
    QObject::connect(&address(), &QLineEdit::textChanged, [&](const QString& text) {
        if (text == QStringLiteral("40") && dialog().Scanning()) {
            toneDuringScan = dialog().lblNewStatus()->palette().color(QPalette::WindowText);
            EXPECT_EQ(dialog().cmdScan()->text(), QStringLiteral("&Stop Scanning"));
            EXPECT_FALSE(dialog().cmdRead()->isEnabled());
            EXPECT_FALSE(dialog().CommPortOption(0)->isEnabled() &&
                         dialog().CommPortOption(0)->isEnabledTo(&dialog()) &&
                         dialog().findChild<QWidget*>(QStringLiteral("fraPort"))->isEnabled());
            dialog().cmdScan()->click();
        }
    });
    dialog().cmdScan()->click();
    EXPECT_FALSE(dialog().Scanning());
    EXPECT_EQ(toneDuringScan, QColor(Qt::red));
    EXPECT_EQ(StatusOf(40), kNotConnected);
    EXPECT_EQ(StatusOf(41), kUntestedAddress);
    EXPECT_EQ(StatusOf(17), kOldestPanelStatus);
    EXPECT_EQ(address().text(), QStringLiteral("1"));  // the first found
    EXPECT_EQ(dialog().lblNewStatus()->text(),
              QStringLiteral("Connected to an WQ16 Version 5.00 at address 1."));
    EXPECT_EQ(dialog().cmdScan()->text(), QStringLiteral("&Scan Addresses"));
    EXPECT_TRUE(dialog().cmdRead()->isEnabled());
    EXPECT_TRUE(dialog().cmdOK()->isEnabled());
    EXPECT_EQ(beeps, 0);
    // The panels found stay listed; picking one picks its address.
    FoundPanelsList& found = *dialog().lstFound();
    ASSERT_EQ(found.topLevelItemCount(), 6);
    EXPECT_EQ(found.topLevelItem(4)->text(1), QStringLiteral("TMC-1400"));
    found.setCurrentItem(found.topLevelItem(4));
    EXPECT_EQ(dialog().lblNewStatus()->text(),
              QStringLiteral("Connected to an TMC-1400 Version 4.00 at address 7."));
}

// The scan waits inside the exchange; the window stays live, so the
// communication window's Cancel ends the wait on a silent address.
TEST_F(ConnectDialogTest, CancelWorksWhileScanWaits) {
    ChooseCom1();
    comm().Settings().SetMaxResponseMs(30000);  // a wait no test would sit out
    bool cancelled = false;
    QTimer::singleShot(100, [&] {
        cancelled = comm().Settings().Busy();
        comm().findChild<QPushButton*>(QStringLiteral("cmdCancel"))->click();
        dialog().cmdScan()->click();  // and stop before the next address
    });
    QElapsedTimer clock;
    clock.start();
    dialog().cmdScan()->click();
    EXPECT_TRUE(cancelled);
    EXPECT_LT(clock.elapsed(), 20000);
    EXPECT_EQ(StatusOf(0), kNotConnected);
    EXPECT_EQ(StatusOf(1), kUntestedAddress);
    EXPECT_FALSE(comm().Settings().Cancel());  // consumed by the cancelled exchange
    EXPECT_EQ(dialog().lblNewStatus()->text(), QStringLiteral("No devices found"));
    EXPECT_EQ(beeps, 1);
    EXPECT_FALSE(dialog().cmdOK()->isEnabled());
}

TEST_F(ConnectDialogTest, OkOnlineAsksToReadConfiguration) {
    for (const bool yes : {false, true}) {
        SCOPED_TRACE(yes);
        answer = yes;
        questions.clear();
        int reads = 0;
        auto hook = QObject::connect(session.get(), &GuiSession::readRequested, [&] { ++reads; });
        if (!dialog().isVisible()) dialog().show();
        ChooseCom1();
        SetAddress(yes ? 7 : 2);
        dialog().cmdRead()->click();
        ASSERT_TRUE(dialog().cmdOK()->isEnabled());
        dialog().cmdOK()->click();
        EXPECT_FALSE(dialog().isVisible());
        EXPECT_TRUE(main->isVisible());
        EXPECT_EQ(dialog().ConnectResult(), frmConnect::kConnectAccepted);
        ASSERT_EQ(questions.size(), 1);
        EXPECT_EQ(questions[0],
                  yes ? QStringLiteral("Read configuration?|Do you want to read the current "
                                       "configuration of TMC-1400 Version 4.00 at address 7?")
                      : QStringLiteral("Read configuration?|Do you want to read the current "
                                       "configuration of KV-4800 Version 4.00 at address 2?"));
        EXPECT_EQ(reads, yes ? 1 : 0);
        EXPECT_EQ(main->Config().Status.Connection, "Online");
        EXPECT_EQ(main->Config().Status.Port, "COM 1");
        EXPECT_NE(main->Config().Status.Eprom, "N/A");  // the memory check ran
        QObject::disconnect(hook);
    }
}

TEST_F(ConnectDialogTest, OfflineOkNeedsNoPanel) {
    dialog().cmbProductType()->setCurrentIndex(0);
    SetAddress(9);
    EXPECT_EQ(dialog().lblNewStatus()->text(), QStringLiteral("Offline programming an ") +
                                                   dialog().cmbProductType()->itemText(0) +
                                                   QStringLiteral(" at address 9."));
    dialog().cmdOK()->click();
    EXPECT_EQ(main->Config().Status.Connection, "Offline");
    EXPECT_EQ(main->Address(), 9);
    EXPECT_TRUE(questions.isEmpty());
    // Shown again, the dialog tells what the main window has now.
    dialog().show();
    EXPECT_TRUE(
        dialog().lblCurrentStatus()->text().startsWith(QStringLiteral("Offline programming an ")));
    EXPECT_TRUE(dialog().lblCurrentStatus()->text().endsWith(QStringLiteral(" at address 9.")));
}

TEST_F(ConnectDialogTest, ProductCodePrompt) {
    struct Case {
        bool online;
        const char* entered;  // nullptr: Cancel
        int prompts;
        int opened;
        int beeps;
    };
    const Case cases[] = {
        {false, "FactoryMode", 0, 0, 0},
        {true, "FactoryMode", 1, 1, 0},
        {true, "factorymode", 1, 0, 1},
        {true, nullptr, 1, 0, 1},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.entered ? c.entered : "<cancel>");
        dialog().CommPortOption(c.online ? 1 : 0)->click();
        int prompts = 0;
        int opened = 0;
        beeps = 0;
        dialog().SetTextPrompt([&](const QString& title, const QString& text) {
            ++prompts;
            EXPECT_EQ(title, QStringLiteral("Select Product Code"));
            EXPECT_EQ(text, QStringLiteral("This function is intended for use by factory personnel "
                                           "only.\n\nImproper usage may render the attached device "
                                           "unusable.\n\nClick 'Cancel' to exit."));
            return c.entered ? std::optional<QString>(QString::fromLatin1(c.entered))
                             : std::nullopt;
        });
        address().setText(QStringLiteral("12"));
        QTest::keyClick(&address(), Qt::Key_F7, Qt::ControlModifier | Qt::ShiftModifier);
        if (frmProductCode* window = session->ProductCodeWindow()) {
            ++opened;
            EXPECT_TRUE(window->isVisible() && window->isModal());
            EXPECT_EQ(window->PanelAddress(), 12);  // the connect dialog's address
            window->cmdDone()->click();
            QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        }
        EXPECT_EQ(session->ProductCodeWindow(), nullptr);
        EXPECT_EQ(prompts, c.prompts);
        EXPECT_EQ(opened, c.opened);
        EXPECT_EQ(beeps, c.beeps);
    }
}

TEST_F(ConnectDialogTest, CloseBoxEndsProgramOnlyBeforeMainWindow) {
    int ends = 0;
    QObject::connect(&dialog(), &frmConnect::programEndRequested, [&] { ++ends; });
    // The session's own handler would quit the test program.
    QObject::disconnect(&dialog(), &frmConnect::programEndRequested, session.get(), nullptr);
    dialog().close();
    EXPECT_EQ(ends, 1);
    main->show();
    dialog().show();
    dialog().close();
    EXPECT_EQ(ends, 1);
    EXPECT_FALSE(dialog().isVisible());
}

TEST_F(ConnectDialogTest, CommWindowManualCommandWireBytes) {
    test::FakeLink* link = nullptr;
    comm().BindSlotFactory(
        2,
        [&] {
            auto made = std::make_unique<test::FakeLink>();
            made->responder = [](test::FakeLink& l, const std::string&) {
                l.Deliver(test::PanelReply("0001"));
            };
            link = made.get();
            return made;
        },
        QStringLiteral("recording"));
    ASSERT_TRUE(comm().SelectPort(2));
    comm().Exchange().SetOffline(false);
    comm().show();
    auto* txtAddress = comm().findChild<QLineEdit*>(QStringLiteral("txtAddress"));
    auto* txtCommand = comm().findChild<QLineEdit*>(QStringLiteral("txtCommandString"));
    txtAddress->setText(QStringLiteral("1"));
    txtCommand->setText(QStringLiteral("LR73"));
    QTest::keyClick(txtCommand, Qt::Key_Return);
    ASSERT_NE(link, nullptr);
    EXPECT_EQ(link->writes, std::vector<std::string>{">01LR7369\r"});
    EXPECT_EQ(comm().findChild<QLabel*>(QStringLiteral("lblResponseString"))->text(),
              QStringLiteral("A0001"));
    EXPECT_FALSE(comm().Settings().Busy());
    EXPECT_TRUE(messages.isEmpty());
    // A port list entry shows its device.
    auto* ports = comm().findChild<QComboBox*>(QStringLiteral("cmbPort"));
    EXPECT_EQ(ports->currentText(), QStringLiteral("Com2"));
    EXPECT_EQ(ports->itemData(ports->currentIndex(), Qt::ToolTipRole).toString(),
              QStringLiteral("recording"));
    comm().hide();
}

TEST_F(ConnectDialogTest, GarbledRepliesShowALineFaultUntilReadAgain) {
    ChooseCom1();
    line->Options().garbleChecksum = true;
    SetAddress(2);
    dialog().cmdRead()->click();
    const QString garbled = QString::fromStdString(GarbledView(2).NewStatus);
    EXPECT_EQ(dialog().lblNewStatus()->text(), garbled);
    EXPECT_EQ(dialog().lblNewStatus()->palette().color(QPalette::WindowText), QColor(Qt::red));
    EXPECT_FALSE(dialog().cmdOK()->isEnabled());
    SetAddress(3);
    SetAddress(2);  // coming back keeps the line fault
    EXPECT_EQ(dialog().lblNewStatus()->text(), garbled);

    line->Options().garbleChecksum = false;
    dialog().cmdRead()->click();
    EXPECT_EQ(dialog().lblNewStatus()->text(),
              QStringLiteral("Connected to an KV-4800 Version 4.00 at address 2."));
}

}  // namespace
}  // namespace kvtk
