// "&Copy to Disk": the save-file dialog for a text or zip copy of the
// listing, the copy, and what the user is told; asked again when the listing
// does not fit where the user chose.
#pragma once

#include <QString>
#include <functional>

class QWidget;

namespace qln {

class CDiskInfo;

void CopyListingToDisk(QWidget* parent, const QString& listing, const CDiskInfo& disk,
                       const std::function<void(const QString&)>& showStatus);

}  // namespace qln
