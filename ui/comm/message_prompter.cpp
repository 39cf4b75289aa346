#include "ui/comm/message_prompter.h"

#include <QMessageBox>

#include "ui/widgets/text_convert.h"

namespace kvtk {
namespace {

QMessageBox::StandardButtons ButtonsOf(MessageButtons buttons) {
    switch (buttons) {
        case MessageButtons::Ok:
            return QMessageBox::Ok;
        case MessageButtons::OkCancel:
            return QMessageBox::Ok | QMessageBox::Cancel;
        case MessageButtons::AbortRetryIgnore:
            return QMessageBox::Abort | QMessageBox::Retry | QMessageBox::Ignore;
        case MessageButtons::YesNoCancel:
            return QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel;
        case MessageButtons::YesNo:
            return QMessageBox::Yes | QMessageBox::No;
        case MessageButtons::RetryCancel:
            return QMessageBox::Retry | QMessageBox::Cancel;
    }
    return QMessageBox::Ok;
}

QMessageBox::Icon IconOf(MessageIcon icon) {
    switch (icon) {
        case MessageIcon::Critical:
            return QMessageBox::Critical;
        case MessageIcon::Question:
            return QMessageBox::Question;
        case MessageIcon::Exclamation:
            return QMessageBox::Warning;
        case MessageIcon::Information:
            return QMessageBox::Information;
    }
    return QMessageBox::NoIcon;
}

MessageAnswer AnswerOf(int button) {
    switch (button) {
        case QMessageBox::Ok:
            return MessageAnswer::Ok;
        case QMessageBox::Abort:
            return MessageAnswer::Abort;
        case QMessageBox::Retry:
            return MessageAnswer::Retry;
        case QMessageBox::Ignore:
            return MessageAnswer::Ignore;
        case QMessageBox::Yes:
            return MessageAnswer::Yes;
        case QMessageBox::No:
            return MessageAnswer::No;
        default:
            return MessageAnswer::Cancel;  // also a box closed without a button
    }
}

}  // namespace

MessageAnswer MessagePrompter::Ask(const MessageRequest& request) {
    if (answerer_) return answerer_(request);
    QMessageBox box(IconOf(request.Icon), ToQString(request.Title), ToQString(request.Text),
                    ButtonsOf(request.Buttons), parent_);
    box.setWindowModality(Qt::ApplicationModal);
    return AnswerOf(box.exec());
}

}  // namespace kvtk
