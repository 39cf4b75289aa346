#include "files/file_result.h"

#include <cerrno>
#include <system_error>

namespace kvtk {

FileResult DiskFullResult() {
    return {FileOutcome::DiskFull, ENOSPC, kWriteErrorTitle,
            "The disk is FULL!\rTry another drive, \ror insert another floppy."};
}

FileResult DamagedFileResult() {
    return {FileOutcome::Damaged, 0, kFileErrorTitle,
            "I was not able to read all of the data.\rThe file may be damaged."};
}

FileResult OtherFailureResult(FileOutcome outcome, const std::string& title,
                              const std::string& description, int number) {
    return {outcome, number, title, description + " (" + std::to_string(number) + ")\r"};
}

FileResult SystemFailureResult(const std::string& title, int errorNumber) {
    bool full = errorNumber == ENOSPC;
#ifdef EDQUOT
    full = full || errorNumber == EDQUOT;  // a user's quota counts as a full disk
#endif
    if (full) return DiskFullResult();
    const FileOutcome outcome =
        (errorNumber == ENOENT || errorNumber == ENOTDIR || errorNumber == ENAMETOOLONG)
            ? FileOutcome::PathNotFound
            : FileOutcome::Other;
    return OtherFailureResult(outcome, title, std::generic_category().message(errorNumber),
                              errorNumber);
}

std::string SystemErrorText(int errorNumber) {
    return std::generic_category().message(errorNumber) + " (" + std::to_string(errorNumber) + ")";
}
}  // namespace kvtk
