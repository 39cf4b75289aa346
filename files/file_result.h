#pragma once
// The outcome of a configuration-file operation: its kind, and when the user
// must be told, the message box title and text exactly as they are shown.

#include <string>

namespace kvtk {

enum class FileOutcome {
    Ok,
    DiskFull,      // "Write Error": "The disk is FULL!" ...
    PathNotFound,  // the file name or its folder is not valid or does not exist
    Damaged,       // "File Error": the file ended before the read was complete
    Other,         // a system or content failure, shown with its description and number
};

// Stable numbers of the reader's own failures. System failures carry the
// operating system's error number (errno), which never reaches these values.
inline constexpr int kInputNumberOutOfRange = 10001;
inline constexpr int kGroupNumberOutOfRange = 10002;
inline constexpr int kUnreadableStream = 10003;
inline constexpr int kNotARegularFile = 10004;
inline constexpr int kFileTooLarge = 10005;
inline constexpr int kValueNotHeld = 10006;  // a value or name the panel cannot hold

struct FileResult {
    FileOutcome Outcome = FileOutcome::Ok;
    int Number = 0;       // failure number shown with Other (and PathNotFound)
    std::string Title;    // message box title; empty when nothing is shown
    std::string Message;  // message box text (lines separated by a carriage return)

    bool Ok() const { return Outcome == FileOutcome::Ok; }
    bool ShowsMessage() const { return !Message.empty(); }
};

inline constexpr const char* kWriteErrorTitle = "Write Error";
inline constexpr const char* kFileErrorTitle = "File Error";

FileResult DiskFullResult();
FileResult DamagedFileResult();
// description + " (" + number + ")" + carriage return, under the given title.
FileResult OtherFailureResult(FileOutcome outcome, const std::string& title,
                              const std::string& description, int number);
// A failure the operating system reported through errno.
FileResult SystemFailureResult(const std::string& title, int errorNumber);
// The system's words for errno and its number: "Permission denied (13)".
std::string SystemErrorText(int errorNumber);

}  // namespace kvtk
