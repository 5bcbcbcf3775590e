#pragma once

#include <QIcon>
#include <QString>

// The icon of a tool or command, by its file name in app/icons/ ("segment.svg");
// app/icons/index.txt tells which tool or command each file belongs to. A name
// that is not there gives a null icon.
QIcon commandIcon(const QString& fileName);
