#pragma once
// A main window under test: beeps are counted, questions are answered by
// the test, and the window is shown offline for a chosen product.

#include <gtest/gtest.h>

#include <QApplication>
#include <QComboBox>
#include <QLineEdit>
#include <QString>
#include <QTest>
#include <memory>
#include <ostream>

#include "model/products.h"
#include "ui/main/frmMain.h"
#include "ui/main/input_editor.h"
#include "ui/main/settings_editor.h"
#include "ui/widgets/number_field.h"
#include "ui/widgets/time_field.h"

QT_BEGIN_NAMESPACE
inline void PrintTo(const QString& text, std::ostream* out) {
    *out << text.toStdString();
}
QT_END_NAMESPACE

namespace kvtk {

class MainWindowTest : public ::testing::Test {
protected:
    void SetUp() override { Open("WQ08 Version 5.00+"); }

    void Open(const std::string& product) {
        window = std::make_unique<frmMain>();
        window->SetBeepSink([this] { ++beeps; });
        window->SetQuestionAsker([this](const QString& title, const QString& text) {
            questions.push_back(title + QStringLiteral("|") + text);
            return answer;
        });
        ConnectChoice choice;
        choice.Product = IdentityFromText(product);
        window->ApplyConnectChoice(choice);
        window->show();
        QApplication::setActiveWindow(window.get());
        ASSERT_TRUE(QTest::qWaitForWindowActive(window.get()));
        beeps = 0;
    }

    void TearDown() override {
        answer = true;
        window->hide();
        window.reset();
    }

    PanelSettingsEditor& settings() { return window->Settings(); }
    InputEditor& inputs() { return window->Inputs(); }
    Configuration& config() { return window->Config(); }
    const InputRow& row(int r) { return inputs().Row(r); }

    // Focuses a field, replaces its text by typing, then moves the focus on.
    void TypeAndLeave(QLineEdit* field, const QString& text) {
        Type(field, text);
        Leave();
    }
    void Type(QLineEdit* field, const QString& text) {
        field->setFocus(Qt::TabFocusReason);
        field->selectAll();
        if (text.isEmpty())
            QTest::keyClick(field, Qt::Key_Backspace);
        else
            QTest::keyClicks(field, text);
    }
    void Leave() { settings().txtDeviceName()->setFocus(Qt::TabFocusReason); }

    // Online with `product` ("WQ16 Version 5.00") at `address` on COM 1.
    void GoOnline(int address, const std::string& product) {
        window->SetIdentity(IdentityFromText(product));
        window->SetAddress(address);
        window->SetConnection(PanelConnection::Serial(1));
    }

    void SetInputCount(int count) {
        TypeAndLeave(settings().txtNumInputs(), QString::number(count));
    }

    std::unique_ptr<frmMain> window;
    int beeps = 0;
    bool answer = true;
    QStringList questions;
};

}  // namespace kvtk
