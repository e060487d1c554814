#pragma once

#include <QIcon>
#include <QList>
#include <QStringList>

// The tray icon's pictures, compiled into the program under :/icons: the head `normalico` and
// the ear `l1`, `l2` and `l3` hearing no, one and two waves, each drawn at every size a panel
// asks for.
namespace TrayPictures {

QStringList names();
QList<int> sizes();

// The picture with each of its sizes; a null icon for a name that is none of ours.
QIcon icon(const QString &name);

} // namespace TrayPictures
