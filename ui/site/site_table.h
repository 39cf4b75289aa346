#pragma once
// The Site window's table: one row per address with its product, version,
// file, state (in words, with an icon, so no one needs to tell colours
// apart) and last backup.

#include <QString>
#include <vector>

#include "model/site.h"

class QIcon;
class QTableWidget;
class QWidget;

namespace kvtk {

enum SiteColumn { kColAddress, kColProduct, kColVersion, kColFile, kColState, kColBackup };

// "Differs from its file (3 values)" and the like.
QString SiteStateText(const SitePanel& row);
QIcon SiteStateIcon(SiteState state, const QWidget& style);

QTableWidget* MakeSiteTable();
// `lastBackups` holds one name per row (empty where none).
void FillSiteTable(QTableWidget& table, const std::vector<SitePanel>& rows,
                   const std::vector<QString>& lastBackups);

}  // namespace kvtk
