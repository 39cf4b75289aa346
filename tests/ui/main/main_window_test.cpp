#include <QAbstractButton>
#include <QGroupBox>
#include <QLabel>
#include <QMap>
#include <QMenu>
#include <QMenuBar>
#include <QToolButton>

#include "tests/support/accessible_names.h"
#include "tests/support/main_window_fixture.h"
#include "ui/widgets/number_field.h"
#include "ui/widgets/spin_buttons.h"
#include "ui/widgets/time_field.h"

namespace kvtk {
namespace {

// Inputs are checked on Return or when the field is left, relays after every
// key (9 is above the WQ08's 8 relays).
TEST_F(MainWindowTest, CountsAreKeptInRange) {
    const struct {
        bool relays;
        const char* typed;
        char then;  // 'R' Return, 'L' leave the field, '-' nothing
        const char* shown;
        int beeps;
    } cases[] = {
        {false, "130", 'R', "120", 1}, {false, "", 'L', "1", 1}, {false, "9", 'L', "9", 0},
        {true, "9", '-', "8", 1},      {true, "", 'L', "1", 1},  {true, "x-", '-', "1", 2},
    };
    for (const auto& c : cases) {
        QLineEdit* field = c.relays ? settings().txtNumRelays() : settings().txtNumInputs();
        beeps = 0;
        Type(field, QString::fromLatin1(c.typed));
        if (c.then == 'R') QTest::keyClick(field, Qt::Key_Return);
        if (c.then == 'L') Leave();
        EXPECT_EQ(field->text(), QString::fromLatin1(c.shown)) << c.typed;
        EXPECT_EQ(beeps, c.beeps) << c.typed;
        const std::string& kept = c.relays ? config().Panel.NumRelays : config().Panel.NumInputs;
        EXPECT_EQ(kept, c.shown) << c.typed;
    }
}

// Alt+letter: every menu title and every field caption of the main window
// has a letter of its own, so a menu opens at the first press.
TEST_F(MainWindowTest, MenuAndFieldMnemonicsNeverClash) {
    QMap<QChar, QStringList> owners;
    auto note = [&owners](const QString& text) {
        for (qsizetype at = text.indexOf(QLatin1Char('&')); at >= 0 && at + 1 < text.size();
             at = text.indexOf(QLatin1Char('&'), at + 2)) {
            if (text[at + 1] == QLatin1Char('&')) continue;  // "&&" is a plain "&"
            owners[text[at + 1].toLower()] << text;
            return;
        }
    };
    // Only the window's own widgets: its dialogs have their own letters.
    auto own = [this](const QWidget* widget) { return widget->window() == window.get(); };
    for (const QAction* menu : window->menuBar()->actions()) note(menu->text());
    for (const QLabel* label : window->findChildren<QLabel*>())
        if (own(label) && label->buddy()) note(label->text());
    for (const QAbstractButton* button : window->findChildren<QAbstractButton*>())
        if (own(button)) note(button->text());
    for (const QGroupBox* box : window->findChildren<QGroupBox*>())
        if (own(box)) note(box->title());
    for (auto it = owners.cbegin(); it != owners.cend(); ++it)
        EXPECT_EQ(it.value().size(), 1) << "Alt+" << QString(it.key()).toStdString() << ": "
                                        << it.value().join(QStringLiteral(", ")).toStdString();
    EXPECT_GE(owners.size(), 7 + 6);  // the seven menus and the captions
}

TEST_F(MainWindowTest, SpinButtonsStepWithinTheLimits) {
    SpinButtons* spin = settings().spnNumRelays();
    EXPECT_EQ(settings().txtNumRelays()->text(), QStringLiteral("8"));
    QTest::mouseClick(spin->UpButton(), Qt::LeftButton);
    EXPECT_EQ(settings().txtNumRelays()->text(), QStringLiteral("8"));
    EXPECT_EQ(beeps, 1);
    QTest::mouseClick(spin->DownButton(), Qt::LeftButton);
    EXPECT_EQ(settings().txtNumRelays()->text(), QStringLiteral("7"));
    EXPECT_EQ(config().Panel.NumRelays, "7");
    EXPECT_TRUE(settings().txtNumRelays()->hasFocus());
    QTest::keyClick(settings().txtNumRelays(), Qt::Key_Up);
    EXPECT_EQ(settings().txtNumRelays()->text(), QStringLiteral("8"));
}

// The completion rules are tested with the time entry; here the wiring.
TEST_F(MainWindowTest, TimeFieldsCompleteIntoTheConfiguration) {
    TimeField* onTime = settings().txtOnTimeAfterFlash();
    TypeAndLeave(onTime, QStringLiteral("0005"));
    EXPECT_EQ(onTime->text(), QStringLiteral("00:10"));
    EXPECT_EQ(config().Panel.OnTimeAfterFlash, "00:10");
    EXPECT_EQ(beeps, 1);
}

TEST_F(MainWindowTest, NameGoesToTheAddressTable) {
    window->SetAddress(7);
    EXPECT_EQ(settings().lblAddress()->text(), QStringLiteral("7"));
    Type(settings().txtDeviceName(), QStringLiteral("  Lobby "));
    EXPECT_EQ(config().Panel.DeviceName, "  Lobby ");
    EXPECT_EQ(config().AddressTable[7].Name, "Lobby");
    window->SetAddress(9);  // the file writer takes the name from here
    EXPECT_EQ(config().AddressTable[9].Name, "Lobby");
}

TEST_F(MainWindowTest, OfflineChoiceKeepsTheMoreSpecificIdentity) {
    Open("KV-4800 Version 4.00+");
    ConnectChoice choice;
    choice.Product = IdentityFromText("KV-??00 Version 2.05+");  // more general: the model stays
    window->ApplyConnectChoice(choice);
    EXPECT_EQ(config().Identity.Model, "KV-4800");
    EXPECT_EQ(config().Identity.Version, "2.05+");  // an older version is taken
    EXPECT_EQ(settings().lblVersion()->text(), QStringLiteral("2.05+"));
    choice.Product = IdentityFromText("TMC-1400 Version 2.05+");  // another family
    window->ApplyConnectChoice(choice);
    EXPECT_EQ(config().Identity.Model, "TMC-1400");
    EXPECT_EQ(config().Identity.Version, "2.05+");
    EXPECT_EQ(settings().cmbRelayEnergize()->currentText(), QStringLiteral("0.156"));
}

TEST_F(MainWindowTest, NewProductCutsCountsAndLists) {
    SetInputCount(100);
    config().Inputs[50].Group = 40;
    config().Inputs[2].Type = kStateChange;  // not offered: shown as Momentary On
    window->SetIdentity({"KV-4800", "2.05"});
    EXPECT_EQ(row(2).cmbInputType->currentIndex(), kMomentaryOn);
    EXPECT_EQ(config().Inputs[2].Type, kMomentaryOn);
    EXPECT_EQ(settings().txtNumInputs()->text(), QStringLiteral("16"));
    EXPECT_EQ(settings().lblInputRange()->text(), QStringLiteral("1..16"));
    EXPECT_EQ(row(1).cmbInputType->count(), 5);  // Linked On, no State Change
    EXPECT_TRUE(window->SetAllTypeAction(kLinkedOn)->isEnabled());
    EXPECT_FALSE(window->SetAllTypeAction(kStateChange)->isEnabled());
    EXPECT_FALSE(window->mnuOtherSpecialOptions()->isEnabled());  // from 2.06
    window->SetIdentity({"KV-4800", "2.06"});
    EXPECT_TRUE(window->mnuOtherSpecialOptions()->isEnabled());
    EXPECT_EQ(test::SweepAccessibleNames(*window).Unnamed, QStringList());  // rebuilt controls
}

TEST_F(MainWindowTest, ExitAsksAndNoKeepsEverything) {
    answer = false;
    config().Inputs[5].Name = "Stairs";
    EXPECT_FALSE(window->close());
    EXPECT_TRUE(window->isVisible());
    EXPECT_EQ(config().Inputs[5].Name, "Stairs");
    ASSERT_EQ(questions.size(), 1);
    EXPECT_TRUE(questions[0].startsWith(QStringLiteral("Exit ?|")));
    answer = true;
    EXPECT_TRUE(window->close());
    EXPECT_FALSE(window->isVisible());
}

}  // namespace
}  // namespace kvtk
