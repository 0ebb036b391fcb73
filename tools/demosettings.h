#pragma once

#include "tools/democollectionplan.h"

#include <QList>
#include <QString>

namespace Sorven::Demo {

// One SETTING row; list-valued settings have one row per value.
struct DemoSetting
{
    QString name;
    QString value;
    int valueIndex = 0;
};

// The settings of a collection, chosen to show every feature of the palette.
QList<DemoSetting> demoCollectionSettings(const DemoCollectionPlan &plan);
// The settings the system-wide collection holds for every collection.
QList<DemoSetting> demoSystemWideSettings();

// The capture device's measurement file, in the watched folder below the machine-wide data
// folder (which "%PROGRAMDATA%" names).
QString capsureFolderName();
QString capsureFileName();

} // namespace Sorven::Demo
