#include "comm/port_slots.h"

#include <gmock/gmock.h>

#include "comm/policy_prompter.h"

namespace kvtk {
namespace {

TEST(PortSlots, AdaptersComeFirstThenBuiltInPortsInNaturalOrder) {
    EXPECT_EQ(
        PortSlots::OrderPorts({QStringLiteral("/dev/ttyS10"), QStringLiteral("/dev/ttyS2"),
                               QStringLiteral("/dev/ttyACM0"), QStringLiteral("/dev/ttyUSB0")}),
        (QStringList{QStringLiteral("/dev/ttyACM0"), QStringLiteral("/dev/ttyUSB0"),
                     QStringLiteral("/dev/ttyS2"), QStringLiteral("/dev/ttyS10")}));
}

#ifndef Q_OS_WIN
TEST(PortSlots, ExplicitBindingsWinAndTheRestTakeSystemPortsInOrder) {
    PortSlots portSlots({QStringLiteral("/dev/ttyUSB0"), QStringLiteral("/dev/ttyS0")});
    const auto devices = [&portSlots] {
        QStringList all;
        for (int n = 0; n <= 4; ++n) all << portSlots.Device(n);
        return all.join(QLatin1Char(' ')).toStdString();
    };
    EXPECT_EQ(devices(), " /dev/ttyUSB0 /dev/ttyS0  ");
    EXPECT_TRUE(portSlots.Bind(2, QStringLiteral("/dev/pts/7")));
    EXPECT_TRUE(portSlots.Bind(3, QStringLiteral("/dev/ttyUSB0")));
    EXPECT_FALSE(portSlots.Bind(5, QStringLiteral("/dev/x")));
    EXPECT_EQ(devices(), " /dev/ttyS0 /dev/pts/7 /dev/ttyUSB0 ");  // ttyUSB0 is taken by slot 3
}

#endif

TEST(PortSlots, BindingOptionAndPortEntries) {
    EXPECT_EQ(PortSlots::ParseBinding(QStringLiteral("2=/dev/pts/3")),
              std::pair(2, QStringLiteral("/dev/pts/3")));
    for (const char* bad : {"5=/dev/x", "=/dev/x", "1=", "x=/dev/y", "/dev/y"})
        EXPECT_FALSE(PortSlots::ParseBinding(QString::fromLatin1(bad)).has_value()) << bad;
    EXPECT_EQ(PortEntry(3), QStringLiteral("Com3"));
    EXPECT_EQ(PortEntrySlot(QStringLiteral("Com4")), 4);
    EXPECT_EQ(PortEntrySlot(QString()), 0);
}

TEST(PolicyPrompter, EveryButtonSetHasAnAnswerThatEndsTheExchange) {
    // policy, buttons, answer
    const std::vector<std::tuple<FailurePolicy, MessageButtons, MessageAnswer>> cases{
        {FailurePolicy::Ignore, MessageButtons::AbortRetryIgnore, MessageAnswer::Ignore},
        {FailurePolicy::Abort, MessageButtons::AbortRetryIgnore, MessageAnswer::Abort},
        {FailurePolicy::Ignore, MessageButtons::YesNo, MessageAnswer::Cancel},
        {FailurePolicy::Abort, MessageButtons::OkCancel, MessageAnswer::Cancel},
        {FailurePolicy::Abort, MessageButtons::Ok, MessageAnswer::Ok},
    };
    for (const auto& [policy, buttons, answer] : cases) {
        PolicyPrompter prompter(policy);
        EXPECT_EQ(prompter.Ask({"t", "x", buttons, MessageIcon::Exclamation}), answer);
    }
    int reported = 0;
    PolicyPrompter retry(
        FailurePolicy::Retry, [&](const MessageRequest&) { ++reported; }, 2);
    const MessageRequest box{"t", "x", MessageButtons::RetryCancel, MessageIcon::Exclamation};
    EXPECT_EQ(retry.Ask(box), MessageAnswer::Retry);
    EXPECT_EQ(retry.Ask(box), MessageAnswer::Retry);
    EXPECT_EQ(retry.Ask(box), MessageAnswer::Cancel);
    EXPECT_EQ(reported, 3);
}

}  // namespace
}  // namespace kvtk
