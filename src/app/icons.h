#pragma once

#include <QIcon>
#include <QString>

// The icon of a tool or command, by its file name in app/icons/ ("segment.svg");
// the menu table names the file of each command. A name that is not there
// gives a null icon.
QIcon commandIcon(const QString& fileName);

// The program's icon, for its windows' title bars and the task bar.
QIcon programIcon();
