// The connect dialog and the communication window on the in-process demo
// line: address rules, port fallback, OK, scan stop and cancel,
// the activation question and the manual command.
#include <gtest/gtest.h>

#include <QApplication>
#include <QComboBox>
#include <QElapsedTimer>
#include <QFile>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <memory>

#include "comm/panel_line.h"
#include "comm/serial_link.h"
#include "model/products.h"
#include "sim/demo_line.h"
#include "sim/sim_pty.h"
#include "sim/simulated_link.h"
#include "tests/support/scripted_prompter.h"
#include "transfer/live/address_scan.h"
#include "ui/comm/frmComm.h"
#include "ui/connect/found_panels_list.h"
#include "ui/connect/frmConnect.h"
#include "ui/device/frmProductCode.h"
#include "ui/main/frmMain.h"
#include "ui/session/gui_session.h"
#include "ui/widgets/address_field.h"
#include "ui/widgets/hint_line.h"
#include "ui/widgets/tone_colours.h"

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
        session->Prompts().SetAnswerer([this](const MessageRequest& request) {
            messages << QString::fromStdString(request.Title + "|" + request.Text);
            return MessageAnswer::Cancel;
        });
        panelLine().BindSlotFactory(
            1, [this] { return std::make_unique<SimulatedLink>(*line); },
            QStringLiteral("built-in simulated line"));
        // Silent addresses cost little.
        panelLine().Settings().SetAttempts(1);
        panelLine().Settings().SetMaxResponseMs(20);
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
    PanelLine& panelLine() { return session->Line(); }
    PanelAddressField& address() { return *static_cast<PanelAddressField*>(dialog().txtAddress()); }
    std::string StatusOf(int a) {
        return AddressStatusText(main->Config().AddressTable[static_cast<size_t>(a)]);
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
    dialog().CommPortOption(3)->setChecked(true);  // COM3 chosen although absent
    EXPECT_TRUE(dialog().OfflinePanel()->isVisible());
    EXPECT_FALSE(dialog().CommPortOption(3)->isEnabled());
}

TEST_F(ConnectDialogTest, ScanStopsBeforeAddress41) {
    ChooseCom1();
    QColor toneDuringScan;
    QObject::connect(&address(), &QLineEdit::textChanged, [&](const QString& text) {
        if (text != QStringLiteral("40") || !dialog().Scanning()) return;
        toneDuringScan = dialog().lblNewStatus()->palette().color(QPalette::WindowText);
        EXPECT_FALSE(dialog().cmdRead()->isEnabled());
        dialog().cmdScan()->click();
    });
    dialog().cmdScan()->click();
    EXPECT_FALSE(dialog().Scanning());
    EXPECT_EQ(toneDuringScan,
              AlertColour(dialog().lblNewStatus()->palette().color(QPalette::Window)));
    EXPECT_EQ(StatusOf(40), kNotConnected);
    EXPECT_EQ(StatusOf(41), kUntestedAddress);
    EXPECT_EQ(address().text(), QStringLiteral("1"));  // the first found
    EXPECT_TRUE(dialog().cmdRead()->isEnabled());
    EXPECT_TRUE(dialog().cmdOK()->isEnabled());
    // The panels found stay listed; picking one picks its address.
    FoundPanelsList& found = *dialog().lstFound();
    ASSERT_EQ(found.topLevelItemCount(), 6);
    found.setCurrentItem(found.topLevelItem(4));
    EXPECT_EQ(address().text(), QStringLiteral("7"));
}

// The scan waits inside the exchange; the window stays live, so the
// communication window's Cancel ends the wait on a silent address.
TEST_F(ConnectDialogTest, CancelWorksWhileScanWaits) {
    ChooseCom1();
    panelLine().Settings().SetMaxResponseMs(30000);  // a wait no test would sit out
    bool cancelled = false;
    QTimer::singleShot(100, [&] {
        cancelled = panelLine().Settings().Busy();
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
    EXPECT_FALSE(panelLine().Settings().Cancel());  // consumed by the cancelled exchange
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
        dialog().show();
        ChooseCom1();
        SetAddress(yes ? 7 : 2);
        dialog().cmdRead()->click();
        dialog().cmdOK()->click();
        EXPECT_TRUE(main->isVisible() && !dialog().isVisible());
        ASSERT_EQ(questions.size(), 1);
        EXPECT_TRUE(
            questions[0].endsWith(yes ? QStringLiteral("TMC-1400 Version 4.00 at address 7?")
                                      : QStringLiteral("KV-4800 Version 4.00 at address 2?")));
        EXPECT_EQ(reads, yes ? 1 : 0);
        EXPECT_EQ(main->Config().Status.Connection, PanelConnection::Serial(1));
        EXPECT_NE(main->Config().Status.Eprom, "N/A");  // the memory check ran
        QObject::disconnect(hook);
    }
}

TEST_F(ConnectDialogTest, OfflineOkNeedsNoPanel) {
    dialog().cmbProductType()->setCurrentIndex(0);
    SetAddress(9);
    EXPECT_TRUE(dialog().lblNewStatus()->text().endsWith(QStringLiteral(" at address 9.")));
    dialog().cmdOK()->click();
    EXPECT_EQ(main->Config().Status.Connection, PanelConnection::Offline());
    EXPECT_EQ(main->Address(), 9);
    EXPECT_TRUE(questions.isEmpty());
    // Shown again, the dialog tells what the main window has now.
    dialog().show();
    EXPECT_TRUE(dialog().lblCurrentStatus()->text().endsWith(QStringLiteral(" at address 9.")));
}

TEST_F(ConnectDialogTest, ProductCodePrompt) {
    const struct {
        bool online;
        const char* entered;  // nullptr: Cancel
        bool opened;
    } cases[] = {
        {false, "FactoryMode", false},
        {true, "FactoryMode", true},
        {true, "factorymode", false},
        {true, nullptr, false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.entered ? c.entered : "<cancel>");
        dialog().CommPortOption(c.online ? 1 : 0)->click();
        int prompts = 0;
        dialog().SetTextPrompt([&](const QString&, const QString&) {
            ++prompts;
            return c.entered ? std::optional<QString>(QString::fromLatin1(c.entered))
                             : std::nullopt;
        });
        address().setText(QStringLiteral("12"));
        QTest::keyClick(&address(), Qt::Key_F7, Qt::ControlModifier | Qt::ShiftModifier);
        EXPECT_EQ(prompts, c.online ? 1 : 0);
        frmProductCode* window = session->ProductCodeWindow();
        ASSERT_EQ(window != nullptr, c.opened);
        if (!window) continue;
        EXPECT_TRUE(window->isModal());
        EXPECT_EQ(window->PanelAddress(), 12);  // the connect dialog's address
        window->cmdDone()->click();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        EXPECT_EQ(session->ProductCodeWindow(), nullptr);
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

TEST_F(ConnectDialogTest, CommWindowSendsTheManualCommand) {
    ASSERT_TRUE(panelLine().OpenSlot(1));
    panelLine().Exchange().SetOffline(false);
    comm().show();
    comm().findChild<QLineEdit*>(QStringLiteral("txtAddress"))->setText(QStringLiteral("1"));
    auto* txtCommand = comm().findChild<QLineEdit*>(QStringLiteral("txtCommandString"));
    txtCommand->setText(QStringLiteral("LR73"));
    QTest::keyClick(txtCommand, Qt::Key_Return);
    EXPECT_EQ(comm().findChild<QLabel*>(QStringLiteral("lblResponseString"))->text(),
              QStringLiteral("A0001"));
    EXPECT_FALSE(panelLine().Settings().Busy());
    EXPECT_TRUE(messages.isEmpty());
}

TEST_F(ConnectDialogTest, GarbledRepliesShowALineFaultUntilReadAgain) {
    ChooseCom1();
    line->Options().garbleChecksum = true;
    SetAddress(2);
    dialog().cmdRead()->click();
    const QString garbled = QString::fromStdString(GarbledView(2).NewStatus);
    EXPECT_EQ(dialog().lblNewStatus()->text(), garbled);
    const QPalette& shown = dialog().lblNewStatus()->palette();
    EXPECT_EQ(shown.color(QPalette::WindowText), AlertColour(shown.color(QPalette::Window)));
    EXPECT_FALSE(dialog().cmdOK()->isEnabled());
    SetAddress(3);
    SetAddress(2);  // coming back keeps the line fault
    EXPECT_EQ(dialog().lblNewStatus()->text(), garbled);

    line->Options().garbleChecksum = false;
    dialog().cmdRead()->click();
    EXPECT_EQ(dialog().lblNewStatus()->text(),
              QStringLiteral("Connected to an KV-4800 Version 4.00 at address 2."));
}

// A port held by another program is greyed with the reason in a line of its
// own and on the choice; free again, it can be chosen. A remembered port is
// found by its device, wherever the slots put it now.
TEST_F(ConnectDialogTest, ARefusedPortSaysWhyAndARememberedPortIsFoundByItsDevice) {
    SimPty pty(*line);
    ASSERT_TRUE(pty.Open()) << pty.ErrorText().toStdString();
    QTemporaryDir dir;
    const QString stable = dir.filePath(QStringLiteral("usb-FTDI_FT232R_A1B2-if00-port0"));
    ASSERT_TRUE(QFile::link(pty.SlavePath(), stable));
    SerialLink holder;
    ASSERT_TRUE(holder.open(pty.SlavePath()));
    PortSlots portSlots(QStringList{});
    portSlots.Bind(2, stable);
    test::ScriptedPrompter prompter;
    PanelLine ports(portSlots, prompter);
    frmConnect shown(*main, ports);
    QObject::connect(&shown, &frmConnect::connectionChosen, &ports,
                     [&ports](const PanelConnection& choice) { ports.Choose(choice); });
    shown.show();
    const QString refusal =
        QStringLiteral("COM2 (") + stable + QStringLiteral(") is in use by another program.");
    EXPECT_FALSE(shown.CommPortOption(2)->isEnabled());
    EXPECT_TRUE(shown.lblPortAccess()->isVisible());
    EXPECT_EQ(shown.lblPortAccess()->text(), refusal);
    EXPECT_TRUE(shown.CommPortOption(2)->toolTip().contains(refusal));

    holder.close();
    ports.ScanPorts();
    EXPECT_TRUE(shown.CommPortOption(2)->isEnabled());
    EXPECT_FALSE(shown.lblPortAccess()->isVisible());

    const struct {
        int slot;  // remembered
        QString name;
        int chosen;
    } restores[] = {
        {4, pty.SlavePath(), 2},  // the device moved from COM4 to COM2
        {2, dir.filePath(QStringLiteral("unplugged")), 0},
        {2, QString(), 2},  // remembered before names were
    };
    for (const auto& r : restores) {
        SCOPED_TRACE(r.name.toStdString());
        shown.SelectOffline();
        shown.RestoreChoice(r.slot, 1, r.name);
        EXPECT_EQ(shown.ChoiceIndex(), r.chosen);
    }
    EXPECT_EQ(shown.ChosenPortName(), stable);
    shown.hide();
}

// The status lines take their colours from the palette: in a dark theme a
// normal line is light and an alert a light red, both readable on the window.
TEST_F(ConnectDialogTest, StatusLinesReadInADarkTheme) {
    dialog().setPalette(QPalette(QColor(0x35, 0x35, 0x35), QColor(0x35, 0x35, 0x35)));
    ChooseCom1();
    const struct {
        bool garbled;
        bool alert;
    } cases[] = {{false, false}, {true, true}, {false, false}};
    for (const auto& c : cases) {
        line->Options().garbleChecksum = c.garbled;
        SetAddress(2);
        dialog().cmdRead()->click();
        const QPalette& shown = dialog().lblNewStatus()->palette();
        const QColor text = shown.color(QPalette::WindowText);
        EXPECT_GE(ContrastRatio(text, shown.color(QPalette::Window)), kReadableContrast)
            << text.name().toStdString();
        EXPECT_EQ(text.red() > text.green() + 40, c.alert) << text.name().toStdString();
    }
}

}  // namespace
}  // namespace kvtk
