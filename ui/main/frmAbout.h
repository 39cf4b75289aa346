#pragma once
// The About box: product name, program version, the maker's notice and the
// licence.

#include <QDialog>

namespace kvtk {

inline constexpr const char* kProductName = "KV Programming Kit";
inline constexpr const char* kProgramVersion = "5.1";
inline constexpr const char* kMakerNotice = "Programming tool for KV lighting relay panels.";

class frmAbout : public QDialog {
    Q_OBJECT
public:
    explicit frmAbout(QWidget* parent = nullptr);
};

}  // namespace kvtk
