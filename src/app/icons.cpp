#include "app/icons.h"

#include <QFile>

QIcon commandIcon(const QString& fileName) {
    const QString path = QStringLiteral(":/icons/") + fileName;
    if (fileName.isEmpty() || !QFile::exists(path)) return {};
    return QIcon(path);
}

QIcon programIcon() {
    return QIcon(QStringLiteral(":/program/kova3d.svg"));
}
