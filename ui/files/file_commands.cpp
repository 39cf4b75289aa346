#include "ui/files/file_commands.h"

#include <QAction>
#include <QApplication>
#include <QDateTime>
#include <QFile>
#include <QFileInfo>
#include <QKeySequence>
#include <QMenu>
#include <QWidget>
#include <algorithm>

#include "files/config_reader.h"
#include "files/config_writer.h"
#include "files/file_access.h"
#include "files/open_save_rules.h"
#include "ui/files/file_prompts.h"
#include "ui/main/edit_commands.h"
#include "ui/main/main_window_access.h"
#include "ui/widgets/text_convert.h"

namespace kvtk {
namespace {

// File names keep the file system's encoding; only their display is QString.
std::string FileSystemName(const QString& name) {
    return QFile::encodeName(name).toStdString();
}
QString DisplayName(const std::string& name) {
    return QFile::decodeName(QByteArray::fromStdString(name));
}

// Why a file cannot be read, checked before anything opens it: opening a
// named pipe would wait for a writer, a device would never end. Empty when
// it can be read.
QString UnreadableReason(const std::string& name) {
    std::string text;
    FileResult readable = ReadWholeFile(name, text);
    while (!readable.Message.empty() && readable.Message.back() == '\r')
        readable.Message.pop_back();
    return ToQString(readable.Message);
}

class BusyPointer {
public:
    BusyPointer() { QApplication::setOverrideCursor(Qt::WaitCursor); }
    ~BusyPointer() { QApplication::restoreOverrideCursor(); }
    BusyPointer(const BusyPointer&) = delete;
    BusyPointer& operator=(const BusyPointer&) = delete;
};

}  // namespace

FileCommands::FileCommands(MainWindowAccess& window)
    : QObject(&window.Widget()),
      window_(window),
      prompts_(std::make_unique<QtFilePrompts>(&window.Widget())) {
    QMenu* menu = &window.FileMenu();
    const QList<QAction*> existing = menu->actions();
    const auto exitAction = std::find_if(existing.begin(), existing.end(), [](QAction* action) {
        return action->objectName() == QStringLiteral("mnuFileExit");
    });
    QAction* before = exitAction == existing.end() ? nullptr : *exitAction;
    auto add = [&](const QString& caption, const QString& name, auto command) {
        auto* action = new QAction(caption, menu);
        action->setObjectName(name);
        menu->insertAction(before, action);
        connect(action, &QAction::triggered, this, [this, command] {
            window_.CommitEdits();
            command();
        });
        return action;
    };
    open_[0] = add(QStringLiteral("&Open"), QStringLiteral("mnuFileOpen_0"), [this] { Open(0); });
    open_[0]->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_O));
    recentMenu_ = new QMenu(QStringLiteral("Open &Recent"), menu);
    recentMenu_->setObjectName(QStringLiteral("mnuFileOpenRecent"));
    menu->insertMenu(before, recentMenu_);
    connect(recentMenu_, &QMenu::aboutToShow, this, &FileCommands::ShowRecentMenu);
    open_[1] =
        add(QStringLiteral("Open &Names"), QStringLiteral("mnuFileOpen_1"), [this] { Open(1); });
    save_ = add(QStringLiteral("&Save"), QStringLiteral("mnuFileSave"), [this] { Save(); });
    save_->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_S));
    saveAs_ =
        add(QStringLiteral("Save &As..."), QStringLiteral("mnuFileSaveAs"), [this] { SaveAs(); });
    saveAs_->setShortcut(QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_S));
    print_ = add(QStringLiteral("&Print"), QStringLiteral("mnuFilePrint"), [this] { Print(); });
    print_->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_P));
    menu->insertSeparator(before);
    ShowRecentMenu();
}

void FileCommands::SetRecentFiles(const QStringList& files) {
    recent_.SetFiles(files);
    ShowRecentMenu();
}

void FileCommands::AddRecent(const QString& file) {
    recent_.Add(file);
    ShowRecentMenu();
}

void FileCommands::ShowRecentMenu() {
    recentMenu_->clear();
    int number = 0;
    for (const QString& file : recent_.Files()) {
        // "&1 panel.kvx", the folder in the hint.
        QAction* action = recentMenu_->addAction(
            QStringLiteral("&%1 %2").arg(++number).arg(QFileInfo(file).fileName()));
        action->setObjectName(QStringLiteral("mnuFileOpenRecent_%1").arg(number - 1));
        action->setToolTip(file);
        action->setStatusTip(file);
        connect(action, &QAction::triggered, this, [this, file] {
            window_.CommitEdits();
            OpenRecent(file);
        });
    }
    recentMenu_->setEnabled(!recent_.Files().isEmpty());
}

FileCommands::~FileCommands() = default;

void FileCommands::SetPrompts(std::unique_ptr<FilePrompts> prompts) {
    prompts_ = std::move(prompts);
}

ReportOrigin FileCommands::Origin() const {
    ReportOrigin origin;
    origin.FromFile = !dialogCancelled_;
    if (!origin.FromFile) return origin;
    origin.FileName = ToCoreText(fileName_);
    origin.Date = info_.View.Date;
    origin.Time = info_.View.Time;
    origin.Description = info_.View.Description;
    return origin;
}

void FileCommands::ShowFailure(const FileResult& result) {
    if (!result.ShowsMessage()) return;
    prompts_->Ask({ToQString(result.Title), ToQString(result.Message), QMessageBox::Critical});
}

void FileCommands::SetCaption(const QString& fileName, const std::string& description) {
    // The rule only joins and trims, so UTF-8 file names pass through it whole.
    const std::string caption =
        MainWindowCaption(fileName.toStdString(), ToQString(description).toStdString());
    window_.Widget().setWindowTitle(QString::fromStdString(caption));
}

void FileCommands::RememberHeader() {
    // The header last read can make version comparisons equal.
    if (info_.HeaderValid)
        window_.SetLastFileHeader(FileHeaderInfo{info_.View.Model, info_.View.Version});
}

FileCommands::SaveOutcome FileCommands::Save() {
    // Save always shows its dialog: the description is edited there and an
    // existing file is replaced only after its question. Save As is the same.
    return SaveAs();
}

FileCommands::SaveOutcome FileCommands::SaveAs() {
    const ConfigFileDialogRequest request{true, QString::fromLatin1(kSaveDialogTitle),
                                          QStringLiteral("Save"), lastFolder_};
    const std::optional<QString> chosen = prompts_->AskConfigFileName(request, info_);
    RememberHeader();
    if (!chosen || chosen->trimmed().isEmpty()) {
        dialogCancelled_ = true;
        return SaveOutcome::Cancelled;
    }
    dialogCancelled_ = false;

    const std::string name = Trim(KvxFileName(FileSystemName(*chosen)));
    // A folder, pipe or device of that name is refused before anything is asked.
    if (const auto problem = SaveTargetProblem(name)) {
        dialogCancelled_ = true;
        ShowFailure(*problem);
        return SaveOutcome::Failed;
    }
    if (QFileInfo::exists(DisplayName(name))) {
        const MessagePrompt overwrite{
            QStringLiteral("Overwrite File?"),
            QString::fromStdString(OverwriteQuestion(DisplayName(name).toStdString())),
            QMessageBox::Question, QMessageBox::Yes | QMessageBox::No, QMessageBox::No};
        if (prompts_->Ask(overwrite) != QMessageBox::Yes) return SaveOutcome::Declined;
    }
    return WriteTo(name, Trim(info_.View.Description));
}

FileCommands::SaveOutcome FileCommands::WriteTo(const std::string& name,
                                                const std::string& description) {
    const QDateTime now = QDateTime::currentDateTime();
    const FileStamp stamp{now.toString(QStringLiteral("MM-dd-yy")).toStdString(),
                          now.toString(QStringLiteral("HH:mm:ss")).toStdString(), description};
    FileResult result;
    {
        BusyPointer busy;
        result = WriteConfigFile(name, window_.Config(), stamp);
    }
    if (!result.Ok()) {
        // Nothing was written: the data is not from this file.
        dialogCancelled_ = true;
        ShowFailure(result);
        return SaveOutcome::Failed;
    }
    dialogCancelled_ = false;
    fileName_ = DisplayName(name);
    currentFile_ = fileName_;
    AddRecent(fileName_);
    RememberFolder(fileName_);
    SetCaption(fileName_, stamp.Description);
    // The panel (and so the report) shows the header just written.
    info_.Select(name);
    RememberHeader();
    return SaveOutcome::Written;
}

bool FileCommands::SaveFirst() {
    const MessagePrompt saveFirst{QStringLiteral("Save Current Data?"),
                                  QStringLiteral("Do you want to save your current data?"),
                                  QMessageBox::Question,
                                  QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel};
    const QMessageBox::StandardButton answer = prompts_->Ask(saveFirst);
    if (answer != QMessageBox::Yes && answer != QMessageBox::No) return false;
    // A save that did not happen (cancelled, or failed) would lose the data.
    if (answer == QMessageBox::Yes) {
        const SaveOutcome saved = Save();
        if (saved == SaveOutcome::Cancelled || saved == SaveOutcome::Failed) return false;
    }
    return true;
}

void FileCommands::Open(int index) {
    const bool namesOnly = index == 1;
    const auto undoStep =
        window_.Edit().Step(namesOnly ? QStringLiteral("Open Names") : QStringLiteral("Open"));
    if (!SaveFirst()) return;

    QString title = QString::fromLatin1(kOpenDialogTitle);
    if (namesOnly) title += QString::fromLatin1(kNamesOnlySuffix);
    const ConfigFileDialogRequest request{false, title, QStringLiteral("Open"), lastFolder_};
    std::string name;
    for (;;) {
        const std::optional<QString> chosen = prompts_->AskConfigFileName(request, info_);
        if (!chosen) {
            RememberHeader();
            dialogCancelled_ = true;
            return;
        }
        name = Trim(FileSystemName(*chosen));
        if (!QFileInfo::exists(DisplayName(name))) {
            dialogCancelled_ = true;
            return;
        }
        // A folder, pipe or device, or a file this user may not read, is
        // named as what it is rather than as an invalid header.
        std::string text;
        if (const FileResult readable = ReadWholeFile(name, text); !readable.Ok()) {
            ShowFailure(readable);
            continue;
        }
        // The panel and the checks below describe the file actually chosen,
        // also when its name was typed rather than selected.
        info_.Select(name);
        RememberHeader();
        if (info_.HeaderValid) break;
        prompts_->Ask({QString(), QString::fromLatin1(kInvalidHeaderText)});
    }
    OpenChosen(name, namesOnly);
}

void FileCommands::OpenRecent(const QString& path) {
    if (!QFileInfo::exists(path)) {
        recent_.Remove(path);
        ShowRecentMenu();
        prompts_->Ask({QStringLiteral("Open Recent"),
                       QStringLiteral("The file \"%1\" no longer exists; it was taken off the "
                                      "recent files.")
                           .arg(path),
                       QMessageBox::Information});
        return;
    }
    const auto undoStep = window_.Edit().Step(QStringLiteral("Open"));
    if (!SaveFirst()) return;
    const std::string name = FileSystemName(path);
    std::string text;
    if (const FileResult readable = ReadWholeFile(name, text); !readable.Ok()) {
        ShowFailure(readable);
        return;
    }
    info_.Select(name);
    RememberHeader();
    if (!info_.HeaderValid) {
        prompts_->Ask({QString(), QString::fromLatin1(kInvalidHeaderText)});
        return;
    }
    OpenChosen(name, false);
}

void FileCommands::OpenChosen(const std::string& name, bool namesOnly) {
    dialogCancelled_ = false;

    Configuration& config = window_.Config();
    const FileHeaderView file = info_.View;
    const ProductIdentity fileIdentity{Trim(file.Model), Trim(file.Version)};
    const FileComparison comparison = CompareWithFile(config.Identity, config.Panel.Address, file);
    // "Load data for use with the current device" keeps its address, also
    // offline, where the reader would take the file's.
    std::optional<std::string> keepAddress;
    if (comparison.Matches()) {
        if (!config.Status.IsOnline()) {
            window_.SetIdentity(fileIdentity);
            emit catalogueUpdateRequested(false);
        }
    } else {
        const OpenOptionTexts texts{
            ToQString(
                CurrentDeviceText(config.Identity, config.Panel.Address, config.Status.IsOnline())),
            ToQString(FileDeviceText(file)), ToQString(DifferenceText(comparison).value_or(""))};
        switch (prompts_->AskOpenOption(texts)) {
            case OpenOption::LoadForCurrentDevice:
                keepAddress = config.Panel.Address;
                break;
            case OpenOption::GoOfflineWithFileDevice:
                GoOfflineWithFileDevice(file);
                break;
            case OpenOption::Cancel:
                dialogCancelled_ = true;
                return;
        }
    }

    Load(name, namesOnly, keepAddress);
}

void FileCommands::GoOfflineWithFileDevice(const FileHeaderView& file) {
    window_.SetConnection(PanelConnection::Offline());
    window_.SetMemoryCheck("N/A", "N/A");
    window_.SetAddress(std::clamp(IntegerValue(file.Address), 0, kAddressCount - 1));
    window_.SetIdentity(ProductIdentity{Trim(file.Model), Trim(file.Version)});
    emit catalogueUpdateRequested(true);
}

void FileCommands::Load(const std::string& name, bool namesOnly,
                        std::optional<std::string> keepAddress) {
    Configuration& config = window_.Config();
    FileResult result;
    {
        BusyPointer busy;
        if (!namesOnly)
            dataProduct_ = keepAddress
                               ? config.Identity
                               : ProductIdentity{Trim(info_.View.Model), Trim(info_.View.Version)};
        result = ReadConfigFile(name, config, namesOnly ? ReadMode::NamesOnly : ReadMode::Full);
        if (keepAddress && config.Panel.Address != *keepAddress) {
            config.Panel.Address = *keepAddress;
            const int address = IntegerValue(*keepAddress);
            if (address >= 0 && address < kAddressCount)
                config.AddressTable[static_cast<size_t>(address)].Name =
                    Trim(config.Panel.DeviceName);
        }
        window_.ShowConfiguration();
        window_.ShowFirstInputs();
        fileName_ = DisplayName(name);
        // Save writes the file again only when the data are all of it: not
        // after names merged in, data taken over for another device, or a
        // read that stopped half-way.
        currentFile_ = namesOnly || keepAddress || !result.Ok() ? QString() : fileName_;
        if (!currentFile_.isEmpty()) AddRecent(fileName_);
        RememberFolder(fileName_);
        SetCaption(fileName_, info_.View.Description);
    }
    // What was read before a failure stays in memory, so the caption names the file.
    ShowFailure(result);
}

void FileCommands::RememberFolder(const QString& fileName) {
    const QString folder = QFileInfo(fileName).absolutePath();
    if (QFileInfo(folder).isDir()) lastFolder_ = folder;
}

bool FileCommands::OpenAtStart(const QString& path) {
    const QFileInfo file(path);
    const std::string name = FileSystemName(file.absoluteFilePath());
    std::optional<QString> problem;
    if (!file.exists()) {
        problem = QStringLiteral("The file \"%1\" does not exist.");
    } else if (file.isDir()) {
        problem = QStringLiteral("\"%1\" is a folder, not a KVTK data file.");
    } else if (const QString why = UnreadableReason(name); !why.isEmpty()) {
        problem = QStringLiteral("The file \"%1\" cannot be read: ") + why + QStringLiteral(".");
    } else {
        info_.Select(name);
        RememberHeader();
        if (!info_.HeaderValid)
            problem = info_.View.DescriptionIsWarning
                          ? QString::fromLatin1(kUnlistedModelText)
                          : QStringLiteral(
                                "\"%1\" is not a KVTK data file: its header is "
                                "missing or damaged.");
    }
    if (problem) {
        prompts_->Ask({QStringLiteral("File Error"), problem->arg(path), QMessageBox::Critical});
        return false;
    }
    dialogCancelled_ = false;
    GoOfflineWithFileDevice(info_.View);
    Load(name, false, std::nullopt);
    return true;
}

void FileCommands::Print() {
    frmPrint dialog(window_.Config(), Origin(), window_.GetBeeper(), window_.SpinTicker(),
                    *prompts_, printer_, &window_.Widget());
    dialog.SetPrintJob(printJob_);
    dialog.exec();
}

}  // namespace kvtk
