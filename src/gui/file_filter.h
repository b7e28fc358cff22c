#pragma once

#include <QStringList>

#include <string_view>

namespace roamer::gui {

// A file-type list in the Windows form ("Name (*.vol)|*.vol|All File(*.*)|*.*||") as Qt's
// name filters ("Name (*.vol)", "All File (*)"). "*.*" matches every file, with or without
// an extension; several patterns are separated by semicolons.
QStringList QtNameFilters(std::string_view windowsFilter);

}  // namespace roamer::gui
